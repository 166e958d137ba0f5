/* SPDX-License-Identifier: BSD-2-Clause */
/* The settings value against the real store, in a temporary home. */
#include <sys/stat.h>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "cfg.h"
#include "settings.h"
#include "test_home.h"

namespace {

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

/* No file: the defaults, and nothing written until the first save. */
TEST_F(SettingsTest, DefaultsWithoutFileWrittenInSlotOrder)
{
	Settings s;
	s.pollInterval = 99;
	ASSERT_TRUE(settings_load(&s));
	EXPECT_TRUE(s == Settings());
	EXPECT_EQ(access(path().c_str(), F_OK), -1);

	ASSERT_TRUE(settings_save(s));
	EXPECT_EQ(file(), std::string("autoshutdown = false\n"
	    "shutdown_cap = 5\n"
	    "shutdown_cmd = \"") + DEFAULT_SHUTDOWN_CMD + "\"\n"
	    "suspend_cmd = \"" + DEFAULT_SUSPEND_CMD + "\"\n"
	    "suspend = true\n"
	    "use_icon_theme = true\n"
	    "poll_interval = 5\n\n");
}

/* Every field, and commands byte for byte: quotes, long, not UTF-8. */
TEST_F(SettingsTest, RoundTripKeepsEveryFieldAndCommandBytes)
{
	Settings s;
	s.autoShutdown = true;
	s.suspend = false;
	s.shutdownCap = 12;
	s.useIconTheme = false;
	s.pollInterval = 30;
	s.warnLevel = 20;
	s.criticalLevel = 7;
	s.notifyCharger = true;
	s.shutdownCmd = "echo 'off now' \"#1\" \\ " + std::string(40000, 'x');
	s.suspendCmd = "/home/j\xf6rg/bin/suspend --now";
	EXPECT_EQ(s.command(), s.shutdownCmd);
	ASSERT_TRUE(settings_save(s));

	Settings back;
	ASSERT_TRUE(settings_load(&back)) << cfg_errstr();
	EXPECT_TRUE(back == s);
	back.suspend = true;
	EXPECT_EQ(back.command(), s.suspendCmd);
}

TEST_F(SettingsTest, MissingVariablesTakeTheirDefaults)
{
	writeFile("poll_interval = 9\nsuspend_cmd = \"zzz\"\n");
	Settings s;
	ASSERT_TRUE(settings_load(&s)) << cfg_errstr();
	Settings want;
	want.pollInterval = 9;
	want.suspendCmd = "zzz";
	EXPECT_TRUE(s == want);
}

/* Failures leave the text with the store; the value stays as it was. */
TEST_F(SettingsTest, FailuresReportedThroughTheStore)
{
	writeFile("autoshutdown = true\nAutoshutdown = false\n");
	Settings s;
	s.shutdownCap = 42;
	EXPECT_FALSE(settings_load(&s));
	EXPECT_NE(strstr(cfg_errstr(), "Unknown variable"), nullptr);
	EXPECT_EQ(s.shutdownCap, 42);

	/* Even root cannot put a file where a directory stands. */
	ASSERT_EQ(unlink(path().c_str()), 0);
	ASSERT_EQ(mkdir(path().c_str(), 0700), 0);
	EXPECT_FALSE(settings_save(s));
	EXPECT_NE(strstr(cfg_errstr(), path().c_str()), nullptr);
}

} // namespace
