/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Linux: the kernel's power_supply class in sysfs for the readings, and
 * udev's monitor for the events, its descriptor watched by the caller's
 * event loop.
 *
 * The system batteries are the supplies of type "Battery" that belong
 * neither to a device (scope "Device") nor to a peripheral on USB,
 * Bluetooth or HID (a mouse, a keyboard, a pen), told by the device path:
 * such batteries often have no scope file.  They are taken in the order
 * of their names.  The AC line is on when a mains adapter (type "Mains"
 * or a USB supply) is online.
 */
#include <ctype.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <libudev.h>

#include "platform.h"

static char supply_root[PATH_MAX] = "/sys/class/power_supply";

static struct udev		*udev;
static struct udev_monitor	*monitor;

const platform_call_names platform_calls = {
	"open(/sys/class/power_supply)",
	"readdir(/sys/class/power_supply)",
	"readdir(/sys/class/power_supply)",
	"readdir(/sys/class/power_supply)",
	"readdir(/sys/class/power_supply)",
};

void
platform_linux_set_root(const char *dir)
{
	snprintf(supply_root, sizeof(supply_root), "%s", dir);
}

/* Attribute attr of supply dev, without its newline; false when absent. */
static bool
read_attr(int dirfd, const char *dev, const char *attr, char *buf, size_t len)
{
	char path[2 * NAME_MAX + 2];
	ssize_t n;
	int fd;

	snprintf(path, sizeof(path), "%s/%s", dev, attr);
	if ((fd = openat(dirfd, path, O_RDONLY | O_CLOEXEC)) == -1)
		return false;
	n = read(fd, buf, len - 1);
	close(fd);
	if (n < 0)
		return false;
	buf[n] = '\0';
	buf[strcspn(buf, "\n")] = '\0';
	return true;
}

/* A number; -1 when absent or unreadable. */
static int64_t
read_num(int dirfd, const char *dev, const char *attr)
{
	char buf[32], *end;
	long long v;

	if (!read_attr(dirfd, dev, attr, buf, sizeof(buf)))
		return -1;
	errno = 0;
	v = strtoll(buf, &end, 10);
	return end != buf && errno == 0 ? v : -1;
}

/* A signed figure (a rate): false when absent or unreadable. */
static bool
read_signed(int dirfd, const char *dev, const char *attr, int64_t *v)
{
	char buf[32], *end;
	long long n;

	if (!read_attr(dirfd, dev, attr, buf, sizeof(buf)))
		return false;
	errno = 0;
	n = strtoll(buf, &end, 10);
	if (end == buf || errno != 0)
		return false;
	*v = n;
	return true;
}

/* A HID device's name: bus, vendor, product and instance in hex. */
static bool
hid_name(const char *seg, size_t len)
{
	static const char form[] = "XXXX:XXXX:XXXX.XXXX";

	if (len != sizeof(form) - 1)
		return false;
	for (size_t i = 0; i < len; i++)
		if (form[i] == 'X' ? !isxdigit(static_cast<unsigned char>(seg[i])) :
		    seg[i] != form[i])
			return false;
	return true;
}

/* A device path through a USB bus, Bluetooth or a HID device. */
static bool
peripheral_path(const char *path)
{
	for (const char *seg = path; *seg != '\0'; ) {
		size_t len = strcspn(seg, "/");

		if ((len > 3 && strncmp(seg, "usb", 3) == 0 &&
		    isdigit(static_cast<unsigned char>(seg[3]))) ||
		    (len == 9 && strncmp(seg, "bluetooth", 9) == 0) ||
		    hid_name(seg, len))
			return true;
		seg += len;
		seg += *seg == '/';
	}
	return false;
}

static bool
is_system_battery(const char *type, const char *scope, const char *path)
{
	return type != nullptr && strcmp(type, "Battery") == 0 &&
	    (scope == nullptr || strcmp(scope, "Device") != 0) &&
	    (path == nullptr || !peripheral_path(path));
}

