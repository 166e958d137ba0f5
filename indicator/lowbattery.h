/*
 * The low-battery decision: what a change of the battery status means for
 * the user while the machine runs on battery.  Kept apart from the tray so
 * that every row of its state table can be tested without a desktop.
 */
#ifndef AMPELWICK_LOWBATTERY_H
#define AMPELWICK_LOWBATTERY_H

#include "battery.h"

struct LowBatteryFlags {
	bool	actionPending;		/* countdown started and not finished */
	bool	countdownOpen;		/* countdown dialog being run */
	bool	actionCancelled;	/* user cancelled; no countdown until re-armed */
};

struct LowBatterySettings {
	bool	autoShutdown;
	int	shutdownCap;
};

enum class LowBatteryAction {
	Nothing,
	ShowWarning,		/* one balloon, however many levels were crossed */
	StartCountdown		/* actionPending has been set */
};

/*
 * Decides for a change from the previous recorded capacity to the current
 * status and updates the flags the way the decision implies.
 */
LowBatteryAction	decideLowBattery(LowBatteryFlags &flags,
			    const LowBatterySettings &settings, int prevCapacity,
			    const batt_status &current);

/* Balloon icon: critical at or below the battery's low level. */
bool			warningIsCritical(const batt_status &current);

#endif
