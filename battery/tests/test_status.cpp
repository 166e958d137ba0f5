/*
 * The battery status through the simulated laptop: start-up, the state
 * table, absent batteries, the warning and low levels and every error text.
 */
#include <errno.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "sim_fixture.h"

TEST(BatteryClear, StartingValues)
{
	batt_source src;

	memset(&src, 0x5a, sizeof(src));
	ampelwick_clear(&src);
	EXPECT_EQ(src.status.warn_capacity, 10);
	EXPECT_EQ(src.status.low_capacity, 5);
	EXPECT_EQ(src.status.state, 0);
	EXPECT_EQ(src.status.capacity, 0);
	EXPECT_EQ(src.status.time_left, -1);
	EXPECT_EQ(src.status.acpi_fd, -1);
	EXPECT_EQ(src.devd_fd, -1);
	EXPECT_FALSE(src.present);
	EXPECT_FALSE(src.reconnected);
	EXPECT_EQ(src.devd_buf, nullptr);
	EXPECT_EQ(src.devd_len + src.devd_size + src.devd_pos + src.units, 0);
	EXPECT_STREQ(src.error, "");
}

using BatteryInit = SimLaptop;

TEST_F(BatteryInit, ReadyReadsTheBatteryOnce)
{
	ready();
	EXPECT_EQ(src.units, 1);
	EXPECT_TRUE(ampelwick_present(&src));
	EXPECT_EQ(src.status.capacity, 80);
	EXPECT_EQ(src.status.time_left, 150);
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);
	EXPECT_GE(src.status.acpi_fd, 0);
	EXPECT_GE(src.devd_fd, 0);
	EXPECT_EQ(src.devd_buf, nullptr);
	EXPECT_EQ(ampelwick_error(&src), src.error);
	EXPECT_STREQ(src.error, "");
	/* The levels are left for ampelwick_get_batt_info. */
	EXPECT_EQ(src.status.warn_capacity, 10);
	EXPECT_EQ(src.status.low_capacity, 5);
}

TEST_F(BatteryInit, BatterySlots)
{
	SimReadings r = readings;

	r.has_units = false;			/* no battery support at all */
	write(r);
	EXPECT_EQ(init(), 0);
	EXPECT_EQ(src.units, 0);
	EXPECT_STREQ(src.error, "");

	r.has_units = true;
	r.units = 0;
	write(r);
	EXPECT_EQ(init(), 0);
	EXPECT_EQ(src.units, 0);

	r.units = -1;
	write(r);
	EXPECT_EQ(init(), -1);
	EXPECT_STREQ(src.error, "get_units():");

	r.units = 2;
	write(r);
	EXPECT_EQ(init(), 1);
	EXPECT_EQ(src.units, 2);
}

/* One failure each; the init text must match exactly. */
struct InitFailure {
	const char	*name;
	void		(*arm)(SimReadings &);
	std::string	text;
};

static const InitFailure init_failures[] = {
	{ "open", [](SimReadings &r) { r.open_errno = EACCES; },
	  std::string("open(/dev/acpi):") + strerror(EACCES) },
	{ "units", [](SimReadings &r) { r.units_errno = EPERM; },
	  std::string("get_units():sysctlbyname(hw.acpi.battery.units):") + strerror(EPERM) },
	{ "battinfo", [](SimReadings &r) { r.battinfo_errno = ENXIO; },
	  std::string("ampelwick_poll():poll_acpi():ioctl(ACPIIO_BATT_GET_BATTINFO):") +
	  strerror(ENXIO) },
	{ "acad", [](SimReadings &r) { r.acad_errno = EINVAL; },
	  std::string("ampelwick_poll():poll_acpi():ioctl(ACPIIO_ACAD_GET_STATUS):") +
	  strerror(EINVAL) },
	/* The AC request fails the poll even without a battery. */
	{ "acad_absent", [](SimReadings &r) { r.acad_errno = EIO; r.state = 7; },
	  std::string("ampelwick_poll():poll_acpi():ioctl(ACPIIO_ACAD_GET_STATUS):") +
	  strerror(EIO) },
};

TEST_F(BatteryInit, FailureTexts)
{
	for (const InitFailure &f : init_failures) {
		SimReadings r;

		SCOPED_TRACE(f.name);
		r.devd_pause_ms = 0;
		f.arm(r);
		write(r);
		if (src.devd_fd >= 0)
			close(src.devd_fd);
		if (src.status.acpi_fd >= 0)
			close(src.status.acpi_fd);
		ampelwick_clear(&src);
		EXPECT_EQ(ampelwick_init(&src), -1);
		EXPECT_EQ(std::string(src.error), f.text);
		EXPECT_EQ(errno, 0);
	}
}

