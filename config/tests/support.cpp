/* SPDX-License-Identifier: BSD-2-Clause */
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <dirent.h>
#include <errno.h>
#include <ftw.h>
#include <grp.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "child.h"
#include "support.h"
#include "test_home.h"

const cfg_vardef settings_defs[7] = {
	{ "autoshutdown", CFG_BOOLEAN, 0, { .boolean = false } },
	{ "suspend", CFG_BOOLEAN, 4, { .boolean = true } },
	{ "shutdown_cap", CFG_INTEGER, 1, { .integer = 5 } },
	{ "shutdown_cmd", CFG_STRING, 2,
	  { .str = const_cast<char *>("shutdown -p now") } },
	{ "suspend_cmd", CFG_STRING, 3,
	  { .str = const_cast<char *>("sudo acpiconf -s 3") } },
	{ "use_icon_theme", CFG_BOOLEAN, 5, { .boolean = true } },
	{ "poll_interval", CFG_INTEGER, 6, { .integer = 5 } },
};

static char *default_list[] = { const_cast<char *>("x"),
	const_cast<char *>("y"), nullptr };

const cfg_vardef mixed_defs[V_COUNT] = {
	{ "str", CFG_STRING, V_STR, { .str = const_cast<char *>("dflt") } },
	{ "list", CFG_STRINGS, V_LIST, { .list = default_list } },
	{ "int", CFG_INTEGER, V_INT, { .integer = 7 } },
	{ "bool", CFG_BOOLEAN, V_BOOL, { .boolean = false } },
};

std::string
read_file(const std::string &path)
{
	std::ifstream in(path, std::ios::binary);
	std::ostringstream ss;

	ss << in.rdbuf();
	return ss.str();
}

void
write_file(const std::string &path, const std::string &text)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);

	out << text;
}

bool
exists(const std::string &path)
{
	struct stat sb;

	return lstat(path.c_str(), &sb) == 0;
}

mode_t
file_mode(const std::string &path)
{
	struct stat sb;

	if (lstat(path.c_str(), &sb) != 0)
		return 0;
	return sb.st_mode & 07777;
}

std::vector<std::string>
list_dir(const std::string &dir)
{
	std::vector<std::string> names;
	DIR *d = opendir(dir.c_str());

	if (d == nullptr)
		return names;
	while (struct dirent *e = readdir(d))
		if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0)
			names.push_back(e->d_name);
	closedir(d);
	return names;
}

/* The sections of a list, one "name{str list int bool}" each. */
std::string
dump(const cfg_section *list)
{
	std::string out;

	for (const cfg_section *s = list; s != nullptr; s = s->next) {
		const cfg_var *v = s->vars;
		std::string items;

		for (char **p = v[V_LIST].val.list; p != nullptr && *p; p++)
			items += (p == v[V_LIST].val.list ? "" : "|") +
			    std::string(*p);
		out += std::string(out.empty() ? "" : " ") +
		    (s->name ? s->name : "-") + "{" +
		    (v[V_STR].val.str ? v[V_STR].val.str : "(null)") + " " +
		    (v[V_LIST].val.list ? "[" + items + "]" : "()") + " " +
		    std::to_string(v[V_INT].val.integer) + " " +
		    (v[V_BOOL].val.boolean ? "true" : "false") + "}";
	}
	return out;
}

/* Fault injection through the store's system-call table. */

static int alloc_count, alloc_fail_at;
static bool alloc_hit;
static int io_errno[F_FDOPEN + 1];

static bool
alloc_fails()
{
	if (++alloc_count != alloc_fail_at)
		return false;
	alloc_hit = true;
	errno = ENOMEM;
	return true;
}

static bool
io_fails(fault_call call)
{
	if (io_errno[call] == 0)
		return false;
	errno = io_errno[call];
	io_errno[call] = 0;
	return true;
}

static void *
f_malloc(size_t n)
{
	return alloc_fails() ? nullptr : malloc(n);
}

static void *
f_calloc(size_t n, size_t size)
{
	return alloc_fails() ? nullptr : calloc(n, size);
}

