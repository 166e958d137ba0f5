/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The decisions of the battery source over plain values: the state table,
 * the warning and low levels, the time left and the sum of several
 * batteries, with figures no battery should report among them; and the
 * error texts.
 */
#include <errno.h>
#include <limits.h>
#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "battery_internal.h"

/* battery flags, held state, AC line -> new state */
struct StateRow {
	int		flags;
	int32_t		held;
	batt_acline	ac;
	int32_t		expect;
};

static const StateRow state_rows[] = {
	/* discharging wins over everything, both bits included */
	{ 1, 0, BATT_AC_OFF, BATT_DISCHARGING }, { 3, 2, BATT_AC_ON, BATT_DISCHARGING },
	{ 5, -1, BATT_AC_UNKNOWN, BATT_DISCHARGING },
	/* then charging */
	{ 2, 1, BATT_AC_OFF, BATT_CHARGING }, { 6, 3, BATT_AC_UNKNOWN, BATT_CHARGING },
	/* neither bit, state already known */
	{ 0, 1, BATT_AC_ON, BATT_ON_AC }, { 0, -1, BATT_AC_ON, BATT_ON_AC },
	{ 0, 2, BATT_AC_OFF, BATT_UNKNOWN }, { 4, 1, BATT_AC_OFF, BATT_UNKNOWN },
	/* neither bit, nothing known yet: a guess from the AC line */
	{ 0, 0, BATT_AC_ON, BATT_CHARGING }, { 4, 0, BATT_AC_OFF, BATT_DISCHARGING },
	/* no AC device: nothing to guess from */
	{ 0, 3, BATT_AC_UNKNOWN, BATT_UNKNOWN }, { 0, 0, BATT_AC_UNKNOWN, BATT_UNKNOWN },
};

TEST(Decisions, StateTable)
{
	for (const StateRow &row : state_rows) {
		SCOPED_TRACE(testing::Message() << "flags " << row.flags << " held "
		    << row.held << " ac " << row.ac);
		EXPECT_EQ(batt_power_state(row.flags, row.held, row.ac), row.expect);
	}
}

TEST(Decisions, OnlyAMissingDeviceMakesTheAcLineUnknown)
{
	for (int e : { EPERM, ENXIO, ENOTTY })
		EXPECT_TRUE(batt_no_ac_device(e)) << e;
	for (int e : { EIO, EBADF, EINVAL, EBUSY, 0 })
		EXPECT_FALSE(batt_no_ac_device(e)) << e;
}

/* part, full -> percent (fallback 10) */
struct LevelRow {
	int64_t	part, full;
	int32_t	expect;
};

static const LevelRow level_rows[] = {
	{ 5000, 50000, 10 }, { 2500, 50000, 5 }, { 3000, 55000, 5 },
	{ 500, 50000, 1 },			/* exactly 1 %, not the fallback */
	{ 499, 50000, 10 }, { 0, 50000, 10 },	/* the percentage would be 0 */
	{ 5000, 0, 10 }, { 1500, 1000, 150 },	/* nothing to divide by; not clamped */
	{ 0xffffffffLL, 50000, 10 }, { 5000, 0xffffffffLL, 10 },	/* ACPI's unknown */
	{ 45000000, 50000000, 90 },		/* products beyond 32 bits */
	{ 4294967294LL, 1, INT32_MAX },
	{ -1, 50000, 10 }, { 5000, -1, 10 }, { INT64_MAX, 1, 10 }, { 1, INT64_MAX, 10 },
};

TEST(Decisions, WarningAndLowLevels)
{
	for (const LevelRow &row : level_rows)
		EXPECT_EQ(batt_level_percent(row.part, row.full, 10), row.expect)
		    << row.part << " of " << row.full;
}