TEST_F(BatteryInit, MachineWithoutReadings)
{
	sim_laptop_remove(home.c_str());
	EXPECT_EQ(init(), -1);
	EXPECT_EQ(std::string(src.error),
	    std::string("get_units():sysctlbyname(hw.acpi.battery.units):") + strerror(ENXIO));
}

TEST_F(BatteryInit, DevdAway)
{
	sim_counters before = platform_sim_counters();

	devd->stop();
	EXPECT_EQ(init(), -1);
	EXPECT_STREQ(src.error, "devd_connect():");
	sim_counters after = platform_sim_counters();
	EXPECT_EQ(after.devd_attempts - before.devd_attempts, 30);
	EXPECT_EQ(after.devd_pauses - before.devd_pauses, 30);
}

TEST_F(BatteryInit, StartsWithAFreshChannel)
{
	src.reconnected = true;
	src.devd_len = 7;
	src.devd_pos = 3;
	strcpy(src.error, "old");
	ready();
	EXPECT_FALSE(src.reconnected);
	EXPECT_EQ(src.devd_len + src.devd_pos + src.devd_size, 0);
}

using BatteryPoll = SimLaptop;

TEST_F(BatteryPoll, LaterFailuresHaveNoOuterStep)
{
	ready();
	SimReadings r = readings;
	r.battinfo_errno = EIO;
	write(r);
	EXPECT_EQ(ampelwick_poll(&src), -1);
	EXPECT_EQ(std::string(src.error),
	    std::string("poll_acpi():ioctl(ACPIIO_BATT_GET_BATTINFO):") + strerror(EIO));

	r.battinfo_errno = 0;
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

TEST_F(BatteryPoll, FollowsTheReadings)
{
	ready();
	SimReadings r = readings;
	r.cap = 100;
	r.min = -1;
	r.state = 0;
	r.acline = 1;
	write(r);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.capacity, 100);
	EXPECT_EQ(src.status.time_left, -1);
	EXPECT_EQ(src.status.state, BATT_ON_AC);
}

/* battinfo.state flags, held state, AC line -> new state */
struct StateRow {
	int	flags;
	int32_t	held;
	int	acline;
	int32_t	expect;
};

static const StateRow state_rows[] = {
	/* discharging wins over everything, both bits included */
	{ 1, 0, 0, BATT_DISCHARGING }, { 1, 2, 1, BATT_DISCHARGING },
	{ 1, 3, 1, BATT_DISCHARGING }, { 3, 2, 1, BATT_DISCHARGING },
	{ 3, 0, 1, BATT_DISCHARGING }, { 5, -1, 1, BATT_DISCHARGING },
	/* then charging */
	{ 2, 0, 0, BATT_CHARGING }, { 2, 1, 0, BATT_CHARGING },
	{ 2, -1, 1, BATT_CHARGING }, { 6, 3, 1, BATT_CHARGING },
	/* neither bit, state already known */
	{ 0, 1, 1, BATT_ON_AC }, { 0, 2, 1, BATT_ON_AC },
	{ 0, 3, 5, BATT_ON_AC }, { 0, -1, 1, BATT_ON_AC },
	{ 0, 1, 0, BATT_UNKNOWN }, { 0, 2, 0, BATT_UNKNOWN },
	{ 0, 3, -1, BATT_UNKNOWN }, { 0, -1, 0, BATT_UNKNOWN },
	/* neither bit, nothing known yet: a guess from the AC line */
	{ 0, 0, 1, BATT_CHARGING }, { 0, 0, 0, BATT_DISCHARGING },
	{ 0, 0, -3, BATT_DISCHARGING },
	/* critical alone is decided by the AC rows */
	{ 4, 2, 1, BATT_ON_AC }, { 4, 1, 0, BATT_UNKNOWN },
	{ 4, 0, 1, BATT_CHARGING }, { 4, 0, 0, BATT_DISCHARGING },
};

TEST_F(BatteryPoll, StateTable)
{
	ready();
	for (const StateRow &row : state_rows) {
		SimReadings r = readings;

		SCOPED_TRACE(testing::Message() << "flags " << row.flags << " held "
		    << row.held << " acline " << row.acline);
		r.state = row.flags;
		r.acline = row.acline;
		write(r);
		src.status.state = row.held;
		ASSERT_EQ(ampelwick_poll(&src), 0);
		EXPECT_TRUE(src.present);
		EXPECT_EQ(src.status.state, row.expect);
	}
}

