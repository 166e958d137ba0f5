/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Settings that another user could change are not read: the file and the
 * directories from the home directory down to it must belong to the user
 * or to root and be writable neither by others nor by a group that holds
 * another user.
 */
#include <sys/stat.h>

#include <errno.h>
#include <unistd.h>

#include "support.h"

using Trust = CfgTest;

static const std::string unsafe = ": Unsafe ownership or permissions\n";

/* The message of a read in this process; empty when it succeeded. */
static std::string
read_error()
{
	cfg_section *s = cfg_read("t", "cfg", mixed_defs, V_COUNT);

	if (s != nullptr) {
		cfg_free(s);
		return "";
	}
	return errno == ENOENT ? "ENOENT" : cfg_errstr();
}

TEST_F(Trust, SettingsAnotherUserCanChangeAreNotRead)
{
	const std::string cfg = file(), store = dir();
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

	put("int = 1\n");
	for (const auto &w : writable) {
		SCOPED_TRACE(w.path);
		mode_t old = file_mode(w.path);

		chmod(w.path.c_str(), w.mode);
		EXPECT_EQ(read_error(), w.path + " is writable by others "
		    "(fix: chmod o-w " + w.path + ")" + unsafe);
		chmod(w.path.c_str(), old);
		EXPECT_EQ(read_error(), "");
	}

	/* The real path counts: a link into a directory others can write. */
	mkdir(shared.c_str(), 0700);
	chmod(shared.c_str(), 0707);
	ASSERT_EQ(rename(store.c_str(), (shared + "/t").c_str()), 0);
	ASSERT_EQ(symlink((shared + "/t").c_str(), store.c_str()), 0);
	EXPECT_EQ(read_error(), shared + " is writable by others "
	    "(fix: chmod o-w " + shared + ")" + unsafe);
	chmod(shared.c_str(), 0700);
	EXPECT_EQ(read_error(), "");
	unlink(store.c_str());
	rename((shared + "/t").c_str(), store.c_str());

	if (geteuid() != 0)
		GTEST_SKIP() << "needs root to give files to other users";
	/*
	 * As user 65534, who owns the tree: a directory of root's is fine;
	 * a file of another user's, or a directory writable by a group the
	 * user is not in, is refused.
	 */
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
		{ cfg, 1234, 65534, 0666, cfg + " belongs to uid 1234 "
		    "(fix: chown tester " + cfg + ")" + unsafe },
		{ store, 65534, 54321, 0770, store + " is writable by group "
		    "54321, which is not yours alone (fix: chmod g-w " + store +
		    ")" + unsafe },
		{ store, 65534, 54321, 0777, store + " is writable by others "
		    "and by group 54321, which is not yours alone (fix: chmod "
		    "go-w " + store + ")" + unsafe },
	};
	for (const auto &o : owned) {
		SCOPED_TRACE(o.path);
		struct stat sb;

		ASSERT_EQ(stat(o.path.c_str(), &sb), 0);
		chown(o.path.c_str(), o.uid, o.gid);
		chmod(o.path.c_str(), o.mode);
		EXPECT_EQ(as_nobody([&o] {
			std::string error = read_error();

			if (error == o.error)
				return 0;
			fprintf(stderr, "%s", error.c_str());
			return 1;
		}), 0);
		chown(o.path.c_str(), sb.st_uid, sb.st_gid);
		chmod(o.path.c_str(), sb.st_mode & 07777);
	}
}
