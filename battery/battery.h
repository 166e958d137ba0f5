/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The battery source: reads the system's batteries, shown as one the way
 * the system itself sums them, and listens for battery and power events
 * (devd's notifications; udev's on Linux).  Plain functions over one
 * context record.  Every failure returns -1 and leaves a text in the
 * record's error field.
 */
#ifndef AMPELWICK_BATTERY_H
#define AMPELWICK_BATTERY_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Power state codes of batt_status.state. */
#define BATT_DISCHARGING	1
#define BATT_CHARGING		2
#define BATT_ON_AC		3
#define BATT_UNKNOWN		(-1)

/* Batteries a source tells apart; more are summed but not listed. */
#define BATT_MAX_UNITS		8
#define BATT_NAME_MAX		32

typedef struct batt_status {
	int32_t	capacity;	/* percent of all batteries together */
	int32_t	low_capacity;	/* percent of the last full charge */
	int32_t	warn_capacity;	/* percent of the last full charge */
	int32_t	state;		/* BATT_* */
	int32_t	acpi_fd;	/* descriptor of the readings' device */
	int32_t	time_left;	/* minutes, -1 when unknown */
} batt_status;

/* One system battery, as the last poll found it. */
typedef struct batt_unit {
	char	name[BATT_NAME_MAX];	/* "BAT1", "battery0" */
	bool	present;		/* false: an empty bay */
	int32_t	capacity;		/* percent, -1 when unknown */
} batt_unit;

/* Longest text a battery names itself with, terminator included. */
#define BATT_TEXT_MAX		32

/*
 * What one battery tells about itself, for the details window: -1 and ""
 * where it does not say.  Capacities count mWh, or mAh where charge is
 * set; the rate counts mW or mA alike.
 */
typedef struct batt_details {
	char	name[BATT_NAME_MAX];
	bool	present;		/* false: an empty bay */
	char	model[BATT_TEXT_MAX];
	char	manufacturer[BATT_TEXT_MAX];
	char	serial[BATT_TEXT_MAX];
	char	technology[BATT_TEXT_MAX];	/* "Li-ion", "LiP" */
	bool	charge;
	int64_t	design;			/* design capacity */
	int64_t	full;			/* last full capacity */
	int64_t	design_voltage;		/* mV */
	int64_t	cycles;
	int64_t	rate;			/* present rate, its size */
	int64_t	voltage;		/* present voltage, mV */
	int32_t	capacity;		/* percent */
	int32_t	state;			/* BATT_DISCHARGING, BATT_CHARGING, 0 idle */
} batt_details;

typedef struct batt_source {
	int32_t		devd_len;	/* bytes held in devd_buf */
	int32_t		devd_size;	/* size of devd_buf */
	int32_t		devd_pos;	/* first byte not yet consumed */
	int32_t		devd_fd;	/* the event descriptor, -1 while devd is away */
	int32_t		units;		/* system batteries, 0 when none */
	bool		present;	/* last poll found a battery */
	bool		reconnected;	/* devd was reconnected */
	char		error[1024];	/* text of the last failure */
	char	       *devd_buf;	/* devd line buffer, owned */
	batt_status	status;

	/* The devd reader and its reconnection. */
	int32_t		devd_scanned;	/* bytes after devd_pos known to hold no newline */
	bool		devd_skipping;	/* dropping an overlong line up to its newline */
	bool		devd_stream;	/* devd_fd carries devd's lines */
	int32_t		devd_attempts;	/* attempts of the pending reconnection, -1: none */
	/* The batteries of the last poll, for the tool tip. */
	batt_unit	unit[BATT_MAX_UNITS];
} batt_source;

/*
 * Gives a record its starting values: warning level 10, low level 5,
 * state 0 (not yet determined), no descriptors, nothing buffered.
 * Call it once on a new record, before ampelwick_init().
 */
void	 ampelwick_clear(batt_source *src);

/*
 * 1 ready, 0 no battery slot, -1 failure.  Connects to devd first,
 * waiting up to 30 attempts a second apart.
 */
int	 ampelwick_init(batt_source *src);
/* Re-reads every battery, their sum and the AC line: 0, or -1. */
int	 ampelwick_poll(batt_source *src);
/* Re-reads the warning and low levels: 0, or -1. */
int	 ampelwick_get_batt_info(batt_source *src);
bool	 ampelwick_present(const batt_source *src);
char	*ampelwick_error(batt_source *src);
/* Test and clear: devd was reconnected since the last call. */
bool	 ampelwick_reconnected(batt_source *src);

/*
 * The system batteries of the last poll, for one line each in the tool
 * tip: their number (at most BATT_MAX_UNITS) and each by index.
 */
int	 ampelwick_unit_count(const batt_source *src);
const batt_unit *ampelwick_unit(const batt_source *src, int i);

/*
 * Reads what each battery of the last poll tells about itself into d, at
 * most max of them: their number.  Asked for only while someone looks;
 * a battery that does not answer has its figures unknown.
 */
int	 ampelwick_details(batt_source *src, batt_details *d, int max);
/* Last full in percent of design capacity, -1 when either is unknown. */
int32_t	 batt_health(int64_t full, int64_t design);

/*
 * Reads what waits on devd_fd: 1 a battery or power event, 0 nothing to
 * report now (call again when devd_fd is readable), -1 failure.  When it
 * finds devd gone it says so on standard error, closes devd_fd (now -1)
 * and returns 0 with ampelwick_reconnecting() true.
 */
int	 read_devd_event(batt_source *src);
/* devd is away: call ampelwick_reconnect() every reconnection interval. */
bool	 ampelwick_reconnecting(const batt_source *src);
/*
 * One attempt to reach devd again, never blocking: 1 connected (devd_fd
 * is the new socket, the reconnected flag is set), 0 not yet or nothing
 * pending, -1 the 30th attempt failed ("Connecting to devd failed.
 * Giving up.").
 */
int	 ampelwick_reconnect(batt_source *src);
/* Milliseconds between two attempts to reach devd (one second). */
int	 ampelwick_reconnect_interval(void);

/*
 * Whether the machine can suspend to memory: 1 it can, 0 it cannot, -1
 * the system does not say.
 */
int	 ampelwick_can_suspend(void);

/* Closes the descriptors and frees the buffer; the record is cleared. */
void	 ampelwick_release(batt_source *src);

/* Start-up: a connected non-blocking socket, or -1 after 30 attempts. */
int	 devd_connect(void);

#ifdef __cplusplus
}
#endif

#endif /* AMPELWICK_BATTERY_H */
