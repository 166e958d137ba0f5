/*
 * The battery status: start-up, the status read and the warning and low
 * levels of the first ACPI battery.
 */
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "battery_internal.h"
#include "platform.h"

static constexpr const char ACPI_DEVICE[] = "/dev/acpi";
static constexpr int32_t DEFAULT_WARN = 10;
static constexpr int32_t DEFAULT_LOW = 5;

void
ampelwick_clear(batt_source *src)
{
	memset(src, 0, sizeof(*src));
	src->devd_fd = -1;
	src->devd_buf = nullptr;
	src->status.acpi_fd = -1;
	src->status.warn_capacity = DEFAULT_WARN;
	src->status.low_capacity = DEFAULT_LOW;
	src->status.time_left = -1;
}

/* Appends ":" and text to the string in buf, cutting what does not fit. */
static void
append(char *buf, size_t size, const char *text)
{
	size_t n = strlen(buf), room, len;

	if (n + 1 >= size)
		return;
	buf[n++] = ':';
	room = size - n - 1;
	len = strlen(text);
	if (len > room)
		len = room;
	memcpy(buf + n, text, len);
	buf[n + len] = '\0';
}

void
set_error(batt_source *src, bool with_errno, bool prepend, const char *format, ...)
{
	int saved = errno;
	va_list ap;

	va_start(ap, format);
	if (prepend) {
		char scratch[sizeof(src->error)];

		vsnprintf(scratch, sizeof(scratch), format, ap);
		append(scratch, sizeof(scratch), src->error);
		memcpy(src->error, scratch, sizeof(src->error));
	} else
		vsnprintf(src->error, sizeof(src->error), format, ap);
	va_end(ap);

	if (with_errno && saved != 0) {
		append(src->error, sizeof(src->error), strerror(saved));
		errno = 0;
	}
}

/* 1 battery slots exist, 0 none, -1 failure. */
static int
get_units(batt_source *src)
{
	int units = 0;

	src->units = 0;
	if (platform_battery_units(&units) == -1) {
		if (errno == ENOENT)
			return 0;
		set_error(src, true, false, "sysctlbyname(hw.acpi.battery.units)");
		set_error(src, false, true, "get_units()");
		return -1;
	}
	src->units = units;
	if (units == 0)
		return 0;
	if (units < 0) {
		set_error(src, false, true, "get_units()");
		return -1;
	}
	return 1;
}

int
ampelwick_init(batt_source *src)
{
	int r;

	src->devd_buf = nullptr;
	src->devd_len = src->devd_size = src->devd_pos = 0;
	src->reconnected = false;
	src->error[0] = '\0';

	src->devd_fd = devd_connect();
	if (src->devd_fd == -1) {
		set_error(src, false, true, "devd_connect()");
		return -1;
	}
	src->status.acpi_fd = platform_acpi_open();
	if (src->status.acpi_fd == -1) {
		set_error(src, true, false, "open(%s)", ACPI_DEVICE);
		return -1;
	}
	if ((r = get_units(src)) != 1)
		return r;
	if (ampelwick_poll(src) == -1) {
		set_error(src, false, true, "ampelwick_poll()");
		return -1;
	}
	return 1;
}

/* The power state from the battery's flags, the held state and the AC line. */
static int32_t
power_state(int flags, int32_t held, int acline)
{
	if (flags & ACPI_BATT_STAT_DISCHARG)
		return BATT_DISCHARGING;
	if (flags & ACPI_BATT_STAT_CHARGING)
		return BATT_CHARGING;
	if (held != 0)
		return acline > 0 ? BATT_ON_AC : BATT_UNKNOWN;
	/* Not yet determined: guess from the AC line alone. */
	return acline > 0 ? BATT_CHARGING : BATT_DISCHARGING;
}

static int
poll_acpi(batt_source *src)
{
	union acpi_battery_ioctl_arg battio;
	int acline = 0;

	memset(&battio, 0, sizeof(battio));
	battio.unit = 0;
	if (platform_acpi_ioctl(src->status.acpi_fd, ACPIIO_BATT_GET_BATTINFO, &battio) == -1) {
		set_error(src, true, false, "ioctl(ACPIIO_BATT_GET_BATTINFO)");
		set_error(src, false, true, "poll_acpi()");
		return -1;
	}
	if (platform_acpi_ioctl(src->status.acpi_fd, ACPIIO_ACAD_GET_STATUS, &acline) == -1) {
		set_error(src, true, false, "ioctl(ACPIIO_ACAD_GET_STATUS)");
		set_error(src, false, true, "poll_acpi()");
		return -1;
	}
	if (battio.battinfo.state == ACPI_BATT_STAT_NOT_PRESENT || battio.battinfo.cap < 0) {
		src->present = false;
		return 0;
	}
	src->present = true;
	src->status.capacity = battio.battinfo.cap;
	src->status.time_left = battio.battinfo.min;
	src->status.state = power_state(battio.battinfo.state, src->status.state, acline);
	return 0;
}

int
ampelwick_poll(batt_source *src)
{
	return poll_acpi(src);
}

/*
 * part in percent of full, or fallback when the battery does not know part
 * or the percentage would be 0.  64 bits keep part * 100 from wrapping.
 */
static int32_t
level_percent(uint32_t part, uint32_t full, int32_t fallback)
{
	uint64_t scaled, pct;

	if (part == ACPI_BATT_UNKNOWN)
		return fallback;
	scaled = static_cast<uint64_t>(part) * 100;
	if (scaled < full)
		return fallback;
	pct = scaled / full;
	return pct > INT32_MAX ? INT32_MAX : static_cast<int32_t>(pct);
}

int
ampelwick_get_batt_info(batt_source *src)
{
	union acpi_bif_ioctl_arg bifio;
	uint32_t full;

	memset(&bifio, 0, sizeof(bifio));
	bifio.unit = 0;
	if (platform_acpi_ioctl(src->status.acpi_fd, ACPIIO_BATT_GET_BIF, &bifio) == -1) {
		set_error(src, true, false, "ioctl(ACPIIO_BATT_GET_BIF)");
		return -1;
	}
	full = bifio.bif.lfcap;
	if (full == 0 || full == ACPI_BATT_UNKNOWN) {
		src->status.low_capacity = DEFAULT_LOW;
		src->status.warn_capacity = DEFAULT_WARN;
		return 0;
	}
	src->status.warn_capacity = level_percent(bifio.bif.wcap, full, DEFAULT_WARN);
	src->status.low_capacity = level_percent(bifio.bif.lcap, full, DEFAULT_LOW);
	return 0;
}

bool
ampelwick_present(const batt_source *src)
{
	return src->present;
}

char *
ampelwick_error(batt_source *src)
{
	return src->error;
}
