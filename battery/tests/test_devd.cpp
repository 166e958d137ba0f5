/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The devd channel against the simulated laptop's devd, a real local
 * stream socket: recognising battery notifications, assembling lines,
 * growing the buffer, lines too long to keep, and losing and regaining
 * devd one attempt at a time.
 */
#include <sys/wait.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "progname.h"
#include "sim_fixture.h"

using DevdChannel = SimLaptop;

/* A line and whether it is a battery notification. */
struct LineCase {
	std::string	line;
	int		battery;
};

static const LineCase line_cases[] = {
	{ "!system=ACPI subsystem=CMBAT type=\\_SB_.PCI0.BAT0 notify=0x80", 1 },
	{ "!subsystem=CMBAT system=IFNET", 1 },		/* CMBAT came first */
	{ "!system=IFNET subsystem=CMBAT", 0 },
	{ "!system=ACPI subsystem=ACAD type=\\_SB_.ACAD notify=0x01", 1 },
	{ "!system=ACPI subsystem=cmbat", 0 },		/* case counts */
	{ "!system=ACPI subsystem=CMBAT0", 0 },
	{ "!system=ACPI subsystems=CMBAT", 0 },		/* not "subsystem" */
	{ "!system=acpi subsystem=CMBAT", 0 },
	{ "!bare system=ACPI also-bare subsystem=CMBAT", 1 },	/* no "=": skipped */
	{ "!  system=ACPI   subsystem=CMBAT  ", 1 },
	{ "!system=ACPI\tsubsystem=CMBAT", 0 },		/* a tab separates nothing */
	{ "!type=x=y subsystem=CMBAT=z", 0 },		/* value "CMBAT=z" */
	{ "!=CMBAT subsystem=CMBAT", 1 },
	{ "system=ACPI subsystem=CMBAT", 0 },		/* no "!" */
	{ "+acpi_acad0 at ... on acpi0", 0 },
	{ "", 0 },
	{ "!", 0 },
	/* strtok sees the line up to its first NUL */
	{ std::string("!system=ACPI\0 subsystem=CMBAT", 30), 0 },
};

TEST_F(DevdChannel, RecognisesBatteryNotifications)
{
	ready();
	for (const LineCase &c : line_cases) {
		SCOPED_TRACE(c.line.c_str());
		ASSERT_TRUE(devd->send_line(c.line));
		EXPECT_EQ(read_event(), c.battery);
		/* Everything was consumed either way. */
		EXPECT_EQ(src.devd_pos, src.devd_len);
		EXPECT_EQ(read_devd_event(&src), 0);
	}
	EXPECT_EQ(src.devd_size, 2048);
	EXPECT_FALSE(ampelwick_reconnected(&src));
}

TEST_F(DevdChannel, FirstCallMakesTheBuffer)
{
	ready();
	EXPECT_EQ(src.devd_buf, nullptr);
	EXPECT_EQ(read_devd_event(&src), 0);	/* nothing waiting */
	EXPECT_NE(src.devd_buf, nullptr);
	EXPECT_EQ(src.devd_size, 2048);
	EXPECT_EQ(src.devd_len, 0);
}

TEST_F(DevdChannel, LineSplitAcrossReads)
{
	ready();
	std::string line = "!system=ACPI subsystem=CMBAT type=BAT0 notify=0x80\n";

	ASSERT_TRUE(devd->send(line.substr(0, 20)));
	EXPECT_EQ(read_event(), 0);
	EXPECT_EQ(src.devd_len, 20);		/* kept for the next call */
	ASSERT_TRUE(devd->send(line.substr(20)));
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(read_devd_event(&src), 0);
}

TEST_F(DevdChannel, TwoNotificationsInOneRead)
{
	ready();
	ASSERT_TRUE(devd->send("!system=IFNET subsystem=em0 type=LINK_UP\n"
	    "!system=ACPI subsystem=CMBAT type=BAT0 notify=0x80\n"
	    "!system=ACPI subsystem=CMBAT type=BAT0 notify=0x81\n"));
	EXPECT_EQ(read_event(), 1);
	/* The second one is already held: found without reading. */
	int held = src.devd_len - src.devd_pos;
	EXPECT_EQ(held, static_cast<int>(strlen("!system=ACPI subsystem=CMBAT type=BAT0 notify=0x81\n")));
	EXPECT_EQ(read_devd_event(&src), 1);
	EXPECT_EQ(read_devd_event(&src), 0);
}

