/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The value tokenizer: splits the text after an assignment's '=' into
 * items.  Double quotes protect white space, ',' and '#'; a backslash
 * takes the next character literally; ',' separates items; '#' starts a
 * comment; white space outside quotes is dropped; a value ending in an odd
 * number of backslashes continues on the next line of the file.
 *
 * Items are cut out of one heap copy of the value, in place.
 */
#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include "cfg_internal.h"

static bool
is_ws(char c)
{
	unsigned char u = static_cast<unsigned char>(c);

	return u < 0x80 && isspace(u);
}

static bool
odd_backslashes(const char *text, size_t len)
{
	size_t k = 0;

	while (k < len && text[len - 1 - k] == '\\')
		k++;
	return k % 2 == 1;
}

/*
 * Joins continuation lines to tok_text.  -1 after an error; the value
 * ends quietly at the end of the file, on an empty line and when no file
 * is being read.
 */
static int
join_lines(void)
{
	size_t len = strlen(cfg_io.tok_text);

	while (odd_backslashes(cfg_io.tok_text, len)) {
		char *line, *p;
		size_t more;

		cfg_io.tok_text[--len] = '\0';
		if (cfg_io.fp == nullptr)
			return 0;
		if ((line = cfg_read_line()) == nullptr)
			return cfg_error_code() == CFG_ERR_NONE ? 0 : -1;
		if (*line == '\0')
			return 0;
		while (is_ws(*line))
			line++;
		more = strlen(line);
		p = static_cast<char *>(cfg_sys.realloc(cfg_io.tok_text,
		    len + more + 1));
		if (p == nullptr) {
			cfg_set_error(CFG_ERR_FATAL, "realloc()");
			return -1;
		}
		memcpy(p + len, line, more + 1);
		len += more;
		cfg_io.tok_text = cfg_io.tok_next = p;
	}
	return 0;
}

/* Cuts the next item out of the current value. */
static char *
take_item(bool *err)
{
	char *p = cfg_io.tok_next, *item, *out;
	bool quoting = false;

	while (is_ws(*p))
		p++;
	if (*p == '\0') {
		cfg_io.tok_next = p;
		*err = false;
		return nullptr;
	}
	if (*p == '"') {
		quoting = true;
		if (*++p == '\0') {
			cfg_set_error(CFG_ERR_UNTERMINATED_QUOTE, nullptr);
			*err = true;
			return nullptr;
		}
	}
	for (item = out = p;; p++) {
		char c = *p;

		if (c == '"') {
			quoting = !quoting;
		} else if (c == '\\' && p[1] != '\0') {
			*out++ = *++p;
		} else if (c == '\0' || c == '\\') {
			/* A lone backslash at the very end cannot remain. */
			if (quoting) {
				cfg_set_error(CFG_ERR_UNTERMINATED_QUOTE, nullptr);
				*err = true;
				return nullptr;
			}
			*out = '\0';
			cfg_io.tok_next = p + strlen(p);
			break;
		} else if (quoting) {
			*out++ = c;
		} else if (c == '#') {
			/* A comment ends the item and the whole value. */
			cfg_io.tok_next = p + strlen(p);
			*out = '\0';
			break;
		} else if (c == ',') {
			cfg_io.tok_next = p + 1;
			*out = '\0';
			break;
		} else if (!is_ws(c)) {
			*out++ = c;
		}
	}
	*err = false;
	return item;
}

char *
cfg_next_token(const char *text, bool *err)
{
	if (text != nullptr) {
		free(cfg_io.tok_text);
		cfg_io.tok_next = nullptr;
		if ((cfg_io.tok_text = cfg_sys.strdup(text)) == nullptr) {
			cfg_set_error(CFG_ERR_FATAL, "strdup()");
			*err = true;
			return nullptr;
		}
		cfg_io.tok_next = cfg_io.tok_text;
		if (join_lines() != 0) {
			*err = true;
			return nullptr;
		}
	}
	if (cfg_io.tok_next == nullptr) {
		/* No value has begun, or the last one could not. */
		*err = false;
		return nullptr;
	}
	return take_item(err);
}

char **
cfg_split(const char *text, bool *err)
{
	char **list = nullptr;
	char *copy;
	const char *item;

	*err = false;
	if (text == nullptr)
		return nullptr;
	if ((copy = cfg_sys.strdup(text)) == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "strdup()");
		return nullptr;
	}
	for (item = cfg_next_token(copy, err); item != nullptr;
	    item = cfg_next_token(nullptr, err))
		if (add_string(&list, item) == nullptr) {
			free(copy);
			return nullptr;
		}
	free(copy);
	if (*err) {
		for (char **p = list; p != nullptr && *p != nullptr; p++)
			free(*p);
		free(list);
		return nullptr;
	}
	return list;
}