TEST_F(BatteryPoll, AbsentBatteryKeepsTheStatus)
{
	ready();
	const SimReadings good = readings;
	const batt_status kept = src.status;
	const struct { long long state, cap; } absent[] = {
		{ 7, 55 }, { 1, -1 }, { 2, -100 }, { 7, -1 },
	};

	for (const auto &a : absent) {
		SimReadings r = good;

		r.state = a.state;
		r.cap = a.cap;
		r.min = 3;
		r.acline = 1;
		write(r);
		EXPECT_EQ(ampelwick_poll(&src), 0);
		EXPECT_FALSE(ampelwick_present(&src));
		EXPECT_EQ(memcmp(&kept, &src.status, sizeof(kept)), 0);
	}
	/* The battery comes back. */
	write(good);
	EXPECT_EQ(ampelwick_poll(&src), 0);
	EXPECT_TRUE(ampelwick_present(&src));
}

/* lfcap, wcap, lcap -> warning level, low level */
struct LevelRow {
	long long	lfcap, wcap, lcap;
	int32_t		warn, low;
};

static const LevelRow level_rows[] = {
	{ 50000, 5000, 2500, 10, 5 },
	{ 0, 5000, 2500, 10, 5 },		/* nothing to divide by */
	{ 50000, 0, 0, 10, 5 },			/* the percentage would be 0 */
	{ 50000, 499, 499, 10, 5 },		/* 0.998 % */
	{ 50000, 500, 500, 1, 1 },		/* exactly 1 % */
	{ 1000, 1500, 2000, 150, 200 },		/* above 100: not clamped */
	{ 55000, 3000, 1000, 5, 1 },		/* truncated */
	/* ACPI's marker for an unknown value */
	{ 50000, 4294967295LL, 2500, 10, 5 },
	{ 50000, 5000, 4294967295LL, 10, 5 },
	{ 4294967295LL, 5000, 2500, 10, 5 },
	/* products beyond 32 bits do not wrap */
	{ 50000000, 45000000, 43000000, 90, 86 },
	{ 1, 4294967294LL, 4294967294LL, INT32_MAX, INT32_MAX },
};

TEST_F(BatteryPoll, WarningAndLowLevels)
{
	ready();
	for (const LevelRow &row : level_rows) {
		SimReadings r = readings;

		SCOPED_TRACE(testing::Message() << row.lfcap << " " << row.wcap << " "
		    << row.lcap);
		r.lfcap = row.lfcap;
		r.wcap = row.wcap;
		r.lcap = row.lcap;
		write(r);
		src.status.warn_capacity = src.status.low_capacity = -7;
		batt_status before = src.status;
		ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
		EXPECT_EQ(src.status.warn_capacity, row.warn);
		EXPECT_EQ(src.status.low_capacity, row.low);
		/* nothing else changes */
		before.warn_capacity = row.warn;
		before.low_capacity = row.low;
		EXPECT_EQ(memcmp(&before, &src.status, sizeof(before)), 0);
	}
}

TEST(BatteryError, ChainsAndSystemTexts)
{
	batt_source src;

	ampelwick_clear(&src);
	errno = EIO;
	set_error(&src, true, false, "open(%s)", "/dev/acpi");
	EXPECT_EQ(std::string(src.error), std::string("open(/dev/acpi):") + strerror(EIO));
	EXPECT_EQ(errno, 0);
	set_error(&src, false, true, "inner()");
	set_error(&src, false, true, "outer()");
	EXPECT_EQ(std::string(src.error),
	    std::string("outer():inner():open(/dev/acpi):") + strerror(EIO));

	/* errno 0 adds nothing; without with_errno errno stays */
	errno = 0;
	set_error(&src, true, false, "read_devd_event()");
	EXPECT_STREQ(src.error, "read_devd_event()");
	errno = EPERM;
	set_error(&src, false, false, "Connecting to devd failed. Giving up.");
	EXPECT_STREQ(src.error, "Connecting to devd failed. Giving up.");
	EXPECT_EQ(errno, EPERM);

	/* an empty text leaves a trailing colon */
	src.error[0] = '\0';
	set_error(&src, false, true, "devd_connect()");
	EXPECT_STREQ(src.error, "devd_connect():");
}

TEST(BatteryError, LongTextsAreCutAtTheEnd)
{
	batt_source src;
	std::string inner(1000, 'i'), step(100, 's');

	ampelwick_clear(&src);
	set_error(&src, false, false, "%s", inner.c_str());
	set_error(&src, false, true, "%s", step.c_str());
	std::string expect = (step + ":" + inner).substr(0, 1023);
	EXPECT_EQ(std::string(src.error), expect);

	errno = ENOENT;
	set_error(&src, true, false, "%s", std::string(2000, 'x').c_str());
	EXPECT_EQ(strlen(src.error), 1023u);
	EXPECT_EQ(errno, 0);
}
