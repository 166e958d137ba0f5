/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The simulated laptop, a FreeBSD machine for the tests and the demo.  Its
 * machine is the directory ~/.ampelwick-sim of the user (home from the
 * password database): the directory stands for the ACPI device, the text
 * file "acpi" in it holds the readings as key=value lines, and the local
 * stream socket "devd.pipe" in it stands for devd.  Every operation
 * re-reads "acpi", so whoever drives the simulation changes the machine by
 * replacing that file.
 *
 * Battery unit 0 reads the plain keys (cap, state, ...), unit N the keys
 * with the prefix "N." (1.cap, 1.state, ...).  The texts model, serial,
 * type and oem are taken as they stand.  The sum of all units is
 * made the way FreeBSD's kernel makes it for its all-units query.
 */
#include <sys/socket.h>
#include <sys/un.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "platform.h"

namespace {

/* Keys of one battery unit. */
enum unit_key {
	U_CAP, U_MIN, U_STATE, U_RATE, U_LFCAP, U_WCAP, U_LCAP, U_DCAP, U_RCAP,
	U_DVOL, U_VOLT, U_CYCLES, U_MAH, U_COUNT
};

/* rcap: the remaining capacity of the battery's own status (_BST). */
constexpr const char *unit_key_names[U_COUNT] = {
	"cap", "min", "state", "rate", "lfcap", "wcap", "lcap", "dcap", "rcap",
	"dvol", "volt", "cycles", "mah",
};

/* A battery's texts, as _BIF and _BIX have them. */
enum unit_text { T_MODEL, T_SERIAL, T_TYPE, T_OEM, T_COUNT };

constexpr const char *unit_text_names[T_COUNT] = {
	"model", "serial", "type", "oem",
};

/* Keys of the machine. */
enum sim_key {
	K_UNITS, K_ACLINE, K_UNITS_ERRNO, K_BATTINFO_ERRNO, K_ACAD_ERRNO,
	K_BIF_ERRNO, K_OPEN_ERRNO, K_DEVD_PAUSE_MS, K_SUSPEND, K_COUNT
};

/* suspend=0: a machine without S3 among its sleep states. */
constexpr const char *key_names[K_COUNT] = {
	"units", "acline", "units_errno", "battinfo_errno", "acad_errno",
	"bif_errno", "open_errno", "devd_pause_ms", "suspend",
};

struct value {
	bool		has;
	long long	val;
};

struct sim_machine {
	value	key[K_COUNT];
	value	unit[BATT_MAX_UNITS][U_COUNT];
	char	text[BATT_MAX_UNITS][T_COUNT][BATT_TEXT_MAX];
};

int devd_attempts;

} /* namespace */

const platform_call_names platform_calls = {
	"open(/dev/acpi)",
	"sysctlbyname(hw.acpi.battery.units)",
	"ioctl(ACPIIO_BATT_GET_BATTINFO)",
	"ioctl(ACPIIO_ACAD_GET_STATUS)",
	"ioctl(ACPIIO_BATT_GET_BIF)",
};

/* path of name in the machine directory; false when no home is known. */
static bool
sim_path(char *buf, size_t len, const char *name)
{
	struct passwd *pw = getpwuid(getuid());
	int n;

	if (pw == nullptr || pw->pw_dir == nullptr) {
		errno = ENOENT;
		return false;
	}
	n = snprintf(buf, len, "%s/.ampelwick-sim%s%s", pw->pw_dir,
	    name[0] != '\0' ? "/" : "", name);
	if (n < 0 || static_cast<size_t>(n) >= len) {
		errno = ENAMETOOLONG;
		return false;
	}
	return true;
}

/* The key without its unit's prefix ("1."), the unit in *unit; or null. */
static const char *
strip_unit(const char *key, long *unit)
{
	char *end;

	*unit = 0;
	if (key[0] < '0' || key[0] > '9')
		return key;
	*unit = strtol(key, &end, 10);
	if (*end != '.' || *unit >= BATT_MAX_UNITS)
		return nullptr;
	return end + 1;
}

/* The slot a key names, or null. */
static value *
slot(sim_machine *m, const char *key)
{
	long unit;

	if ((key = strip_unit(key, &unit)) == nullptr)
		return nullptr;
	for (int k = 0; k < U_COUNT; k++)
		if (strcmp(key, unit_key_names[k]) == 0)
			return &m->unit[unit][k];
	for (int k = 0; unit == 0 && k < K_COUNT; k++)
		if (strcmp(key, key_names[k]) == 0)
			return &m->key[k];
	return nullptr;
}