TEST_F(DevdChannel, LongLineGrowsTheBuffer)
{
	ready();
	std::string line = "!system=ACPI subsystem=CMBAT pad=";
	line += std::string(5000 - line.size(), 'p');

	ASSERT_TRUE(devd->send(line.substr(0, 3000)));
	EXPECT_EQ(read_event(), 0);
	EXPECT_EQ(src.devd_size, 4096);
	EXPECT_EQ(src.devd_len, 3000);
	ASSERT_TRUE(devd->send(line.substr(3000) + "\n"));
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(src.devd_size, 6144);
	EXPECT_EQ(src.devd_pos, 5001);
	EXPECT_LE(src.devd_len, src.devd_size - 1);

	/* The block is kept, never shrunk. */
	ASSERT_TRUE(devd->notify());
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(src.devd_size, 6144);
}

TEST_F(DevdChannel, FullBlockOfOtherLines)
{
	ready();
	/*
	 * 2047 bytes without a newline fill the block but for its one free
	 * byte; it grows before the next read, even when nothing follows.
	 */
	ASSERT_TRUE(devd->send(std::string(2047, 'x')));
	EXPECT_EQ(read_event(), 0);
	EXPECT_EQ(src.devd_len, 2047);
	EXPECT_EQ(src.devd_size, 4096);
	ASSERT_TRUE(devd->send("\n"));
	EXPECT_EQ(read_event(), 0);
	EXPECT_EQ(src.devd_size, 4096);
	EXPECT_EQ(src.devd_pos, src.devd_len);
}

TEST_F(DevdChannel, OverlongLinesAreDroppedWithOneMessage)
{
	ready();
	const std::string battery = "!system=ACPI subsystem=CMBAT type=BAT0\n";
	const std::string kept = "!system=ACPI subsystem=CMBAT pad=" +
	    std::string((1 << 20) - 33, 'p') + "\n";
	std::string stream = "!system=ACPI subsystem=CMBAT pad=" +
	    std::string(3 << 20, 'p') + "\n" + battery + kept +
	    "!" + std::string((1 << 20) + 1, 'x') + "\n" + battery;
	std::thread sender([this, &stream] { EXPECT_TRUE(devd->send(stream)); });
	StderrCatcher err;
	int events = 0;

	/* Each call returns after a bounded read: the caller's loop goes on. */
	while (events < 3) {
		struct pollfd pfd = { src.devd_fd, POLLIN, 0 };
		ASSERT_EQ(poll(&pfd, 1, 5000), 1) << events;
		int r = read_devd_event(&src);
		ASSERT_NE(r, -1) << src.error;
		events += r;
		ASSERT_LE(src.devd_size, devd_line_max + 1 + 2048);
	}
	sender.join();
	std::string text = err.text();
	EXPECT_EQ(read_devd_event(&src), 0);
	/* The line of exactly 1 MiB is kept, the two longer ones dropped. */
	size_t first = text.find("Dropped a devd line longer than 1048576 bytes.");
	EXPECT_NE(first, std::string::npos) << text;
	EXPECT_NE(text.find("Dropped", first + 1), std::string::npos) << text;
	EXPECT_EQ(text.find("Dropped", text.find("Dropped", first + 1) + 1),
	    std::string::npos) << text;
}

TEST_F(DevdChannel, OneCallReadsABoundedAmount)
{
	ready();
	/* More than one call's worth waits; no newline anywhere. */
	ASSERT_TRUE(devd->send(std::string(DEVD_CALL_BUDGET + 4096, 'x')));
	EXPECT_EQ(read_event(), 0);
	struct pollfd pfd = { src.devd_fd, POLLIN, 0 };
	EXPECT_EQ(poll(&pfd, 1, 0), 1);
	EXPECT_EQ(read_devd_event(&src), 0);
	EXPECT_EQ(src.devd_len, DEVD_CALL_BUDGET + 4096);
}

TEST_F(DevdChannel, DevdRestarts)
{
	ready();
	ASSERT_TRUE(devd->send("!system=ACPI subsys"));
	EXPECT_EQ(read_event(), 0);
	devd->close_client();

	StderrCatcher err;
	EXPECT_EQ(read_event(), 0);
	EXPECT_EQ(read_devd_event(&src), 0);	/* found once */
	std::string text = err.text();
	EXPECT_EQ(text, std::string(test_progname()) +
	    ": Lost connection to devd. Reconnecting ...\n");
	EXPECT_EQ(src.devd_fd, -1);
	EXPECT_EQ(src.devd_len, 0);		/* the partial line is gone */
	EXPECT_TRUE(ampelwick_reconnecting(&src));
	EXPECT_FALSE(ampelwick_reconnected(&src));

	/* The step the caller's timer takes; devd still listens. */
	EXPECT_EQ(ampelwick_reconnect(&src), 1);
	EXPECT_FALSE(ampelwick_reconnecting(&src));
	EXPECT_TRUE(ampelwick_reconnected(&src));
	EXPECT_FALSE(ampelwick_reconnected(&src));
	EXPECT_EQ(ampelwick_reconnect(&src), 0);	/* nothing pending */
	ASSERT_TRUE(devd->accept_client());
	int flags = fcntl(src.devd_fd, F_GETFD);
	EXPECT_TRUE(flags != -1 && (flags & FD_CLOEXEC));
	ASSERT_TRUE(devd->send("bsystem=CMBAT\n"));	/* rest of the lost line */
	ASSERT_TRUE(devd->notify());
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(read_devd_event(&src), 0);
}

