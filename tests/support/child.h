/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Test support: a check run in a child process, as another user where
 * permissions matter (root passes every permission check).
 */
#ifndef AMPELWICK_TEST_CHILD_H
#define AMPELWICK_TEST_CHILD_H

#include <sys/types.h>
#include <sys/wait.h>

#include <grp.h>
#include <stdio.h>
#include <unistd.h>

#include <functional>

/*
 * Runs fn in a child, which drops to uid and gid 65534 first when drop is
 * set and it runs as root; fn's result, -100 on a crash.
 */
inline int
run_in_child(const std::function<int()> &fn, bool drop)
{
	pid_t pid;
	int status;

	fflush(nullptr);
	if ((pid = fork()) < 0)
		return -100;
	if (pid == 0) {
		if (drop && geteuid() == 0 && (setgroups(0, nullptr) != 0 ||
		    setgid(65534) != 0 || setuid(65534) != 0))
			_exit(99);
		_exit(fn() & 0xff);
	}
	if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
		return -100;
	return WEXITSTATUS(status);
}

#endif
