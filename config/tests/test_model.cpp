/* SPDX-License-Identifier: BSD-2-Clause */
/* Sections in memory: defaults, ownership, lists of sections. */
#include <stdlib.h>
#include <string.h>

#include "support.h"

using Model = CfgTest;

TEST_F(Model, NewFillsSlotsByIndexNotTableOrder)
{
	cfg_section *s = cfg_new(nullptr, settings_defs, 7);

	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->name, nullptr);
	EXPECT_EQ(s->next, nullptr);
	EXPECT_EQ(s->nvars, 7);
	const char *names[] = { "autoshutdown", "shutdown_cap", "shutdown_cmd",
		"suspend_cmd", "suspend", "use_icon_theme", "poll_interval" };
	for (int i = 0; i < 7; i++)
		EXPECT_STREQ(s->vars[i].name, names[i]) << i;
	/* Names are borrowed, strings copied. */
	EXPECT_EQ(s->vars[4].name, settings_defs[1].name);
	EXPECT_STREQ(s->vars[2].val.str, "shutdown -p now");
	EXPECT_NE(s->vars[2].val.str, settings_defs[3].defval.str);
	EXPECT_FALSE(s->vars[0].val.boolean);
	EXPECT_TRUE(s->vars[4].val.boolean);
	EXPECT_EQ(s->vars[6].val.integer, 5);
	cfg_free(s);

	s = cfg_new("empty", settings_defs, 0);
	ASSERT_NE(s, nullptr);
	EXPECT_STREQ(s->name, "empty");
	EXPECT_EQ(s->vars, nullptr);
	cfg_free(s);
}

TEST_F(Model, ListDefaultsAndUnnamedSlots)
{
	static const cfg_vardef defs[] = {
		{ "none", CFG_STRINGS, 0, { .list = nullptr } },
		{ "nostr", CFG_STRING, 1, { .str = nullptr } },
	};
	cfg_section *s = cfg_new(nullptr, defs, 2);

	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->vars[0].val.list, nullptr);
	EXPECT_EQ(s->vars[1].val.str, nullptr);
	cfg_free(s);

	s = cfg_new(nullptr, mixed_defs, V_COUNT);
	char **l = s->vars[V_LIST].val.list;
	ASSERT_NE(l, nullptr);
	EXPECT_STREQ(l[0], "x");
	EXPECT_STREQ(l[1], "y");
	EXPECT_EQ(l[2], nullptr);
	EXPECT_NE(l, mixed_defs[V_LIST].defval.list);
	cfg_free(s);
}

TEST_F(Model, AddStringGrowsByOne)
{
	char **list = nullptr;
	char word[] = "one";

	ASSERT_EQ(add_string(&list, word), list);
	EXPECT_STREQ(list[0], "one");
	EXPECT_EQ(list[1], nullptr);
	EXPECT_NE(list[0], word);
	ASSERT_NE(add_string(&list, "two"), nullptr);
	EXPECT_STREQ(list[1], "two");
	EXPECT_EQ(list[2], nullptr);

	/* A failed growth empties the list and names add_string(). */
	fault_alloc(1);
	EXPECT_EQ(add_string(&list, "three"), nullptr);
	EXPECT_EQ(list, nullptr);
	EXPECT_STREQ(cfg_errstr(),
	    "Fatal: add_string(): Fatal error: Cannot allocate memory\n");
}

