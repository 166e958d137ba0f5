/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Internals of the battery source shared by its files, its platforms and
 * its tests: the readings a platform hands over, the decisions taken on
 * them (small functions over plain values) and the error-text routine.
 */
#ifndef AMPELWICK_BATTERY_INTERNAL_H
#define AMPELWICK_BATTERY_INTERNAL_H

#include <stddef.h>
#include <stdint.h>

#include "battery.h"

/* A battery's own state bits, as ACPI has them. */
constexpr int BATT_FLAG_DISCHARGING = 0x0001;
constexpr int BATT_FLAG_CHARGING = 0x0002;
/* All three bits (with the critical one): FreeBSD's word for "no battery". */
constexpr int BATT_FLAGS_NOT_PRESENT = 0x0007;

/*
 * One system battery as the system reports it.  -1 stands for a figure
 * the system does not give.  now, full, warn and low count energy, or
 * charge where `charge` is set; rate is in the same unit per hour.
 */
struct batt_reading {
	char	name[BATT_NAME_MAX];
	bool	present;	/* false only where the system says so itself */
	int	flags;		/* BATT_FLAG_* */
	int64_t	percent;	/* the system's own percent */
	int64_t	minutes;	/* the system's own time left */
	int64_t	now;		/* remaining */
	int64_t	full;		/* at the last full charge */
	int64_t	rate;		/* present rate, either sign */
	int64_t	warn;		/* the battery's own warning level */
	int64_t	low;		/* the battery's own low level */
	int64_t	voltage;	/* design voltage in mV, for charge figures */
	bool	charge;
};

/* Every figure unknown, present, no flags, no name. */
inline void
batt_reading_clear(batt_reading *r)
{
	*r = batt_reading();
	r->present = true;
	r->percent = r->minutes = r->now = r->full = r->rate = -1;
	r->warn = r->low = r->voltage = -1;
}

/* AC line as the system answers: on, off, or no AC device at all. */
enum batt_acline { BATT_AC_OFF, BATT_AC_ON, BATT_AC_UNKNOWN };

/* What the poll shows for the batteries together. */
struct batt_combined {
	bool	present;
	int	flags;
	int32_t	capacity;
	int32_t	minutes;
};

/*
 * The decisions.  Each is a function of plain values so that a test can
 * call it with any figures, absurd ones included.
 */
/* The power state from the battery's flags, the held state and the AC line. */
int32_t	batt_power_state(int flags, int32_t held, batt_acline ac);
/* Whether the AC request failed only because there is no AC device. */
bool	batt_no_ac_device(int err);
/* One battery alone: present and its percent, as the system gives them. */
bool	batt_present(const batt_reading *r);
/* Minutes that now lasts at rate; -1 when the figures do not tell. */
int32_t	batt_minutes_left(int64_t now, int64_t rate);
/*
 * Minutes until full: the energy missing from full at the charging rate;
 * -1 when the figures do not tell.
 */
int32_t	batt_minutes_to_full(int64_t now, int64_t full, int64_t rate);
/* A time left as shown: -1 for one that cannot be (below 0, beyond a day). */
int32_t	batt_time_left(int64_t minutes);
/* part in percent of full, or fallback (unknown, 0 %, no full). */
int32_t	batt_level_percent(int64_t part, int64_t full, int32_t fallback);
/*
 * A battery that counts charge in energy, converted with its design
 * voltage; false, and *r as it was, where no voltage is known.
 */
bool	batt_in_energy(batt_reading *r);
/* Several batteries summed: energies over full energies, summed rates. */
batt_combined	batt_combine(const batt_reading *r, int n);
/* Whether the batteries count in different units (energy and charge). */
bool	batt_mixed_units(const batt_reading *r, int n);
/* The system's own sum (FreeBSD's all-units query), or one battery. */
batt_combined	batt_as_reported(const batt_reading *r);

/* A battery's own figure as shown: -1 for ACPI's "unknown" and absurd ones. */
int64_t	batt_detail_figure(int64_t v);
/* A battery's own text as shown: printable, trimmed, "" for none. */
void	batt_detail_text(char *s);

constexpr int32_t BATT_DEFAULT_WARN = 10;
constexpr int32_t BATT_DEFAULT_LOW = 5;
/*
 * A remaining time beyond this is taken for an absurd figure: no laptop
 * runs a day on battery, and firmware says 0xffffffff for "unknown".
 */
constexpr int32_t BATT_MAX_MINUTES = 24 * 60;

/*
 * The allocations of the devd line buffer go through this table, so a test
 * can make them fail.  It points at the C library unless a test replaced an
 * entry; batt_sys_reset() restores it.  Blocks are released with free().
 */
struct batt_sys {
	void	*(*malloc)(size_t);
	void	*(*realloc)(void *, size_t);
};
extern struct batt_sys batt_sys;
void	batt_sys_reset(void);

/* The longest devd line kept (1 MiB); tests may lower it. */
extern int32_t devd_line_max;
/* Bytes one call of the devd reader reads at most before it returns. */
constexpr int32_t DEVD_CALL_BUDGET = 64 * 1024;

/*
 * Leaves a text in src->error.  Plain mode replaces the text; prepend mode
 * puts the formatted step name and ":" in front of it.  With with_errno a
 * non-zero errno (saved on entry) adds ":" and its text, and errno becomes 0.
 */
void	set_error(batt_source *src, bool with_errno, bool prepend,
	    const char *format, ...) __attribute__((format(printf, 4, 5)));

/*
 * Opens the event source at start-up: up to 30 attempts, a pause apart.
 * 0 with devd_fd and devd_stream set, or -1.
 */
int	events_connect(batt_source *src);

/* Linux only: the directory that stands for the power_supply class. */
void	platform_linux_set_root(const char *dir);

/*
 * Whether the system can suspend to memory: its list of sleep states (a
 * line of words) holds the word that stands for it.
 */
bool	batt_sleep_state_listed(const char *states, const char *word);

/* Simulated laptop only: attempts to reach devd so far. */
int	platform_sim_devd_attempts(void);

#endif /* AMPELWICK_BATTERY_INTERNAL_H */
