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

#include "child.h"
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

/* Runs fn in a child as uid and gid 65534 (under root); fn's result. */
inline int
as_nobody(const std::function<int()> &fn)
{
	return run_in_child(fn, true);
}

#endif