static bool
is_mains(const char *type, const char *scope)
{
	return type != nullptr &&
	    (strcmp(type, "Mains") == 0 || strncmp(type, "USB", 3) == 0) &&
	    (scope == nullptr || strcmp(scope, "Device") != 0);
}

/*
 * What a supply is (a system battery, a mains adapter or neither) does
 * not change while it exists, so it is kept from scan to scan: a poll
 * then reads the figures alone.  A supply is known by its entry's name and
 * inode number; one that goes and comes back is a new entry, read anew.
 * The kernel links a new supply into the class before it makes its
 * attribute files, and announces it once they are there: a supply event
 * forgets every kind, as does opening the class directory.
 */
enum supply_kind { SUPPLY_UNREADABLE, SUPPLY_OTHER, SUPPLY_BATTERY, SUPPLY_MAINS };

struct known_supply {
	ino_t		ino;
	char		name[NAME_MAX + 1];
	supply_kind	kind;
};

/* Supplies kept; a machine with more has the rest looked at every time. */
static constexpr int KNOWN_MAX = 16;
static known_supply	known[KNOWN_MAX];
static int		nknown;

/*
 * The AC line as the last reading of the batteries found it, -1 when
 * taken: the AC request of the same poll uses it instead of a second pass.
 */
static int	scanned_online = -1;

/* What one pass over the class directory finds. */
struct supplies {
	int	batteries;
	char	names[BATT_MAX_UNITS][NAME_MAX + 1];	/* the first by name */
	bool	online;					/* a mains adapter is online */
};

/* Keeps the BATT_MAX_UNITS first names in order. */
static void
add_battery(supplies *s, const char *name)
{
	int kept = s->batteries < BATT_MAX_UNITS ? s->batteries : BATT_MAX_UNITS, at;

	s->batteries++;
	for (at = kept; at > 0 && strcmp(name, s->names[at - 1]) < 0; at--)
		if (at < BATT_MAX_UNITS)
			memcpy(s->names[at], s->names[at - 1], sizeof(s->names[at]));
	if (at < BATT_MAX_UNITS)
		snprintf(s->names[at], sizeof(s->names[at]), "%s", name);
}

static supply_kind
classify(int dirfd, const char *name)
{
	char type[32], scope[32], path[PATH_MAX];
	const char *sc, *dev = nullptr;
	ssize_t n;

	if (!read_attr(dirfd, name, "type", type, sizeof(type)))
		return SUPPLY_UNREADABLE;
	sc = read_attr(dirfd, name, "scope", scope, sizeof(scope)) ? scope : nullptr;
	if ((n = readlinkat(dirfd, name, path, sizeof(path) - 1)) > 0) {
		path[n] = '\0';
		dev = path;
	}
	if (is_system_battery(type, sc, dev))
		return SUPPLY_BATTERY;
	return is_mains(type, sc) ? SUPPLY_MAINS : SUPPLY_OTHER;
}

/*
 * The kind of the entry, from the last scan where it was seen there; it
 * goes into seen, the kinds of this scan.  A supply without a type yet is
 * looked at again the next time.
 */
static supply_kind
kind_of(int dirfd, ino_t ino, const char *name, known_supply *seen, int *nseen)
{
	supply_kind kind = SUPPLY_UNREADABLE;

	for (int i = 0; i < nknown && kind == SUPPLY_UNREADABLE; i++)
		if (known[i].ino == ino && strcmp(known[i].name, name) == 0)
			kind = known[i].kind;
	if (kind == SUPPLY_UNREADABLE)
		kind = classify(dirfd, name);
	if (kind != SUPPLY_UNREADABLE && *nseen < KNOWN_MAX) {
		seen[*nseen].ino = ino;
		snprintf(seen[*nseen].name, sizeof(seen[*nseen].name), "%s", name);
		seen[(*nseen)++].kind = kind;
	}
	return kind;
}

