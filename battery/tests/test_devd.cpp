/*
 * The devd channel against the simulated laptop's devd, a real local
 * stream socket: recognising battery notifications, assembling lines,
 * growing the buffer, and losing and regaining devd.
 */
#include <errno.h>
#include <string.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "sim_fixture.h"

using DevdChannel = SimLaptop;

/* A line and whether it is a battery notification. */
struct LineCase {
	const char	*line;
	int		battery;
};

static const LineCase line_cases[] = {
	{ "!system=ACPI subsystem=CMBAT type=\\_SB_.PCI0.BAT0 notify=0x80", 1 },
	{ "!subsystem=CMBAT system=IFNET", 1 },		/* CMBAT came first */
	{ "!system=IFNET subsystem=CMBAT", 0 },
	{ "!system=ACPI subsystem=ACAD type=\\_SB_.ACAD notify=0x01", 0 },
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
};

TEST_F(DevdChannel, RecognisesBatteryNotifications)
{
	ready();
	for (const LineCase &c : line_cases) {
		SCOPED_TRACE(c.line);
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

TEST_F(DevdChannel, DevdRestarts)
{
	ready();
	ASSERT_TRUE(devd->send("!system=ACPI subsys"));
	EXPECT_EQ(read_event(), 0);
	devd->close_client();

	StderrCatcher err;
	EXPECT_EQ(read_event(), 0);
	std::string text = err.text();
	EXPECT_NE(text.find(": Lost connection to devd. Reconnecting ...\n"), std::string::npos)
	    << text;
	EXPECT_EQ(src.devd_len, 0);		/* the partial line is gone */
	EXPECT_EQ(src.devd_pos, 0);
	EXPECT_TRUE(ampelwick_reconnected(&src));
	EXPECT_FALSE(ampelwick_reconnected(&src));

	ASSERT_TRUE(devd->accept_client());
	ASSERT_TRUE(devd->send("bsystem=CMBAT\n"));	/* rest of the lost line */
	ASSERT_TRUE(devd->notify());
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(read_devd_event(&src), 0);
}

TEST_F(DevdChannel, DevdGoesAwayAndComesBack)
{
	ready();
	SimReadings r = readings;
	r.devd_pause_ms = 50;	/* 30 attempts: 1.5 s for the restart below */
	write(r);
	devd->stop();

	std::thread restarter([this] {
		std::this_thread::sleep_for(std::chrono::milliseconds(60));
		EXPECT_TRUE(devd->start());
	});
	StderrCatcher err;
	int result = read_devd_event(&src);
	std::string text = err.text();
	restarter.join();

	EXPECT_EQ(result, 0) << src.error;
	EXPECT_NE(text.find("Lost connection to devd. Reconnecting ..."), std::string::npos);
	EXPECT_TRUE(ampelwick_reconnected(&src));
	EXPECT_FALSE(ampelwick_reconnected(&src));
	ASSERT_TRUE(devd->accept_client());
	ASSERT_TRUE(devd->notify());
	EXPECT_EQ(read_event(), 1);
}

TEST_F(DevdChannel, DevdStaysAway)
{
	ready();
	devd->stop();
	sim_counters before = platform_sim_counters();

	StderrCatcher err;
	EXPECT_EQ(read_devd_event(&src), -1);
	std::string text = err.text();
	EXPECT_STREQ(src.error, "Connecting to devd failed. Giving up.");
	EXPECT_NE(text.find("Lost connection to devd. Reconnecting ..."), std::string::npos);
	EXPECT_EQ(src.devd_fd, -1);
	EXPECT_FALSE(src.reconnected);
	sim_counters after = platform_sim_counters();
	EXPECT_EQ(after.devd_attempts - before.devd_attempts, 30);
	EXPECT_EQ(after.devd_pauses - before.devd_pauses, 30);
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
	EXPECT_EQ(src.devd_size, 2048);
}
