/* SPDX-License-Identifier: BSD-2-Clause */
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "sim_fixture.h"
#include "test_home.h"

void
SimLaptop::SetUp()
{
	char tmpl[] = "/tmp/ampelwick-battery.XXXXXX";

	ASSERT_NE(mkdtemp(tmpl), nullptr);
	home = tmpl;
	test_home_set(home.c_str());
	readings.devd_pause_ms = 0;
	write(readings);
	devd = new SimDevd(home.c_str());
	ASSERT_TRUE(devd->start());
	ampelwick_clear(&src);
}

void
SimLaptop::TearDown()
{
	delete devd;
	ampelwick_release(&src);
	std::string cmd = "rm -rf '" + home + "'";
	if (!home.empty()) {
		EXPECT_EQ(system(cmd.c_str()), 0);
	}
}

void
SimLaptop::write(const SimReadings &r)
{
	readings = r;
	ASSERT_TRUE(sim_laptop_write(home.c_str(), r));
}

int
SimLaptop::init()
{
	int r = ampelwick_init(&src);

	if (r == 1) {
		EXPECT_TRUE(devd->accept_client());
	}
	return r;
}

void
SimLaptop::ready()
{
	ASSERT_EQ(init(), 1) << src.error;
}

int
SimLaptop::read_event()
{
	struct pollfd pfd = { src.devd_fd, POLLIN, 0 };

	EXPECT_EQ(poll(&pfd, 1, 5000), 1);
	return read_devd_event(&src);
}

StderrCatcher::StderrCatcher()
{
	char tmpl[] = "/tmp/ampelwick-stderr.XXXXXX";
	int fd = mkstemp(tmpl);

	path_ = tmpl;
	fflush(stderr);
	saved_ = dup(2);
	dup2(fd, 2);
	close(fd);
}

StderrCatcher::~StderrCatcher()
{
	text();
}

std::string
StderrCatcher::text()
{
	if (saved_ != -1) {
		fflush(stderr);
		dup2(saved_, 2);
		close(saved_);
		saved_ = -1;
	}
	std::ifstream in(path_);
	std::stringstream ss;
	ss << in.rdbuf();
	unlink(path_.c_str());
	return ss.str();
}
