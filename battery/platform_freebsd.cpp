/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * FreeBSD: the ACPI device /dev/acpi, the sysctl hw.acpi.battery.units and
 * devd's socket /var/run/devd.pipe, with the system's own records and
 * request values.  Built on FreeBSD only.
 */
#ifdef __FreeBSD__

#include <sys/types.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/sysctl.h>
#include <sys/un.h>

#include <dev/acpica/acpiio.h>

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "platform.h"

/* One record serves every battery request; the BIF request uses its head. */
static_assert(sizeof(union acpi_battery_ioctl_arg) ==
    IOCPARM_LEN(ACPIIO_BATT_GET_BATTINFO), "BATTINFO argument");
static_assert(sizeof(union acpi_battery_ioctl_arg) >=
    IOCPARM_LEN(ACPIIO_BATT_GET_BIF), "BIF argument");
static_assert(sizeof(union acpi_battery_ioctl_arg) >=
    IOCPARM_LEN(ACPIIO_BATT_GET_BST), "BST argument");
static_assert(sizeof(union acpi_battery_ioctl_arg) >=
    IOCPARM_LEN(ACPIIO_BATT_GET_BIX), "BIX argument");
static_assert(sizeof(struct sockaddr_un) == 106, "devd address size");

static constexpr const char DEVD_PIPE[] = "/var/run/devd.pipe";

const platform_call_names platform_calls = {
	"open(/dev/acpi)",
	"sysctlbyname(hw.acpi.battery.units)",
	"ioctl(ACPIIO_BATT_GET_BATTINFO)",
	"ioctl(ACPIIO_ACAD_GET_STATUS)",
	"ioctl(ACPIIO_BATT_GET_BIF)",
};

int
platform_open(void)
{
	return open("/dev/acpi", O_RDONLY | O_CLOEXEC);
}

void
platform_close(int fd)
{
	close(fd);
}

int
platform_battery_units(int *units)
{
	size_t len = sizeof(*units);

	return sysctlbyname("hw.acpi.battery.units", units, &len, nullptr, 0);
}

/* unit, or ACPI_BATTERY_ALL_UNITS for the kernel's sum of them all. */
static int
battinfo(int fd, int unit, batt_reading *r)
{
	union acpi_battery_ioctl_arg arg;

	memset(&arg, 0, sizeof(arg));
	arg.unit = unit;
	if (ioctl(fd, ACPIIO_BATT_GET_BATTINFO, &arg) == -1)
		return -1;
	batt_reading_clear(r);
	snprintf(r->name, sizeof(r->name), "battery%d", unit);
	r->flags = arg.battinfo.state;
	r->percent = arg.battinfo.cap;
	r->minutes = arg.battinfo.min;
	r->rate = arg.battinfo.rate;
	return 0;
}

/* A figure of _BST or _BIF, -1 where the battery does not know it. */
static int64_t
figure(uint32_t v)
{
	return v == ACPI_BATT_UNKNOWN ? -1 : v;
}

/*
 * The battery's own figures, in its own unit: remaining capacity and
 * present rate from _BST, last full capacity, unit and design voltage
 * from _BIF.  A battery that gives none leaves them unknown.
 */
static void
own_figures(int fd, int unit, batt_reading *r)
{
	union acpi_battery_ioctl_arg arg;

	if (platform_read_levels(fd, unit, r) == -1)
		return;
	memset(&arg, 0, sizeof(arg));
	arg.unit = unit;
	/* The kernel's own rate may be converted already: none rather than it. */
	r->rate = -1;
	if (ioctl(fd, ACPIIO_BATT_GET_BST, &arg) == -1)
		return;
	r->now = figure(arg.bst.cap);
	r->rate = figure(arg.bst.rate);
}

/*
 * With several batteries, each one's own figures too: the kernel's sum
 * adds mWh and mAh alike, so the shared code sums batteries of different
 * units itself.  A charging battery's too: the kernel gives no time
 * while charging, the shared code finds the time to full from them.
 */
int
platform_read_batteries(int fd, int units, batt_reading *r, int max)
{
	for (int i = 0; i < units && i < max; i++) {
		if (battinfo(fd, i, &r[i]) == -1)
			return -1;
		if (r[i].flags != BATT_FLAGS_NOT_PRESENT &&
		    (units >= 2 || (r[i].flags & BATT_FLAG_CHARGING)))
			own_figures(fd, i, &r[i]);
	}
	return units;
}

