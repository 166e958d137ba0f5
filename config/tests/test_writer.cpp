/* SPDX-License-Identifier: BSD-2-Clause */
/* Paths, directories and the writer's output. */
#include <sys/stat.h>

#include <errno.h>
#include <stdint.h>
#include <string.h>
#include <unistd.h>

#include "support.h"
#include "test_home.h"

using Writer = CfgTest;

TEST_F(Writer, ProgramSettingsAreSevenLinesInSlotOrder)
{
	cfg_section *s = cfg_new(nullptr, settings_defs, 7);

	umask(0);
	ASSERT_EQ(cfg_write("ampelwick", "config", s), 0);
	EXPECT_STREQ(cfg_errstr(), "");
	const std::string path = home + "/.config/Qor/ampelwick/config";
	EXPECT_EQ(read_file(path),
	    "autoshutdown = false\n"
	    "shutdown_cap = 5\n"
	    "shutdown_cmd = \"shutdown -p now\"\n"
	    "suspend_cmd = \"sudo acpiconf -s 3\"\n"
	    "suspend = true\n"
	    "use_icon_theme = true\n"
	    "poll_interval = 5\n"
	    "\n");
	/* Directories from the top down, each 0700; the file 0600. */
	EXPECT_EQ(file_mode(home + "/.config"), 0700u);
	EXPECT_EQ(file_mode(home + "/.config/Qor"), 0700u);
	EXPECT_EQ(file_mode(home + "/.config/Qor/ampelwick"), 0700u);
	EXPECT_EQ(file_mode(path), 0600u);
	EXPECT_EQ(list_dir(home + "/.config/Qor/ampelwick"),
	    std::vector<std::string>{ "config" });

	cfg_section *back = cfg_read("ampelwick", "config", settings_defs, 7);
	ASSERT_NE(back, nullptr);
	EXPECT_EQ(back->next, nullptr);
	EXPECT_EQ(back->name, nullptr);
	EXPECT_STREQ(back->vars[3].val.str, "sudo acpiconf -s 3");
	EXPECT_TRUE(back->vars[5].val.boolean);
	cfg_free(back);
	cfg_free(s);
}

TEST_F(Writer, OutputFormat)
{
	cfg_section *list = cfg_new("s", mixed_defs, V_COUNT);
	cfg_section *g = cfg_new(nullptr, mixed_defs, V_COUNT);
	cfg_section *e = cfg_new("e", mixed_defs, 0);
	char *items[] = { const_cast<char *>("p,q"), const_cast<char *>("\"r\""),
		nullptr };
	cfg_value v;

	v.str = const_cast<char *>("a\"b\\c");
	cfg_set_value(list, V_STR, v);
	v.list = items;
	cfg_set_value(list, V_LIST, v);
	list->vars[V_INT].val.integer = -3;
	list->vars[V_BOOL].val.boolean = true;
	free(g->vars[V_STR].val.str);
	g->vars[V_STR].val.str = nullptr;
	v.list = nullptr;
	cfg_set_value(g, V_LIST, v);
	/* A slot of no known type is not written. */
	g->vars[V_INT].type = 0;
	list->next = g;
	g->next = e;

	ASSERT_EQ(cfg_write("t", "cfg", list), 0);
	EXPECT_EQ(read_file(file()),
	    "s:\n"
	    "str = \"a\\\"b\\\\c\"\n"
	    "list = \"p,q\", \"\\\"r\\\"\"\n"
	    "int = -3\n"
	    "bool = true\n"
	    "\n"
	    "list = \n"
	    "bool = false\n"
	    "\n"
	    "e:\n"
	    "\n");

	/* The global section that followed "s" now belongs to it. */
	cfg_section *back = cfg_read("t", "cfg", mixed_defs, V_COUNT);
	EXPECT_EQ(dump(back), "s{a\"b\\c () -3 false} e{dflt [x|y] 7 false}");
	cfg_free(back);
	cfg_free(list);
}

