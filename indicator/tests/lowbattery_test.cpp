/* SPDX-License-Identifier: BSD-2-Clause */
/* The low-battery decision over every row of its state table. */
#include <gtest/gtest.h>

#include <vector>

#include "levels.h"
#include "lowbattery.h"

namespace {

batt_status
status(int capacity, int state, int warn = 10, int low = 5)
{
	batt_status s = {};
	s.capacity = capacity;
	s.state = state;
	s.warn_capacity = warn;
	s.low_capacity = low;
	s.time_left = -1;
	return s;
}

const LowBatterySettings autoOn = { true, 5 };
const LowBatterySettings autoOff = { false, 5 };

TEST(LowBattery, NotDischargingClearsPendingAndCancelled)
{
	for (int state : { BATT_CHARGING, BATT_ON_AC, BATT_UNKNOWN, 0 }) {
		LowBatteryFlags f = { true, true, true };
		EXPECT_EQ(decideLowBattery(f, autoOn, 50, status(2, state)),
		    LowBatteryAction::Nothing);
		EXPECT_FALSE(f.actionPending);
		EXPECT_FALSE(f.actionCancelled);
		/* The countdown on screen goes on; its flag is its own. */
		EXPECT_TRUE(f.countdownOpen);
	}
}

TEST(LowBattery, ArmedStartsCountdownAtOrBelowShutdownCap)
{
	LowBatteryFlags f = {};
	EXPECT_EQ(decideLowBattery(f, autoOn, 6, status(5, BATT_DISCHARGING)),
	    LowBatteryAction::StartCountdown);
	EXPECT_TRUE(f.actionPending);

	/* The current capacity alone decides, not a crossing. */
	f = {};
	EXPECT_EQ(decideLowBattery(f, autoOn, 2, status(1, BATT_DISCHARGING)),
	    LowBatteryAction::StartCountdown);

	/* Above the cap only warnings are possible. */
	f = {};
	EXPECT_EQ(decideLowBattery(f, autoOn, 7, status(6, BATT_DISCHARGING)),
	    LowBatteryAction::Nothing);
	EXPECT_FALSE(f.actionPending);
}

TEST(LowBattery, NoCountdownWhenOffCancelledOrPending)
{
	LowBatteryFlags f = {};
	EXPECT_EQ(decideLowBattery(f, autoOff, 4, status(3, BATT_DISCHARGING)),
	    LowBatteryAction::Nothing);

	/* Cancelled: warnings still come at the levels. */
	f = { false, false, true };
	EXPECT_EQ(decideLowBattery(f, autoOn, 6, status(5, BATT_DISCHARGING)),
	    LowBatteryAction::ShowWarning);
	EXPECT_FALSE(f.actionPending);
	EXPECT_TRUE(f.actionCancelled);

	/* Counting down: a further change warns at most. */
	f = { true, true, false };
	EXPECT_EQ(decideLowBattery(f, autoOn, 6, status(5, BATT_DISCHARGING)),
	    LowBatteryAction::ShowWarning);
	EXPECT_EQ(decideLowBattery(f, autoOn, 4, status(3, BATT_DISCHARGING)),
	    LowBatteryAction::Nothing);
}

TEST(LowBattery, OpenCountdownWithPendingClearedShowsNothing)
{
	/* The charger came and went while the countdown still runs. */
	LowBatteryFlags f = { false, true, false };
	EXPECT_EQ(decideLowBattery(f, autoOn, 6, status(5, BATT_DISCHARGING)),
	    LowBatteryAction::Nothing);
	EXPECT_FALSE(f.actionPending);
}

TEST(LowBattery, WarningsOnCrossingsOnly)
{
	LowBatteryFlags f = {};
	std::vector<int> warned;

	for (int cap = 50, prev = 51; cap >= 0; prev = cap--) {
		if (decideLowBattery(f, autoOff, prev,
		    status(cap, BATT_DISCHARGING)) ==
		    LowBatteryAction::ShowWarning)
			warned.push_back(cap);
	}
	/* At the warning level, at the low level, then at every change once
	 * the battery has reported 0 %. */
	EXPECT_EQ(warned, (std::vector<int>{ 10, 5 }));
	EXPECT_EQ(decideLowBattery(f, autoOff, 0, status(0, BATT_DISCHARGING)),
	    LowBatteryAction::ShowWarning);
	EXPECT_EQ(decideLowBattery(f, autoOff, 0, status(8, BATT_DISCHARGING)),
	    LowBatteryAction::ShowWarning);
	EXPECT_EQ(decideLowBattery(f, autoOff, 0, status(11, BATT_DISCHARGING)),
	    LowBatteryAction::Nothing);
}

TEST(LowBattery, OneBalloonForAJumpPastBothLevels)
{
	LowBatteryFlags f = {};
	const batt_status now = status(3, BATT_DISCHARGING);
	EXPECT_EQ(decideLowBattery(f, autoOff, 40, now),
	    LowBatteryAction::ShowWarning);
	EXPECT_TRUE(warningIsCritical(now));
	EXPECT_FALSE(warningIsCritical(status(6, BATT_DISCHARGING)));
	EXPECT_TRUE(warningIsCritical(status(5, BATT_DISCHARGING)));
}

TEST(LowBattery, NegativePreviousCapacityCountsAsNothingRecorded)
{
	LowBatteryFlags f = {};
	EXPECT_EQ(decideLowBattery(f, autoOff, -1, status(9, BATT_DISCHARGING)),
	    LowBatteryAction::ShowWarning);
	EXPECT_EQ(decideLowBattery(f, autoOff, -1, status(11, BATT_DISCHARGING)),
	    LowBatteryAction::Nothing);
}

TEST(LowBattery, CancelledRearmsWhenNotDischarging)
{
	LowBatteryFlags f = { false, false, true };
	EXPECT_EQ(decideLowBattery(f, autoOn, 4, status(3, BATT_DISCHARGING)),
	    LowBatteryAction::Nothing);
	decideLowBattery(f, autoOn, 3, status(3, BATT_CHARGING));
	EXPECT_EQ(decideLowBattery(f, autoOn, 3, status(3, BATT_DISCHARGING)),
	    LowBatteryAction::StartCountdown);
}

TEST(LowBattery, OncePerFallAndNoticesOncePerEvent)
{
	/* Up within the margin and down again: no second warning. */
	const struct {
		int	below, within;
		Warning	first;
	} levels[] = { { 4, 6, Warning::Critical }, { 9, 11, Warning::Low } };
	int announced = -1;

	for (const auto &level : levels) {
		WarningMemory m;

		EXPECT_EQ(warningFor(m, true, status(level.below,
		    BATT_DISCHARGING)), level.first);
		EXPECT_EQ(warningFor(m, false, status(level.within,
		    BATT_DISCHARGING)), Warning::None);
		EXPECT_EQ(warningFor(m, true, status(level.below,
		    BATT_DISCHARGING)), Warning::None);
	}
	/* The charger's state at the start is no news; a change is. */
	EXPECT_FALSE(chargerNoticeDue(announced, true));
	EXPECT_TRUE(chargerNoticeDue(announced, false));
}

TEST(LowBattery, LevelsInForce)
{
	auto levels = [](int w, int c, int bw, int bl) {
		const WarningLevels l = effectiveLevels(w, c, bw, bl);
		return std::vector<int>{ l.warn, l.critical };
	};
	EXPECT_EQ(levels(0, 0, 10, 5), (std::vector<int>{ 10, 5 }));
	EXPECT_EQ(levels(25, 0, 10, 5), (std::vector<int>{ 25, 5 }));
	EXPECT_EQ(levels(0, 7, 10, 5), (std::vector<int>{ 10, 7 }));
	/* Critical below warning, even from two sources. */
	EXPECT_EQ(levels(8, 0, 10, 9), (std::vector<int>{ 8, 7 }));
	EXPECT_EQ(levels(0, 12, 10, 5), (std::vector<int>{ 10, 9 }));
	EXPECT_EQ(levels(0, 10, 10, 5), (std::vector<int>{ 10, 9 }));
	/* A value out of range in the file counts as unset. */
	EXPECT_EQ(levels(100, -4, 10, 5), (std::vector<int>{ 10, 5 }));
}

} // namespace
