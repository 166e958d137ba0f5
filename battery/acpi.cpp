/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The battery status: start-up, the status read and the warning and low
 * levels of the system's batteries, and the decisions taken on their
 * readings.
 */
#include <errno.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "battery_internal.h"
#include "platform.h"

/* ACPI's marker for a figure the battery does not know. */
static constexpr int64_t ACPI_UNKNOWN = 0xffffffffLL;
/* Figures beyond this (a terawatt hour in µWh) are absurd; sums never wrap. */
static constexpr int64_t FIGURE_MAX = 1000000000000000LL;

void
ampelwick_clear(batt_source *src)
{
	memset(src, 0, sizeof(*src));
	src->devd_fd = -1;
	src->devd_buf = nullptr;
	src->devd_attempts = -1;
	src->status.acpi_fd = -1;
	src->status.warn_capacity = BATT_DEFAULT_WARN;
	src->status.low_capacity = BATT_DEFAULT_LOW;
	src->status.time_left = -1;
}

void
ampelwick_release(batt_source *src)
{
	if (src->devd_fd != -1)
		platform_events_close(src->devd_fd);
	if (src->status.acpi_fd != -1)
		platform_close(src->status.acpi_fd);
	free(src->devd_buf);
	ampelwick_clear(src);
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

/* The decisions. */

int32_t
batt_power_state(int flags, int32_t held, batt_acline ac)
{
	if (flags & BATT_FLAG_DISCHARGING)
		return BATT_DISCHARGING;
	if (flags & BATT_FLAG_CHARGING)
		return BATT_CHARGING;
	if (ac == BATT_AC_UNKNOWN)
		return BATT_UNKNOWN;
	if (held != 0)
		return ac == BATT_AC_ON ? BATT_ON_AC : BATT_UNKNOWN;
	/* Not yet determined: guess from the AC line alone. */
	return ac == BATT_AC_ON ? BATT_CHARGING : BATT_DISCHARGING;
}

/*
 * Without an AC adapter device the request falls through to requests the
 * system refuses on a read-only descriptor, or it knows no such request.
 */
bool
batt_no_ac_device(int err)
{
	return err == EPERM || err == ENXIO || err == ENOTTY;
}

static bool
figure_known(int64_t v)
{
	return v >= 0 && v <= FIGURE_MAX;
}

static int32_t
clamp32(int64_t v)
{
	if (v > INT32_MAX)
		return INT32_MAX;
	return v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}

/* now in percent of full, at most 100; -1 when the figures do not tell. */
static int32_t
percent_of(int64_t now, int64_t full)
{
	if (!figure_known(now) || !figure_known(full) || full == 0)
		return -1;
	return now >= full ? 100 : static_cast<int32_t>(now * 100 / full);
}

/* The system's own percent where it gives one, else from the figures. */
static int32_t
reading_percent(const batt_reading *r)
{
	if (r->percent >= 0)
		return r->percent <= INT32_MAX ? static_cast<int32_t>(r->percent) : -1;
	return percent_of(r->now, r->full);
}

bool
batt_present(const batt_reading *r)
{
	return r->present && r->flags != BATT_FLAGS_NOT_PRESENT &&
	    reading_percent(r) >= 0;
}

int32_t
batt_minutes_left(int64_t now, int64_t rate)
{
	int64_t minutes;

	/* Some systems give the drain as a negative figure. */
	if (rate < 0)
		rate = rate == INT64_MIN ? 0 : -rate;
	if (!figure_known(now) || !figure_known(rate) || rate == 0)
		return -1;
	minutes = now * 60 / rate;
	return batt_time_left(minutes);
}

int32_t
batt_minutes_to_full(int64_t now, int64_t full, int64_t rate)
{
	if (rate < 0)
		rate = rate == INT64_MIN ? 0 : -rate;
	if (!figure_known(now) || !figure_known(full) || !figure_known(rate) ||
	    rate == 0)
		return -1;
	return batt_time_left(now >= full ? 0 : (full - now) * 60 / rate);
}

int32_t
batt_time_left(int64_t minutes)
{
	return minutes >= 0 && minutes <= BATT_MAX_MINUTES ?
	    static_cast<int32_t>(minutes) : -1;
}

static bool
level_known(int64_t v)
{
	return v >= 0 && v != ACPI_UNKNOWN && figure_known(v);
}

int32_t
batt_level_percent(int64_t part, int64_t full, int32_t fallback)
{
	int64_t scaled;

	if (!level_known(part) || !level_known(full) || full == 0)
		return fallback;
	scaled = part * 100;
	if (scaled < full)
		return fallback;
	return clamp32(scaled / full);
}

batt_combined
batt_as_reported(const batt_reading *r)
{
	batt_combined c = { false, r->flags, -1, -1 };

	if (!batt_present(r))
		return c;
	c.present = true;
	c.capacity = reading_percent(r);
	if (r->minutes != -1)
		c.minutes = batt_time_left(r->minutes);
	else if (r->flags & BATT_FLAG_DISCHARGING)
		c.minutes = batt_minutes_left(r->now, r->rate);
	else if (r->flags & BATT_FLAG_CHARGING)
		c.minutes = batt_minutes_to_full(r->now, r->full, r->rate);
	return c;
}

/* v in energy at mV: mAh to mWh, µAh to µWh; -1 when unknown. */
static int64_t
energy_of(int64_t v, int64_t mv)
{
	int64_t product;

	if (!figure_known(v) || __builtin_mul_overflow(v, mv, &product) ||
	    product / 1000 > FIGURE_MAX)
		return -1;
	return product / 1000;
}

bool
batt_in_energy(batt_reading *r)
{
	if (!r->charge)
		return true;
	if (!figure_known(r->voltage) || r->voltage == 0)
		return false;
	r->now = energy_of(r->now, r->voltage);
	r->full = energy_of(r->full, r->voltage);
	/* Some systems give the drain as a negative figure. */
	r->rate = r->rate < 0 && r->rate != INT64_MIN ?
	    -energy_of(-r->rate, r->voltage) : energy_of(r->rate, r->voltage);
	r->charge = false;
	return true;
}

batt_combined
batt_combine(const batt_reading *r, int n)
{
	batt_combined c = { false, 0, -1, -1 };
	int64_t now = 0, full = 0, drain = 0, charge_rate = 0, percents = 0;
	int64_t weighed = 0, fulls = 0;
	bool figures = true, charge = false, weights = true;
	int present = 0;

	for (int i = 0; i < n; i++) {
		batt_reading e = r[i];
		int32_t percent;

		if (!batt_present(&e))
			continue;
		batt_in_energy(&e);
		c.flags |= e.flags;
		percents += (percent = reading_percent(&e));
		/* Where only the percent is given, the figures follow from it. */
		if (!figure_known(e.now) && figure_known(e.full) && percent <= 100)
			e.now = e.full / 100 * percent + e.full % 100 * percent / 100;
		if (present++ == 0)
			charge = e.charge;
		else if (e.charge != charge)
			figures = false;
		if (!figure_known(e.full) || e.full == 0) {
			weights = false;
		} else {
			weighed += e.full / 100 * percent +
			    e.full % 100 * percent / 100;
			fulls += e.full;
		}
		if (!figure_known(e.now) || !figure_known(e.full) || e.full == 0) {
			figures = false;
			continue;
		}
		now += e.now;
		full += e.full;
		if (e.flags & (BATT_FLAG_DISCHARGING | BATT_FLAG_CHARGING))
			(e.flags & BATT_FLAG_DISCHARGING ? drain : charge_rate) +=
			    e.rate < 0 && e.rate != INT64_MIN ? -e.rate :
			    figure_known(e.rate) ? e.rate : 0;
	}
	if (present == 0)
		return c;
	c.present = true;
	if (!figures) {
		/*
		 * Figures that cannot be summed (energy and charge with no
		 * voltage to convert): each percent counts by the battery's
		 * last full capacity where all give one, else alike.
		 */
		c.capacity = weights ? percent_of(weighed, fulls) :
		    clamp32(percents / present);
		return c;
	}
	c.capacity = percent_of(now, full);
	if (c.flags & BATT_FLAG_DISCHARGING)
		c.minutes = batt_minutes_left(now, drain);
	else if (c.flags & BATT_FLAG_CHARGING)
		c.minutes = batt_minutes_to_full(now, full, charge_rate);
	return c;
}

bool
batt_mixed_units(const batt_reading *r, int n)
{
	int energy = 0, charge = 0;

	for (int i = 0; i < n; i++)
		if (batt_present(&r[i]))
			(r[i].charge ? charge : energy)++;
	return energy > 0 && charge > 0;
}

/* The source. */

/* 1 battery slots exist, 0 none, -1 failure. */
static int
get_units(batt_source *src)
{
	int units = 0;

	src->units = 0;
	if (platform_battery_units(&units) == -1) {
		if (errno == ENOENT)
			return 0;
		set_error(src, true, false, "%s", platform_calls.units);
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
	src->devd_scanned = 0;
	src->devd_skipping = false;
	src->devd_attempts = -1;
	src->reconnected = false;
	src->error[0] = '\0';

	if (events_connect(src) == -1) {
		set_error(src, true, false, "devd_connect()");
		return -1;
	}
	src->status.acpi_fd = platform_open();
	if (src->status.acpi_fd == -1) {
		set_error(src, true, false, "%s", platform_calls.open);
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

static int
poll_failed(batt_source *src, const char *call)
{
	set_error(src, true, false, "%s", call);
	set_error(src, false, true, "poll_acpi()");
	return -1;
}

static void
record_units(batt_source *src, const batt_reading *r, int n)
{
	for (int i = 0; i < n; i++) {
		batt_unit *u = &src->unit[i];

		static_assert(sizeof(u->name) == sizeof(r[i].name), "names");
		memcpy(u->name, r[i].name, sizeof(u->name));
		u->name[sizeof(u->name) - 1] = '\0';
		u->present = batt_present(&r[i]);
		u->capacity = u->present ? reading_percent(&r[i]) : -1;
	}
}

/*
 * More batteries than the tool tip lists: all of them are read again, on
 * the heap, and summed.  Where memory runs out, the listed ones are.
 */
static batt_combined
combine_all(batt_source *src, int n, const batt_reading *listed, int kept)
{
	batt_combined c = { false, 0, -1, -1 };
	batt_reading *all;
	int got;

	all = static_cast<batt_reading *>(calloc(static_cast<size_t>(n),
	    sizeof(*all)));
	if (all == nullptr)
		return batt_combine(listed, kept);
	got = platform_read_batteries(src->status.acpi_fd, n, all, n);
	if (got > 0)
		c = batt_combine(all, got < n ? got : n);
	free(all);
	return c;
}

static int
poll_acpi(batt_source *src)
{
	batt_reading r[BATT_MAX_UNITS], total;
	batt_combined c = { false, 0, -1, -1 };
	batt_acline ac = BATT_AC_OFF;
	int n, kept, summed = 0, online = 0;

	n = platform_read_batteries(src->status.acpi_fd, src->units, r, BATT_MAX_UNITS);
	if (n == -1)
		return poll_failed(src, platform_calls.battery);
	if (n >= 2 && (summed = platform_read_total(src->status.acpi_fd, &total)) == -1)
		return poll_failed(src, platform_calls.battery);
	if (platform_acline(src->status.acpi_fd, &online) == -1) {
		if (!batt_no_ac_device(errno))
			return poll_failed(src, platform_calls.acline);
		ac = BATT_AC_UNKNOWN;
	} else if (online > 0)
		ac = BATT_AC_ON;
	else if (online < 0)
		ac = BATT_AC_UNKNOWN;	/* the adapter's state not yet known */

	kept = n < BATT_MAX_UNITS ? n : BATT_MAX_UNITS;
	src->units = n;
	record_units(src, r, kept);
	if (n == 1)
		c = batt_as_reported(&r[0]);
	else if (summed == 1 && !batt_mixed_units(r, kept))
		c = batt_as_reported(&total);
	else if (n > BATT_MAX_UNITS)
		c = combine_all(src, n, r, kept);
	else if (n >= 2)
		c = batt_combine(r, kept);
	/* The system's sum gives no time while charging: each battery's figures do. */
	if (summed == 1 && n <= BATT_MAX_UNITS && c.minutes == -1 &&
	    (c.flags & BATT_FLAG_CHARGING) && !(c.flags & BATT_FLAG_DISCHARGING))
		c.minutes = batt_combine(r, kept).minutes;
	if (!c.present) {
		src->present = false;
		return 0;
	}
	src->present = true;
	src->status.capacity = c.capacity;
	src->status.time_left = c.minutes;
	src->status.state = batt_power_state(c.flags, src->status.state, ac);
	return 0;
}

int
ampelwick_poll(batt_source *src)
{
	return poll_acpi(src);
}

int
ampelwick_get_batt_info(batt_source *src)
{
	int64_t full = 0, warn = 0, low = 0;
	int n = ampelwick_unit_count(src);
	batt_reading r;

	for (int i = 0; i < (n > 1 ? n : 1); i++) {
		if (n > 1 && !src->unit[i].present)
			continue;
		batt_reading_clear(&r);
		if (platform_read_levels(src->status.acpi_fd, i, &r) == -1) {
			set_error(src, true, false, "%s", platform_calls.levels);
			return -1;
		}
		if (n <= 1) {
			src->status.warn_capacity = batt_level_percent(r.warn, r.full,
			    BATT_DEFAULT_WARN);
			src->status.low_capacity = batt_level_percent(r.low, r.full,
			    BATT_DEFAULT_LOW);
			return 0;
		}
		/* Only batteries that give all three figures add to the sum. */
		if (!level_known(r.full) || !level_known(r.warn) || !level_known(r.low))
			continue;
		full += r.full;
		warn += r.warn;
		low += r.low;
	}
	src->status.warn_capacity = batt_level_percent(full > 0 ? warn : -1, full,
	    BATT_DEFAULT_WARN);
	src->status.low_capacity = batt_level_percent(full > 0 ? low : -1, full,
	    BATT_DEFAULT_LOW);
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

int
ampelwick_unit_count(const batt_source *src)
{
	if (src->units <= 0)
		return 0;
	return src->units < BATT_MAX_UNITS ? src->units : BATT_MAX_UNITS;
}

const batt_unit *
ampelwick_unit(const batt_source *src, int i)
{
	if (i < 0 || i >= ampelwick_unit_count(src))
		return nullptr;
	return &src->unit[i];
}
