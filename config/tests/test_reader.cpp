/* SPDX-License-Identifier: BSD-2-Clause */
/* The file format as the reader sees it, and the reader's failures. */
#include <errno.h>
#include <stdint.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support.h"

using Reader = CfgTest;

/* What a file reads as: its sections, or the error message. */
static std::string
read_as(Reader *t, const std::string &text)
{
	cfg_section *s = t->read_mixed(text);
	std::string out = s != nullptr ? dump(s) : cfg_errstr();

	cfg_free(s);
	/* Nothing of the read is left open or allocated. */
	EXPECT_EQ(cfg_io.fp, nullptr);
	EXPECT_EQ(cfg_io.line_buf, nullptr);
	EXPECT_EQ(cfg_io.tok_text, nullptr);
	EXPECT_EQ(cfg_io.line_no, 0);
	return out;
}

#define DEFAULTS "{dflt [x|y] 7 false}"

TEST_F(Reader, SectionsAndIgnoredLines)
{
	static const struct {
		const char *text, *result;
	} cases[] = {
		{ "", "-" DEFAULTS },
		{ "# comment\n\n   \n\t# indented\n\f\n", "-" DEFAULTS },
		{ "sec:\n", "sec" DEFAULTS },
		{ "sec:\nint = 1\n", "sec{dflt [x|y] 1 false}" },
		{ "int = 2\nsec:\nint = 3\nother:\n",
		  "-{dflt [x|y] 2 false} sec{dflt [x|y] 3 false} other" DEFAULTS },
		{ "# lead\nsec:\n", "sec" DEFAULTS },
		{ "sec :\n", "sec " DEFAULTS },
		{ "sec: # comment\n", "sec" DEFAULTS },
		{ "sec:\t \n", "sec" DEFAULTS },
		{ "str = value:\n", "str = value" DEFAULTS },
		{ "\fint = 3\n", "-{dflt [x|y] 3 false}" },
		{ "  # x\ns:\n  \t# y\n\r\n", "s" DEFAULTS },
		{ "int junk = 4\n", "-{dflt [x|y] 4 false}" },
		{ "int\t= 4\n", "-{dflt [x|y] 4 false}" },
		{ "int=4\nint = 5\n", "-{dflt [x|y] 5 false}" },
		{ "str = a\nstr = b\nlist = p\nlist = q, r\n", "-{b [q|r] 7 false}" },
		{ "sec:\r\nint = 4\r\n\r\nstr = \"a b\"\r\n", "sec{a b [x|y] 4 false}" },
	};

	for (const auto &c : cases)
		EXPECT_EQ(read_as(this, c.text), c.result) << '[' << c.text << ']';
	/* A null byte ends the text of its line. */
	EXPECT_EQ(read_as(this, std::string("int = 5\0junk\nbool = yes", 23)),
	    "-{dflt [x|y] 5 true}");
}

TEST_F(Reader, ValuesByType)
{
	static const struct {
		const char *text, *result;
	} cases[] = {
		{ "str = one, two", "-{one [x|y] 7 false}" },
		{ "str = \"\"", "-{ [x|y] 7 false}" },
		{ "str = # nothing", "-{ [x|y] 7 false}" },
		{ "str = \"say \\\"hi\\\" \\\\o/\"", "-{say \"hi\" \\o/ [x|y] 7 false}" },
		{ "list = ", "-{dflt () 7 false}" },
		{ "list = # nothing", "-{dflt [] 7 false}" },
		{ "list = a, \"b c\" , , d # e, f", "-{dflt [a|b c||d] 7 false}" },
		{ "int = 12abc", "-{dflt [x|y] 12 false}" },
		{ "int = abc", "-{dflt [x|y] 0 false}" },
		{ "int = -5", "-{dflt [x|y] -5 false}" },
		{ "int = +0042", "-{dflt [x|y] 42 false}" },
		{ "int = \"\"", "-{dflt [x|y] 0 false}" },
		{ "int = 2147483647", "-{dflt [x|y] 2147483647 false}" },
		{ "int = 2147483648", "-{dflt [x|y] 2147483647 false}" },
		{ "int = 99999999999999999999999", "-{dflt [x|y] 2147483647 false}" },
		{ "int = -2147483649", "-{dflt [x|y] -2147483648 false}" },
		{ "int = -99999999999999999999999", "-{dflt [x|y] -2147483648 false}" },
		{ "bool = FALSE", "-{dflt [x|y] 7 false}" },
		{ "bool = No", "-{dflt [x|y] 7 false}" },
		{ "bool = 000", "-{dflt [x|y] 7 false}" },
		{ "bool = 0abc", "-{dflt [x|y] 7 false}" },
		{ "bool = -0", "-{dflt [x|y] 7 true}" },
		{ "bool = nope", "-{dflt [x|y] 7 true}" },
		{ "bool = 2", "-{dflt [x|y] 7 true}" },
		{ "bool = \"\"", "-{dflt [x|y] 7 true}" },
		{ "bool = true", "-{dflt [x|y] 7 true}" },
	};

	for (const auto &c : cases)
		EXPECT_EQ(read_as(this, c.text), c.result) << '[' << c.text << ']';
}

