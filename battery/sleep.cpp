/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Whether the machine can suspend to memory, from the system's list of
 * its sleep states.
 */
#include <string.h>

#include "battery_internal.h"
#include "platform.h"

bool
batt_sleep_state_listed(const char *states, const char *word)
{
	size_t len = strlen(word);

	if (len == 0)
		return false;
	for (const char *p = states; *p != '\0'; ) {
		size_t n;

		p += strspn(p, " \t\n");
		n = strcspn(p, " \t\n");
		if (n == len && strncmp(p, word, len) == 0)
			return true;
		p += n;
	}
	return false;
}

int
ampelwick_can_suspend(void)
{
	char states[256];
	const char *word;

	if (platform_sleep_states(states, sizeof(states), &word) == -1)
		return -1;
	return batt_sleep_state_listed(states, word) ? 1 : 0;
}
