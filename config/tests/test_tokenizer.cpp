/* SPDX-License-Identifier: BSD-2-Clause */
/* The value grammar, applied to strings in memory with cfg_split. */
#include <vector>

#include "support.h"

using Tokens = CfgTest;

/* The items of text joined by '|', or "ERR" after a reported error,
 * or "NONE" when there is no item. */
static std::string
split(const char *text)
{
	bool err = true;
	char **list = cfg_split(text, &err);
	std::string out;

	if (list == nullptr)
		return err ? "ERR" : "NONE";
	EXPECT_FALSE(err);
	for (char **p = list; *p != nullptr; p++) {
		out += (p == list ? "" : "|") + std::string(*p);
		free(*p);
	}
	free(list);
	return out;
}

TEST_F(Tokens, Grammar)
{
	static const struct {
		const char *text, *items;
	} cases[] = {
		{ "a, b ,c", "a|b|c" },
		{ "two words", "twowords" },
		{ "\"two words\"", "two words" },
		{ "\t\"lead\" ", "lead" },
		{ "ab\"c d\"e", "abc de" },
		{ "a\\,b", "a,b" },
		{ "a\\\"b", "a\"b" },
		{ "a\\\\b", "a\\b" },
		{ "\"q\\\"\\\\\"", "q\"\\" },
		{ "a\\ b", "a b" },
		{ "a\\#b", "a#b" },
		{ "a,,b", "a||b" },
		{ "a,", "a" },
		{ ",a", "|a" },
		{ "\"\"", "" },
		{ "\"\",\"\"", "|" },
		{ "a, b # c, d", "a|b" },
		{ "\"a#b\", c", "a#b|c" },
		{ "# only a comment", "" },
		{ "a\r", "a" },
		{ "a\\\rb", "a\rb" },
		{ "a\xa0" "b", "a\xa0" "b" },
		{ "abc\\", "abc" },
		{ "abc\\\\", "abc\\" },
		{ "abc\\\\\\", "abc\\" },
		{ "a\\\\, b", "a\\|b" },
		{ "\\", "NONE" },
		{ "", "NONE" },
		{ " \t\n ", "NONE" },
		{ "\"", "ERR" },
		{ "\"abc", "ERR" },
		{ "ab\"c", "ERR" },
		{ "a, \"b", "ERR" },
	};

	for (const auto &c : cases)
		EXPECT_EQ(split(c.text), c.items) << '[' << c.text << ']';
	bool err = true;
	EXPECT_EQ(cfg_split(nullptr, &err), nullptr);
	EXPECT_FALSE(err);
}

TEST_F(Tokens, UnterminatedQuoteIsRecorded)
{
	EXPECT_EQ(split("x, \"open"), "ERR");
	EXPECT_EQ(cfg_error_code(), CFG_ERR_UNTERMINATED_QUOTE);
	EXPECT_STREQ(cfg_errstr(), "Syntax error: Unterminated quoted string\n");
	/* An earlier error does not stop a text that ends in a backslash. */
	EXPECT_EQ(split("abc\\"), "abc");
}

TEST_F(Tokens, ItemsAreCutInPlaceOneAtATime)
{
	bool err = true;
	char *a = cfg_next_token("one, two", &err);

	ASSERT_NE(a, nullptr);
	EXPECT_STREQ(a, "one");
	EXPECT_EQ(a, cfg_io.tok_text);
	char *b = cfg_next_token(nullptr, &err);
	ASSERT_NE(b, nullptr);
	EXPECT_STREQ(b, "two");
	EXPECT_EQ(cfg_next_token(nullptr, &err), nullptr);
	EXPECT_FALSE(err);
	EXPECT_EQ(cfg_next_token(nullptr, &err), nullptr);
	EXPECT_FALSE(err);
}