int
platform_read_total(int fd, batt_reading *total)
{
	return battinfo(fd, ACPI_BATTERY_ALL_UNITS, total) == -1 ? -1 : 1;
}

int
platform_read_levels(int fd, int unit, batt_reading *r)
{
	union acpi_battery_ioctl_arg arg;

	memset(&arg, 0, sizeof(arg));
	arg.unit = unit;
	if (ioctl(fd, ACPIIO_BATT_GET_BIF, &arg) == -1)
		return -1;
	r->full = figure(arg.bif.lfcap);
	r->warn = figure(arg.bif.wcap);
	r->low = figure(arg.bif.lcap);
	r->charge = arg.bif.units == ACPI_BIF_UNITS_MA;
	r->voltage = arg.bif.dvol != 0 ? figure(arg.bif.dvol) : -1;
	return 0;
}

/* A text of the firmware's, not always terminated. */
static void
text(char *dst, const char *src, size_t len)
{
	snprintf(dst, BATT_TEXT_MAX, "%.*s", static_cast<int>(len), src);
}

static int32_t
detail_state(uint32_t state)
{
	if (state & ACPI_BATT_STAT_DISCHARG)
		return BATT_DISCHARGING;
	return state & ACPI_BATT_STAT_CHARGING ? BATT_CHARGING : 0;
}

/* The figures _BIX and _BIF both give, under the same names. */
template <typename Info>
static void
info_figures(batt_details *d, const Info &info)
{
	d->charge = info.units == ACPI_BIF_UNITS_MA;
	d->design = info.dcap;
	d->full = info.lfcap;
	d->design_voltage = info.dvol;
	text(d->model, info.model, sizeof(info.model));
	text(d->serial, info.serial, sizeof(info.serial));
	text(d->technology, info.type, sizeof(info.type));
	text(d->manufacturer, info.oeminfo, sizeof(info.oeminfo));
}

/* _BIX where the firmware has it (with the cycle count), else _BIF. */
int
platform_read_details(int fd, int unit, batt_details *d)
{
	union acpi_battery_ioctl_arg arg;

	memset(&arg, 0, sizeof(arg));
	arg.unit = unit;
	if (ioctl(fd, ACPIIO_BATT_GET_BIX, &arg) == 0) {
		info_figures(d, arg.bix);
		d->cycles = arg.bix.cycles;
	} else {
		memset(&arg, 0, sizeof(arg));
		arg.unit = unit;
		if (ioctl(fd, ACPIIO_BATT_GET_BIF, &arg) == -1)
			return -1;
		info_figures(d, arg.bif);
	}
	memset(&arg, 0, sizeof(arg));
	arg.unit = unit;
	if (ioctl(fd, ACPIIO_BATT_GET_BST, &arg) == -1)
		return 0;
	d->state = detail_state(arg.bst.state);
	d->rate = arg.bst.rate;
	d->voltage = arg.bst.volt;
	return 0;
}

int
platform_acline(int fd, int *online)
{
	return ioctl(fd, ACPIIO_ACAD_GET_STATUS, online) == -1 ? -1 : 0;
}

int
platform_sleep_states(char *buf, size_t len, const char **word)
{
	size_t n = len - 1;

	*word = "S3";
	if (sysctlbyname("hw.acpi.supported_sleep_state", buf, &n, nullptr, 0) == -1)
		return -1;
	buf[n] = '\0';
	return 0;
}

int
platform_events_open(bool *devd)
{
	struct sockaddr_un sun;
	int fd;

	*devd = true;
	/* sun_len stays 0; the whole structure's size is passed. */
	memset(&sun, 0, sizeof(sun));
	sun.sun_family = AF_LOCAL;
	strlcpy(sun.sun_path, DEVD_PIPE, sizeof(sun.sun_path));
	if ((fd = socket(PF_LOCAL, SOCK_STREAM | SOCK_CLOEXEC, 0)) == -1)
		return -1;
	if (connect(fd, reinterpret_cast<struct sockaddr *>(&sun), sizeof(sun)) == -1 ||
	    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) == -1) {
		close(fd);
		return -1;
	}
	return fd;
}

/* devd's lines are read by the shared devd reader. */
int
platform_events_take(int)
{
	errno = EOPNOTSUPP;
	return -1;
}

void
platform_events_close(int fd)
{
	close(fd);
}

int
platform_events_pause_ms(void)
{
	return 1000;
}

#endif /* __FreeBSD__ */
