/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Paths and the writer.  A store lives in ~/.config/Qor/<name>/<file>,
 * with the home directory taken from the password database of the real
 * user.  The writer never touches the existing file's contents: it writes
 * a complete temporary file beside it, syncs it and renames it over the
 * path, so the path always holds either the whole old or the whole new
 * file.  A list that would not read back the same is refused before
 * anything is touched.
 */
#include <sys/stat.h>
#include <sys/types.h>

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "cfg_internal.h"

/* The temporary file: the path, a dot and six X for mkstemp. */
#define TMP_SUFFIX	".XXXXXX"
#define TMP_SIZE	(CFG_PATH_SIZE + sizeof(TMP_SUFFIX) - 1)

static_assert(TMP_SIZE == 775, "767 characters, \".XXXXXX\" and a null");

/* The real user's home directory, or none with the error recorded. */
static const char *
home_dir(void)
{
	struct passwd *pw = getpwuid(getuid());

	if (pw == nullptr || pw->pw_dir == nullptr) {
		cfg_set_error(CFG_ERR_FATAL,
		    "Couldn't find you in the password file");
		endpwent();
		return nullptr;
	}
	return pw->pw_dir;
}

char *
cfg_path(const char *name, const char *file)
{
	char *path = cfg_io.path;
	const char *home;
	int len;

	if (file[0] == '/') {
		len = snprintf(path, CFG_PATH_SIZE, "%s", file);
	} else {
		if ((home = home_dir()) == nullptr)
			return nullptr;
		if (name != nullptr)
			len = snprintf(path, CFG_PATH_SIZE, "%s/%s/%s/%s", home,
			    CFG_DIR, name, file);
		else
			len = snprintf(path, CFG_PATH_SIZE, "%s/%s%s/%s", home,
			    CFG_DIR, "", file);
		endpwent();
	}
	if (len < 0 || len >= CFG_PATH_SIZE) {
		cfg_set_error(CFG_ERR_PATH_TOO_LONG, nullptr);
		return nullptr;
	}
	return path;
}

/* Makes sure the directory dir exists; 0700 when it has to be made. */
static int
ensure_dir(const char *dir)
{
	struct stat sb;

	if (stat(dir, &sb) == 0)
		return 0;
	if (errno != ENOENT) {
		cfg_set_error(CFG_ERR_FATAL, "stat()");
		return -1;
	}
	if (mkdir(dir, 0700) != 0) {
		cfg_set_error(CFG_ERR_FATAL, "mkdir()");
		return -1;
	}
	return 0;
}

char *
cfg_mkdir(const char *name)
{
	const char *home;
	char *dir;
	size_t size;

	if ((home = home_dir()) == nullptr)
		return nullptr;
	size = strlen(home) + 16 + (name != nullptr ? strlen(name) : 0);
	if ((dir = static_cast<char *>(cfg_sys.malloc(size))) == nullptr) {
		endpwent();
		return nullptr;
	}
	snprintf(dir, size, "%s/", home);
	endpwent();
	/* ".config" first, then "Qor" below it. */
	static const char *const parts[] = { ".config", "Qor" };
	for (const char *part : parts) {
		strcat(dir, part);
		strcat(dir, "/");
		if (ensure_dir(dir) != 0) {
			free(dir);
			return nullptr;
		}
	}
	if (name == nullptr) {
		dir[strlen(dir) - 1] = '\0';
		return dir;
	}
	strcat(dir, name);
	if (ensure_dir(dir) != 0) {
		free(dir);
		return nullptr;
	}
	return dir;
}

/* Why a section name would not read back as its header's; none if it would. */
static const char *
bad_section_name(const char *name)
{
	unsigned char first = static_cast<unsigned char>(name[0]);

	if (first == '\0')
		return "is empty";
	if (first < 0x80 && isspace(first))
		return "begins with white space";
	if (first == '#')
		return "begins with '#'";
	if (strchr(name, ':') != nullptr)
		return "holds ':'";
	if (strchr(name, '\n') != nullptr)
		return "holds a newline";
	return nullptr;
}

/* A line ends at the first newline, and no escape writes one. */
static int
check_string(const cfg_section *s, const cfg_var *v, const char *str)
{
	if (strchr(str, '\n') == nullptr)
		return 0;
	errno = EINVAL;
	if (s->name != nullptr)
		cfg_set_error(CFG_ERR_UNWRITABLE, "Value of '%s' in section '%s' "
		    "holds a newline", v->name, s->name);
	else
		cfg_set_error(CFG_ERR_UNWRITABLE, "Value of '%s' holds a newline",
		    v->name);
	return -1;
}

