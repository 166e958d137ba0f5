/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Settings that another user could change are not read: the file and the
 * directories from the home directory down to it must belong to the user
 * or to root and be writable neither by others nor by a group that may
 * hold another user.  A file the user may only read is read.
 */
#include <sys/stat.h>

#include <errno.h>
#include <string.h>
#include <unistd.h>

#include "settings_fixture.h"

namespace {

using Trust = SettingsTest;

static const std::string unsafe = ": Unsafe ownership or permissions\n";

/* The message of a load in this process; empty when it succeeded. */
static std::string
load_error()
{
	Settings s;

	return settings_load(&s) ? "" : settings_errstr();
}

static mode_t
mode_of(const std::string &path)
{
	struct stat sb;

	return stat(path.c_str(), &sb) == 0 ? sb.st_mode & 07777 : 0;
}

TEST_F(Trust, SettingsAnotherUserCanChangeAreNotRead)
{
	const std::string cfg = path(), store = home + "/.config/Qor/ampelwick";
	const std::string shared = home + "/shared";
	const struct {
		std::string	 path;
		mode_t		 mode;
	} writable[] = {
		{ home, 0702 },
		{ home + "/.config", 0707 },
		{ store, 0703 },
		{ cfg, 0646 },
	};

	writeFile("shutdown_cap = 7\n");
	for (const auto &w : writable) {
		SCOPED_TRACE(w.path);
		mode_t old = mode_of(w.path);

		chmod(w.path.c_str(), w.mode);
		EXPECT_EQ(load_error(), w.path + " is writable by others "
		    "(fix: chmod o-w " + w.path + ")" + unsafe);
		chmod(w.path.c_str(), old);
		EXPECT_EQ(load_error(), "");
	}

	/*
	 * The real path counts: a link into a directory others can write.
	 * A sticky one (as /tmp) keeps others from replacing what is yours.
	 */
	mkdir(shared.c_str(), 0700);
	chmod(shared.c_str(), 0707);
	ASSERT_EQ(rename(store.c_str(), (shared + "/a").c_str()), 0);
	ASSERT_EQ(symlink((shared + "/a").c_str(), store.c_str()), 0);
	EXPECT_EQ(load_error(), shared + " is writable by others "
	    "(fix: chmod o-w " + shared + ")" + unsafe);
	chmod(shared.c_str(), 01777);
	EXPECT_EQ(load_error(), "");

	if (geteuid() != 0)
		GTEST_SKIP() << "needs root to give files to other users";
	/*
	 * As user 65534, who owns the tree: a directory of root's is fine;
	 * a file of another user's, or a directory writable by a group that
	 * is not the user's primary group alone, is refused; a directory of
	 * root's that others may write is no place to keep settings.
	 */
	chmod(shared.c_str(), 0700);
	unlink(store.c_str());
	rename((shared + "/a").c_str(), store.c_str());
	for (const std::string &p : { home, home + "/.config",
	    home + "/.config/Qor", store, cfg })
		ASSERT_EQ(chown(p.c_str(), 65534, 65534), 0);
	const struct {
		std::string	 path;
		uid_t		 uid;
		gid_t		 gid;
		mode_t		 mode;
		std::string	 error;
	} owned[] = {
		{ home + "/.config", 0, 0, 0755, "" },
		{ store, 65534, 65534, 0770, "" },
		{ cfg, 1234, 65534, 0666, cfg + " belongs to uid 1234 "
		    "(fix: chown tester " + cfg + ")" + unsafe },
		{ store, 65534, 54321, 0770, store + " is writable by group "
		    "54321, which is not yours alone (fix: chmod g-w " + store +
		    ")" + unsafe },
		{ store, 65534, 54321, 0777, store + " is writable by others "
		    "and by group 54321, which is not yours alone (fix: chmod "
		    "go-w " + store + ")" + unsafe },
		{ store, 0, 65534, 0777, store + " is writable by others (move the "
		    "settings out of " + store + ")" + unsafe },
	};
	for (const auto &o : owned) {
		SCOPED_TRACE(o.path);
		struct stat sb;

		ASSERT_EQ(stat(o.path.c_str(), &sb), 0);
		chown(o.path.c_str(), o.uid, o.gid);
		chmod(o.path.c_str(), o.mode);
		EXPECT_EQ(as_nobody([&o] {
			std::string error = load_error();

			if (error == o.error)
				return 0;
			fprintf(stderr, "%s", error.c_str());
			return 1;
		}), 0);
		chown(o.path.c_str(), sb.st_uid, sb.st_gid);
		chmod(o.path.c_str(), sb.st_mode & 07777);
	}
}

/* Read-only settings are read; a save then fails with the file named. */
TEST_F(Trust, ReadOnlySettingsAreRead)
{
	const std::string cfg = path(), store = home + "/.config/Qor/ampelwick";

	if (geteuid() != 0)
		GTEST_SKIP() << "needs root to act as another user";
	writeFile("shutdown_cap = 7\n");
	for (const std::string &p : { home, home + "/.config",
	    home + "/.config/Qor", store })
		ASSERT_EQ(chown(p.c_str(), 65534, 65534), 0);
	const struct {
		std::string	 path;
		uid_t		 uid;
		mode_t		 mode;
	} cases[] = {
		{ cfg, 0, 0644 },	/* root's */
		{ cfg, 65534, 0400 },	/* the user's own, read-only */
		{ store, 0, 0755 },	/* writable, in a directory that is not */
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.path);
		chown(cfg.c_str(), 65534, 65534);
		chmod(cfg.c_str(), 0600);
		chown(c.path.c_str(), c.uid, 65534);
		chmod(c.path.c_str(), c.mode);
		EXPECT_EQ(as_nobody([&cfg] {
			Settings s;

			if (!settings_load(&s) || s.shutdownCap != 7)
				return 1;
			if (settings_save(s))
				return 2;
			return strstr(settings_errstr(), cfg.c_str()) != nullptr &&
			    strstr(settings_errstr(), "Permission denied") !=
			    nullptr ? 0 : 3;
		}), 0);
		chown(store.c_str(), 65534, 65534);
	}
}

} // namespace
