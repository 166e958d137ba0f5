/* SPDX-License-Identifier: BSD-2-Clause */
#include <string.h>

#include "battery.h"
#include "timeleft.h"

/* The percent still to go: down to empty, or up to full. */
static int32_t
to_go(int32_t state, int32_t capacity)
{
	if (capacity < 0 || capacity > 100)
		return -1;
	return state == BATT_CHARGING ? 100 - capacity : capacity;
}

static void
restart(time_left_avg *avg, int32_t state, int64_t now, bool settling)
{
	memset(avg, 0, sizeof(*avg));
	avg->state = state;
	avg->since = now;
	avg->settling = settling;
}

/* Forgets the oldest drop samples. */
static void
forget(time_left_avg *avg, int drop)
{
	memmove(avg->at, avg->at + drop, sizeof(avg->at[0]) * (avg->count - drop));
	memmove(avg->rate, avg->rate + drop,
	    sizeof(avg->rate[0]) * (avg->count - drop));
	avg->count -= drop;
}

/* Samples older than the window go. */
static void
expire(time_left_avg *avg, int64_t now)
{
	int drop = 0;

	while (drop < avg->count && now - avg->at[drop] > TIMELEFT_WINDOW_S)
		drop++;
	forget(avg, drop);
}

static void
add(time_left_avg *avg, double rate, int64_t now)
{
	if (avg->count == TIMELEFT_SAMPLES)
		forget(avg, 1);
	avg->at[avg->count] = now;
	avg->rate[avg->count++] = rate;
}

static double
median(const time_left_avg *avg)
{
	double sorted[TIMELEFT_SAMPLES];
	int n = avg->count;

	memcpy(sorted, avg->rate, sizeof(sorted[0]) * n);
	for (int i = 1; i < n; i++)
		for (int j = i; j > 0 && sorted[j - 1] > sorted[j]; j--) {
			double t = sorted[j];

			sorted[j] = sorted[j - 1];
			sorted[j - 1] = t;
		}
	return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

int32_t
time_left_feed(time_left_avg *avg, int32_t state, int32_t capacity,
    int32_t minutes, int64_t now)
{
	const int32_t left = to_go(state, capacity);
	double shown;

	if (state != avg->state)
		restart(avg, state, now, avg->state != 0);
	if (state != BATT_DISCHARGING && state != BATT_CHARGING)
		return -1;
	if (avg->settling && now - avg->since < TIMELEFT_SETTLE_S)
		return TIMELEFT_ESTIMATING;
	expire(avg, now);
	/* No time at all is no reading; neither is a battery at its end. */
	if (minutes > 0 && left > 0)
		add(avg, static_cast<double>(left) / minutes, now);
	/* Steady: two readings after the change, or the start's first one. */
	if (avg->count < (avg->settling ? 2 : 1))
		return avg->settling && now - avg->since < TIMELEFT_WINDOW_S ?
		    TIMELEFT_ESTIMATING : -1;
	if (left <= 0)
		return 0;
	shown = left / median(avg) + 0.5;
	return shown <= TIMELEFT_MAX_MINUTES ? static_cast<int32_t>(shown) : -1;
}