TEST(Decisions, TimeLeft)
{
	EXPECT_EQ(batt_minutes_left(30000000, 10000000), 180);	/* 30 Wh at 10 W */
	EXPECT_EQ(batt_minutes_left(30000000, -10000000), 180);	/* drain given negative */
	EXPECT_EQ(batt_minutes_left(0, 10000000), 0);
	EXPECT_EQ(batt_minutes_left(BATT_MAX_MINUTES, 60), BATT_MAX_MINUTES);
	/* Unknown or absurd: no time rather than a wrapped one. */
	EXPECT_EQ(batt_minutes_left(50000000, 1), -1);	/* a rate of 1 µW */
	EXPECT_EQ(batt_minutes_left(30000000, 0), -1);
	EXPECT_EQ(batt_minutes_left(30000000, INT64_MIN), -1);
	EXPECT_EQ(batt_minutes_left(INT64_MAX, 10000000), -1);
	EXPECT_EQ(batt_minutes_left(-1, 10000000), -1);
	EXPECT_EQ(batt_minutes_left(INT64_MAX, INT64_MAX), -1);
}

TEST(Decisions, SuspendAmongTheSleepStates)
{
	EXPECT_TRUE(batt_sleep_state_listed("S1 S3 S4 S5", "S3"));
	EXPECT_FALSE(batt_sleep_state_listed("S4 S5 S33", "S3"));
	EXPECT_TRUE(batt_sleep_state_listed("freeze mem disk\n", "mem"));
	EXPECT_FALSE(batt_sleep_state_listed("freeze disk\n", "mem"));
	EXPECT_FALSE(batt_sleep_state_listed("", "mem"));
}

static batt_reading
battery(const char *name, int flags, int64_t now, int64_t full, int64_t rate)
{
	batt_reading r;

	batt_reading_clear(&r);
	snprintf(r.name, sizeof(r.name), "%s", name);
	r.flags = flags;
	r.now = now;
	r.full = full;
	r.rate = rate;
	return r;
}

TEST(Decisions, OneBatteryAsTheSystemReportsIt)
{
	batt_reading r = battery("BAT0", BATT_FLAG_DISCHARGING, 30000000, 50000000,
	    10000000);
	batt_combined c = batt_as_reported(&r);

	EXPECT_TRUE(c.present);
	EXPECT_EQ(c.capacity, 60);
	EXPECT_EQ(c.minutes, 180);
	/* Charging: the time to full, from the energy still missing. */
	r.flags = BATT_FLAG_CHARGING;
	EXPECT_EQ(batt_as_reported(&r).minutes, 120);

	/* The system's own percent and time win; a time beyond a day is unknown. */
	r.percent = 255;
	for (int64_t m : { -7LL, 2147483647LL, 600000LL, 24 * 60 + 1LL }) {
		r.minutes = m;
		c = batt_as_reported(&r);
		EXPECT_EQ(c.capacity, 255);
		EXPECT_EQ(c.minutes, -1) << m;
	}
	r.minutes = 24 * 60;
	EXPECT_EQ(batt_as_reported(&r).minutes, 24 * 60);
	/* Charging with no time of the system's own: until full. */
	r.minutes = -1;
	r.flags = BATT_FLAG_CHARGING;
	EXPECT_EQ(batt_as_reported(&r).minutes, 120);

	/* Absent: FreeBSD's state 7, a negative percent, Linux's present 0. */
	r.flags = BATT_FLAGS_NOT_PRESENT;
	EXPECT_FALSE(batt_as_reported(&r).present);
	r.flags = 0;
	r.percent = -3;
	r.now = -1;
	EXPECT_FALSE(batt_as_reported(&r).present);
	r = battery("BAT0", 0, 1, 2, 0);
	r.present = false;
	EXPECT_FALSE(batt_as_reported(&r).present);
}