TEST_F(Model, SetValueCopiesAndReplaces)
{
	cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);
	char text[] = "hello";
	char *items[] = { text, const_cast<char *>("b"), nullptr };
	cfg_value v;

	v.str = text;
	ASSERT_EQ(cfg_set_value(s, V_STR, v), 0);
	text[0] = 'j';
	EXPECT_STREQ(s->vars[V_STR].val.str, "hello");
	/* The slot's own string may be handed back in. */
	ASSERT_EQ(cfg_set_value(s, V_STR, s->vars[V_STR].val), 0);
	EXPECT_STREQ(s->vars[V_STR].val.str, "hello");

	v.list = items;
	ASSERT_EQ(cfg_set_value(s, V_LIST, v), 0);
	EXPECT_STREQ(s->vars[V_LIST].val.list[0], "jello");
	EXPECT_NE(s->vars[V_LIST].val.list[0], text);
	EXPECT_STREQ(s->vars[V_LIST].val.list[1], "b");
	v.list = nullptr;
	ASSERT_EQ(cfg_set_value(s, V_LIST, v), 0);
	EXPECT_EQ(s->vars[V_LIST].val.list, nullptr);

	v.integer = -12;
	cfg_set_value(s, V_INT, v);
	EXPECT_EQ(s->vars[V_INT].val.integer, -12);
	v = cfg_value{};
	v.boolean = true;
	cfg_set_value(s, V_BOOL, v);
	EXPECT_TRUE(s->vars[V_BOOL].val.boolean);

	/* A failed copy leaves the slot without a string. */
	v.str = text;
	fault_alloc(1);
	EXPECT_EQ(cfg_set_value(s, V_STR, v), -1);
	EXPECT_EQ(s->vars[V_STR].val.str, nullptr);
	EXPECT_STREQ(cfg_errstr(),
	    "Fatal: strdup(): Fatal error: Cannot allocate memory\n");
	cfg_free(s);
}

static std::string
names(cfg_section *list)
{
	std::string out;

	for (cfg_section *s = list; s != nullptr; s = s->next)
		out += std::string(s->name ? s->name : "(global)") + " ";
	return out;
}

TEST_F(Model, FindAddRemoveSections)
{
	cfg_section *list = cfg_new("a", mixed_defs, V_COUNT);

	cfg_clear_error();
	EXPECT_EQ(cfg_add_section(nullptr, "x", mixed_defs, V_COUNT), nullptr);
	EXPECT_STREQ(cfg_errstr(), "");
	ASSERT_NE(cfg_add_section(list, "b", mixed_defs, V_COUNT), nullptr);
	EXPECT_EQ(cfg_find_section(list, nullptr), nullptr);
	ASSERT_NE(cfg_add_section(list, nullptr, mixed_defs, V_COUNT), nullptr);
	EXPECT_EQ(names(list), "a b (global) ");
	EXPECT_EQ(cfg_find_section(list, nullptr), list->next->next);
	EXPECT_EQ(cfg_find_section(list, "b"), list->next);
	EXPECT_EQ(cfg_find_section(list, "B"), nullptr);
	EXPECT_EQ(cfg_find_section(nullptr, "a"), nullptr);

	EXPECT_EQ(cfg_add_section(list, "b", mixed_defs, V_COUNT), nullptr);
	EXPECT_STREQ(cfg_errstr(), "Section 'b': Duplicated config file section\n");
	EXPECT_EQ(cfg_add_section(list, nullptr, mixed_defs, V_COUNT), nullptr);
	EXPECT_STREQ(cfg_errstr(), "Global section: Duplicated config file section\n");
	EXPECT_EQ(names(list), "a b (global) ");

	/* A global section that is not first stays. */
	cfg_remove_section(&list, nullptr);
	EXPECT_EQ(names(list), "a b (global) ");
	cfg_remove_section(&list, "zz");
	cfg_remove_section(&list, "b");
	EXPECT_EQ(names(list), "a (global) ");
	cfg_remove_section(&list, "a");
	EXPECT_EQ(names(list), "(global) ");
	cfg_remove_section(&list, nullptr);
	EXPECT_EQ(list, nullptr);
	cfg_remove_section(&list, nullptr);
}

TEST_F(Model, FreeingNeverTouchesDefinitionNames)
{
	/* Names on the heap: a free of one would show under the sanitizer
	 * and as changed text here. */
	char *name = strdup("heapname");
	cfg_vardef def = { name, CFG_STRING, 0, { .str = name } };
	cfg_section *s = cfg_new("s", &def, 1);

	cfg_free_section(s);
	EXPECT_STREQ(name, "heapname");
	free(name);
}
