/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The warning levels in force and when they warn: the user's levels or the
 * battery's own, and a warning once per fall through a level.  Plain
 * functions over plain values.
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

/* The charger is in: charging, or full on AC. */
bool		chargerIn(const batt_status &now);

/* A level warns again only after the charge rose this far above it. */
constexpr int WARNING_MARGIN = 3;

enum class Warning {
	None,
	Low,		/* at or below the warning level */
	Critical,	/* at or below the critical level */
	Withdraw	/* the charger came: the warning shown is moot */
};

/* The levels that have warned and not been re-armed since. */
struct WarningMemory {
	bool	low = false;
	bool	critical = false;
};

/*
 * What a change brings, given whether it crossed a level (the low-battery
 * decision says so).  A crossed level warns unless it has warned already;
 * it is re-armed when the charge has risen WARNING_MARGIN above it or the
 * charger came.  An unknown state changes nothing.
 */
Warning		warningFor(WarningMemory &memory, bool crossed,
		    const batt_status &now);

/* "Fully charged" again only after the charge fell this far below full. */
constexpr int FULL_MARGIN = 3;

/*
 * True once per charge to full: with the charger in at 100 %, then not
 * until the charge has fallen FULL_MARGIN points.
 */
bool		fullNoticeDue(bool &shown, const batt_status &now);

/*
 * Whether the charger's state, settled, is news: false for the first
 * known state (*announced -1) and for the one last announced.
 */
bool		chargerNoticeDue(int &announced, bool chargerIsIn);

#endif