TEST_F(Writer, RoundTrip)
{
	cfg_section *list = cfg_new(nullptr, mixed_defs, V_COUNT);
	const char *odd[] = { "", "\\", "\"", "a, b # c", " lead", "x\\\"y\\",
		"tab\there", "\xc3\xa4", nullptr };
	cfg_value v;

	for (int i = 0; odd[i] != nullptr; i++) {
		std::string name = "s" + std::to_string(i);
		cfg_section *s = cfg_add_section(list, name.c_str(), mixed_defs,
		    V_COUNT);
		ASSERT_NE(s, nullptr);
		v.str = const_cast<char *>(odd[i]);
		cfg_set_value(s, V_STR, v);
		v.list = const_cast<char **>(odd + i);
		cfg_set_value(s, V_LIST, v);
		s->vars[V_INT].val.integer = i * -1000003;
		s->vars[V_BOOL].val.boolean = i % 2;
	}
	v.list = nullptr;
	cfg_set_value(list, V_LIST, v);
	free(list->vars[V_STR].val.str);
	list->vars[V_STR].val.str = nullptr;
	list->vars[V_INT].val.integer = INT32_MIN;

	ASSERT_EQ(cfg_write("t", "cfg", list), 0);
	cfg_section *back = cfg_read("t", "cfg", mixed_defs, V_COUNT);
	ASSERT_NE(back, nullptr);
	/* A missing string reads back as its default. */
	free(list->vars[V_STR].val.str);
	list->vars[V_STR].val.str = strdup("dflt");
	EXPECT_EQ(dump(back), dump(list));
	cfg_free(back);
	cfg_free(list);
}

TEST_F(Writer, ReplacesTheOldFileAndAnySymlink)
{
	cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);
	const std::string want = "str = \"dflt\"\nlist = \"x\", \"y\"\n"
	    "int = 7\nbool = false\n\n";

	put("# old comment\nint = 1\nbool = yes\n");
	chmod(file().c_str(), 0644);
	ASSERT_EQ(cfg_write("t", "cfg", s), 0);
	EXPECT_EQ(read_file(file()), want);
	EXPECT_EQ(file_mode(file()), 0600u);

	const std::string target = home + "/target";
	write_file(target, "kept\n");
	unlink(file().c_str());
	ASSERT_EQ(symlink(target.c_str(), file().c_str()), 0);
	ASSERT_EQ(cfg_write("t", "cfg", s), 0);
	struct stat sb;
	ASSERT_EQ(lstat(file().c_str(), &sb), 0);
	EXPECT_TRUE(S_ISREG(sb.st_mode));
	EXPECT_EQ(read_file(file()), want);
	EXPECT_EQ(read_file(target), "kept\n");
	EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
	cfg_free(s);
}

TEST_F(Writer, PathRules)
{
	const int lookups = test_home_lookups();

	/* An absolute file name is used unchanged, without the home. */
	EXPECT_STREQ(cfg_path("ignored", "/abs/file"), "/abs/file");
	EXPECT_EQ(test_home_lookups(), lookups);
	EXPECT_EQ(cfg_path("n", "f"), home + "/.config/Qor/n/f");
	EXPECT_EQ(cfg_path(nullptr, "f"), home + "/.config/Qor/f");

	std::string abs = "/" + std::string(766, 'a');
	EXPECT_EQ(cfg_path(nullptr, abs.c_str()), abs);
	abs += "a";
	EXPECT_EQ(cfg_path(nullptr, abs.c_str()), nullptr);
	EXPECT_EQ(cfg_error_code(), CFG_ERR_PATH_TOO_LONG);
	EXPECT_STREQ(cfg_errstr(), "Path name too long\n");

	/* Only the composed length counts. */
	size_t room = 767 - (home.size() + strlen("/.config/Qor/") + 1 + 3);
	std::string name(room, 'n');
	EXPECT_NE(cfg_path(name.c_str(), "cfg"), nullptr);
	name += "n";
	EXPECT_EQ(cfg_path(name.c_str(), "cfg"), nullptr);
	name = std::string(room / 2, 'n');
	std::string f(room - room / 2 + 4, 'f');
	EXPECT_EQ(cfg_path(name.c_str(), f.c_str()), nullptr);

	errno = 0;
	EXPECT_EQ(cfg_read(name.c_str(), f.c_str(), mixed_defs, V_COUNT), nullptr);
	EXPECT_STREQ(cfg_errstr(), "Path name too long\n");
	errno = 0;
	cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);
	EXPECT_EQ(cfg_write(name.c_str(), f.c_str(), s), -1);
	EXPECT_STREQ(cfg_errstr(), "Path name too long\n");
	cfg_free(s);

	test_home_fail(EIO);
	EXPECT_EQ(cfg_path("n", "f"), nullptr);
	EXPECT_STREQ(cfg_errstr(), "Fatal: Couldn't find you in the password "
	    "file: Fatal error: Input/output error\n");
}