TEST_F(DevdChannel, DevdStaysAwayThenGivesUp)
{
	ready();
	devd->stop();
	{
		StderrCatcher err;
		EXPECT_EQ(read_event(), 0);
	}
	int before = platform_sim_devd_attempts();

	/* One attempt per step, none of them waiting. */
	for (int i = 1; i < 30; i++)
		ASSERT_EQ(ampelwick_reconnect(&src), 0) << i;
	EXPECT_TRUE(ampelwick_reconnecting(&src));
	EXPECT_EQ(ampelwick_reconnect(&src), -1);
	EXPECT_STREQ(src.error, "Connecting to devd failed. Giving up.");
	EXPECT_EQ(platform_sim_devd_attempts() - before, 30);
	EXPECT_FALSE(ampelwick_reconnecting(&src));
	EXPECT_EQ(src.devd_fd, -1);
}

TEST_F(DevdChannel, ReadErrorEmptiesTheBuffer)
{
	ready();
	ASSERT_TRUE(devd->send("!system=ACPI"));
	EXPECT_EQ(read_event(), 0);
	/*
	 * devd closes with bytes of ours unread: the next read fails with
	 * ECONNRESET instead of seeing the end of the stream.
	 */
	ASSERT_EQ(::write(src.devd_fd, "?", 1), 1);
	devd->close_client();
	EXPECT_EQ(read_devd_event(&src), -1);
	EXPECT_EQ(std::string(src.error), std::string("read_devd_event():") + strerror(ECONNRESET));
	EXPECT_EQ(src.devd_len, 0);
	EXPECT_EQ(src.devd_pos, 0);
}

namespace {

int alloc_count, fail_at;

void *
counted_malloc(size_t n)
{
	return ++alloc_count == fail_at ? nullptr : malloc(n);
}

void *
counted_realloc(void *p, size_t n)
{
	return ++alloc_count == fail_at ? (errno = ENOMEM, nullptr) : realloc(p, n);
}

} /* namespace */

/*
 * A line of 5000 bytes needs the first block and two growths.  The first
 * failing gives 0 with nothing changed (the next call tries again); a
 * growth failing ends the process with status 1 and "realloc()".
 */
TEST_F(DevdChannel, FailingAllocations)
{
	ready();
	std::string line = "!system=ACPI subsystem=CMBAT pad=";
	line += std::string(5000 - line.size(), 'p') + "\n";
	ASSERT_TRUE(devd->send(line));

	alloc_count = 0;
	fail_at = 1;
	batt_sys = { counted_malloc, counted_realloc };
	EXPECT_EQ(read_event(), 0);
	EXPECT_EQ(src.devd_buf, nullptr);

	fflush(nullptr);
	pid_t pid = fork();
	ASSERT_NE(pid, -1);
	if (pid == 0) {
		int null = open("/dev/null", O_WRONLY);
		dup2(null, 2);
		alloc_count = 0;
		fail_at = 3;
		read_devd_event(&src);
		_exit(42);
	}
	int status;
	ASSERT_EQ(waitpid(pid, &status, 0), pid);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
	batt_sys_reset();
}

TEST_F(DevdChannel, FloodOfNotifications)
{
	constexpr int count = 20000;
	std::string flood;

	ready();
	for (int i = 0; i < count; i++)
		flood += i % 2 ? "!system=ACPI subsystem=CMBAT type=\\_SB_.BAT0 notify=0x80\n" :
		    "!system=IFNET subsystem=em0 type=LINK_UP\n";
	std::thread sender([this, &flood] { EXPECT_TRUE(devd->send(flood)); });
	int events = 0, r;

	while (events < count / 2) {
		struct pollfd pfd = { src.devd_fd, POLLIN, 0 };
		ASSERT_EQ(poll(&pfd, 1, 5000), 1) << events;
		while ((r = read_devd_event(&src)) == 1)
			events++;
		ASSERT_EQ(r, 0) << src.error;
	}
	sender.join();
	EXPECT_EQ(events, count / 2);
	EXPECT_EQ(src.devd_size, 2048);	/* short lines never grow it */
}