static void
take(int dirfd, const struct dirent64 *de, supplies *s, known_supply *seen,
    int *nseen)
{
	switch (kind_of(dirfd, de->d_ino, de->d_name, seen, nseen)) {
	case SUPPLY_BATTERY:
		add_battery(s, de->d_name);
		break;
	case SUPPLY_MAINS:
		if (read_num(dirfd, de->d_name, "online") > 0)
			s->online = true;
		break;
	default:
		break;
	}
}

/*
 * One pass over the class directory from its start.  Its descriptor is
 * read for nothing else, so the pass rewinds it instead of opening the
 * directory again.
 */
static int
scan(int dirfd, supplies *s)
{
	static known_supply seen[KNOWN_MAX];
	alignas(struct dirent64) char buf[4096];
	ssize_t n;
	int nseen = 0;

	memset(s, 0, sizeof(*s));
	if (lseek(dirfd, 0, SEEK_SET) == -1)
		return -1;
	while ((n = getdents64(dirfd, buf, sizeof(buf))) > 0)
		for (ssize_t at = 0; at < n; ) {
			const struct dirent64 *de =
			    reinterpret_cast<const struct dirent64 *>(buf + at);

			if (de->d_name[0] != '.')
				take(dirfd, de, s, seen, &nseen);
			at += de->d_reclen;
		}
	if (n == -1)
		return -1;
	memcpy(known, seen, sizeof(known[0]) * nseen);
	nknown = nseen;
	return 0;
}

