/* SPDX-License-Identifier: BSD-2-Clause */
/* The settings value against the real store, in a temporary home. */
#include <sys/stat.h>

#include <string.h>
#include <unistd.h>

#include "cfg.h"
#include "settings_fixture.h"

namespace {

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
	s.iconDigits = true;
	s.shutdownCmd = "echo 'off now' \"#1\" \\ " + std::string(40000, 'x');
	s.suspendCmd = "/home/j\xf6rg/bin/suspend --now";
	EXPECT_EQ(s.command(), s.shutdownCmd);
	ASSERT_TRUE(settings_save(s));
	EXPECT_NE(file().find("\nicon_digits = true\n"), std::string::npos);

	Settings back;
	ASSERT_TRUE(settings_load(&back)) << settings_errstr();
	EXPECT_TRUE(back == s);
	back.suspend = true;
	EXPECT_EQ(back.command(), s.suspendCmd);
}

TEST_F(SettingsTest, MissingVariablesTakeTheirDefaults)
{
	writeFile("poll_interval = 9\nsuspend_cmd = \"zzz\"\n"
	    "use_icon_theme = false\n");
	Settings s;
	ASSERT_TRUE(settings_load(&s)) << settings_errstr();
	Settings want;
	want.pollInterval = 9;
	want.suspendCmd = "zzz";
	want.useIconTheme = false;	/* and suspend stays true */
	EXPECT_TRUE(s == want);
}

/* Numbers that cannot be: the defaults in force, the texts kept as written. */
TEST_F(SettingsTest, NumbersOutOfRangeKeptAsWritten)
{
	static const char *const texts[][2] = {
		{ "101", "1e9" }, { "abc", "fast" }, { "-1", "0" }, { "5x", "3601" },
	};

	for (const auto &t : texts) {
		writeFile(std::string("shutdown_cap = ") + t[0] +
		    "\npoll_interval = " + t[1] + "\n");
		Settings s;
		ASSERT_TRUE(settings_load(&s)) << settings_errstr();
		EXPECT_EQ(s.shutdownCap, 5);
		EXPECT_EQ(s.pollInterval, 5);
		EXPECT_EQ(settings_kept_texts(s), (std::vector<std::string>{
		    std::string("shutdown_cap = ") + t[0],
		    std::string("poll_interval = ") + t[1] }));
		ASSERT_TRUE(settings_save(s));
		Settings back;
		ASSERT_TRUE(settings_load(&back));
		EXPECT_TRUE(back == s) << file();
	}
	static const int bounds[][2] = { { 100, 3600 }, { 0, 1 } };
	for (const auto &b : bounds) {
		writeFile("shutdown_cap = " + std::to_string(b[0]) +
		    "\npoll_interval = " + std::to_string(b[1]) + "\n");
		Settings s;
		ASSERT_TRUE(settings_load(&s));
		EXPECT_EQ(s.shutdownCap, b[0]);
		EXPECT_EQ(s.pollInterval, b[1]);
		EXPECT_TRUE(settings_kept_texts(s).empty());
	}
}

/* Failures leave the text with the store; the value stays as it was. */
TEST_F(SettingsTest, FailuresReportedThroughTheStore)
{
	writeFile("autoshutdown = true\nAutoshutdown = false\n");
	Settings s;
	s.shutdownCap = 42;
	EXPECT_FALSE(settings_load(&s));
	EXPECT_NE(strstr(settings_errstr(), "Unknown variable"), nullptr);
	EXPECT_EQ(s.shutdownCap, 42);

	/* Even root cannot put a file where a directory stands. */
	ASSERT_EQ(unlink(path().c_str()), 0);
	ASSERT_EQ(mkdir(path().c_str(), 0700), 0);
	EXPECT_FALSE(settings_save(s));
	EXPECT_NE(strstr(settings_errstr(), path().c_str()), nullptr);
}

} // namespace
