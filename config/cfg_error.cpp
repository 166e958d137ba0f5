/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The error record of the configuration store and the messages made from
 * it.  One static record serves the whole process.
 */
#include <err.h>
#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "cfg_internal.h"

static int	 err_code = CFG_ERR_NONE;
static int	 err_line;
static int	 err_errno = -1;
static char	 err_prefix[1024];
static const char *err_file = cfg_io.path;
static char	 err_text[2048];

struct code_entry {
	int		 code;
	const char	*text;
};

static constexpr code_entry code_texts[] = {
	{ CFG_ERR_FATAL,		"Fatal error" },
	{ CFG_ERR_INCOMPLETE_ESCAPE,	"Incomplete escape sequence" },
	{ CFG_ERR_UNTERMINATED_QUOTE,	"Unterminated quoted string" },
	{ CFG_ERR_MISSING_EQUAL,	"Missing '='" },
	{ CFG_ERR_MISSING_VALUE,	"Missing value" },
	{ CFG_ERR_UNKNOWN_VAR,		"Unknown variable" },
	{ CFG_ERR_PATH_TOO_LONG,	"Path name too long" },
	{ CFG_ERR_DUP_SECTION,		"Duplicated config file section" },
	{ CFG_ERR_UNWRITABLE,		"Cannot be written to the file" },
	{ CFG_ERR_NOT_REGULAR,		"Not a regular file" },
};

static const char *
code_text(int code)
{
	for (const code_entry &ct : code_texts)
		if (ct.code == code)
			return ct.text;
	return nullptr;
}

static bool
is_syntax(int code)
{
	return code >= CFG_ERR_INCOMPLETE_ESCAPE && code <= CFG_ERR_UNKNOWN_VAR;
}

void
cfg_set_error(int code, const char *fmt, ...)
{
	int saved = errno;

	err_file = cfg_io.path;
	err_line = cfg_io.line_no;
	err_errno = saved;
	err_code = code;
	err_prefix[0] = '\0';
	if (fmt != nullptr) {
		va_list ap;

		va_start(ap, fmt);
		vsnprintf(err_prefix, sizeof(err_prefix), fmt, ap);
		va_end(ap);
	}
	/* Callers still look at errno after recording. */
	errno = saved;
}

void
cfg_clear_error(void)
{
	err_code = CFG_ERR_NONE;
	err_errno = -1;
}

int
cfg_error_code(void)
{
	return err_code;
}

/*
 * Where the pieces of a message go: behind the text already in err_text,
 * never beyond 2046 characters, or to standard error.
 */
static void
put(FILE *out, const char *fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

static void
put(FILE *out, const char *fmt, ...)
{
	va_list ap;

	va_start(ap, fmt);
	if (out != nullptr) {
		vfprintf(out, fmt, ap);
	} else {
		size_t len = strlen(err_text);

		vsnprintf(err_text + len, sizeof(err_text) - 1 - len, fmt, ap);
	}
	va_end(ap);
}

/* The message for a known code, piece by piece. */
static void
compose(FILE *out, const char *text)
{
	if (is_syntax(err_code))
		put(out, "Syntax error: ");
	if (err_code == CFG_ERR_FATAL && err_errno != ENOENT)
		put(out, "Fatal: ");
	if (err_prefix[0] != '\0')
		put(out, "%s: ", err_prefix);
	put(out, "%s", text);
	if (err_code == CFG_ERR_FATAL)
		put(out, ": %s\n", strerror(err_errno));
	else if (err_line > 0)
		put(out, ", in file %s, line %d\n", err_file, err_line);
	else
		put(out, "\n");
}

const char *
cfg_errstr(void)
{
	const char *text;

	err_text[0] = '\0';
	if (err_code == CFG_ERR_NONE)
		return err_text;
	if ((text = code_text(err_code)) == nullptr) {
		snprintf(err_text, sizeof(err_text), "Unknown error code");
		return err_text;
	}
	compose(nullptr, text);
	errno = err_errno;
	return err_text;
}

void
cfg_perror(void)
{
	const char *text;

	if (err_code == CFG_ERR_NONE)
		return;
	if ((text = code_text(err_code)) == nullptr)
		warnx("Unknown error code");
	else
		compose(stderr, text);
	errno = err_errno;
}
