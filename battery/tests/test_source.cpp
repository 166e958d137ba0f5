/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The battery source through the simulated laptop, a FreeBSD machine:
 * start-up, the error texts, a machine without an AC adapter device, two
 * batteries through the all-units query, and the descriptors a command
 * would inherit.
 */
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "sim_fixture.h"

using BatterySource = SimLaptop;

static bool
close_on_exec(int fd)
{
	int flags = fcntl(fd, F_GETFD);

	return flags != -1 && (flags & FD_CLOEXEC) != 0;
}

TEST_F(BatterySource, ReadyReadsTheBatteryOnce)
{
	ready();
	EXPECT_EQ(src.units, 1);
	EXPECT_TRUE(ampelwick_present(&src));
	EXPECT_EQ(src.status.capacity, 80);
	EXPECT_EQ(src.status.time_left, 150);
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);
	EXPECT_STREQ(ampelwick_error(&src), "");
	/* The levels are left for ampelwick_get_batt_info. */
	EXPECT_EQ(src.status.warn_capacity, 10);
	EXPECT_EQ(src.status.low_capacity, 5);
	/* Descriptors that the suspend and shutdown commands do not inherit. */
	EXPECT_TRUE(close_on_exec(src.status.acpi_fd));
	EXPECT_TRUE(close_on_exec(src.devd_fd));

	ampelwick_release(&src);
	EXPECT_EQ(src.devd_fd, -1);
	EXPECT_EQ(src.status.acpi_fd, -1);
	EXPECT_EQ(src.devd_buf, nullptr);
}

TEST_F(BatterySource, BatterySlots)
{
	SimReadings r = readings;

	r.has_units = false;			/* no battery support at all */
	write(r);
	EXPECT_EQ(init(), 0);
	EXPECT_STREQ(src.error, "");
	r.has_units = true;
	r.units = 0;
	write(r);
	EXPECT_EQ(init(), 0);
	r.units = -1;
	write(r);
	EXPECT_EQ(init(), -1);
	EXPECT_STREQ(src.error, "get_units():");
}

/* One failure each; the text must match exactly. */
struct Failure {
	const char	*name;
	void		(*arm)(SimReadings &);
	std::string	text;
};

static const Failure init_failures[] = {
	{ "open", [](SimReadings &r) { r.open_errno = EACCES; },
	  std::string("open(/dev/acpi):") + strerror(EACCES) },
	{ "units", [](SimReadings &r) { r.units_errno = EPERM; },
	  std::string("get_units():sysctlbyname(hw.acpi.battery.units):") + strerror(EPERM) },
	{ "battinfo", [](SimReadings &r) { r.battinfo_errno = ENXIO; },
	  std::string("ampelwick_poll():poll_acpi():ioctl(ACPIIO_BATT_GET_BATTINFO):") +
	  strerror(ENXIO) },
	/* Other AC failures still fail the poll, even without a battery. */
	{ "acad", [](SimReadings &r) { r.acad_errno = EIO; r.state = 7; },
	  std::string("ampelwick_poll():poll_acpi():ioctl(ACPIIO_ACAD_GET_STATUS):") +
	  strerror(EIO) },
};

TEST_F(BatterySource, FailureTexts)
{
	for (const Failure &f : init_failures) {
		SimReadings r;

		SCOPED_TRACE(f.name);
		r.devd_pause_ms = 0;
		f.arm(r);
		write(r);
		ampelwick_release(&src);
		EXPECT_EQ(ampelwick_init(&src), -1);
		EXPECT_EQ(std::string(src.error), f.text);
		EXPECT_EQ(errno, 0);
	}

	/* Later failures have no outer step; the levels keep their values. */
	ampelwick_release(&src);
	SimReadings r;
	r.devd_pause_ms = 0;
	write(r);
	ready();
	r.acad_errno = EBUSY;
	write(r);
	EXPECT_EQ(ampelwick_poll(&src), -1);
	EXPECT_EQ(std::string(src.error),
	    std::string("poll_acpi():ioctl(ACPIIO_ACAD_GET_STATUS):") + strerror(EBUSY));
	r.acad_errno = 0;
	r.bif_errno = ENODEV;
	write(r);
	src.status.warn_capacity = 33;
	EXPECT_EQ(ampelwick_get_batt_info(&src), -1);
	EXPECT_EQ(std::string(src.error),
	    std::string("ioctl(ACPIIO_BATT_GET_BIF):") + strerror(ENODEV));
	EXPECT_EQ(src.status.warn_capacity, 33);
}

