/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The warning levels in force: the user's levels or the battery's own.
 * Plain functions over plain values.
 */
#ifndef AMPELWICK_LEVELS_H
#define AMPELWICK_LEVELS_H

#include "battery.h"

/* Percent; at or below a level it warns. */
struct WarningLevels {
	int	warn;
	int	critical;
};

/*
 * A set level (1-99) replaces the battery's; 0 takes the battery's.  The
 * critical level stays below the warning level, whichever gave them.
 */
WarningLevels	effectiveLevels(int warnSetting, int criticalSetting,
		    int batteryWarn, int batteryLow);

/* The status with the levels in force in place of the battery's. */
batt_status	withLevels(batt_status status, const WarningLevels &levels);

#endif
