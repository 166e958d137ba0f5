/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The reader: turns a configuration file into a list of sections.
 *
 * A file is a sequence of lines: section headers ("name:"), ignored lines
 * (empty or comments) and assignments ("name = value").  Values are split
 * into items by the tokenizer, which may pull continuation lines through
 * cfg_read_line() itself.
 */
#include <sys/stat.h>

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "cfg_internal.h"

struct cfg_io cfg_io;

/* White space of the current locale; bytes with the high bit never are. */
static bool
is_ws(char c)
{
	unsigned char u = static_cast<unsigned char>(c);

	return u < 0x80 && isspace(u);
}

/* The white space that lines after the first header may begin with. */
static bool
is_blank(char c)
{
	return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void
cfg_io_reset(void)
{
	if (cfg_io.fp != nullptr)
		fclose(cfg_io.fp);
	free(cfg_io.line_buf);
	free(cfg_io.tok_text);
	cfg_io.fp = nullptr;
	cfg_io.line_buf = nullptr;
	cfg_io.tok_text = nullptr;
	cfg_io.tok_next = nullptr;
	cfg_io.buf_size = 0;
	cfg_io.buf_len = 0;
	cfg_io.buf_pos = 0;
	cfg_io.read_total = 0;
	cfg_io.line_no = 0;
}

/* Hands out the held bytes from buf_pos up to end as a line. */
static char *
hand_out(size_t end, size_t next)
{
	char *line = cfg_io.line_buf + cfg_io.buf_pos;

	cfg_io.line_buf[end] = '\0';
	cfg_io.buf_pos = next;
	cfg_io.line_no++;
	return line;
}

/*
 * Moves the bytes not yet consumed to the front.  Done only when a line
 * is not complete in the buffer, so short lines cost no copying; the
 * buffer grows exactly as if every consumed line were discarded at once.
 */
static void
compact(void)
{
	struct cfg_io *io = &cfg_io;

	memmove(io->line_buf, io->line_buf + io->buf_pos,
	    io->buf_len - io->buf_pos);
	io->buf_len -= io->buf_pos;
	io->buf_pos = 0;
}

char *
cfg_read_line(void)
{
	struct cfg_io *io = &cfg_io;
	size_t scanned;

	if (io->line_buf == nullptr) {
		io->line_buf = static_cast<char *>(cfg_sys.malloc(CFG_LINE_STEP));
		if (io->line_buf == nullptr) {
			cfg_set_error(CFG_ERR_FATAL, "malloc()");
			return nullptr;
		}
		io->buf_size = CFG_LINE_STEP;
		io->buf_len = io->buf_pos = 0;
	}
	/* Bytes already searched for a newline are not searched again. */
	scanned = io->buf_pos;
	for (;;) {
		char *nl = static_cast<char *>(memchr(io->line_buf + scanned,
		    '\n', io->buf_len - scanned));
		size_t got;

		if (nl != nullptr) {
			size_t i = static_cast<size_t>(nl - io->line_buf);

			return hand_out(i, i + 1);
		}
		compact();
		scanned = io->buf_len;
		/*
		 * One byte always stays free for the terminating null.  The
		 * buffer never outgrows what was read, which the bound below
		 * keeps at CFG_FILE_MAX and a step.
		 */
		if (io->buf_len >= io->buf_size - 1) {
			char *p = static_cast<char *>(cfg_sys.realloc(io->line_buf,
			    io->buf_size + CFG_LINE_STEP));

			if (p == nullptr) {
				cfg_set_error(CFG_ERR_FATAL, "realloc()");
				return nullptr;
			}
			io->line_buf = p;
			io->buf_size += CFG_LINE_STEP;
		}
		got = fread(io->line_buf + io->buf_len, 1,
		    io->buf_size - 1 - io->buf_len, io->fp);
		io->buf_len += got;
		io->read_total += got;
		if (io->read_total > CFG_FILE_MAX) {
			errno = EFBIG;
			cfg_set_error(CFG_ERR_FATAL, "%s", io->path);
			return nullptr;
		}
		if (got > 0)
			continue;
		if (ferror(io->fp)) {
			cfg_set_error(CFG_ERR_FATAL, "fread()");
			return nullptr;
		}
		if (io->buf_len > 0) {
			char *line = hand_out(io->buf_len, 0);

			io->buf_len = 0;
			return line;
		}
		io->buf_len = io->buf_pos = 0;
		return nullptr;
	}
}

bool
cfg_is_header(const char *line)
{
	const char *p;

	if (is_ws(line[0]) || line[0] == ':' || line[0] == '#')
		return false;
	if ((p = strchr(line, ':')) == nullptr)
		return false;
	for (p++; is_ws(*p); p++)
		;
	return *p == '\0' || *p == '#';
}

/* ASCII-only, so that no locale turns "NO" into something else. */
static bool
same_word(const char *a, const char *b)
{
	for (; *a != '\0' && *b != '\0'; a++, b++) {
		char ca = *a >= 'A' && *a <= 'Z' ? *a - 'A' + 'a' : *a;

		if (ca != *b)
			return false;
	}
	return *a == *b;
}

static bool
is_digit(char c)
{
	return c >= '0' && c <= '9';
}

static bool
truth(const char *item)
{
	if (same_word(item, "false") || same_word(item, "no"))
		return false;
	return !(is_digit(item[0]) && strtol(item, nullptr, 10) == 0);
}

/* strtol in base 10, saturated to the 32-bit range. */
static int32_t
to_int32(const char *item)
{
	int saved = errno;
	long v = strtol(item, nullptr, 10);

	errno = saved;
	if (v > INT32_MAX)
		return INT32_MAX;
	if (v < INT32_MIN)
		return INT32_MIN;
	return static_cast<int32_t>(v);
}

/* The first item of a value that needs one; none after an error. */
static const char *
first_item(const char *text)
{
	bool err = false;
	const char *item = cfg_next_token(text, &err);

	if (item == nullptr && !err)
		cfg_set_error(CFG_ERR_MISSING_VALUE, nullptr);
	return item;
}

static int
store_list(cfg_var *v, const char *text)
{
	char **p = v->val.list;
	bool err = false;
	const char *item;

	if (p != nullptr) {
		for (; *p != nullptr; p++)
			free(*p);
		free(v->val.list);
		v->val.list = nullptr;
	}
	for (item = cfg_next_token(text, &err); item != nullptr;
	    item = cfg_next_token(nullptr, &err))
		if (add_string(&v->val.list, item) == nullptr)
			return -1;
	return err ? -1 : 0;
}

static int
store(cfg_var *v, const char *text)
{
	const char *item;
	char *copy;

	if (v->type == CFG_STRINGS)
		return store_list(v, text);
	if (v->type != CFG_STRING && v->type != CFG_INTEGER &&
	    v->type != CFG_BOOLEAN)
		return 0;
	if ((item = first_item(text)) == nullptr)
		return -1;
	switch (v->type) {
	case CFG_STRING:
		if ((copy = cfg_sys.strdup(item)) == nullptr) {
			cfg_set_error(CFG_ERR_FATAL, "strdup()");
			return -1;
		}
		free(v->val.str);
		v->val.str = copy;
		break;
	case CFG_INTEGER:
		v->val.integer = to_int32(item);
		break;
	default:
		v->val.boolean = truth(item);
		break;
	}
	return 0;
}

int
cfg_parse_var(char *line, const cfg_vardef *defs, int n, cfg_var *vars)
{
	char *p = line, *name;
	const cfg_vardef *d = nullptr;

	while (is_blank(*p))
		p++;
	if (*p == '\0' || *p == '#')
		return 0;
	name = p;
	while (*p != '\0' && *p != ' ' && *p != '=' && *p != '\t')
		p++;
	/* Whatever stands between the name and the '=' is ignored. */
	for (; *p != '='; *p++ = '\0')
		if (*p == '\0') {
			cfg_set_error(CFG_ERR_MISSING_EQUAL, nullptr);
			return -1;
		}
	*p++ = '\0';
	while (*p == ' ' || *p == '\t' || *p == '\n')
		p++;
	for (int i = 0; i < n && d == nullptr; i++)
		if (strcmp(defs[i].name, name) == 0)
			d = &defs[i];
	if (d == nullptr) {
		cfg_set_error(CFG_ERR_UNKNOWN_VAR, nullptr);
		return -1;
	}
	vars[d->index].name = d->name;
	vars[d->index].type = d->type;
	return store(&vars[d->index], p);
}

/* Before the first header any white space counts; after it fewer kinds. */
static char *
skip_lead(char *line, bool after_header)
{
	if (after_header)
		while (is_blank(*line))
			line++;
	else
		while (is_ws(*line))
			line++;
	return line;
}

/* Makes the section that a header line names and links it last. */
static cfg_section *
header(cfg_section **list, cfg_section *last, char *line,
    const cfg_vardef *defs, int n)
{
	cfg_section *s;

	*strchr(line, ':') = '\0';
	for (s = *list; s != nullptr; s = s->next)
		if (s->name != nullptr && strcmp(s->name, line) == 0) {
			cfg_set_error(CFG_ERR_DUP_SECTION, "Section '%s'", line);
			return nullptr;
		}
	if ((s = cfg_new(line, defs, n)) == nullptr)
		return nullptr;
	if (last == nullptr)
		*list = s;
	else
		last->next = s;
	return s;
}

/* Reads every line of the open file into *list; 0 at the end of it. */
static int
read_lines(cfg_section **list, const cfg_vardef *defs, int n)
{
	cfg_section *cur = nullptr;
	bool after_header = false;
	char *line;

	while ((line = cfg_read_line()) != nullptr) {
		char *text;

		if (cfg_is_header(line)) {
			if ((cur = header(list, cur, line, defs, n)) == nullptr)
				return -1;
			after_header = true;
			continue;
		}
		text = skip_lead(line, after_header);
		if (*text == '\0' || *text == '#')
			continue;
		if (cur == nullptr) {
			/* Assignments before any header: the global section. */
			if ((cur = *list = cfg_new(nullptr, defs, n)) == nullptr)
				return -1;
		}
		if (cfg_parse_var(text, defs, n, cur->vars) != 0)
			return -1;
	}
	return cfg_error_code() == CFG_ERR_NONE ? 0 : -1;
}

static void
close_keeping_errno(int fd)
{
	int saved = errno;

	close(fd);
	errno = saved;
}

/*
 * Opens the file at the composed path as fp, for reading only: a file the
 * user may read but not write is read all the same (a later write fails on
 * its own).  Only a regular file is read; whether its place can be trusted
 * is the caller's to judge.  The open does not wait, so that a FIFO or a
 * device at the path cannot hold it; O_NONBLOCK does nothing to a regular
 * file.
 */
static int
open_file(void)
{
	const char *path = cfg_io.path;
	struct stat sb;
	int fd;

	if ((fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) ==
	    -1) {
		cfg_set_error(CFG_ERR_FATAL, "%s", path);
		return -1;
	}
	if (fstat(fd, &sb) != 0) {
		cfg_set_error(CFG_ERR_FATAL, "fstat()");
	} else if (!S_ISREG(sb.st_mode)) {
		errno = EINVAL;
		cfg_set_error(CFG_ERR_NOT_REGULAR, "%s", path);
	} else if ((cfg_io.fp = fdopen(fd, "r")) != nullptr) {
		return 0;
	} else {
		cfg_set_error(CFG_ERR_FATAL, "fdopen()");
	}
	close_keeping_errno(fd);
	return -1;
}

cfg_section *
cfg_read(const char *name, const char *file, const cfg_vardef *defs, int n)
{
	cfg_section *list = nullptr;

	errno = 0;
	cfg_io_reset();
	cfg_clear_error();
	if (cfg_path(name, file) == nullptr || open_file() != 0)
		return nullptr;
	if (read_lines(&list, defs, n) != 0 ||
	    (list == nullptr && (list = cfg_new(nullptr, defs, n)) == nullptr)) {
		int saved = errno;

		cfg_free(list);
		cfg_io_reset();
		errno = saved;
		return nullptr;
	}
	cfg_io_reset();
	return list;
}
