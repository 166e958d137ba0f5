/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Hardening of the configuration store: every failed allocation gives the
 * message named for the call that failed, and values the fuzzers found
 * hard to write are read back unchanged.
 */
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <set>

#include "support.h"

using Hardening = CfgTest;

namespace {

/*
 * Wraps the fault-injecting allocators of the support code to learn which
 * of them the failing allocation went through.
 */
struct cfg_sys injected;
int calls;
const char *failed_call;

void *
w_malloc(size_t n)
{
	void *p = injected.malloc(n);

	++calls;
	if (p == nullptr)
		failed_call = "malloc";
	return p;
}

void *
w_calloc(size_t n, size_t size)
{
	void *p = injected.calloc(n, size);

	++calls;
	if (p == nullptr)
		failed_call = "calloc";
	return p;
}

void *
w_realloc(void *old, size_t n)
{
	void *p = injected.realloc(old, n);

	++calls;
	if (p == nullptr)
		failed_call = "realloc";
	return p;
}

char *
w_strdup(const char *s)
{
	char *p = injected.strdup(s);

	++calls;
	if (p == nullptr)
		failed_call = "strdup";
	return p;
}

/* The message of an allocation that failed in the named call. */
std::set<std::string>
messages_for(const std::string &call)
{
	std::set<std::string> prefixes;

	if (call == "malloc")
		prefixes = { "malloc()" };
	else if (call == "calloc")
		prefixes = { "calloc()" };
	else if (call == "realloc")
		prefixes = { "realloc()", "add_string()" };
	else
		prefixes = { "strdup()", "add_string()" };
	std::set<std::string> texts;
	for (const std::string &p : prefixes)
		texts.insert("Fatal: " + p + ": Fatal error: " + strerror(ENOMEM) + "\n");
	return texts;
}

/*
 * Fails each allocation of op in turn until op runs with all of them
 * granted.  Every failure must be reported by op, with the message named
 * for the failing call (or one of `also`), and pass check().  Prints and
 * returns the number of allocation points.
 */
int
each_allocation(const char *what, const std::function<bool()> &op,
    const std::function<void()> &check = [] {},
    const std::set<std::string> &also = {})
{
	for (int k = 1; k < 100000; k++) {
		fault_reset();
		fault_alloc(k);
		injected = cfg_sys;
		cfg_sys.malloc = w_malloc;
		cfg_sys.calloc = w_calloc;
		cfg_sys.realloc = w_realloc;
		cfg_sys.strdup = w_strdup;
		calls = 0;
		failed_call = nullptr;
		bool ok = op();
		if (!fault_alloc_hit()) {
			EXPECT_TRUE(ok) << "with every allocation granted";
			printf("allocation points of %s: %d\n", what, k - 1);
			return k - 1;
		}
		SCOPED_TRACE(testing::Message() << "allocation " << k << ", "
		    << failed_call);
		EXPECT_FALSE(ok);
		EXPECT_EQ(cfg_error_code(), CFG_ERR_FATAL);
		std::set<std::string> texts = messages_for(failed_call);
		texts.insert(also.begin(), also.end());
		EXPECT_EQ(texts.count(cfg_errstr()), 1u) << cfg_errstr();
		EXPECT_EQ(cfg_io.fp, nullptr);
		EXPECT_EQ(cfg_io.line_buf, nullptr);
		check();
	}
	ADD_FAILURE() << "never ran with every allocation granted";
	return 0;
}

void
free_list(char **list)
{
	for (char **p = list; p != nullptr && *p != nullptr; p++)
		free(*p);
	free(list);
}

} /* namespace */

/* A read that needs every kind of allocation: growth, continuation, lists. */
TEST_F(Hardening, EveryAllocationOfAReadIsNamed)
{
	const std::string text = "str = a\nlist = p, q, \\\n  r\none:\nstr = \"" +
	    std::string(3000, 'w') + "\"\nlist = \ntwo:\nlist = \"\", b\n";

	put(text);
	int points = each_allocation("a read", [] {
		cfg_section *s = cfg_read("t", "cfg", mixed_defs, V_COUNT);

		cfg_free(s);
		return s != nullptr;
	}, [this, &text] { EXPECT_EQ(read_file(file()), text); });
	EXPECT_GT(points, 15);
}

