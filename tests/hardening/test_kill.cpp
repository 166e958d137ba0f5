/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Crash consistency: a process that saves the settings over and over is
 * killed with SIGKILL at a random moment, again and again.  After every
 * kill the file must be one whole version, old or new, byte for byte, and
 * read back as that version.  Temporary files of a save cut short cannot
 * be removed by the killed writer; they are counted and cleared.
 *
 * AMPELWICK_KILL_ITERATIONS sets the number of kills (300 by default).
 */
#include <sys/stat.h>
#include <sys/wait.h>

#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "saved_versions.h"
#include "test_home.h"

namespace {

std::string
read_file(const std::string &path)
{
	std::ifstream in(path, std::ios::binary);
	std::ostringstream ss;

	ss << in.rdbuf();
	return ss.str();
}

std::vector<std::string>
list_dir(const std::string &dir)
{
	std::vector<std::string> names;

	if (DIR *d = opendir(dir.c_str())) {
		while (struct dirent *e = readdir(d))
			if (e->d_name[0] != '.')
				names.push_back(e->d_name);
		closedir(d);
	}
	return names;
}

/* Starts the saver and waits until it has saved once; its pid or -1. */
pid_t
start_saver(const std::string &home)
{
	int fds[2];
	pid_t pid;
	char c;

	if (pipe(fds) != 0)
		return -1;
	if ((pid = fork()) == 0) {
		close(fds[0]);
		execl(SETTINGS_SAVER, SETTINGS_SAVER, home.c_str(),
		    std::to_string(fds[1]).c_str(), static_cast<char *>(nullptr));
		_exit(127);
	}
	close(fds[1]);
	struct pollfd pfd = { fds[0], POLLIN, 0 };
	bool ready = pid > 0 && poll(&pfd, 1, 30000) == 1 &&
	    read(fds[0], &c, 1) == 1;
	close(fds[0]);
	if (!ready && pid > 0) {
		kill(pid, SIGKILL);
		waitpid(pid, nullptr, 0);
		return -1;
	}
	return pid;
}

} /* namespace */

TEST(KillWhileSaving, FileIsAlwaysAWholeVersion)
{
	char tmpl[] = "/tmp/ampelwick-kill.XXXXXX";
	ASSERT_NE(mkdtemp(tmpl), nullptr);
	const std::string home = tmpl;
	const std::string dir = home + "/.config/Qor/ampelwick";
	const std::string path = dir + "/config";
	std::string text[2], values[2];

	/* Each version as the writer makes it, and as it reads back. */
	test_home_set(tmpl);
	for (int v = 0; v < 2; v++) {
		cfg_section *s = saved_version(v);
		ASSERT_EQ(cfg_write("ampelwick", "config", s), 0) << cfg_errstr();
		text[v] = read_file(path);
		values[v] = saved_dump(s);
		cfg_free(s);
	}
	ASSERT_NE(text[0], text[1]);
	ASSERT_GT(text[1].size(), 9000u);

	const char *env = getenv("AMPELWICK_KILL_ITERATIONS");
	const int iterations = env != nullptr ? atoi(env) : 300;
	std::random_device seed;
	const unsigned int s = seed();
	std::mt19937 rng(s);
	std::uniform_int_distribution<int> delay_us(0, 5000);
	int seen[2] = { 0, 0 }, corrupt = 0, leftovers = 0;

	for (int i = 0; i < iterations; i++) {
		pid_t pid = start_saver(home);
		ASSERT_GT(pid, 0) << "the saver did not start";
		usleep(static_cast<useconds_t>(delay_us(rng)));
		ASSERT_EQ(kill(pid, SIGKILL), 0);
		int status;
		ASSERT_EQ(waitpid(pid, &status, 0), pid);
		ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended by itself";

		const std::string now = read_file(path);
		cfg_section *back = cfg_read("ampelwick", "config", saved_defs,
		    SAVED_NVARS);
		const std::string got = back != nullptr ? saved_dump(back) :
		    std::string("unreadable: ") + cfg_errstr();
		cfg_free(back);
		int which = now == text[0] ? 0 : now == text[1] ? 1 : -1;
		if (which < 0 || got != values[which]) {
			corrupt++;
			ADD_FAILURE() << "kill " << i << " (seed " << s << "): "
			    << now.size() << " bytes, read back as\n" << got;
		} else
			seen[which]++;
		for (const std::string &name : list_dir(dir))
			if (name != "config") {
				leftovers++;
				unlink((dir + "/" + name).c_str());
			}
	}
	printf("kill iterations: %d, corrupt files: %d, old/new versions seen: "
	    "%d/%d, temporary files left by killed saves: %d (seed %u)\n",
	    iterations, corrupt, seen[0], seen[1], leftovers, s);
	EXPECT_EQ(corrupt, 0);
	std::string cmd = "rm -rf '" + home + "'";
	EXPECT_EQ(system(cmd.c_str()), 0);
}
