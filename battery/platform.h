/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Where the battery source meets the operating system.  One implementation
 * is linked into the program: FreeBSD (/dev/acpi, the battery sysctl and
 * devd), Linux (the power_supply class in sysfs and udev's monitor) or the
 * simulated laptop of the tests and the demo.  Each operation hands over
 * what the system reports, as readings; every decision stays in the shared
 * code.  Failures are -1 with errno.
 */
#ifndef AMPELWICK_PLATFORM_H
#define AMPELWICK_PLATFORM_H

#include "battery_internal.h"

/* How a failure of each operation is named in the error texts. */
struct platform_call_names {
	const char	*open;		/* "open(/dev/acpi)" */
	const char	*units;		/* "sysctlbyname(hw.acpi.battery.units)" */
	const char	*battery;	/* "ioctl(ACPIIO_BATT_GET_BATTINFO)" */
	const char	*acline;	/* "ioctl(ACPIIO_ACAD_GET_STATUS)" */
	const char	*levels;	/* "ioctl(ACPIIO_BATT_GET_BIF)" */
};
extern const platform_call_names platform_calls;

/* Opens the readings' device, read-only and close-on-exec. */
int	platform_open(void);
/* Closes it, and what the platform keeps open for its readings. */
void	platform_close(int fd);
/* The number of system batteries; ENOENT: no battery support at all. */
int	platform_battery_units(int *units);
/*
 * Reads the system batteries into r, at most max of them: their number.
 * units is the number found at start-up (a platform whose batteries come
 * and go counts them anew).
 */
int	platform_read_batteries(int fd, int units, batt_reading *r, int max);
/*
 * The system's own sum of all its batteries: 1 and *total, or 0 where the
 * system keeps no such sum (the shared code sums them then).
 */
int	platform_read_total(int fd, batt_reading *total);
/* The levels of battery unit: full, warn, low and charge of *r. */
int	platform_read_levels(int fd, int unit, batt_reading *r);
/*
 * What battery unit tells about itself, as the system gives it: texts,
 * figures in milli units (mWh or mAh, mW or mA, mV); the shared code
 * cleans them.  d comes with every figure -1 and every text empty.
 */
int	platform_read_details(int fd, int unit, batt_details *d);
/* The AC line: *online above 0 when mains power is on. */
int	platform_acline(int fd, int *online);

/*
 * The system's list of sleep states, as text into buf, and the word in it
 * that stands for suspend to memory: 0, or -1 with errno.
 */
int	platform_sleep_states(char *buf, size_t len, const char **word);

/*
 * The event source.  One attempt to open it: a descriptor to watch,
 * non-blocking and close-on-exec, or -1.  *devd tells that it carries
 * devd's notification lines, which the shared devd reader reads; otherwise
 * platform_events_take() says what waited: 1 a battery or power event, 0
 * nothing of the kind (all that waited is taken), -1 with errno.
 */
int	platform_events_open(bool *devd);
int	platform_events_take(int fd);
void	platform_events_close(int fd);
/* The pause between two attempts to open it, in milliseconds. */
int	platform_events_pause_ms(void);

#endif /* AMPELWICK_PLATFORM_H */