TEST_F(BatterySource, DevdAwayAtStart)
{
	int before = platform_sim_devd_attempts();

	devd->stop();
	EXPECT_EQ(init(), -1);
	/* The last attempt's reason, not errno of whatever came after. */
	EXPECT_EQ(std::string(src.error),
	    std::string("devd_connect():") + strerror(ENOENT));
	EXPECT_EQ(platform_sim_devd_attempts() - before, 30);
}

TEST_F(BatterySource, MachineWithoutAnAcAdapterDevice)
{
	for (int e : { EPERM, ENXIO, ENOTTY }) {
		SimReadings r = readings;

		SCOPED_TRACE(strerror(e));
		r.acad_errno = e;
		r.state = 1;
		write(r);
		ampelwick_release(&src);
		ready();
		EXPECT_EQ(src.status.state, BATT_DISCHARGING);
		r.state = 2;
		write(r);
		ASSERT_EQ(ampelwick_poll(&src), 0) << src.error;
		EXPECT_EQ(src.status.state, BATT_CHARGING);
		/* Neither charging nor discharging: the AC line is unknown. */
		r.state = 0;
		write(r);
		ASSERT_EQ(ampelwick_poll(&src), 0) << src.error;
		EXPECT_EQ(src.status.state, BATT_UNKNOWN);
		EXPECT_EQ(ampelwick_get_batt_info(&src), 0);
	}
	/* With the device, a line that says "off" is not AC power. */
	SimReadings r = readings;
	r.acad_errno = 0;
	r.state = 0;
	write(r);
	ASSERT_EQ(ampelwick_poll(&src), 0) << src.error;
	EXPECT_EQ(src.status.state, BATT_UNKNOWN);
	/* An adapter whose state is not yet known (-1) is not "off". */
	r = readings;
	r.acad_errno = 0;
	r.acline = -1;
	r.state = 0;
	write(r);
	ampelwick_release(&src);
	ampelwick_clear(&src);
	ready();
	EXPECT_EQ(src.status.state, BATT_UNKNOWN);
}

TEST_F(BatterySource, AbsentBatteryKeepsTheStatus)
{
	ready();
	const batt_status kept = src.status;
	const SimReadings good = readings;
	SimReadings r = good;

	r.state = 7;
	r.cap = 55;
	write(r);
	EXPECT_EQ(ampelwick_poll(&src), 0);
	EXPECT_FALSE(ampelwick_present(&src));
	EXPECT_EQ(memcmp(&kept, &src.status, sizeof(kept)), 0);
	write(good);
	EXPECT_EQ(ampelwick_poll(&src), 0);
	EXPECT_TRUE(ampelwick_present(&src));
}

/* A second battery, unit 1, of 50 Wh with its own levels of 20 % and 8 %. */
static std::string
second_unit(int cap, int state, int rate = 0)
{
	return "1.cap=" + std::to_string(cap) + "\n1.state=" + std::to_string(state) +
	    "\n1.min=-1\n1.rate=" + std::to_string(rate) +
	    "\n1.lfcap=50000\n1.wcap=10000\n1.lcap=4000\n";
}