/* The text slot a key names, or null. */
static char *
text_slot(sim_machine *m, const char *key)
{
	long unit;

	if ((key = strip_unit(key, &unit)) == nullptr)
		return nullptr;
	for (int k = 0; k < T_COUNT; k++)
		if (strcmp(key, unit_text_names[k]) == 0)
			return m->text[unit][k];
	return nullptr;
}

static void
parse_line(sim_machine *m, char *line)
{
	char *eq = strchr(line, '='), *end, *text;
	long long v;
	value *s;

	if (eq == nullptr)
		return;
	*eq = '\0';
	if ((text = text_slot(m, line)) != nullptr) {
		snprintf(text, BATT_TEXT_MAX, "%s", eq + 1);
		return;
	}
	errno = 0;
	v = strtoll(eq + 1, &end, 0);
	if (end == eq + 1 || errno != 0 || (s = slot(m, line)) == nullptr)
		return;
	s->has = true;
	s->val = v;
}

/* Reads the readings: 0, or -1 with ENXIO when the machine has none. */
static int
sim_read(sim_machine *m)
{
	char path[PATH_MAX], line[256];
	FILE *fp;

	memset(m, 0, sizeof(*m));
	if (!sim_path(path, sizeof(path), "acpi"))
		return -1;
	if ((fp = fopen(path, "re")) == nullptr) {
		errno = ENXIO;
		return -1;
	}
	while (fgets(line, sizeof(line), fp) != nullptr) {
		line[strcspn(line, "\r\n")] = '\0';
		parse_line(m, line);
	}
	fclose(fp);
	return 0;
}

static long long
get(const value &v, long long fallback)
{
	return v.has ? v.val : fallback;
}

/* -1 with the errno the readings ask for, else 0. */
static int
injected(const sim_machine *m, sim_key k)
{
	if (m->key[k].has && m->key[k].val != 0) {
		errno = static_cast<int>(m->key[k].val);
		return -1;
	}
	return 0;
}

/* Reads the machine and applies an injected failure of the request. */
static int
sim_request(int fd, sim_machine *m, sim_key failure)
{
	if (fd < 0) {
		errno = EBADF;
		return -1;
	}
	return sim_read(m) == -1 ? -1 : injected(m, failure);
}

