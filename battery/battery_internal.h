/*
 * Internals of the battery source shared by its files, its platform
 * backends and its tests: the ACPI ioctl argument records, the state flags
 * and the error-text routine.
 */
#ifndef AMPELWICK_BATTERY_INTERNAL_H
#define AMPELWICK_BATTERY_INTERNAL_H

#include <stddef.h>
#include <stdint.h>

#include "acpi_requests.h"
#include "battery.h"

/* Flags of acpi_battinfo.state. */
constexpr int ACPI_BATT_STAT_DISCHARG = 0x0001;
constexpr int ACPI_BATT_STAT_CHARGING = 0x0002;
constexpr int ACPI_BATT_STAT_CRITICAL = 0x0004;
constexpr int ACPI_BATT_STAT_NOT_PRESENT = 0x0007;

/* ACPI's marker for a capacity the battery does not know. */
constexpr uint32_t ACPI_BATT_UNKNOWN = 0xffffffffU;

struct acpi_battinfo {
	int	cap;		/* percent */
	int	min;		/* minutes left, -1 when unknown */
	int	state;		/* ACPI_BATT_STAT_* */
	int	rate;		/* present rate */
};

union acpi_battery_ioctl_arg {
	int			unit;	/* in: battery unit */
	struct acpi_battinfo	battinfo;
	char			size_[acpi_ioc::BATTINFO_ARG_SIZE];
};

constexpr size_t ACPI_BIF_STR = 32;

/* The battery's _BIF object; capacities in the battery's own unit. */
struct acpi_bif {
	uint32_t	units;	/* 0 mWh, 1 mAh */
	uint32_t	dcap;	/* design capacity */
	uint32_t	lfcap;	/* last full charge capacity */
	uint32_t	btech;
	uint32_t	dvol;
	uint32_t	wcap;	/* design capacity of warning */
	uint32_t	lcap;	/* design capacity of low */
	uint32_t	gra1;
	uint32_t	gra2;
	char		model[ACPI_BIF_STR];
	char		serial[ACPI_BIF_STR];
	char		type[ACPI_BIF_STR];
	char		oeminfo[ACPI_BIF_STR];
};

union acpi_bif_ioctl_arg {
	int		unit;
	struct acpi_bif	bif;
};

static_assert(sizeof(acpi_battinfo) == 16, "battinfo layout");
static_assert(offsetof(acpi_battinfo, cap) == 0 && offsetof(acpi_battinfo, min) == 4 &&
    offsetof(acpi_battinfo, state) == 8 && offsetof(acpi_battinfo, rate) == 12,
    "battinfo offsets");
static_assert(sizeof(acpi_battery_ioctl_arg) == 256, "BATTINFO argument size");
static_assert(offsetof(acpi_bif, lfcap) == 8 && offsetof(acpi_bif, wcap) == 20 &&
    offsetof(acpi_bif, lcap) == 24 && offsetof(acpi_bif, gra2) == 32 &&
    offsetof(acpi_bif, model) == 36 && offsetof(acpi_bif, oeminfo) == 132,
    "bif offsets");
static_assert(sizeof(acpi_bif_ioctl_arg) == 164, "BIF argument size");

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

/*
 * Leaves a text in src->error.  Plain mode replaces the text; prepend mode
 * puts the formatted step name and ":" in front of it.  With with_errno a
 * non-zero errno (saved on entry) adds ":" and its text, and errno becomes 0.
 */
void	set_error(batt_source *src, bool with_errno, bool prepend,
	    const char *format, ...) __attribute__((format(printf, 4, 5)));

/*
 * Linux backend only: the directory that stands for the power_supply class
 * (default /sys/class/power_supply), and the number of running devd bridge
 * threads.
 */
void	platform_linux_set_root(const char *dir);
int	platform_linux_bridges(void);

/* Simulated laptop only: attempts to reach devd and pauses so far. */
struct sim_counters {
	int	devd_attempts;
	int	devd_pauses;
};
sim_counters	platform_sim_counters(void);

#endif /* AMPELWICK_BATTERY_INTERNAL_H */