TEST_F(Hardening, EveryAllocationOfAWriteIsNamed)
{
	cfg_section *s = cfg_new("sec", mixed_defs, V_COUNT);
	const std::string old = "# old\nint = 1\n";

	put(old);
	each_allocation("a write", [s] {
		return cfg_write("t", "cfg", s) == 0;
	}, [this, &old] {
		EXPECT_EQ(read_file(file()), old);
		EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
	});
	/*
	 * Without the directories the one allocation of the directory path
	 * fails silently, and the failed open of the file stays the report.
	 */
	const std::string missing = file() + ": Fatal error: " +
	    strerror(ENOENT) + "\n";
	each_allocation("a write making its directories", [this, s] {
		remove_tree(home + "/.config");
		return cfg_write("t", "cfg", s) == 0;
	}, [] {}, { missing });
	cfg_free(s);
}

TEST_F(Hardening, EveryAllocationOfSectionsAndValuesIsNamed)
{
	cfg_section *list = cfg_new("a", mixed_defs, V_COUNT);
	char *items[] = { const_cast<char *>("1"), const_cast<char *>("2"), nullptr };

	each_allocation("cfg_new", [] {
		cfg_section *s = cfg_new("n", mixed_defs, V_COUNT);

		cfg_free(s);
		return s != nullptr;
	});
	each_allocation("cfg_add_section", [&list] {
		cfg_section *s = cfg_add_section(list, "b", mixed_defs, V_COUNT);

		cfg_remove_section(&list, "b");
		return s != nullptr;
	}, [&list] { EXPECT_EQ(list->next, nullptr); });
	each_allocation("cfg_set_value of a string", [list] {
		cfg_value v;

		v.str = const_cast<char *>("new");
		return cfg_set_value(list, V_STR, v) == 0;
	});
	EXPECT_STREQ(list->vars[V_STR].val.str, "new");
	each_allocation("cfg_set_value of a list", [list, &items] {
		cfg_value v;

		v.list = items;
		return cfg_set_value(list, V_LIST, v) == 0;
	});
	cfg_free(list);
}

TEST_F(Hardening, EveryAllocationOfTheTokenizerIsNamed)
{
	each_allocation("cfg_split", [] {
		bool err = true;
		char **l = cfg_split("a, \"b c\", \\,d # e", &err);

		/* The tokenizer's own copy failing is its error: *err is set. */
		if (l != nullptr) {
			EXPECT_FALSE(err);
		}
		free_list(l);
		return l != nullptr;
	});
}

/* A '#' after a ':' in a string must not turn the line into a header. */
TEST_F(Hardening, ColonAndHashInStringsReadBack)
{
	const char *odd[] = { "x: #y", "a:#", "a:\t #b", ": #", "#:# : #",
		"a: b #c", "a:\\#" };

	for (const char *text : odd) {
		SCOPED_TRACE(text);
		cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);
		char *items[] = { const_cast<char *>(text), const_cast<char *>("z:"),
			nullptr };
		cfg_value v;

		v.str = const_cast<char *>(text);
		ASSERT_EQ(cfg_set_value(s, V_STR, v), 0);
		v.list = items;
		ASSERT_EQ(cfg_set_value(s, V_LIST, v), 0);
		ASSERT_EQ(cfg_write("t", "cfg", s), 0);
		cfg_section *back = cfg_read("t", "cfg", mixed_defs, V_COUNT);
		ASSERT_NE(back, nullptr) << cfg_errstr();
		EXPECT_EQ(dump(back), dump(s)) << read_file(file());
		cfg_free(back);
		cfg_free(s);
	}
	/* Other '#' stay as they were: only the risky ones are escaped. */
	cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);
	cfg_value v;
	v.str = const_cast<char *>("echo # a: b #c:#");
	ASSERT_EQ(cfg_set_value(s, V_STR, v), 0);
	ASSERT_EQ(cfg_write("t", "cfg", s), 0);
	EXPECT_EQ(read_file(file()).find("str = \"echo # a: b #c:\\#\"\n"), 0u);
	cfg_free(s);
}