int
platform_open(void)
{
	char path[PATH_MAX];
	sim_machine m;

	if (sim_read(&m) == 0 && injected(&m, K_OPEN_ERRNO) == -1)
		return -1;
	if (!sim_path(path, sizeof(path), ""))
		return -1;
	return open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

void
platform_close(int fd)
{
	close(fd);
}

int
platform_battery_units(int *units)
{
	sim_machine m;

	if (sim_read(&m) == -1 || injected(&m, K_UNITS_ERRNO) == -1)
		return -1;
	if (!m.key[K_UNITS].has) {
		errno = ENOENT;
		return -1;
	}
	*units = static_cast<int>(m.key[K_UNITS].val);
	return 0;
}

/* As the kernel's records hold them: ints and unsigned 32-bit words. */
static int
as_int(const value &v, long long fallback)
{
	return static_cast<int>(get(v, fallback));
}

static int64_t
as_word(const value &v)
{
	return static_cast<uint32_t>(get(v, 0));
}

/* Without readings a unit is an empty bay. */
static void
fill_unit(const sim_machine *m, int unit, batt_reading *r)
{
	const value *u = m->unit[unit];

	batt_reading_clear(r);
	snprintf(r->name, sizeof(r->name), "battery%d", unit);
	r->percent = as_int(u[U_CAP], -1);
	r->minutes = as_int(u[U_MIN], -1);
	r->flags = as_int(u[U_STATE], BATT_FLAGS_NOT_PRESENT);
	r->rate = as_int(u[U_RATE], -1);
	/* As FreeBSD's layer: a charging battery's own figures. */
	if ((r->flags & BATT_FLAG_CHARGING) && u[U_RCAP].has) {
		r->now = as_word(u[U_RCAP]);
		r->full = as_word(u[U_LFCAP]);
	}
}

int
platform_read_batteries(int fd, int units, batt_reading *r, int max)
{
	sim_machine m;

	if (sim_request(fd, &m, K_BATTINFO_ERRNO) == -1)
		return -1;
	for (int i = 0; i < units && i < max; i++)
		fill_unit(&m, i, &r[i]);
	return units;
}

/* The kernel's sum: remaining over last full capacity, summed drain. */
int
platform_read_total(int fd, batt_reading *total)
{
	long long remaining = 0, full = 0, drain = 0;
	int valid = 0, flags = 0, units;
	sim_machine m;

	if (sim_request(fd, &m, K_BATTINFO_ERRNO) == -1)
		return -1;
	units = static_cast<int>(get(m.key[K_UNITS], 0));
	for (int i = 0; i < units && i < BATT_MAX_UNITS; i++) {
		const value *u = m.unit[i];
		long long cap = as_int(u[U_CAP], -1), lf = as_word(u[U_LFCAP]);
		int state = as_int(u[U_STATE], BATT_FLAGS_NOT_PRESENT);

		if (state == BATT_FLAGS_NOT_PRESENT || cap < 0 || lf == 0)
			continue;
		valid++;
		flags |= state;
		remaining += (cap > 100 ? 100 : cap) * lf / 100;
		full += lf;
		if ((state & BATT_FLAG_DISCHARGING) && as_int(u[U_RATE], -1) > 0)
			drain += as_int(u[U_RATE], -1);
	}
	batt_reading_clear(total);
	snprintf(total->name, sizeof(total->name), "all");
	total->flags = BATT_FLAGS_NOT_PRESENT;
	if (valid == 0)
		return 1;
	total->flags = flags;
	total->percent = remaining * 100 / full;
	if (drain > 0 && !(flags & BATT_FLAG_CHARGING))
		total->minutes = remaining * 60 / drain;
	total->rate = drain;
	return 1;
}

int
platform_read_levels(int fd, int unit, batt_reading *r)
{
	sim_machine m;

	if (sim_request(fd, &m, K_BIF_ERRNO) == -1)
		return -1;
	r->full = as_word(m.unit[unit][U_LFCAP]);
	r->warn = as_word(m.unit[unit][U_WCAP]);
	r->low = as_word(m.unit[unit][U_LCAP]);
	return 0;
}

/* As FreeBSD's _BIX and _BST requests would give them. */
int
platform_read_details(int fd, int unit, batt_details *d)
{
	const value *u;
	sim_machine m;
	int state;

	if (sim_request(fd, &m, K_BIF_ERRNO) == -1)
		return -1;
	u = m.unit[unit];
	d->charge = get(u[U_MAH], 0) != 0;
	d->design = as_word(u[U_DCAP]);
	d->full = as_word(u[U_LFCAP]);
	d->design_voltage = as_word(u[U_DVOL]);
	d->cycles = u[U_CYCLES].has ? as_word(u[U_CYCLES]) : -1;
	d->rate = u[U_RATE].has ? as_word(u[U_RATE]) : -1;
	d->voltage = as_word(u[U_VOLT]);
	state = as_int(u[U_STATE], 0);
	d->state = state & BATT_FLAG_DISCHARGING ? BATT_DISCHARGING :
	    state & BATT_FLAG_CHARGING ? BATT_CHARGING : 0;
	snprintf(d->model, sizeof(d->model), "%s", m.text[unit][T_MODEL]);
	snprintf(d->serial, sizeof(d->serial), "%s", m.text[unit][T_SERIAL]);
	snprintf(d->technology, sizeof(d->technology), "%s", m.text[unit][T_TYPE]);
	snprintf(d->manufacturer, sizeof(d->manufacturer), "%s", m.text[unit][T_OEM]);
	return 0;
}

int
platform_acline(int fd, int *online)
{
	sim_machine m;

	if (sim_request(fd, &m, K_ACAD_ERRNO) == -1)
		return -1;
	*online = as_int(m.key[K_ACLINE], 0);
	return 0;
}

int
platform_sleep_states(char *buf, size_t len, const char **word)
{
	sim_machine m;

	*word = "S3";
	if (sim_read(&m) == -1)
		return -1;
	snprintf(buf, len, "%s", get(m.key[K_SUSPEND], 1) != 0 ?
	    "S1 S3 S4 S5" : "S4 S5");
	return 0;
}

int
platform_events_open(bool *devd)
{
	struct sockaddr_un sun;
	int fd;

	*devd = true;
	devd_attempts++;
	memset(&sun, 0, sizeof(sun));
	sun.sun_family = AF_LOCAL;
	if (!sim_path(sun.sun_path, sizeof(sun.sun_path), "devd.pipe"))
		return -1;
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
	sim_machine m;

	if (sim_read(&m) == -1)
		return 1000;
	return static_cast<int>(get(m.key[K_DEVD_PAUSE_MS], 1000));
}

int
platform_sim_devd_attempts(void)
{
	return devd_attempts;
}
