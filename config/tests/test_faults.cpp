/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Failures of allocations, writes, syncs and renames: each one is
 * reported, leaks nothing, and never harms the existing file.
 */
#include <sys/resource.h>
#include <sys/stat.h>

#include <errno.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include "support.h"

using Faults = CfgTest;

static const std::string old_text = "# old\nint = 1\n";

/* A section with a string and a list, so that escaping is needed. */
static cfg_section *
sample(size_t len = 8)
{
	cfg_section *s = cfg_new("sec", mixed_defs, V_COUNT);
	std::string text(len, 'z');
	cfg_value v;

	text[0] = '"';
	v.str = const_cast<char *>(text.c_str());
	cfg_set_value(s, V_STR, v);
	return s;
}

TEST_F(Faults, FailedWriteKeepsTheOldFile)
{
	static const struct {
		fault_call	 call;
		int		 err;
		const char	*text;
	} cases[] = {
		{ F_FWRITE, EIO, "Fatal: fwrite(): Fatal error: Input/output error\n" },
		{ F_FFLUSH, ENOSPC, "Fatal: fflush(): Fatal error: No space left on device\n" },
		{ F_FSYNC, EIO, "Fatal: fsync(): Fatal error: Input/output error\n" },
		{ F_FCLOSE, EDQUOT, "Fatal: fclose(): Fatal error: Disk quota exceeded\n" },
		{ F_RENAME, EBUSY, "Fatal: rename(): Fatal error: Device or resource busy\n" },
		{ F_MKSTEMP, EMFILE, "Fatal: mkstemp(): Fatal error: Too many open files\n" },
		{ F_FDOPEN, ENOMEM, "Fatal: fdopen(): Fatal error: Cannot allocate memory\n" },
	};
	cfg_section *s = sample();

	put(old_text);
	chmod(file().c_str(), 0644);
	for (const auto &c : cases) {
		fault_reset();
		fault_io(c.call, c.err);
		EXPECT_EQ(cfg_write("t", "cfg", s), -1) << c.text;
		EXPECT_STREQ(cfg_errstr(), c.text);
		EXPECT_EQ(errno, c.err);
		EXPECT_EQ(read_file(file()), old_text);
		EXPECT_EQ(file_mode(file()), 0644u);
		EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
		EXPECT_EQ(cfg_io.fp, nullptr);
	}

	/* No buffer to escape a string in. */
	fault_reset();
	fault_alloc(1);
	EXPECT_EQ(cfg_write("t", "cfg", s), -1);
	EXPECT_STREQ(cfg_errstr(), "Fatal: malloc(): Fatal error: Cannot allocate memory\n");
	EXPECT_EQ(read_file(file()), old_text);
	EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
	cfg_free(s);
}

/* The order of the calls that make a write durable. */
static std::vector<std::string> calls;
static std::string tmp_name, path_at_rename, tmp_at_rename;

static int
log_mkstemp(char *tmpl)
{
	tmp_name = tmpl;
	return mkstemp(tmpl);
}

static int
log_fflush(FILE *fp)
{
	calls.push_back("fflush");
	return fflush(fp);
}

static int
log_fsync(int fd)
{
	struct stat sb;

	fstat(fd, &sb);
	calls.push_back(S_ISDIR(sb.st_mode) ? "fsync dir" : "fsync file");
	return fsync(fd);
}

static int
log_fclose(FILE *fp)
{
	calls.push_back("fclose");
	return fclose(fp);
}

static int
log_rename(const char *from, const char *to)
{
	calls.push_back("rename");
	tmp_at_rename = read_file(from);
	path_at_rename = read_file(to);
	return rename(from, to);
}

TEST_F(Faults, WriteIsDurableAndWholeAtEveryMoment)
{
	cfg_section *s = sample();

	put(old_text);
	cfg_sys.mkstemp = log_mkstemp;
	cfg_sys.fflush = log_fflush;
	cfg_sys.fsync = log_fsync;
	cfg_sys.fclose = log_fclose;
	cfg_sys.rename = log_rename;
	ASSERT_EQ(cfg_write("t", "cfg", s), 0);
	EXPECT_EQ(calls, (std::vector<std::string>{ "fflush", "fsync file",
	    "fclose", "rename", "fsync dir" }));
	/* The temporary name ends in a dot and six X for mkstemp. */
	EXPECT_EQ(tmp_name, file() + ".XXXXXX");
	EXPECT_EQ(path_at_rename, old_text);
	EXPECT_EQ(tmp_at_rename, read_file(file()));
	EXPECT_EQ(tmp_at_rename.substr(0, 5), "sec:\n");
	cfg_free(s);
}

