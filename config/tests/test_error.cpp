/* SPDX-License-Identifier: BSD-2-Clause */
/* The error record and the messages made from it. */
#include <errno.h>
#include <string.h>
#include <unistd.h>

#include "progname.h"
#include "support.h"

using Errors = CfgTest;

static std::string
captured_perror()
{
	::testing::internal::CaptureStderr();
	cfg_perror();
	return ::testing::internal::GetCapturedStderr();
}

TEST_F(Errors, NoErrorAfterAReadOrWriteBegins)
{
	cfg_section *s = read_mixed("int = 1\n");

	ASSERT_NE(s, nullptr);
	errno = EBADF;
	EXPECT_STREQ(cfg_errstr(), "");
	EXPECT_EQ(errno, EBADF);
	EXPECT_EQ(captured_perror(), "");
	cfg_free(s);
}

TEST_F(Errors, FatalLeadDependsOnErrno)
{
	errno = EACCES;
	cfg_set_error(CFG_ERR_FATAL, "open(%s)", "x");
	errno = 0;
	EXPECT_STREQ(cfg_errstr(), "Fatal: open(x): Fatal error: Permission denied\n");
	EXPECT_EQ(errno, EACCES);
	/* Asking again gives the same text. */
	EXPECT_STREQ(cfg_errstr(), "Fatal: open(x): Fatal error: Permission denied\n");
	EXPECT_EQ(captured_perror(), "Fatal: open(x): Fatal error: Permission denied\n");

	errno = ENOENT;
	cfg_set_error(CFG_ERR_FATAL, "%s", "/some/path");
	EXPECT_STREQ(cfg_errstr(), "/some/path: Fatal error: No such file or directory\n");
}

TEST_F(Errors, EveryCodeHasItsText)
{
	static const struct {
		int		 code;
		const char	*text;
	} cases[] = {
		{ CFG_ERR_INCOMPLETE_ESCAPE, "Syntax error: Incomplete escape sequence\n" },
		{ CFG_ERR_UNTERMINATED_QUOTE, "Syntax error: Unterminated quoted string\n" },
		{ CFG_ERR_MISSING_EQUAL, "Syntax error: Missing '='\n" },
		{ CFG_ERR_MISSING_VALUE, "Syntax error: Missing value\n" },
		{ CFG_ERR_UNKNOWN_VAR, "Syntax error: Unknown variable\n" },
		{ CFG_ERR_PATH_TOO_LONG, "Path name too long\n" },
		{ CFG_ERR_DUP_SECTION, "Duplicated config file section\n" },
	};

	for (const auto &c : cases) {
		errno = EIO;
		cfg_set_error(c.code, nullptr);
		errno = 0;
		EXPECT_STREQ(cfg_errstr(), c.text) << c.code;
		EXPECT_EQ(errno, EIO);
		EXPECT_EQ(captured_perror(), c.text);
	}
}

TEST_F(Errors, SyntaxErrorDuringAReadNamesFileAndLine)
{
	cfg_io.line_no = 3;
	snprintf(cfg_io.path, sizeof(cfg_io.path), "/x/cfg");
	cfg_set_error(CFG_ERR_MISSING_VALUE, nullptr);
	cfg_io_reset();
	EXPECT_STREQ(cfg_errstr(), "Syntax error: Missing value, in file /x/cfg, line 3\n");
	/* The file is whatever path was composed last. */
	snprintf(cfg_io.path, sizeof(cfg_io.path), "/y/cfg");
	EXPECT_STREQ(cfg_errstr(), "Syntax error: Missing value, in file /y/cfg, line 3\n");
}

TEST_F(Errors, UnknownCode)
{
	errno = EIO;
	cfg_set_error(42, "ignored");
	errno = EBADF;
	EXPECT_STREQ(cfg_errstr(), "Unknown error code");
	EXPECT_EQ(errno, EBADF);
	std::string out = captured_perror();
	EXPECT_EQ(errno, EIO);
	EXPECT_EQ(out, std::string(test_progname()) + ": Unknown error code\n");
}

TEST_F(Errors, LongTextsAreCut)
{
	std::string big(3000, 'p');

	errno = EIO;
	cfg_set_error(CFG_ERR_DUP_SECTION, "%s", big.c_str());
	EXPECT_EQ(cfg_errstr(), std::string(1023, 'p') +
	    ": Duplicated config file section\n");
}