/* Records the first string or section name that would not read back. */
static int
check_list(const cfg_section *list)
{
	for (const cfg_section *s = list; s != nullptr; s = s->next) {
		const char *why;

		if (s->name != nullptr &&
		    (why = bad_section_name(s->name)) != nullptr) {
			errno = EINVAL;
			cfg_set_error(CFG_ERR_UNWRITABLE, "Section name '%s' %s",
			    s->name, why);
			return -1;
		}
		for (int i = 0; s->vars != nullptr && i < s->nvars; i++) {
			const cfg_var *v = &s->vars[i];

			if (v->name == nullptr)
				continue;
			if (v->type == CFG_STRING && v->val.str != nullptr &&
			    check_string(s, v, v->val.str) != 0)
				return -1;
			if (v->type != CFG_STRINGS)
				continue;
			for (char **p = v->val.list; p != nullptr && *p != nullptr;
			    p++)
				if (check_string(s, v, *p) != 0)
					return -1;
		}
	}
	return 0;
}

/* Output of the temporary file; each failure is recorded once. */
struct out {
	FILE	*fp;
	size_t	 written;
	int	 failed;
};

static void
emit(out *o, const char *s, size_t len)
{
	if (o->failed || len == 0)
		return;
	/* The reader reads no more than this. */
	if (len > CFG_FILE_MAX - o->written) {
		errno = EFBIG;
		cfg_set_error(CFG_ERR_FATAL, "%s", cfg_io.path);
		o->failed = 1;
		return;
	}
	if (cfg_sys.fwrite(s, 1, len, o->fp) != len) {
		cfg_set_error(CFG_ERR_FATAL, "fwrite()");
		o->failed = 1;
		return;
	}
	o->written += len;
}

static void
emits(out *o, const char *s)
{
	emit(o, s, strlen(s));
}

/*
 * A string in double quotes, with '"' and '\' behind a backslash.  So is a
 * '#' that follows a ':' and white space only: unescaped, it would make the
 * reader take the whole line for a section header.
 */
static void
emit_quoted(out *o, const char *s)
{
	size_t len = strlen(s);
	char *buf, *q;
	bool after_colon = false;

	if (o->failed)
		return;
	/* Twice the length and one byte always suffice. */
	if ((buf = static_cast<char *>(cfg_sys.malloc(2 * len + 1))) ==
	    nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "malloc()");
		o->failed = 1;
		return;
	}
	for (q = buf; *s != '\0'; s++) {
		unsigned char c = static_cast<unsigned char>(*s);

		if (*s == '"' || *s == '\\' || (*s == '#' && after_colon))
			*q++ = '\\';
		*q++ = *s;
		if (*s == ':')
			after_colon = true;
		else if (c >= 0x80 || !isspace(c))
			after_colon = false;
	}
	emits(o, "\"");
	emit(o, buf, static_cast<size_t>(q - buf));
	emits(o, "\"");
	free(buf);
}

static void
emit_var(out *o, const cfg_var *v)
{
	char num[16];

	if (v->name == nullptr)
		return;
	switch (v->type) {
	case CFG_STRING:
		if (v->val.str == nullptr)
			return;
		emits(o, v->name);
		emits(o, " = ");
		emit_quoted(o, v->val.str);
		break;
	case CFG_STRINGS:
		emits(o, v->name);
		emits(o, " = ");
		for (char **p = v->val.list; p != nullptr && *p != nullptr; p++) {
			if (p != v->val.list)
				emits(o, ", ");
			emit_quoted(o, *p);
		}
		break;
	case CFG_INTEGER:
		snprintf(num, sizeof(num), "%d", static_cast<int>(v->val.integer));
		emits(o, v->name);
		emits(o, " = ");
		emits(o, num);
		break;
	case CFG_BOOLEAN:
		emits(o, v->name);
		emits(o, v->val.boolean ? " = true" : " = false");
		break;
	default:
		return;
	}
	emits(o, "\n");
}

static int
emit_sections(FILE *fp, const cfg_section *list)
{
	out o = { fp, 0, 0 };

	for (const cfg_section *s = list; s != nullptr; s = s->next) {
		if (s->name != nullptr) {
			emits(&o, s->name);
			emits(&o, ":\n");
		}
		for (int i = 0; s->vars != nullptr && i < s->nvars; i++)
			emit_var(&o, &s->vars[i]);
		emits(&o, "\n");
	}
	return o.failed ? -1 : 0;
}

