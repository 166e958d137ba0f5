/* SPDX-License-Identifier: BSD-2-Clause */
/* The settings' tests: a temporary home and a check run as another user. */
#ifndef AMPELWICK_SETTINGS_FIXTURE_H
#define AMPELWICK_SETTINGS_FIXTURE_H

#include <sys/wait.h>

#include <grp.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "settings.h"
#include "test_home.h"

class SettingsTest : public testing::Test {
protected:
	std::string home;

	void SetUp() override
	{
		char tmpl[] = "/tmp/ampelwick-settings-XXXXXX";

		ASSERT_NE(mkdtemp(tmpl), nullptr);
		home = tmpl;
		test_home_set(tmpl);
	}

	void TearDown() override
	{
		std::string rm = "rm -rf '" + home + "'";
		EXPECT_EQ(system(rm.c_str()), 0);
	}

	std::string path() const
	{
		return home + "/.config/Qor/ampelwick/config";
	}

	std::string file() const
	{
		std::ifstream f(path(), std::ios::binary);
		std::stringstream s;
		s << f.rdbuf();
		return s.str();
	}

	void writeFile(const std::string &text)
	{
		std::string dir = home + "/.config/Qor/ampelwick";
		std::string mk = "mkdir -p '" + dir + "'";
		ASSERT_EQ(system(mk.c_str()), 0);
		std::ofstream(path(), std::ios::binary) << text;
	}
};

/*
 * Runs fn in a child that drops to uid and gid 65534 when running as root
 * (root passes every permission check); fn's result, -100 on a crash.
 */
inline int
as_nobody(const std::function<int()> &fn)
{
	pid_t pid;
	int status;

	fflush(nullptr);
	if ((pid = fork()) < 0)
		return -100;
	if (pid == 0) {
		if (geteuid() == 0 && (setgroups(0, nullptr) != 0 ||
		    setgid(65534) != 0 || setuid(65534) != 0))
			_exit(99);
		_exit(fn() & 0xff);
	}
	if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
		return -100;
	return WEXITSTATUS(status);
}

#endif