TEST_F(Reader, ContinuationLines)
{
	EXPECT_EQ(read_as(this, "list = a, \\\n    b, c\nint = 1\n"),
	    "-{dflt [a|b|c] 1 false}");
	EXPECT_EQ(read_as(this, "str = ab\\\n\tcd\\\n  ef\n"),
	    "-{abcdef [x|y] 7 false}");
	/* An empty line or the end of the file ends the value. */
	EXPECT_EQ(read_as(this, "str = abc\\\n\nint = 2\n"),
	    "-{abc [x|y] 2 false}");
	EXPECT_EQ(read_as(this, "str = abc\\\n"), "-{abc [x|y] 7 false}");
	EXPECT_EQ(read_as(this, "str = abc\\"), "-{abc [x|y] 7 false}");
	/* Two backslashes do not continue; the next line is the reader's. */
	EXPECT_EQ(read_as(this, "list = a\\\\, b\nint = 3\n"),
	    "-{dflt [a\\|b] 3 false}");
	/* A backslash before a carriage return escapes it. */
	EXPECT_EQ(read_as(this, "str = a\\\r\nint = 3\r\n"),
	    "-{a\r [x|y] 3 false}");
}

TEST_F(Reader, SyntaxErrorsNameFileAndLine)
{
	const std::string f = file();
	static const struct {
		const char *text, *message;
	} cases[] = {
		{ "bogus\n", "Syntax error: Missing '=', in file %s, line 1\n" },
		{ "a:b:\n", "Syntax error: Missing '=', in file %s, line 1\n" },
		{ "# c\n sec:\n", "Syntax error: Missing '=', in file %s, line 2\n" },
		{ "s:\n\fint = 1\n", "Syntax error: Unknown variable, in file %s, line 2\n" },
		{ "INT = 4\n", "Syntax error: Unknown variable, in file %s, line 1\n" },
		{ "\n\nint =  \n", "Syntax error: Missing value, in file %s, line 3\n" },
		{ "str =\n", "Syntax error: Missing value, in file %s, line 1\n" },
		{ "bool = \t\n", "Syntax error: Missing value, in file %s, line 1\n" },
		{ "\n\nstr = \"abc\n", "Syntax error: Unterminated quoted string, in file %s, line 3\n" },
		{ "list = a, \"b\n", "Syntax error: Unterminated quoted string, in file %s, line 1\n" },
		{ "list = a, \\\n b, \\\n c\nbogus\n", "Syntax error: Missing '=', in file %s, line 4\n" },
		{ "a:\nb:\n\na:\n", "Section 'a': Duplicated config file section, in file %s, line 4\n" },
	};

	for (const auto &c : cases) {
		char want[1024];

		snprintf(want, sizeof(want), c.message, f.c_str());
		EXPECT_EQ(read_as(this, c.text), want) << '[' << c.text << ']';
	}
}

TEST_F(Reader, MissingAndReadOnlyFiles)
{
	errno = 0;
	EXPECT_EQ(cfg_read("t", "cfg", mixed_defs, V_COUNT), nullptr);
	EXPECT_EQ(errno, ENOENT);
	EXPECT_EQ(cfg_errstr(), file() + ": Fatal error: No such file or directory\n");

	/*
	 * Readable but not writable, below a directory anyone may write: read
	 * all the same.  Whom to trust is the caller's to judge.
	 */
	put("int = 1\n");
	chmod(dir().c_str(), 0777);
	cfg_section *s = cfg_read("t", "cfg", mixed_defs, V_COUNT);
	EXPECT_NE(s, nullptr) << cfg_errstr();
	cfg_free(s);
	if (geteuid() != 0)
		return;
	chmod(home.c_str(), 0755);
	chmod((home + "/.config").c_str(), 0755);
	chmod((home + "/.config/Qor").c_str(), 0755);
	chmod(file().c_str(), 0644);
	int rc = as_nobody([] {
		cfg_section *s = cfg_read("t", "cfg", mixed_defs, V_COUNT);

		if (s == nullptr)
			return 1;
		int v = s->vars[V_INT].val.integer;
		cfg_free(s);
		return v == 1 ? 0 : 2;
	});
	EXPECT_EQ(rc, 0);
}

TEST_F(Reader, ReadErrorIsFatal)
{
	/* Reading the start of our own address space fails with EIO. */
	if (access("/proc/self/mem", R_OK | W_OK) != 0)
		GTEST_SKIP() << "no /proc/self/mem";
	EXPECT_EQ(cfg_read(nullptr, "/proc/self/mem", mixed_defs, V_COUNT),
	    nullptr);
	EXPECT_STREQ(cfg_errstr(), "Fatal: fread(): Fatal error: Input/output error\n");
}

