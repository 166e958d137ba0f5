/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * What each battery tells about itself: make, health and present figures,
 * read only when asked for, and the decisions that make them fit to show.
 */
#include <ctype.h>
#include <string.h>

#include "battery_internal.h"
#include "platform.h"

/* ACPI's marker for a figure the battery does not know. */
static constexpr int64_t ACPI_UNKNOWN = 0xffffffffLL;
/* Beyond this (a terawatt hour in mWh) a figure is absurd. */
static constexpr int64_t DETAIL_MAX = 1000000000000LL;

int64_t
batt_detail_figure(int64_t v)
{
	return v < 0 || v == ACPI_UNKNOWN || v > DETAIL_MAX ? -1 : v;
}

/* Firmware pads with spaces and may leave bytes that are no text at all. */
void
batt_detail_text(char *s)
{
	size_t start = 0, end;

	s[BATT_TEXT_MAX - 1] = '\0';
	for (char *p = s; *p != '\0'; p++)
		if (!isprint(static_cast<unsigned char>(*p)))
			*p = ' ';
	while (s[start] == ' ')
		start++;
	end = strlen(s);
	while (end > start && s[end - 1] == ' ')
		end--;
	memmove(s, s + start, end - start);
	s[end - start] = '\0';
}

int32_t
batt_health(int64_t full, int64_t design)
{
	full = batt_detail_figure(full);
	design = batt_detail_figure(design);
	if (full < 0 || design <= 0)
		return -1;
	return static_cast<int32_t>((full * 100 + design / 2) / design);
}

static void
details_clear(batt_details *d)
{
	memset(d, 0, sizeof(*d));
	d->design = d->full = d->design_voltage = d->cycles = -1;
	d->rate = d->voltage = -1;
	d->capacity = -1;
}

/* A capacity or voltage of 0 tells nothing either. */
static int64_t
nonzero_figure(int64_t v)
{
	return v == 0 ? -1 : batt_detail_figure(v);
}

static void
clean(batt_details *d)
{
	batt_detail_text(d->model);
	batt_detail_text(d->manufacturer);
	batt_detail_text(d->serial);
	batt_detail_text(d->technology);
	d->design = nonzero_figure(d->design);
	d->full = nonzero_figure(d->full);
	d->design_voltage = nonzero_figure(d->design_voltage);
	d->voltage = nonzero_figure(d->voltage);
	d->cycles = batt_detail_figure(d->cycles);
	/* Some systems give the drain as a negative figure. */
	if (d->rate < 0 && d->rate >= -DETAIL_MAX)
		d->rate = -d->rate;
	d->rate = batt_detail_figure(d->rate);
}

int
ampelwick_details(batt_source *src, batt_details *d, int max)
{
	int n = ampelwick_unit_count(src);

	if (n > max)
		n = max;
	for (int i = 0; i < n; i++) {
		const batt_unit *u = &src->unit[i];

		details_clear(&d[i]);
		static_assert(sizeof(d[i].name) == sizeof(u->name), "names");
		memcpy(d[i].name, u->name, sizeof(d[i].name));
		d[i].present = u->present;
		if (!u->present)
			continue;
		d[i].capacity = u->capacity;
		if (platform_read_details(src->status.acpi_fd, i, &d[i]) == -1)
			details_clear(&d[i]);
		memcpy(d[i].name, u->name, sizeof(d[i].name));
		d[i].present = true;
		d[i].capacity = u->capacity;
		clean(&d[i]);
	}
	return n;
}
