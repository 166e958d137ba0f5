/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The simulated laptop itself: how it reads its readings, and the
 * out-of-process driver tools/simlaptop.py against the program's code.
 */
#include <sys/wait.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "platform.h"
#include "sim_fixture.h"

using SimMachine = SimLaptop;

TEST_F(SimMachine, ReadingsFileIsForgiving)
{
	ASSERT_TRUE(sim_laptop_write_text(home.c_str(),
	    "# a comment\nunits=2\ncolour=blue\ncap=-5\nnonsense\nstate=0x2\n"
	    "wcap=4294967295\nlfcap=abc\nacline=1\n9.cap=3\n1.cap=7\n"));
	int fd = platform_open();
	ASSERT_GE(fd, 0);

	batt_reading r[2];
	ASSERT_EQ(platform_read_batteries(fd, 2, r, 2), 2);
	EXPECT_EQ(r[0].percent, -5);
	EXPECT_EQ(r[0].flags, 2);
	EXPECT_EQ(r[0].minutes, -1);		/* not given */
	EXPECT_EQ(r[1].percent, 7);
	EXPECT_EQ(r[1].flags, 7);		/* not given: an empty bay */

	ASSERT_EQ(platform_read_levels(fd, 0, &r[0]), 0);
	EXPECT_EQ(r[0].warn, 0xffffffffLL);
	EXPECT_EQ(r[0].full, 0);		/* unreadable value: not given */

	int acline = 0;
	ASSERT_EQ(platform_acline(fd, &acline), 0);
	EXPECT_EQ(acline, 1);
	close(fd);
}

TEST_F(SimMachine, WithoutReadingsOrMachine)
{
	int units = 0, fd;
	bool stream;

	/* Readings gone: the device opens, every other operation fails. */
	sim_laptop_remove(home.c_str());
	ASSERT_GE(fd = platform_open(), 0);
	EXPECT_EQ(platform_battery_units(&units), -1);
	EXPECT_EQ(errno, ENXIO);
	EXPECT_EQ(platform_acline(fd, &units), -1);
	EXPECT_EQ(errno, ENXIO);
	close(fd);

	/* No machine at all. */
	delete devd;
	devd = nullptr;
	std::string cmd = "rm -rf '" + sim_laptop_dir(home.c_str()) + "'";
	ASSERT_EQ(system(cmd.c_str()), 0);
	EXPECT_EQ(platform_open(), -1);
	EXPECT_EQ(errno, ENOENT);
	EXPECT_EQ(platform_events_open(&stream), -1);
}

/* The driver script as a child: commands on its stdin, answers on stdout. */
class SimTool {
public:
	explicit SimTool(const std::string &home)
	{
		int in[2], out[2];

		if (pipe(in) == -1 || pipe(out) == -1)
			return;
		pid_ = fork();
		if (pid_ == 0) {
			dup2(in[0], 0);
			dup2(out[1], 1);
			execl(PYTHON3, PYTHON3, SIMLAPTOP, "--home", home.c_str(), "devd",
			    static_cast<char *>(nullptr));
			_exit(127);
		}
		close(in[0]);
		close(out[1]);
		to_ = fdopen(in[1], "w");
		from_ = fdopen(out[0], "r");
	}

	~SimTool()
	{
		if (to_ != nullptr)
			fclose(to_);
		if (from_ != nullptr)
			fclose(from_);
		if (pid_ > 0)
			waitpid(pid_, nullptr, 0);
	}

	/* The next line it prints. */
	std::string answer()
	{
		char buf[128];

		if (from_ == nullptr || fgets(buf, sizeof(buf), from_) == nullptr)
			return "";
		buf[strcspn(buf, "\n")] = '\0';
		return buf;
	}

	std::string command(const char *cmd)
	{
		fprintf(to_, "%s\n", cmd);
		fflush(to_);
		return answer();
	}

private:
	pid_t	pid_ = -1;
	FILE	*to_ = nullptr;
	FILE	*from_ = nullptr;
};

static int
run_tool(const std::string &args)
{
	std::string cmd = std::string(PYTHON3) + " " + SIMLAPTOP + " " + args;

	return system(cmd.c_str());
}

TEST_F(SimMachine, DrivenByTheScript)
{
	delete devd;			/* the script serves devd here */
	devd = nullptr;
	ASSERT_EQ(run_tool("--home '" + home + "' write units=1 cap=42 min=7 state=2 "
	    "acline=1 lfcap=1000 wcap=200 lcap=30 devd_pause_ms=0"), 0);

	SimTool tool(home);
	ASSERT_EQ(tool.answer(), "ready");
	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.capacity, 42);
	EXPECT_EQ(src.status.state, BATT_CHARGING);
	ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
	EXPECT_EQ(src.status.warn_capacity, 20);
	EXPECT_EQ(src.status.low_capacity, 3);

	/* The client is taken in the background; wait until it is. */
	for (int i = 0; i < 500 && tool.command("clients") != "clients 1"; i++)
		usleep(10000);
	EXPECT_EQ(tool.command("raw !system=ACPI subsystem=CMBAT\\n"), "ok");
	EXPECT_EQ(read_event(), 1);

	ASSERT_EQ(run_tool("--home '" + home + "' set cap=41 state=1"), 0);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.capacity, 41);
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);
	EXPECT_EQ(src.status.time_left, 7);

	/* devd restarts */
	EXPECT_EQ(tool.command("drop"), "ok");
	{
		StderrCatcher err;
		EXPECT_EQ(read_event(), 0);
	}
	EXPECT_EQ(ampelwick_reconnect(&src), 1);
	for (int i = 0; i < 500 && tool.command("clients") != "clients 1"; i++)
		usleep(10000);
	EXPECT_EQ(tool.command("notify"), "ok");
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(tool.command("quit"), "");
}