static void *
f_realloc(void *p, size_t n)
{
	return alloc_fails() ? nullptr : realloc(p, n);
}

static char *
f_strdup(const char *s)
{
	return alloc_fails() ? nullptr : strdup(s);
}

static size_t
f_fwrite(const void *p, size_t size, size_t n, FILE *fp)
{
	return io_fails(F_FWRITE) ? 0 : fwrite(p, size, n, fp);
}

static int
f_fflush(FILE *fp)
{
	return io_fails(F_FFLUSH) ? EOF : fflush(fp);
}

static int
f_fsync(int fd)
{
	return io_fails(F_FSYNC) ? -1 : fsync(fd);
}

static int
f_fclose(FILE *fp)
{
	/* The stream is gone either way, as with a real failing close. */
	int err = io_errno[F_FCLOSE];
	int rv = fclose(fp);

	if (io_fails(F_FCLOSE)) {
		errno = err;
		return EOF;
	}
	return rv;
}

static int
f_rename(const char *from, const char *to)
{
	return io_fails(F_RENAME) ? -1 : rename(from, to);
}

static int
f_mkstemp(char *tmpl)
{
	return io_fails(F_MKSTEMP) ? -1 : mkstemp(tmpl);
}

static FILE *
f_fdopen(int fd, const char *mode)
{
	return io_fails(F_FDOPEN) ? nullptr : fdopen(fd, mode);
}

void
fault_reset(void)
{
	alloc_count = alloc_fail_at = 0;
	alloc_hit = false;
	memset(io_errno, 0, sizeof(io_errno));
	cfg_sys.malloc = f_malloc;
	cfg_sys.calloc = f_calloc;
	cfg_sys.realloc = f_realloc;
	cfg_sys.strdup = f_strdup;
	cfg_sys.fwrite = f_fwrite;
	cfg_sys.fflush = f_fflush;
	cfg_sys.fsync = f_fsync;
	cfg_sys.fclose = f_fclose;
	cfg_sys.rename = f_rename;
	cfg_sys.mkstemp = f_mkstemp;
	cfg_sys.fdopen = f_fdopen;
}

void
fault_alloc(int nth)
{
	alloc_count = 0;
	alloc_hit = false;
	alloc_fail_at = nth;
}

int
fault_allocs(void)
{
	return alloc_count;
}

bool
fault_alloc_hit(void)
{
	return alloc_hit;
}

void
fault_io(fault_call call, int err)
{
	io_errno[call] = err;
}

int
as_nobody(const std::function<int()> &fn)
{
	return run_in_child(fn, true);
}

int
in_child(const std::function<int()> &fn)
{
	return run_in_child(fn, false);
}

static int
remove_entry(const char *path, const struct stat *, int, struct FTW *)
{
	chmod(path, 0700);
	return remove(path);
}

void
CfgTest::SetUp()
{
	char tmpl[] = "/tmp/ampelwick-cfg.XXXXXX";

	ASSERT_NE(mkdtemp(tmpl), nullptr);
	home = tmpl;
	test_home_set(tmpl);
	cfg_io_reset();
	fault_reset();
	umask(022);
}

void
CfgTest::TearDown()
{
	cfg_sys_reset();
	cfg_io_reset();
	remove_tree(home);
}

void
remove_tree(const std::string &dir)
{
	/* Children of a directory first, so that each can be removed. */
	nftw(dir.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string
CfgTest::dir(const char *name) const
{
	return home + "/.config/Qor/" + name;
}

std::string
CfgTest::file(const char *name, const char *f) const
{
	return dir(name) + "/" + f;
}

void
CfgTest::put(const std::string &text) const
{
	mkdir((home + "/.config").c_str(), 0700);
	mkdir((home + "/.config/Qor").c_str(), 0700);
	mkdir(dir().c_str(), 0700);
	write_file(file(), text);
}

cfg_section *
CfgTest::read_mixed(const std::string &text) const
{
	put(text);
	return cfg_read("t", "cfg", mixed_defs, V_COUNT);
}
