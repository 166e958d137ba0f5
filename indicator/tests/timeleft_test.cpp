/* SPDX-License-Identifier: BSD-2-Clause */
/* The time left as shown, over sequences of readings a poll gives. */
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "battery.h"
#include "timeleft.h"

/* Readings every 10 s from t: capacity and minutes; the last figure shown. */
static int32_t
feed(time_left_avg *avg, int32_t state, int64_t *t,
    std::initializer_list<std::pair<int32_t, int32_t>> readings)
{
	int32_t shown = -1;

	for (const auto &r : readings) {
		shown = time_left_feed(avg, state, r.first, r.second, *t);
		*t += 10;
	}
	return shown;
}

TEST(TimeLeft, SteadySwingsAndUnplugging)
{
	time_left_avg avg = {};
	int64_t t = 1000;

	/* The start's reading is shown as it is; a swing of the load is not. */
	EXPECT_EQ(feed(&avg, BATT_DISCHARGING, &t, { { 60, 120 } }), 120);
	EXPECT_EQ(feed(&avg, BATT_DISCHARGING, &t,
	    { { 60, 40 }, { 60, 120 }, { 60, 125 } }), 120);

	/* Charging: starts anew, estimating, then the time to full. */
	EXPECT_EQ(feed(&avg, BATT_CHARGING, &t, { { 60, 40 } }),
	    TIMELEFT_ESTIMATING);
	EXPECT_EQ(feed(&avg, BATT_CHARGING, &t, { { 60, 40 }, { 61, 39 },
	    { 62, 38 }, { 63, 37 } }), 37);
	/* From low: the time to full follows the charge still to go. */
	EXPECT_EQ(feed(&avg, BATT_DISCHARGING, &t, { { 20, 300 } }),
	    TIMELEFT_ESTIMATING);
	EXPECT_EQ(feed(&avg, BATT_CHARGING, &t, { { 20, 80 }, { 20, 80 },
	    { 21, 79 }, { 22, 78 }, { 23, 77 } }), 77);

	/* Unplugged: a 0 and a day at first, then 2 h at 60 %. */
	EXPECT_EQ(feed(&avg, BATT_DISCHARGING, &t, { { 63, 0 }, { 63, 1400 } }),
	    TIMELEFT_ESTIMATING);
	EXPECT_EQ(feed(&avg, BATT_DISCHARGING, &t, { { 62, 124 }, { 62, 1200 },
	    { 61, 122 }, { 60, 120 } }), 120);

	/* A source that gives no time: estimating for a while, then none. */
	EXPECT_EQ(feed(&avg, BATT_ON_AC, &t, { { 100, -1 } }), -1);
	EXPECT_EQ(feed(&avg, BATT_DISCHARGING, &t, { { 99, -1 }, { 99, -1 },
	    { 99, -1 } }), TIMELEFT_ESTIMATING);
	t += TIMELEFT_WINDOW_S;
	EXPECT_EQ(feed(&avg, BATT_DISCHARGING, &t, { { 99, -1 } }), -1);
}
