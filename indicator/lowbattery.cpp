#include "lowbattery.h"

static bool
crossedWarningLevel(int prev, const batt_status &cur)
{
	const int cap = cur.capacity;
	const int warn = cur.warn_capacity;
	const int low = cur.low_capacity;

	/* A battery that reported 0 % warns at every change below the level. */
	if (prev <= 0 && cap <= warn)
		return true;
	if (prev > warn && cap <= warn)
		return true;
	return prev > low && cap <= low;
}

LowBatteryAction
decideLowBattery(LowBatteryFlags &flags, const LowBatterySettings &settings,
    int prevCapacity, const batt_status &current)
{
	if (current.state != BATT_DISCHARGING) {
		flags.actionCancelled = false;
		flags.actionPending = false;
		return LowBatteryAction::Nothing;
	}
	if (!flags.actionCancelled && settings.autoShutdown &&
	    current.capacity <= settings.shutdownCap && !flags.actionPending) {
		/* A countdown still on screen must not be doubled. */
		if (flags.countdownOpen)
			return LowBatteryAction::Nothing;
		flags.actionPending = true;
		return LowBatteryAction::StartCountdown;
	}
	if (crossedWarningLevel(prevCapacity, current))
		return LowBatteryAction::ShowWarning;
	return LowBatteryAction::Nothing;
}

bool
warningIsCritical(const batt_status &current)
{
	return current.capacity <= current.low_capacity;
}