TEST_F(Faults, FileSizeLimitFailsTheWriteForReal)
{
	/* A small file size limit makes the temporary file's writes fail
	 * as on a full disk: buffered data fails at the flush, a long
	 * string already in fwrite. */
	static const struct {
		size_t		 len;
		const char	*text;
	} cases[] = {
		{ 100, "Fatal: fflush(): Fatal error: File too large\n" },
		{ 100000, "Fatal: fwrite(): Fatal error: File too large\n" },
	};

	put(old_text);
	for (const auto &c : cases) {
		cfg_section *s = sample(c.len);
		int rc = in_child([s, &c] {
			struct rlimit rl = { 32, 32 };

			signal(SIGXFSZ, SIG_IGN);
			if (setrlimit(RLIMIT_FSIZE, &rl) != 0)
				return 9;
			cfg_sys_reset();
			if (cfg_write("t", "cfg", s) != -1)
				return 1;
			if (errno != EFBIG)
				return 2;
			return strcmp(cfg_errstr(), c.text) == 0 ? 0 : 3;
		});
		EXPECT_EQ(rc, 0) << c.text;
		EXPECT_EQ(read_file(file()), old_text);
		EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
		cfg_free(s);
	}
}

/*
 * Fails the first allocation of op, then the second, and so on, until op
 * runs with every allocation granted.  check() runs after each failure.
 */
static void
each_allocation(const std::function<bool()> &op,
    const std::function<void()> &check = [] {})
{
	for (int k = 1; k < 100000; k++) {
		fault_reset();
		fault_alloc(k);
		bool ok = op();
		if (!fault_alloc_hit()) {
			EXPECT_TRUE(ok) << "with every allocation granted";
			EXPECT_GT(k, 1);
			return;
		}
		EXPECT_FALSE(ok) << "allocation " << k;
		EXPECT_EQ(cfg_error_code(), CFG_ERR_FATAL) << "allocation " << k;
		check();
	}
	ADD_FAILURE() << "never ran with every allocation granted";
}

TEST_F(Faults, EveryAllocationOfARead)
{
	std::string text = "str = a\nlist = p, q, \\\n  r\n"
	    "one:\nstr = \"" + std::string(5000, 'w') + "\"\nlist = \n"
	    "two:\nlist = \"\", b\nint = 3\n";

	const std::string want = "-{a [p|q|r] 7 false} one{" +
	    std::string(5000, 'w') + " () 7 false} two{dflt [|b] 3 false}";

	put(text);
	each_allocation([&want] {
		cfg_section *s = cfg_read("t", "cfg", mixed_defs, V_COUNT);
		bool ok = s != nullptr;

		if (ok) {
			EXPECT_EQ(dump(s), want);
		}
		cfg_free(s);
		return ok;
	}, [] {
		EXPECT_EQ(cfg_io.fp, nullptr);
		EXPECT_EQ(cfg_io.line_buf, nullptr);
	});
}

TEST_F(Faults, EveryAllocationOfAWrite)
{
	cfg_section *s = sample();
	cfg_section *g = cfg_add_section(s, nullptr, mixed_defs, V_COUNT);

	ASSERT_NE(g, nullptr);
	put(old_text);
	each_allocation([s] { return cfg_write("t", "cfg", s) == 0; }, [this] {
		EXPECT_EQ(read_file(file()), old_text);
		EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
	});
	/* Into a home without the store's directories. */
	each_allocation([this, s] {
		remove_tree(home + "/.config");
		return cfg_write("t", "cfg", s) == 0;
	});
	cfg_free(s);
}

TEST_F(Faults, EveryAllocationOfTheModel)
{
	cfg_section *list = cfg_new("a", mixed_defs, V_COUNT);
	char *items[] = { const_cast<char *>("1"), const_cast<char *>("2"),
		nullptr };

	each_allocation([] {
		cfg_section *s = cfg_new("n", mixed_defs, V_COUNT);

		cfg_free(s);
		return s != nullptr;
	});
	each_allocation([&list] {
		cfg_section *s = cfg_add_section(list, "b", mixed_defs, V_COUNT);

		cfg_remove_section(&list, "b");
		return s != nullptr;
	}, [&list] { EXPECT_EQ(list->next, nullptr); });
	each_allocation([list, &items] {
		cfg_value v;

		v.list = items;
		return cfg_set_value(list, V_LIST, v) == 0;
	});
	each_allocation([] {
		bool err = true;
		char **l = cfg_split("a, \"b c\", d", &err);
		bool ok = l != nullptr;

		for (char **p = l; p != nullptr && *p != nullptr; p++)
			free(*p);
		free(l);
		return ok;
	});
	cfg_free(list);
}
