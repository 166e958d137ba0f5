/* SPDX-License-Identifier: BSD-2-Clause */
#include "levels.h"

static bool
is_set(int level)
{
	return level >= 1 && level <= 99;
}

WarningLevels
effectiveLevels(int warnSetting, int criticalSetting, int batteryWarn,
    int batteryLow)
{
	WarningLevels l;

	l.warn = is_set(warnSetting) ? warnSetting : batteryWarn;
	l.critical = is_set(criticalSetting) ? criticalSetting : batteryLow;
	/* Mixed sources may cross: a set warning level of 8, a battery's 10. */
	if (l.critical >= l.warn)
		l.critical = l.warn - 1;
	return l;
}

batt_status
withLevels(batt_status status, const WarningLevels &levels)
{
	status.warn_capacity = levels.warn;
	status.low_capacity = levels.critical;
	return status;
}