/* A real file whose path has exactly len characters, in nested dirs. */
static std::string
make_long_path(const std::string &home, size_t len)
{
	std::string path = home;

	while (len - path.size() > 200) {
		path += "/" + std::string(150, 'd');
		mkdir(path.c_str(), 0700);
	}
	path += "/" + std::string(len - path.size() - 1, 'f');
	write_file(path, "int = 3\n");
	return path;
}

TEST_F(Writer, LongestPathReadsAndWrites)
{
	const std::string path = make_long_path(home, 767);
	cfg_section *s = cfg_read(nullptr, path.c_str(), mixed_defs, V_COUNT);

	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->vars[V_INT].val.integer, 3);
	s->vars[V_INT].val.integer = 4;
	/* The temporary name needs seven more characters. */
	ASSERT_EQ(cfg_write(nullptr, path.c_str(), s), 0);
	EXPECT_EQ(read_file(path), "str = \"dflt\"\nlist = \"x\", \"y\"\n"
	    "int = 4\nbool = false\n\n");
	cfg_free(s);
	s = cfg_read(nullptr, path.c_str(), mixed_defs, V_COUNT);
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->vars[V_INT].val.integer, 4);
	cfg_free(s);
}

TEST_F(Writer, AbsoluteFileStillMakesTheNamedDirectory)
{
	cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);
	const std::string abs = home + "/abs.cfg";

	ASSERT_EQ(cfg_write("n", abs.c_str(), s), 0);
	EXPECT_TRUE(exists(abs));
	EXPECT_EQ(file_mode(dir("n")), 0700u);
	cfg_free(s);
}

TEST_F(Writer, DirectoryFailures)
{
	cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);

	/* A name is one component: its '/' is not split. */
	EXPECT_EQ(cfg_mkdir("a/b"), nullptr);
	EXPECT_STREQ(cfg_errstr(), "mkdir(): Fatal error: No such file or directory\n");
	char *d = cfg_mkdir(nullptr);
	EXPECT_EQ(d, home + "/.config/Qor");
	free(d);

	/* A file where the directory should be: the open fails. */
	write_file(dir("x"), "");
	EXPECT_EQ(cfg_write("x", "cfg", s), -1);
	EXPECT_EQ(cfg_errstr(), "Fatal: " + file("x") +
	    ": Fatal error: Not a directory\n");

	/* A dangling link: the file is missing but cannot be created. */
	mkdir(dir().c_str(), 0700);
	symlink((home + "/nowhere/cfg").c_str(), file().c_str());
	EXPECT_EQ(cfg_write("t", "cfg", s), -1);
	EXPECT_STREQ(cfg_errstr(), "Couldn't create config file.: Fatal error: "
	    "No such file or directory\n");

	/* ".config" is a file: a missing file leads to a failed stat. */
	const std::string h2 = home + "/h2";
	mkdir(h2.c_str(), 0700);
	write_file(h2 + "/.config", "");
	test_home_set(h2.c_str());
	EXPECT_EQ(cfg_write("x", (home + "/missing/cfg").c_str(), s), -1);
	EXPECT_STREQ(cfg_errstr(), "Fatal: stat(): Fatal error: Not a directory\n");

	/* A home that nobody may write: no directory can be made. */
	if (geteuid() == 0) {
		const std::string h3 = home + "/h3";
		mkdir(h3.c_str(), 0755);
		chmod(home.c_str(), 0755);
		test_home_set(h3.c_str());
		int rc = as_nobody([s] {
			if (cfg_write("t", "cfg", s) != -1)
				return 1;
			return strcmp(cfg_errstr(), "Fatal: mkdir(): Fatal error: "
			    "Permission denied\n") == 0 ? 0 : 2;
		});
		EXPECT_EQ(rc, 0);
		EXPECT_EQ(list_dir(h3), std::vector<std::string>{});
	}
	cfg_free(s);
}

