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

bool
chargerIn(const batt_status &now)
{
	return now.state == BATT_CHARGING || now.state == BATT_ON_AC;
}

bool
fullNoticeDue(bool &shown, const batt_status &now)
{
	if (now.capacity <= 100 - FULL_MARGIN)
		shown = false;
	else if (chargerIn(now) && now.capacity >= 100 && !shown)
		return shown = true;
	return false;
}

bool
chargerNoticeDue(int &announced, bool chargerIsIn)
{
	const int state = chargerIsIn ? 1 : 0;
	const bool news = announced != -1 && announced != state;

	announced = state;
	return news;
}

Warning
warningFor(WarningMemory &memory, bool crossed, const batt_status &now)
{
	if (chargerIn(now)) {
		const bool shown = memory.low || memory.critical;

		memory = WarningMemory();
		return shown ? Warning::Withdraw : Warning::None;
	}
	if (now.state != BATT_DISCHARGING)
		return Warning::None;
	if (now.capacity >= now.warn_capacity + WARNING_MARGIN)
		memory.low = false;
	if (now.capacity >= now.low_capacity + WARNING_MARGIN)
		memory.critical = false;
	if (!crossed)
		return Warning::None;
	if (now.capacity <= now.low_capacity) {
		if (memory.critical)
			return Warning::None;
		memory.critical = memory.low = true;
		return Warning::Critical;
	}
	if (now.capacity <= now.warn_capacity && !memory.low) {
		memory.low = true;
		return Warning::Low;
	}
	return Warning::None;
}
