/*
 * Where the battery source meets the operating system.  One implementation
 * is linked into the program: FreeBSD (/dev/acpi, the battery sysctl and
 * devd), Linux (the power_supply class in sysfs and its uevents) or the
 * simulated laptop of the tests and the demo.  Each operation only passes
 * the system's answer through; every decision stays in the shared code.
 */
#ifndef AMPELWICK_PLATFORM_H
#define AMPELWICK_PLATFORM_H

/* Opens the ACPI device read-only: a descriptor, or -1 with errno. */
int	platform_acpi_open(void);
/*
 * Reads the number of battery slots (the sysctl hw.acpi.battery.units):
 * 0 and *units, or -1 with errno, ENOENT when the system has no such value.
 */
int	platform_battery_units(int *units);
/* Issues one ACPIIO_* request on the ACPI descriptor: 0, or -1 with errno. */
int	platform_acpi_ioctl(int fd, unsigned long request, void *arg);
/* One attempt to reach devd: a connected non-blocking stream socket, or -1. */
int	platform_devd_attempt(void);
/* The pause between two attempts to reach devd (one second). */
void	platform_devd_pause(void);

#endif /* AMPELWICK_PLATFORM_H */
