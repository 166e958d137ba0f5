/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Whether a file may be trusted.  A program keeps shell commands in its
 * settings, so a file that another user could change, or put in place, is
 * not read: the file and every directory from the home directory down to
 * it (along its real path) must belong to the user or to root and be
 * writable neither by others nor by a group that holds another user.  A
 * group that holds the user alone, such as a user private group, is fine.
 * A file outside the home directory is checked up to the root directory.
 */
#include <sys/stat.h>
#include <sys/types.h>

#include <errno.h>
#include <grp.h>
#include <limits.h>
#include <pwd.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "cfg_internal.h"

/* The group's name, or its number when the group database has none. */
struct group_name {
	char	text[64];
};

/*
 * True when the group gid holds the user uid and no one else, as its
 * members or as the primary group of a password entry.  A group without
 * the user (one without members is used by set-group-ID programs) is not
 * the user's alone.
 */
static bool
users_own_group(gid_t gid, uid_t uid, group_name *name)
{
	struct group *gr;
	struct passwd *pw;
	bool mine = false, other = false;

	snprintf(name->text, sizeof(name->text), "%lu",
	    static_cast<unsigned long>(gid));
	if ((gr = getgrgid(gid)) != nullptr) {
		snprintf(name->text, sizeof(name->text), "%s", gr->gr_name);
		for (char **m = gr->gr_mem; *m != nullptr && !other; m++) {
			if ((pw = getpwnam(*m)) != nullptr && pw->pw_uid == uid)
				mine = true;
			else
				other = true;
		}
	}
	endgrent();
	setpwent();
	while (!other && (pw = getpwent()) != nullptr)
		if (pw->pw_gid == gid) {
			if (pw->pw_uid == uid)
				mine = true;
			else
				other = true;
		}
	endpwent();
	return mine && !other;
}

/* The user's name for the chown that gives a file back. */
static void
user_name(uid_t uid, char *buf, size_t size)
{
	struct passwd *pw = getpwuid(uid);

	if (pw != nullptr && pw->pw_name != nullptr)
		snprintf(buf, size, "%s", pw->pw_name);
	else
		snprintf(buf, size, "%lu", static_cast<unsigned long>(uid));
	endpwent();
}

/* 0 when no other user can change path, whose status is sb. */
static int
check(const char *path, const struct stat *sb, uid_t uid)
{
	group_name group;
	char user[64];
	bool others, by_group;

	if (sb->st_uid != uid && sb->st_uid != 0) {
		user_name(uid, user, sizeof(user));
		errno = EPERM;
		cfg_set_error(CFG_ERR_UNSAFE, "%s belongs to uid %lu "
		    "(fix: chown %s %s)", path,
		    static_cast<unsigned long>(sb->st_uid), user, path);
		return -1;
	}
	others = (sb->st_mode & S_IWOTH) != 0;
	by_group = (sb->st_mode & S_IWGRP) != 0 &&
	    !users_own_group(sb->st_gid, uid, &group);
	if (!others && !by_group)
		return 0;
	errno = EPERM;
	if (!by_group)
		cfg_set_error(CFG_ERR_UNSAFE, "%s is writable by others "
		    "(fix: chmod o-w %s)", path, path);
	else
		cfg_set_error(CFG_ERR_UNSAFE, "%s is writable by %sgroup %s, "
		    "which is not yours alone (fix: chmod %s-w %s)", path,
		    others ? "others and by " : "", group.text,
		    others ? "go" : "g", path);
	return -1;
}

/* The real path of the user's home directory; empty when it has none. */
static void
real_home(char *buf)
{
	struct passwd *pw = getpwuid(getuid());

	buf[0] = '\0';
	if (pw == nullptr || pw->pw_dir == nullptr ||
	    realpath(pw->pw_dir, buf) == nullptr)
		buf[0] = '\0';
	endpwent();
}

int
cfg_check_trust(const char *path, const struct stat *sb)
{
	char real[PATH_MAX], home[PATH_MAX];
	uid_t uid = getuid();
	struct stat dsb;
	char *slash;

	if (check(path, sb, uid) != 0)
		return -1;
	real_home(home);
	if (realpath(path, real) == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "realpath()");
		return -1;
	}
	/* Upwards from the file's directory to the home or the root. */
	while ((slash = strrchr(real, '/')) != nullptr) {
		slash[slash == real ? 1 : 0] = '\0';
		if (stat(real, &dsb) != 0) {
			cfg_set_error(CFG_ERR_FATAL, "stat()");
			return -1;
		}
		if (check(real, &dsb, uid) != 0)
			return -1;
		if (strcmp(real, home) == 0 || strcmp(real, "/") == 0)
			break;
	}
	return 0;
}