TEST_F(BatterySource, TwoBatteriesAsTheSystemSumsThem)
{
	SimReadings r = readings;

	/* Unit 0 idle at 2 %, unit 1 draining at 20 % with 10 W. */
	r.units = 2;
	r.cap = 2;
	r.state = 0;
	r.min = -1;
	r.extra = second_unit(20, 1, 10000);
	write(r);
	ready();
	EXPECT_EQ(src.status.capacity, 11);
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);
	EXPECT_EQ(src.status.time_left, 66);
	ASSERT_EQ(ampelwick_unit_count(&src), 2);
	EXPECT_STREQ(ampelwick_unit(&src, 0)->name, "battery0");
	EXPECT_EQ(ampelwick_unit(&src, 0)->capacity, 2);
	EXPECT_STREQ(ampelwick_unit(&src, 1)->name, "battery1");
	EXPECT_TRUE(ampelwick_unit(&src, 1)->present);
	EXPECT_EQ(ampelwick_unit(&src, 1)->capacity, 20);
	EXPECT_EQ(ampelwick_unit(&src, 2), nullptr);

	/* The levels: 5000 + 10000 and 2500 + 4000 of 100000. */
	ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
	EXPECT_EQ(src.status.warn_capacity, 15);
	EXPECT_EQ(src.status.low_capacity, 6);

	/* Unit 1 taken out: unit 0 alone, the bay listed as empty. */
	r.extra = second_unit(-1, 7) + "mah=1\ndvol=11100\ncycles=4294967295\n"
	    "model= 5B10W13930 \nserial=  \n";
	write(r);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_TRUE(ampelwick_present(&src));
	EXPECT_EQ(src.status.capacity, 2);
	EXPECT_FALSE(ampelwick_unit(&src, 1)->present);
	ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
	EXPECT_EQ(src.status.warn_capacity, 10);

	/* What each tells about itself; the firmware's "unknown" is no number. */
	batt_details d[BATT_MAX_UNITS];
	ASSERT_EQ(ampelwick_details(&src, d, BATT_MAX_UNITS), 2);
	EXPECT_TRUE(d[0].charge);
	EXPECT_EQ(batt_health(d[0].full, d[0].design), 83);	/* 50000 of 60000 */
	EXPECT_EQ(d[0].design_voltage, 11100);
	EXPECT_EQ(d[0].cycles, -1);
	EXPECT_EQ(d[0].rate, 1200);
	EXPECT_EQ(d[0].voltage, -1);
	EXPECT_STREQ(d[0].model, "5B10W13930");
	EXPECT_STREQ(d[0].serial, "");
	EXPECT_FALSE(d[1].present);

	/* Both out: waiting; unit 1 back, charging. */
	r.state = 7;
	write(r);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_FALSE(ampelwick_present(&src));
	r.extra = second_unit(40, 2);
	r.acline = 1;
	write(r);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_TRUE(ampelwick_present(&src));
	EXPECT_EQ(src.status.capacity, 40);
	EXPECT_EQ(src.status.state, BATT_CHARGING);
	EXPECT_EQ(src.status.time_left, -1);
	/* The system's sum has no time while charging: the battery's own figures. */
	r.extra = second_unit(40, 2, 6000) + "1.rcap=20000\n";
	write(r);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.time_left, 300);
}

/* FreeBSD gives no time while charging; nor S3 on every machine. */
TEST_F(BatterySource, TimeToFullAndSuspend)
{
	SimReadings r = readings;

	r.state = 2;
	r.min = -1;
	r.rate = 12000;
	r.acline = 1;
	r.extra = "rcap=20000\n";
	write(r);
	ready();
	EXPECT_EQ(src.status.state, BATT_CHARGING);
	EXPECT_EQ(src.status.time_left, 150);	/* 30 Wh missing at 12 W */
	EXPECT_EQ(ampelwick_can_suspend(), 1);
	r.extra += "suspend=0\n";
	write(r);
	EXPECT_EQ(ampelwick_can_suspend(), 0);
}