/* Opens the file at the composed path for "r+"; records a failure. */
static int
open_existing(void)
{
	if ((cfg_io.fp = fopen(cfg_io.path, "r+")) == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "%s", cfg_io.path);
		return -1;
	}
	return 0;
}

/* Creates the missing file, and its directories, and opens it. */
static int
create_file(const char *name, const char *file)
{
	char *dir;
	FILE *fp;

	if ((dir = cfg_mkdir(name)) == nullptr)
		return -1;
	free(dir);
	if (cfg_path(name, file) == nullptr)
		return -1;
	if ((fp = fopen(cfg_io.path, "w+")) == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "Couldn't create config file.");
		return -1;
	}
	fclose(fp);
	cfg_io_reset();
	cfg_clear_error();
	if (cfg_path(name, file) == nullptr)
		return -1;
	return open_existing();
}

/* Makes the rename durable: syncs the directory that holds path. */
static void
sync_dir(const char *path)
{
	char dir[CFG_PATH_SIZE];
	const char *slash = strrchr(path, '/');
	int fd;

	if (slash == nullptr)
		snprintf(dir, sizeof(dir), ".");
	else if (slash == path)
		snprintf(dir, sizeof(dir), "/");
	else
		snprintf(dir, sizeof(dir), "%.*s",
		    static_cast<int>(slash - path), path);
	/* The file is already in place; a directory that cannot be synced
	 * (some file systems refuse) does not undo that. */
	if ((fd = open(dir, O_RDONLY | O_DIRECTORY)) < 0)
		return;
	(void)cfg_sys.fsync(fd);
	close(fd);
}

/*
 * Removes a temporary file after a failure, closing its stream or
 * descriptor first; errno stays that of the failure.
 */
static void
discard(int fd, FILE *tfp, const char *tmp)
{
	int saved = errno;

	if (tfp != nullptr)
		cfg_sys.fclose(tfp);
	else if (fd >= 0)
		close(fd);
	unlink(tmp);
	errno = saved;
}

/* Fills, syncs and closes the temporary stream and renames it to path. */
static int
replace(FILE *tfp, const char *tmp, const cfg_section *list)
{
	const char *failed = nullptr;

	if (emit_sections(tfp, list) != 0) {
		discard(-1, tfp, tmp);
		return -1;
	}
	if (cfg_sys.fflush(tfp) != 0)
		failed = "fflush()";
	else if (cfg_sys.fsync(fileno(tfp)) != 0)
		failed = "fsync()";
	if (failed != nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "%s", failed);
		discard(-1, tfp, tmp);
		return -1;
	}
	if (cfg_sys.fclose(tfp) != 0) {
		cfg_set_error(CFG_ERR_FATAL, "fclose()");
		discard(-1, nullptr, tmp);
		return -1;
	}
	if (cfg_sys.rename(tmp, cfg_io.path) != 0) {
		cfg_set_error(CFG_ERR_FATAL, "rename()");
		discard(-1, nullptr, tmp);
		return -1;
	}
	return 0;
}

int
cfg_write(const char *name, const char *file, const cfg_section *list)
{
	char tmp[TMP_SIZE];
	FILE *tfp;
	int fd;

	cfg_io_reset();
	cfg_clear_error();
	if (check_list(list) != 0)
		goto fail;
	if (cfg_path(name, file) == nullptr || open_existing() != 0) {
		if (errno != ENOENT || create_file(name, file) != 0)
			goto fail;
	}
	snprintf(tmp, sizeof(tmp), "%s%s", cfg_io.path, TMP_SUFFIX);
	if ((fd = cfg_sys.mkstemp(tmp)) < 0) {
		cfg_set_error(CFG_ERR_FATAL, "mkstemp()");
		goto fail;
	}
	if ((tfp = cfg_sys.fdopen(fd, "r+")) == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "fdopen()");
		discard(fd, nullptr, tmp);
		goto fail;
	}
	/* The stream on the existing file only proved it can be written. */
	fclose(cfg_io.fp);
	cfg_io.fp = nullptr;
	if (replace(tfp, tmp, list) != 0)
		goto fail;
	sync_dir(cfg_io.path);
	cfg_io_reset();
	return 0;
fail:
	cfg_io_reset();
	return -1;
}
