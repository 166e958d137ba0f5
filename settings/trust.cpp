/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Whether the settings file may be trusted.  The settings hold shell
 * commands that the program runs, so a file that another user could
 * change, or put in place, is not read: the file and every directory from
 * the home directory down to it (along its real path) must belong to the
 * user or to root and be writable neither by others nor by a group that
 * may hold another user.  A file outside the home directory is checked up
 * to the root directory.
 *
 * Only the password entry of the user is looked up, never the whole
 * database, which under LDAP or sssd cannot be listed: a group counts as
 * the user's alone when it is the user's primary group and the group
 * database lists no other member.
 *
 * A sticky directory (/tmp, /var/tmp) that belongs to root or to the user
 * is trusted when what stands below it on the path passed the check: the
 * sticky bit lets no one but the owner of an entry, the directory's owner
 * and root rename or remove it, so nobody else can put another file or
 * directory in its place.  Refusing such a path would turn away a user who
 * keeps a private directory there on purpose, and the chmod that would
 * "fix" /tmp breaks the system.
 */
#include <sys/stat.h>
#include <sys/types.h>

#include <errno.h>
#include <grp.h>
#include <limits.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "trust.h"

/* The user's own: the primary group, with no other member listed. */
static bool
users_own_group(gid_t gid, uid_t uid, char *name, size_t size)
{
	struct passwd *pw = getpwuid(uid);
	struct group *gr;
	const char *user;
	bool mine;

	mine = pw != nullptr && pw->pw_gid == gid;
	user = pw != nullptr && pw->pw_name != nullptr ? pw->pw_name : "";
	snprintf(name, size, "%lu", static_cast<unsigned long>(gid));
	if ((gr = getgrgid(gid)) != nullptr) {
		snprintf(name, size, "%s", gr->gr_name);
		for (char **m = gr->gr_mem; *m != nullptr && mine; m++)
			mine = strcmp(*m, user) == 0;
	}
	endgrent();
	return mine;
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
}

/* 0 when no other user can change path, whose status is sb. */
static int
check(const char *path, const struct stat *sb, uid_t uid, char *why,
    size_t size)
{
	char group[64], user[64], fix[PATH_MAX + 32];
	bool others, by_group;

	if (sb->st_uid != uid && sb->st_uid != 0) {
		user_name(uid, user, sizeof(user));
		snprintf(why, size, "%s belongs to uid %lu (fix: chown %s %s)",
		    path, static_cast<unsigned long>(sb->st_uid), user, path);
		errno = EPERM;
		return -1;
	}
	/* The walk reaches a directory only once the entry below it passed. */
	if (S_ISDIR(sb->st_mode) && (sb->st_mode & S_ISVTX) != 0)
		return 0;
	others = (sb->st_mode & S_IWOTH) != 0;
	by_group = (sb->st_mode & S_IWGRP) != 0 &&
	    !users_own_group(sb->st_gid, uid, group, sizeof(group));
	errno = EPERM;
	if (!others && !by_group)
		return 0;
	/* A chmod of a directory that is not the user's is not advice. */
	if (sb->st_uid != uid)
		snprintf(fix, sizeof(fix), "move the settings out of %s", path);
	else
		snprintf(fix, sizeof(fix), "fix: chmod %s-w %s",
		    others && by_group ? "go" : others ? "o" : "g", path);
	if (!by_group)
		snprintf(why, size, "%s is writable by others (%s)", path, fix);
	else
		snprintf(why, size, "%s is writable by %sgroup %s, which is not "
		    "yours alone (%s)", path, others ? "others and by " : "",
		    group, fix);
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
}

int
settings_trusted(const char *path, char *why, size_t size)
{
	char real[PATH_MAX], home[PATH_MAX];
	uid_t uid = getuid();
	struct stat sb;
	char *slash;
	int rc = 0, saved;

	if (realpath(path, real) == nullptr || stat(real, &sb) != 0) {
		saved = errno;
		snprintf(why, size, "%s: %s", path, strerror(saved));
		errno = saved;
		return -1;
	}
	real_home(home);
	if (check(real, &sb, uid, why, size) != 0)
		rc = -1;
	/* Upwards from the file's directory to the home or the root. */
	while (rc == 0 && (slash = strrchr(real, '/')) != nullptr) {
		slash[slash == real ? 1 : 0] = '\0';
		if (stat(real, &sb) != 0) {
			saved = errno;
			snprintf(why, size, "%s: %s", real, strerror(saved));
			errno = saved;
			rc = -1;
		} else if (check(real, &sb, uid, why, size) != 0)
			rc = -1;
		else if (strcmp(real, home) == 0 || strcmp(real, "/") == 0)
			break;
	}
	saved = errno;
	endpwent();
	errno = saved;
	return rc;
}
