/* SPDX-License-Identifier: BSD-2-Clause */
#include <sys/types.h>

#include <errno.h>
#include <limits.h>
#include <pwd.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "test_home.h"

/* Until a test chooses a home, lookups land where nothing can be written. */
static char	home[PATH_MAX] = "/nonexistent/ampelwick-test-home";
static int	fail_errno = -1;
static int	lookups;
static struct passwd entry;

void
test_home_set(const char *dir)
{
	snprintf(home, sizeof(home), "%s", dir);
	fail_errno = -1;
}

void
test_home_fail(int err)
{
	fail_errno = err;
}

int
test_home_lookups(void)
{
	return lookups;
}

struct passwd *
getpwuid(uid_t uid)
{
	lookups++;
	if (fail_errno >= 0) {
		errno = fail_errno;
		return NULL;
	}
	memset(&entry, 0, sizeof(entry));
	entry.pw_name = (char *)"tester";
	entry.pw_passwd = (char *)"*";
	entry.pw_uid = uid;
	entry.pw_gid = getgid();
	entry.pw_gecos = (char *)"ampelwick tests";
	entry.pw_dir = home;
	entry.pw_shell = (char *)"/bin/sh";
	return &entry;
}