/* Home and store readable by everyone; the file given to nobody. */
static void
share(const CfgTest &t, mode_t file_mode, bool dir_writable)
{
	chmod(t.home.c_str(), 0755);
	chmod((t.home + "/.config").c_str(), 0755);
	chmod((t.home + "/.config/Qor").c_str(), 0755);
	chmod(t.dir().c_str(), 0755);
	chown(t.dir().c_str(), dir_writable ? 65534 : 0,
	    dir_writable ? 65534 : 0);
	chown(t.file().c_str(), 65534, 65534);
	chmod(t.file().c_str(), file_mode);
}

TEST_F(Writer, UnwritableFileOrDirectory)
{
	cfg_section *s = cfg_new(nullptr, mixed_defs, V_COUNT);
	const std::string old = "# old\nint = 1\n";

	if (geteuid() != 0)
		GTEST_SKIP() << "needs root to act as another user";

	put(old);
	share(*this, 0444, true);
	const std::string f = file();
	int rc = as_nobody([s, f] {
		if (cfg_write("t", "cfg", s) != -1)
			return 1;
		if (errno != EACCES)
			return 2;
		return cfg_errstr() == "Fatal: " + f +
		    ": Fatal error: Permission denied\n" ? 0 : 3;
	});
	EXPECT_EQ(rc, 0);
	EXPECT_EQ(read_file(f), old);
	EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });

	/* Writable file in a directory that is not: no temporary file. */
	share(*this, 0600, false);
	rc = as_nobody([s] {
		if (cfg_write("t", "cfg", s) != -1)
			return 1;
		return strcmp(cfg_errstr(),
		    "Fatal: mkstemp(): Fatal error: Permission denied\n") == 0 ?
		    0 : 2;
	});
	EXPECT_EQ(rc, 0);
	EXPECT_EQ(read_file(f), old);
	EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
	cfg_free(s);
}

/* What would not read back the same is refused; nothing is touched. */
TEST_F(Writer, RefusesWhatWouldNotReadBack)
{
	static const struct {
		const char	*section, *str, *item, *why;
	} cases[] = {
		{ nullptr, "sleep 1\n", "x", "Value of 'str' holds a newline" },
		{ "s", "x", "a\nb", "Value of 'list' in section 's' holds a newline" },
		{ "", "x", "x", "Section name '' is empty" },
		{ "a:b", "x", "x", "Section name 'a:b' holds ':'" },
		{ "#a", "x", "x", "Section name '#a' begins with '#'" },
		{ " a", "x", "x", "Section name ' a' begins with white space" },
		{ "\ta", "x", "x", "Section name '\ta' begins with white space" },
		{ "a\nb", "x", "x", "Section name 'a\nb' holds a newline" },
	};
	const std::string old = "# old\nint = 1\n";

	put(old);
	for (const auto &c : cases) {
		SCOPED_TRACE(c.why);
		cfg_section *s = cfg_new(c.section, mixed_defs, V_COUNT);
		char *items[] = { const_cast<char *>(c.item), nullptr };
		cfg_value v;

		v.str = const_cast<char *>(c.str);
		cfg_set_value(s, V_STR, v);
		v.list = items;
		cfg_set_value(s, V_LIST, v);
		errno = 0;
		EXPECT_EQ(cfg_write("t", "cfg", s), -1);
		EXPECT_EQ(errno, EINVAL);
		EXPECT_EQ(cfg_errstr(), std::string(c.why) +
		    ": Cannot be written to the file\n");
		EXPECT_EQ(read_file(file()), old);
		EXPECT_EQ(list_dir(dir()), std::vector<std::string>{ "cfg" });
		cfg_free(s);
	}

	/* A carriage return, inside a value or a name, reads back. */
	cfg_section *s = cfg_new("s\r", mixed_defs, V_COUNT);
	cfg_value v;
	v.str = const_cast<char *>("a\rb\r");
	cfg_set_value(s, V_STR, v);
	ASSERT_EQ(cfg_write("t", "cfg", s), 0);
	cfg_section *back = cfg_read("t", "cfg", mixed_defs, V_COUNT);
	ASSERT_NE(back, nullptr) << cfg_errstr();
	EXPECT_EQ(dump(back), dump(s));
	cfg_free(back);
	cfg_free(s);
}
