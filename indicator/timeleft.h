/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The time left as shown: the figure of the moment swings with the load
 * and reads 0 or many hours right after the charger is pulled.  What is
 * shown comes from the rate over the last minutes (the median of the
 * rates that the readings imply, which one wild reading cannot move),
 * and starts anew when the power state changes.  A plain record fed with
 * each reading; it keeps no timer.
 */
#ifndef AMPELWICK_TIMELEFT_H
#define AMPELWICK_TIMELEFT_H

#include <stdint.h>

/* The figure is not steady yet after a change of state. */
constexpr int32_t TIMELEFT_ESTIMATING = -2;
/* Readings right after a change of state are not the new load's. */
constexpr int64_t TIMELEFT_SETTLE_S = 20;
/* The span of readings the rate is taken over. */
constexpr int64_t TIMELEFT_WINDOW_S = 180;
constexpr int TIMELEFT_SAMPLES = 32;
/* No laptop runs a day on battery: a longer time is unknown. */
constexpr int32_t TIMELEFT_MAX_MINUTES = 24 * 60;

struct time_left_avg {
	int32_t	state;		/* 0: nothing fed yet */
	int64_t	since;		/* seconds: when the state began */
	bool	settling;	/* a change of state was seen */
	int	count;		/* samples held, oldest first */
	int64_t	at[TIMELEFT_SAMPLES];
	double	rate[TIMELEFT_SAMPLES];	/* percent per minute */
};

/*
 * One reading at now (monotonic seconds): the minutes to show until the
 * battery is empty (discharging) or full (charging), TIMELEFT_ESTIMATING,
 * or -1 when nothing tells.  The first reading after the start is taken
 * as it is: no change of state was seen.
 */
int32_t	time_left_feed(time_left_avg *avg, int32_t state, int32_t capacity,
	    int32_t minutes, int64_t now);

#endif /* AMPELWICK_TIMELEFT_H */
