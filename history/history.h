/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The charge history: at most one sample a minute of the battery's
 * charge, appended to a small file in the user's state directory and
 * kept for a week.  Each sample is one line written in one call, so a
 * crash loses at most the sample being written; a torn last line is cut
 * off when the file is opened next.  A file that another user could
 * change is neither read nor written; a damaged one is started anew.
 * Plain functions over one record, no Qt.
 */
#ifndef AMPELWICK_HISTORY_H
#define AMPELWICK_HISTORY_H

#include <limits.h>
#include <stddef.h>
#include <stdint.h>

/* One sample: when, the charge in percent and the power state. */
typedef struct hist_sample {
	int64_t	time;		/* seconds since the epoch */
	int32_t	percent;
	int32_t	state;		/* BATT_* */
	bool	gap;		/* no line from the sample before: a suspend, a stop */
} hist_sample;

typedef struct history {
	int	fd;		/* -1: history off */
	int64_t	last;		/* the last sample this run, -1 none yet */
	int64_t	oldest;		/* the file's first sample, -1 none */
	char	path[PATH_MAX];
	char	error[2 * PATH_MAX];	/* why it is off, or what was done */
} history;

/* Samples are a minute apart at least and kept this long. */
#define HIST_SPACING	60
#define HIST_KEEP	(7 * 24 * 60 * 60)

/*
 * $XDG_STATE_HOME/ampelwick/history, or ~/.local/state/ampelwick/history
 * with the home of the password database: false when there is none.
 */
bool	history_default_path(char *buf, size_t size);

/*
 * Opens (or makes) the file at path: 0 on, -1 off.  Either way error may
 * hold one message to show (a damaged file started anew, an untrusted
 * one left alone); it is empty otherwise.
 */
int	history_open(history *h, const char *path);
void	history_close(history *h);

/*
 * A reading at now, the poll interval being spacing seconds: 1 appended,
 * 0 too soon after the last sample (or history off), -1 a failed write,
 * after which history is off.
 */
int	history_add(history *h, int64_t now, int32_t percent, int32_t state,
	    int spacing);

/*
 * The samples from since on, oldest first, at most max: their number, or
 * -1.  Reads the file anew: for a window being looked at.
 */
int	history_load(const history *h, int64_t since, hist_sample *out, int max);

/* Whether prev and now are too far apart to be joined by a line. */
bool	history_gap(int64_t prev, int64_t now, int spacing);

#endif /* AMPELWICK_HISTORY_H */