int
platform_open(void)
{
	nknown = 0;
	scanned_online = -1;
	return open(supply_root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int
platform_battery_units(int *units)
{
	supplies s;
	int fd, r;

	if ((fd = platform_open()) == -1)
		return -1;
	r = scan(fd, &s);
	close(fd);
	if (r == 0)
		*units = s.batteries;
	return r;
}

/* charge (µAh, µA) at volts (µV) in µWh (µW); -1 when unknown or too big. */
static int64_t
to_energy(int64_t charge, int64_t volts)
{
	int64_t product;

	if (charge < 0 || volts <= 0 ||
	    __builtin_mul_overflow(charge, volts, &product))
		return -1;
	return product / 1000000;
}

/* The size of a current of either sign; -1 for one that has none. */
static int64_t
magnitude(int64_t v)
{
	if (v == INT64_MIN)
		return -1;
	return v < 0 ? -v : v;
}

/* The current and the voltage only where no energy figures tell. */
static void
read_figures(int dirfd, const char *bat, batt_reading *r)
{
	int64_t volts, current = -1, power;
	bool has_current;

	r->now = read_num(dirfd, bat, "energy_now");
	r->full = read_num(dirfd, bat, "energy_full");
	if (r->now >= 0 && r->full >= 0) {
		if (read_signed(dirfd, bat, "power_now", &power))
			r->rate = power;
		else if (read_signed(dirfd, bat, "current_now", &current))
			r->rate = to_energy(magnitude(current),
			    read_num(dirfd, bat, "voltage_now"));
		return;
	}
	has_current = read_signed(dirfd, bat, "current_now", &current);
	volts = read_num(dirfd, bat, "voltage_now");
	r->now = read_num(dirfd, bat, "charge_now");
	r->full = read_num(dirfd, bat, "charge_full");
	r->rate = has_current ? current : -1;
	if (volts <= 0) {
		r->charge = true;
		return;
	}
	/* Energy where the voltage tells it, so that batteries add up. */
	r->now = to_energy(r->now, volts);
	r->full = to_energy(r->full, volts);
	if (has_current)
		r->rate = to_energy(magnitude(current), volts);
}

static void
read_battery(int dirfd, const char *bat, batt_reading *r)
{
	char status[32];

	batt_reading_clear(r);
	snprintf(r->name, sizeof(r->name), "%s", bat);
	r->present = read_num(dirfd, bat, "present") != 0;
	if (read_attr(dirfd, bat, "status", status, sizeof(status))) {
		if (strcmp(status, "Discharging") == 0)
			r->flags = BATT_FLAG_DISCHARGING;
		else if (strcmp(status, "Charging") == 0)
			r->flags = BATT_FLAG_CHARGING;
	}
	r->percent = read_num(dirfd, bat, "capacity");
	read_figures(dirfd, bat, r);
}

int
platform_read_batteries(int fd, int, batt_reading *r, int max)
{
	supplies s;

	if (scan(fd, &s) == -1)
		return -1;
	for (int i = 0; i < s.batteries && i < max && i < BATT_MAX_UNITS; i++)
		read_battery(fd, s.names[i], &r[i]);
	scanned_online = s.online;
	return s.batteries;
}

/* Linux keeps no sum of its batteries. */
int
platform_read_total(int, batt_reading *)
{
	return 0;
}

/* No design warning and low levels here: warn and low stay unknown. */
int
platform_read_levels(int fd, int unit, batt_reading *r)
{
	supplies s;

	if (scan(fd, &s) == -1)
		return -1;
	if (unit < s.batteries && unit < BATT_MAX_UNITS)
		read_figures(fd, s.names[unit], r);
	return 0;
}

int
platform_acline(int fd, int *online)
{
	supplies s;

	if (scanned_online == -1) {
		if (scan(fd, &s) == -1)
			return -1;
		scanned_online = s.online;
	}
	*online = scanned_online;
	scanned_online = -1;
	return 0;
}

int
platform_events_open(bool *devd)
{
	int fd;

	*devd = false;
	if (monitor != nullptr) {
		errno = EBUSY;
		return -1;
	}
	if ((udev = udev_new()) == nullptr ||
	    (monitor = udev_monitor_new_from_netlink(udev, "udev")) == nullptr ||
	    udev_monitor_filter_add_match_subsystem_devtype(monitor, "power_supply",
	    nullptr) < 0 || udev_monitor_enable_receiving(monitor) < 0 ||
	    (fd = udev_monitor_get_fd(monitor)) < 0 ||
	    fcntl(fd, F_SETFD, FD_CLOEXEC) == -1 ||
	    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) == -1) {
		platform_events_close(-1);
		return -1;
	}
	return fd;
}

static const char *
supply_value(struct udev_device *dev, const char *prop, const char *attr)
{
	const char *v = udev_device_get_property_value(dev, prop);

	return v != nullptr ? v : udev_device_get_sysattr_value(dev, attr);
}

/* A system battery or a mains adapter changed, came or went. */
static bool
supply_event(struct udev_device *dev)
{
	const char *type = supply_value(dev, "POWER_SUPPLY_TYPE", "type");
	const char *scope = supply_value(dev, "POWER_SUPPLY_SCOPE", "scope");
	const char *action = udev_device_get_action(dev);

	/* A removed supply may have no type left; let the poll look. */
	if (type == nullptr)
		return action != nullptr && strcmp(action, "remove") == 0;
	return is_system_battery(type, scope, udev_device_get_devpath(dev)) ||
	    is_mains(type, scope);
}

int
platform_events_take(int)
{
	struct udev_device *dev;
	int found = 0;

	while ((dev = udev_monitor_receive_device(monitor)) != nullptr) {
		found |= supply_event(dev);
		udev_device_unref(dev);
		/* A supply of any kind came, changed or went. */
		nknown = 0;
	}
	/* Events were lost: one of them may have been ours. */
	if (errno == ENOBUFS) {
		nknown = 0;
		return 1;
	}
	return found;
}

void
platform_events_close(int)
{
	udev_monitor_unref(monitor);
	udev_unref(udev);
	monitor = nullptr;
	udev = nullptr;
}

int
platform_events_pause_ms(void)
{
	return 1000;
}
