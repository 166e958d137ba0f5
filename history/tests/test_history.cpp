/* SPDX-License-Identifier: BSD-2-Clause */
/* The charge history file, in a temporary state directory. */
#include <sys/stat.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "history.h"

class History : public ::testing::Test {
protected:
	void
	SetUp() override
	{
		char tmpl[] = "/tmp/ampelwick-history.XXXXXX";

		ASSERT_NE(mkdtemp(tmpl), nullptr);
		dir = tmpl;
		setenv("XDG_STATE_HOME", dir.c_str(), 1);
		ASSERT_TRUE(history_default_path(path, sizeof(path)));
		ASSERT_EQ(std::string(path), dir + "/ampelwick/history");
	}

	void
	TearDown() override
	{
		history_close(&h);
		std::string cmd = "rm -rf '" + dir + "'";
		ASSERT_EQ(system(cmd.c_str()), 0);
	}

	std::string
	text()
	{
		std::ifstream f(path);
		std::stringstream ss;

		ss << f.rdbuf();
		return ss.str();
	}

	void
	put(const std::string &s, std::ios::openmode mode = std::ios::trunc)
	{
		std::ofstream(path, std::ios::out | mode) << s;
	}

	int
	load(hist_sample *s, int max = 16)
	{
		return history_load(&h, 0, s, max);
	}

	std::string	dir;
	char		path[PATH_MAX];
	history		h;
	hist_sample	s[16];
};

static constexpr int64_t T = 1800000000;

TEST_F(History, OneAMinuteGapsAcrossSuspendsAndRuns)
{
	ASSERT_EQ(history_open(&h, path), 0) << h.error;
	EXPECT_STREQ(h.error, "");
	EXPECT_EQ(history_add(&h, T, 80, 1, 5), 1);
	EXPECT_EQ(history_add(&h, T + 30, 79, 1, 5), 0);	/* too soon */
	EXPECT_EQ(history_add(&h, T + 65, 79, 1, 5), 1);
	EXPECT_EQ(history_add(&h, T + 3600, 60, 2, 5), 1);	/* after a suspend */
	ASSERT_EQ(load(s), 3);
	EXPECT_TRUE(s[0].gap);
	EXPECT_FALSE(s[1].gap);
	EXPECT_EQ(s[1].percent, 79);
	EXPECT_TRUE(s[2].gap);
	EXPECT_EQ(s[2].state, 2);
	EXPECT_EQ(history_load(&h, T + 60, s, 16), 2);

	/* Killed while writing: the torn line goes, the next run goes on. */
	history_close(&h);
	put("1800003700 5", std::ios::app);
	ASSERT_EQ(history_open(&h, path), 0);
	EXPECT_STREQ(h.error, "");
	EXPECT_EQ(history_add(&h, T + 3660, 61, 2, 5), 1);
	ASSERT_EQ(load(s), 4);
	EXPECT_EQ(s[3].percent, 61);
	EXPECT_TRUE(s[3].gap);			/* a new run */
}

TEST_F(History, KeptForAWeek)
{
	std::string old = "# ampelwick charge history 1\n";

	ASSERT_EQ(history_open(&h, path), 0);
	history_close(&h);
	for (int64_t t = T - 9 * 86400; t < T - 3600; t += 3600)
		old += std::to_string(t) + " 50 1 0\n";
	put(old);
	ASSERT_EQ(history_open(&h, path), 0) << h.error;
	EXPECT_EQ(history_add(&h, T, 40, 1, 5), 1);
	hist_sample all[256];
	int n = history_load(&h, 0, all, 256);
	ASSERT_GT(n, 100);
	EXPECT_GE(all[0].time, T - HIST_KEEP);
	EXPECT_TRUE(all[0].gap);
	EXPECT_EQ(all[n - 1].percent, 40);
	EXPECT_EQ(text().rfind("# ampelwick", 0), 0u);
}

TEST_F(History, DamagedOrOpenToOthers)
{
	ASSERT_EQ(history_open(&h, path), 0);
	history_close(&h);
	put("# ampelwick charge history 1\n1800000000 50 1 0\n<html>\n");
	ASSERT_EQ(history_open(&h, path), 0);
	EXPECT_NE(strstr(h.error, "damaged"), nullptr) << h.error;
	EXPECT_EQ(load(s), 0);
	EXPECT_EQ(history_add(&h, T, 40, 1, 5), 1);
	history_close(&h);

	/* Writable by others: neither read nor written, said once. */
	ASSERT_EQ(chmod(path, 0666), 0);
	const std::string before = text();
	EXPECT_EQ(history_open(&h, path), -1);
	EXPECT_NE(strstr(h.error, "another user"), nullptr) << h.error;
	EXPECT_EQ(history_add(&h, T + 600, 30, 1, 5), 0);
	EXPECT_EQ(text(), before);
}
