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
#include <time.h>
#include <unistd.h>

#include <libudev.h>

#include <utility>

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

/* The text read into buf, without its newline. */
static bool
finish_text(ssize_t n, char *buf)
{
	if (n < 0)
		return false;
	buf[n] = '\0';
	buf[strcspn(buf, "\n")] = '\0';
	return true;
}

/* File attr of supply dev, opened for this one read. */
static bool
read_once(int dirfd, const char *dev, const char *attr, char *buf, size_t len)
{
	char path[2 * NAME_MAX + 2];
	ssize_t n;
	int fd;

	snprintf(path, sizeof(path), "%s/%s", dev, attr);
	if ((fd = openat(dirfd, path, O_RDONLY | O_CLOEXEC)) == -1)
		return false;
	n = read(fd, buf, len - 1);
	close(fd);
	return finish_text(n, buf);
}

/* A number in text: false when it is none. */
static bool
parse_num(const char *buf, int64_t *v)
{
	char *end;
	long long n;

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
 * The supplies that matter, the system batteries and the mains adapters,
 * are kept from pass to pass over the class directory with their
 * attribute files open: a poll reads each file again from its start,
 * which makes sysfs produce the figure anew, with no directory to list
 * and no path to look up.  A supply is known by its entry's name and
 * inode number; one that goes and comes back is a new entry, read anew.
 *
 * A pass runs at the start, after a supply came or went or events were
 * lost (udev announces every supply that comes or goes), while an entry
 * has no type yet (the kernel links a new supply into the class before it
 * makes its attribute files), and once a minute in case an announcement
 * never came.  A supply that announces a change is read through new
 * descriptors, so its figures hold where attribute files are replaced
 * rather than rewritten, as a test bed does.
 */
enum supply_kind { SUPPLY_UNREADABLE, SUPPLY_OTHER, SUPPLY_BATTERY, SUPPLY_MAINS };

enum supply_attr {
	ATTR_PRESENT, ATTR_STATUS, ATTR_CAPACITY, ATTR_ENERGY_NOW,
	ATTR_ENERGY_FULL, ATTR_POWER_NOW, ATTR_CURRENT_NOW, ATTR_VOLTAGE_NOW,
	ATTR_CHARGE_NOW, ATTR_CHARGE_FULL, ATTR_ONLINE, ATTR_TIME_TO_FULL,
	ATTR_COUNT
};

static const char *const attr_names[ATTR_COUNT] = {
	"present", "status", "capacity", "energy_now", "energy_full",
	"power_now", "current_now", "voltage_now", "charge_now",
	"charge_full", "online", "time_to_full_now",
};

/* An attribute file not opened yet, and one the supply does not have. */
static constexpr int FILE_UNOPENED = -1;
static constexpr int FILE_ABSENT = -2;

struct known_supply {
	ino_t		ino;
	char		name[NAME_MAX + 1];
	supply_kind	kind;		/* SUPPLY_BATTERY or SUPPLY_MAINS */
	int		file[ATTR_COUNT];
};

/*
 * The supplies of the last pass, and those of the pass under way: as many
 * as the system has (docks and USB-C ports bring many adapters).  The two
 * arrays change places after each pass and are kept for the next.
 */
static known_supply	*known, *seen;
static int		 nknown, known_size, seen_size;

static constexpr time_t	PASS_INTERVAL_S = 60;
static bool		pass_due = true;
static struct timespec	last_pass;

/*
 * The AC line as the last reading of the batteries found it, -1 when
 * taken: the AC request of the same poll uses it instead of reading again.
 */
static int	scanned_online = -1;

/* The batteries and the AC line, as the known supplies show them. */
struct supplies {
	int	batteries;
	int	battery[BATT_MAX_UNITS];	/* in known[], the first by name */
	bool	online;				/* a mains adapter is online */
};

static void
close_files(known_supply *k)
{
	for (int &fd : k->file) {
		if (fd >= 0)
			close(fd);
		fd = FILE_UNOPENED;
	}
}

static void
forget_all(void)
{
	for (int i = 0; i < nknown; i++)
		close_files(&known[i]);
	nknown = 0;
	pass_due = true;
	scanned_online = -1;
}

/* The supply's files are opened anew when next read. */
static void
forget_files(const char *name)
{
	for (int i = 0; name != nullptr && i < nknown; i++)
		if (strcmp(known[i].name, name) == 0)
			close_files(&known[i]);
}

/* Attribute a of supply k, without its newline; false when absent. */
static bool
read_attr(int dirfd, known_supply *k, supply_attr a, char *buf, size_t len)
{
	char path[2 * NAME_MAX + 2];
	int *fd = &k->file[a];

	if (*fd == FILE_ABSENT)
		return false;
	if (*fd == FILE_UNOPENED) {
		snprintf(path, sizeof(path), "%s/%s", k->name, attr_names[a]);
		if ((*fd = openat(dirfd, path, O_RDONLY | O_CLOEXEC)) == -1) {
			*fd = errno == ENOENT ? FILE_ABSENT : FILE_UNOPENED;
			return false;
		}
	}
	return finish_text(pread(*fd, buf, len - 1, 0), buf);
}

/* A number; -1 when absent or unreadable. */
static int64_t
read_num(int dirfd, known_supply *k, supply_attr a)
{
	char buf[32];
	int64_t v;

	return read_attr(dirfd, k, a, buf, sizeof(buf)) && parse_num(buf, &v) ?
	    v : -1;
}

/* A signed figure (a rate): false when absent or unreadable. */
static bool
read_signed(int dirfd, known_supply *k, supply_attr a, int64_t *v)
{
	char buf[32];

	return read_attr(dirfd, k, a, buf, sizeof(buf)) && parse_num(buf, v);
}

static supply_kind
classify(int dirfd, const char *name)
{
	char type[32], scope[32], path[PATH_MAX];
	const char *sc, *dev = nullptr;
	ssize_t n;

	if (!read_once(dirfd, name, "type", type, sizeof(type)))
		return SUPPLY_UNREADABLE;
	sc = read_once(dirfd, name, "scope", scope, sizeof(scope)) ? scope : nullptr;
	if ((n = readlinkat(dirfd, name, path, sizeof(path) - 1)) > 0) {
		path[n] = '\0';
		dev = path;
	}
	if (is_system_battery(type, sc, dev))
		return SUPPLY_BATTERY;
	return is_mains(type, sc) ? SUPPLY_MAINS : SUPPLY_OTHER;
}

/*
 * The entry into seen: the known supply it was at the last pass, with its
 * files, or a new one.  Files found absent are looked for again.  True
 * when the entry has no type yet.
 */
/* Room for one more entry in seen; false when memory ran out. */
static bool
seen_room(int nseen)
{
	known_supply *p;
	int size;

	if (nseen < seen_size)
		return true;
	size = seen_size > 0 ? 2 * seen_size : 8;
	p = static_cast<known_supply *>(realloc(seen, sizeof(*p) * size));
	if (p == nullptr)
		return false;
	seen = p;
	seen_size = size;
	return true;
}

static bool
take(int dirfd, const struct dirent64 *de, int *nseen)
{
	known_supply *k = nullptr;
	supply_kind kind;

	for (int i = 0; i < nknown && k == nullptr; i++)
		if (known[i].ino == de->d_ino && strcmp(known[i].name, de->d_name) == 0)
			k = &known[i];
	if (k != nullptr) {
		if (seen_room(*nseen)) {
			seen[*nseen] = *k;
			for (int &fd : seen[(*nseen)++].file)
				if (fd == FILE_ABSENT)
					fd = FILE_UNOPENED;
			/* Handed over: the old record no longer owns them. */
			for (int &fd : k->file)
				fd = FILE_UNOPENED;
		}
		return false;
	}
	kind = classify(dirfd, de->d_name);
	if ((kind == SUPPLY_BATTERY || kind == SUPPLY_MAINS) && seen_room(*nseen)) {
		k = &seen[(*nseen)++];
		k->ino = de->d_ino;
		snprintf(k->name, sizeof(k->name), "%s", de->d_name);
		k->kind = kind;
		for (int &fd : k->file)
			fd = FILE_UNOPENED;
	}
	return kind == SUPPLY_UNREADABLE;
}

/*
 * One pass over the class directory from its start.  Its descriptor is
 * read for nothing else, so the pass rewinds it instead of opening the
 * directory again.  The files of supplies gone are closed.
 */
static int
pass(int dirfd)
{
	alignas(struct dirent64) char buf[4096];
	bool unreadable = false;
	ssize_t n;
	int nseen = 0;

	if (lseek(dirfd, 0, SEEK_SET) == -1)
		return -1;
	while ((n = getdents64(dirfd, buf, sizeof(buf))) > 0)
		for (ssize_t at = 0; at < n; ) {
			const struct dirent64 *de =
			    reinterpret_cast<const struct dirent64 *>(buf + at);

			if (de->d_name[0] != '.' && take(dirfd, de, &nseen))
				unreadable = true;
			at += de->d_reclen;
		}
	for (int i = 0; i < nknown; i++)
		close_files(&known[i]);
	std::swap(known, seen);
	std::swap(known_size, seen_size);
	nknown = nseen;
	if (n == -1) {
		forget_all();
		return -1;
	}
	pass_due = unreadable;
	clock_gettime(CLOCK_MONOTONIC, &last_pass);
	return 0;
}

static bool
pass_needed(void)
{
	struct timespec now;

	if (pass_due)
		return true;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return now.tv_sec - last_pass.tv_sec >= PASS_INTERVAL_S;
}

/* Keeps the BATT_MAX_UNITS first batteries by name, in order. */
static void
add_battery(supplies *s, int index)
{
	int kept = s->batteries < BATT_MAX_UNITS ? s->batteries : BATT_MAX_UNITS, at;
	const char *name = known[index].name;

	s->batteries++;
	for (at = kept; at > 0 && strcmp(name, known[s->battery[at - 1]].name) < 0; at--)
		if (at < BATT_MAX_UNITS)
			s->battery[at] = s->battery[at - 1];
	if (at < BATT_MAX_UNITS)
		s->battery[at] = index;
}

/* The batteries and the AC line now, after a pass where one is due. */
static int
survey(int dirfd, supplies *s)
{
	memset(s, 0, sizeof(*s));
	if (pass_needed() && pass(dirfd) == -1)
		return -1;
	for (int i = 0; i < nknown; i++) {
		if (known[i].kind == SUPPLY_BATTERY)
			add_battery(s, i);
		else if (read_num(dirfd, &known[i], ATTR_ONLINE) > 0)
			s->online = true;
	}
	return 0;
}

int
platform_open(void)
{
	forget_all();
	return open(supply_root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

void
platform_close(int fd)
{
	forget_all();
	close(fd);
}

int
platform_battery_units(int *units)
{
	supplies s;
	int fd, r;

	if ((fd = platform_open()) == -1)
		return -1;
	r = survey(fd, &s);
	/*
	 * The supplies found stay known for the readings of the device opened
	 * before this look, whose platform_close() lets them go: the first
	 * poll needs no second pass.
	 */
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
read_figures(int dirfd, known_supply *bat, batt_reading *r)
{
	int64_t volts, current = -1, power;
	bool has_current;

	r->now = read_num(dirfd, bat, ATTR_ENERGY_NOW);
	r->full = read_num(dirfd, bat, ATTR_ENERGY_FULL);
	if (r->now >= 0 && r->full >= 0) {
		if (read_signed(dirfd, bat, ATTR_POWER_NOW, &power))
			r->rate = power;
		else if (read_signed(dirfd, bat, ATTR_CURRENT_NOW, &current))
			r->rate = to_energy(magnitude(current),
			    read_num(dirfd, bat, ATTR_VOLTAGE_NOW));
		return;
	}
	has_current = read_signed(dirfd, bat, ATTR_CURRENT_NOW, &current);
	volts = read_num(dirfd, bat, ATTR_VOLTAGE_NOW);
	r->now = read_num(dirfd, bat, ATTR_CHARGE_NOW);
	r->full = read_num(dirfd, bat, ATTR_CHARGE_FULL);
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
read_battery(int dirfd, known_supply *bat, batt_reading *r)
{
	char status[32];

	batt_reading_clear(r);
	/* A longer name is cut: it names a line of the tool tip. */
	snprintf(r->name, sizeof(r->name), "%.*s",
	    static_cast<int>(sizeof(r->name)) - 1, bat->name);
	r->present = read_num(dirfd, bat, ATTR_PRESENT) != 0;
	if (read_attr(dirfd, bat, ATTR_STATUS, status, sizeof(status))) {
		if (strcmp(status, "Discharging") == 0)
			r->flags = BATT_FLAG_DISCHARGING;
		else if (strcmp(status, "Charging") == 0)
			r->flags = BATT_FLAG_CHARGING;
	}
	r->percent = read_num(dirfd, bat, ATTR_CAPACITY);
	read_figures(dirfd, bat, r);
	/* The driver's own time to full, in seconds, where it keeps one. */
	if (r->flags == BATT_FLAG_CHARGING &&
	    (r->minutes = read_num(dirfd, bat, ATTR_TIME_TO_FULL)) >= 0)
		r->minutes /= 60;
}

/* Whether known[index] is one of the first batteries by name. */
static bool
listed(const supplies *s, int index)
{
	for (int i = 0; i < s->batteries && i < BATT_MAX_UNITS; i++)
		if (s->battery[i] == index)
			return true;
	return false;
}

int
platform_read_batteries(int fd, int, batt_reading *r, int max)
{
	supplies s;

	int n = 0;

	if (survey(fd, &s) == -1)
		return -1;
	for (; n < s.batteries && n < max && n < BATT_MAX_UNITS; n++)
		read_battery(fd, &known[s.battery[n]], &r[n]);
	/* Room for more: the rest in any order, for the sum alone. */
	for (int i = 0; i < nknown && n < max && s.batteries > BATT_MAX_UNITS; i++)
		if (known[i].kind == SUPPLY_BATTERY && !listed(&s, i))
			read_battery(fd, &known[i], &r[n++]);
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

	if (survey(fd, &s) == -1)
		return -1;
	if (unit < s.batteries && unit < BATT_MAX_UNITS)
		read_figures(fd, &known[s.battery[unit]], r);
	return 0;
}

/* A figure in micro units as milli units; -1 when absent or unreadable. */
static int64_t
read_milli(int dirfd, const char *dev, const char *attr)
{
	char buf[32];
	int64_t v;

	if (!read_once(dirfd, dev, attr, buf, sizeof(buf)) || !parse_num(buf, &v))
		return -1;
	return v / 1000;
}

/*
 * Read through descriptors of their own, while the window is open: the
 * poll's files stay as few as the poll needs.
 */
int
platform_read_details(int fd, int unit, batt_details *d)
{
	char buf[32];
	const char *dev;
	int64_t v;
	supplies s;

	if (survey(fd, &s) == -1)
		return -1;
	if (unit >= s.batteries || unit >= BATT_MAX_UNITS)
		return 0;
	dev = known[s.battery[unit]].name;
	read_once(fd, dev, "model_name", d->model, sizeof(d->model));
	read_once(fd, dev, "manufacturer", d->manufacturer, sizeof(d->manufacturer));
	read_once(fd, dev, "serial_number", d->serial, sizeof(d->serial));
	read_once(fd, dev, "technology", d->technology, sizeof(d->technology));
	if (read_once(fd, dev, "cycle_count", buf, sizeof(buf)) &&
	    parse_num(buf, &v))
		d->cycles = v;
	if (read_once(fd, dev, "status", buf, sizeof(buf)))
		d->state = strcmp(buf, "Discharging") == 0 ? BATT_DISCHARGING :
		    strcmp(buf, "Charging") == 0 ? BATT_CHARGING : 0;
	d->design_voltage = read_milli(fd, dev, "voltage_min_design");
	d->voltage = read_milli(fd, dev, "voltage_now");
	d->design = read_milli(fd, dev, "energy_full_design");
	d->full = read_milli(fd, dev, "energy_full");
	d->rate = read_milli(fd, dev, "power_now");
	if (d->design < 0 && d->full < 0) {
		d->charge = true;
		d->design = read_milli(fd, dev, "charge_full_design");
		d->full = read_milli(fd, dev, "charge_full");
		d->rate = read_milli(fd, dev, "current_now");
	}
	return 0;
}

int
platform_acline(int fd, int *online)
{
	supplies s;

	if (scanned_online == -1) {
		if (survey(fd, &s) == -1)
			return -1;
		scanned_online = s.online;
	}
	*online = scanned_online;
	scanned_online = -1;
	return 0;
}

int
platform_sleep_states(char *buf, size_t len, const char **word)
{
	ssize_t n;
	int fd;

	*word = "mem";
	if ((fd = open("/sys/power/state", O_RDONLY | O_CLOEXEC)) == -1)
		return -1;
	n = read(fd, buf, len - 1);
	close(fd);
	if (n == -1)
		return -1;
	buf[n] = '\0';
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
		const char *action = udev_device_get_action(dev);

		found |= supply_event(dev);
		forget_files(udev_device_get_sysname(dev));
		/* A supply came or went. */
		if (action == nullptr || strcmp(action, "change") != 0)
			pass_due = true;
		udev_device_unref(dev);
	}
	/* Events were lost: one of them may have been ours. */
	if (errno == ENOBUFS) {
		forget_all();
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