TEST_F(Reader, LineBufferGrowsInSteps)
{
	std::string a(2046, 'a'), b(2047, 'b'), c(5000, 'c');

	put(a + "\n" + b + "\n" + c + "\nshort\n" + c);
	ASSERT_NE(cfg_io.fp = fopen(file().c_str(), "r"), nullptr);
	EXPECT_EQ(cfg_read_line(), a);
	EXPECT_EQ(cfg_io.buf_size, 2048);
	/* 2047 bytes without a newline fill all but the last byte. */
	EXPECT_EQ(cfg_read_line(), b);
	EXPECT_EQ(cfg_io.buf_size, 4096);
	EXPECT_EQ(cfg_read_line(), c);
	EXPECT_EQ(cfg_io.buf_size, 6144);
	EXPECT_EQ(cfg_read_line(), std::string("short"));
	EXPECT_EQ(cfg_read_line(), c);
	EXPECT_EQ(cfg_io.line_no, 5);
	EXPECT_EQ(cfg_read_line(), nullptr);
	EXPECT_EQ(cfg_read_line(), nullptr);
	EXPECT_EQ(cfg_io.buf_size, 6144);

	std::string big(3 * 1024 * 1024, 'x');
	cfg_section *s = read_mixed("str = " + big + "\nint = 1\n");
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->vars[V_STR].val.str, big);
	EXPECT_EQ(s->vars[V_INT].val.integer, 1);
	cfg_free(s);
}

/*
 * Only a regular file is read: a FIFO or a device at the path neither
 * holds the read nor feeds it without end.  Each read runs in a child with
 * an alarm, so that a read that waits or runs away ends.
 */
TEST_F(Reader, OnlyARegularFileIsRead)
{
	const std::string f = file();
	auto refused = [&f] {
		alarm(20);
		if (cfg_read("t", "cfg", mixed_defs, V_COUNT) != nullptr)
			return 1;
		if (errno == ENOENT || cfg_error_code() != CFG_ERR_NOT_REGULAR)
			return 2;
		return cfg_errstr() == f + ": Not a regular file\n" ? 0 : 3;
	};

	put("");
	unlink(f.c_str());
	ASSERT_EQ(mkfifo(f.c_str(), 0600), 0);
	EXPECT_EQ(in_child(refused), 0) << "a FIFO";
	unlink(f.c_str());
	ASSERT_EQ(symlink("/dev/zero", f.c_str()), 0);
	EXPECT_EQ(in_child(refused), 0) << "a link to /dev/zero";
}

/* Up to CFG_FILE_MAX bytes are read, and written; not one more. */
TEST_F(Reader, FileSizeIsBounded)
{
	const std::string line = "#" + std::string(1022, 'c') + "\n";
	std::string text;

	static_assert(CFG_FILE_MAX % 1024 == 0, "whole lines fill the bound");
	while (text.size() < CFG_FILE_MAX)
		text += line;
	put(text);
	cfg_section *s = cfg_read("t", "cfg", mixed_defs, V_COUNT);
	ASSERT_NE(s, nullptr) << cfg_errstr();
	put(text + "#");
	EXPECT_EQ(cfg_read("t", "cfg", mixed_defs, V_COUNT), nullptr);
	EXPECT_EQ(errno, EFBIG);
	EXPECT_EQ(cfg_errstr(), "Fatal: " + file() +
	    ": Fatal error: File too large\n");
	EXPECT_EQ(cfg_io.line_buf, nullptr);

	/* A value the reader would refuse is not written either. */
	const std::string big(CFG_FILE_MAX, 'x');
	cfg_value v;
	v.str = const_cast<char *>(big.c_str());
	cfg_set_value(s, V_STR, v);
	put("int = 1\n");
	EXPECT_EQ(cfg_write("t", "cfg", s), -1);
	EXPECT_EQ(errno, EFBIG);
	EXPECT_TRUE(read_file(file()) == "int = 1\n");
	EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
	cfg_free(s);
}

TEST_F(Reader, HeaderTest)
{
	EXPECT_TRUE(cfg_is_header("a:"));
	EXPECT_TRUE(cfg_is_header("a b :  # c"));
	EXPECT_FALSE(cfg_is_header(""));
	EXPECT_FALSE(cfg_is_header(" a:"));
	EXPECT_FALSE(cfg_is_header(":a:"));
	EXPECT_FALSE(cfg_is_header(":"));
	EXPECT_FALSE(cfg_is_header("#a:"));
	EXPECT_FALSE(cfg_is_header("a:b"));
	EXPECT_FALSE(cfg_is_header("a"));
}