TEST(Decisions, SeveralBatteriesAddUp)
{
	/* BAT0 charging at 2 % with 5 W, BAT1 draining at 20 % with 10 W. */
	batt_reading r[3] = {
		battery("BAT0", BATT_FLAG_CHARGING, 1000000, 50000000, 5000000),
		battery("BAT1", BATT_FLAG_DISCHARGING, 10000000, 50000000, -10000000),
		battery("BAT2", 0, -1, -1, -1),
	};
	r[2].present = false;
	batt_combined c = batt_combine(r, 3);

	EXPECT_TRUE(c.present);
	EXPECT_EQ(c.flags, BATT_FLAG_DISCHARGING | BATT_FLAG_CHARGING);
	EXPECT_EQ(c.capacity, 11);		/* 11 of 100 Wh */
	EXPECT_EQ(c.minutes, 66);		/* 11 Wh at BAT1's 10 W alone */

	/* A battery taken out leaves the other. */
	r[0].present = false;
	EXPECT_EQ(batt_combine(r, 3).minutes, 60);	/* BAT1's 10 Wh */
	r[0].present = true;
	r[1].present = false;
	c = batt_combine(r, 3);
	EXPECT_EQ(c.capacity, 2);
	EXPECT_EQ(c.flags, BATT_FLAG_CHARGING);
	EXPECT_EQ(c.minutes, 588);		/* 49 Wh to full at 5 W */
	r[0].present = false;
	EXPECT_FALSE(batt_combine(r, 3).present);
	EXPECT_FALSE(batt_combine(r, 0).present);
}

TEST(Decisions, FiguresThatCannotBeSummed)
{
	batt_reading r[2] = {
		battery("BAT0", BATT_FLAG_DISCHARGING, 40000000, 50000000, 10000000),
		battery("BAT1", BATT_FLAG_CHARGING, 2000000, 4000000, 1000000),
	};

	/* Energy and charge, no voltage: percents by full capacity, no time. */
	r[0].percent = 80;
	r[1].charge = true;
	EXPECT_TRUE(batt_mixed_units(r, 2));
	batt_combined c = batt_combine(r, 2);
	EXPECT_EQ(c.capacity, 77);		/* 80 by 50, 50 by 4 */
	EXPECT_EQ(c.minutes, -1);
	/* At a design voltage of 7.4 V: 54.8 of 79.6 Wh, BAT0's 10 W. */
	r[1].voltage = 7400;
	c = batt_combine(r, 2);
	EXPECT_EQ(c.capacity, 68);
	EXPECT_EQ(c.minutes, 328);
	r[1].now = -1;				/* a percent alone */
	r[1].percent = 50;
	EXPECT_EQ(batt_combine(r, 2).capacity, 68);

	/* Absurd figures are unknown; no sum wraps, nothing traps. */
	const int64_t absurd[] = { INT64_MAX, INT64_MIN, -5, 1000000000000000001LL };
	for (int64_t v : absurd) {
		SCOPED_TRACE(v);
		r[1] = battery("BAT1", BATT_FLAG_DISCHARGING, v, v, v);
		r[1].percent = 30;
		c = batt_combine(r, 2);
		EXPECT_EQ(c.capacity, 55);
		EXPECT_EQ(c.minutes, -1);
		r[1].percent = -1;
		c = batt_combine(r, 2);
		EXPECT_EQ(c.capacity, 80);	/* BAT1 has no percent: absent */
	}
	/* An empty bay beside them counts for nothing. */
	r[1].percent = 30;
	batt_reading three[3] = { r[0], r[1], battery("BAT2", 0, -1, -1, -1) };
	three[2].present = false;
	EXPECT_EQ(batt_combine(three, 3).capacity, 55);
}

TEST(ErrorText, ChainsAndSystemTexts)
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
	set_error(&src, true, false, "read_devd_event()");
	EXPECT_STREQ(src.error, "read_devd_event()");
	errno = EPERM;
	set_error(&src, false, false, "Connecting to devd failed. Giving up.");
	EXPECT_EQ(errno, EPERM);

	/* an empty text leaves a trailing colon; long texts are cut at the end */
	src.error[0] = '\0';
	set_error(&src, false, true, "devd_connect()");
	EXPECT_STREQ(src.error, "devd_connect():");
	std::string inner(1000, 'i'), step(100, 's');
	set_error(&src, false, false, "%s", inner.c_str());
	set_error(&src, false, true, "%s", step.c_str());
	EXPECT_EQ(std::string(src.error), (step + ":" + inner).substr(0, 1023));
}
