/*
 * Linux: the kernel's power_supply class in sysfs stands for the ACPI
 * battery driver, and its uevents stand for devd.
 *
 * The system batteries are the supplies of type "Battery" whose scope is
 * not "Device" (mice, keyboards and other peripherals report that scope);
 * unit 0 is the first of them by name.  The AC line is on when a mains
 * adapter (type "Mains" or a USB supply) is online.
 *
 * devd: each connection attempt returns one end of a socket pair; a small
 * bridge thread listens to libudev's monitor and writes one devd battery
 * notification line into the other end per change of a system battery or
 * of a mains adapter.  It ends when the program closes its end.
 */
#include <sys/socket.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <atomic>

#include <libudev.h>

#include "battery_internal.h"
#include "platform.h"

static char supply_root[PATH_MAX] = "/sys/class/power_supply";
static std::atomic<int> bridges;

void
platform_linux_set_root(const char *dir)
{
	snprintf(supply_root, sizeof(supply_root), "%s", dir);
}

int
platform_linux_bridges(void)
{
	return bridges.load();
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

static bool
read_num(int dirfd, const char *dev, const char *attr, long long *v)
{
	char buf[32], *end;

	if (!read_attr(dirfd, dev, attr, buf, sizeof(buf)))
		return false;
	errno = 0;
	*v = strtoll(buf, &end, 10);
	return end != buf && errno == 0;
}

static bool
is_system_battery(const char *type, const char *scope)
{
	return type != nullptr && strcmp(type, "Battery") == 0 &&
	    (scope == nullptr || strcmp(scope, "Device") != 0);
}

static bool
is_mains(const char *type, const char *scope)
{
	return type != nullptr &&
	    (strcmp(type, "Mains") == 0 || strncmp(type, "USB", 3) == 0) &&
	    (scope == nullptr || strcmp(scope, "Device") != 0);
}

/* What one pass over the class directory finds. */
struct supplies {
	int	batteries;
	char	first[NAME_MAX + 1];	/* unit 0, "" when none */
	bool	online;			/* a mains adapter is online */
};

static int
scan(int dirfd, supplies *s)
{
	char type[32], scope[32];
	struct dirent *de;
	long long online;
	DIR *dir;
	int fd;

	memset(s, 0, sizeof(*s));
	/* A fresh open: a dup would share and move the caller's offset. */
	if ((fd = openat(dirfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) == -1)
		return -1;
	if ((dir = fdopendir(fd)) == nullptr) {
		close(fd);
		return -1;
	}
	while ((de = readdir(dir)) != nullptr) {
		if (de->d_name[0] == '.' ||
		    !read_attr(dirfd, de->d_name, "type", type, sizeof(type)))
			continue;
		const char *sc = read_attr(dirfd, de->d_name, "scope", scope,
		    sizeof(scope)) ? scope : nullptr;
		if (is_system_battery(type, sc)) {
			if (s->batteries++ == 0 || strcmp(de->d_name, s->first) < 0)
				snprintf(s->first, sizeof(s->first), "%s", de->d_name);
		} else if (is_mains(type, sc) &&
		    read_num(dirfd, de->d_name, "online", &online) && online > 0)
			s->online = true;
	}
	closedir(dir);
	return 0;
}

int
platform_acpi_open(void)
{
	return open(supply_root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int
platform_battery_units(int *units)
{
	supplies s;
	int fd, r;

	if ((fd = platform_acpi_open()) == -1)
		return -1;
	r = scan(fd, &s);
	close(fd);
	if (r == 0)
		*units = s.batteries;
	return r;
}

/* now / full in percent, from the energy_* or else the charge_* files. */
static int
percent_of_full(int dirfd, const char *bat)
{
	long long v, now, full;

	if (read_num(dirfd, bat, "capacity", &v))
		return static_cast<int>(v);
	if ((read_num(dirfd, bat, "energy_now", &now) &&
	    read_num(dirfd, bat, "energy_full", &full) && full > 0) ||
	    (read_num(dirfd, bat, "charge_now", &now) &&
	    read_num(dirfd, bat, "charge_full", &full) && full > 0))
		return static_cast<int>(now * 100 / full);
	return -1;
}

/* Minutes left while discharging: what is left over the present drain. */
static int
minutes_left(int dirfd, const char *bat)
{
	long long now, rate;

	if ((read_num(dirfd, bat, "energy_now", &now) &&
	    read_num(dirfd, bat, "power_now", &rate) && rate != 0) ||
	    (read_num(dirfd, bat, "charge_now", &now) &&
	    read_num(dirfd, bat, "current_now", &rate) && rate != 0))
		return static_cast<int>(now * 60 / llabs(rate));
	return -1;
}

static void
get_battinfo(int dirfd, const supplies *s, acpi_battinfo *bi)
{
	char status[32];
	long long v;

	bi->cap = bi->min = bi->rate = -1;
	bi->state = ACPI_BATT_STAT_NOT_PRESENT;
	if (s->batteries == 0 ||
	    (read_num(dirfd, s->first, "present", &v) && v == 0))
		return;
	bi->state = 0;
	if (read_attr(dirfd, s->first, "status", status, sizeof(status))) {
		if (strcmp(status, "Discharging") == 0)
			bi->state = ACPI_BATT_STAT_DISCHARG;
		else if (strcmp(status, "Charging") == 0)
			bi->state = ACPI_BATT_STAT_CHARGING;
	}
	bi->cap = percent_of_full(dirfd, s->first);
	if (bi->state == ACPI_BATT_STAT_DISCHARG)
		bi->min = minutes_left(dirfd, s->first);
	if (read_num(dirfd, s->first, "power_now", &v) ||
	    read_num(dirfd, s->first, "current_now", &v))
		bi->rate = static_cast<int>(llabs(v) / 1000);
}

/* sysfs counts in µWh or µAh, ACPI in mWh or mAh. */
static uint32_t
milli(int dirfd, const char *bat, const char *attr)
{
	long long v;

	return read_num(dirfd, bat, attr, &v) && v > 0 ?
	    static_cast<uint32_t>(v / 1000) : 0;
}

static void
get_bif(int dirfd, const supplies *s, acpi_bif *bif)
{
	const char *prefix = "energy";
	char attr[32];
	long long v;

	memset(bif, 0, sizeof(*bif));
	if (s->batteries == 0)
		return;
	if (!read_num(dirfd, s->first, "energy_full", &v)) {
		prefix = "charge";
		bif->units = 1;
	}
	snprintf(attr, sizeof(attr), "%s_full", prefix);
	bif->lfcap = milli(dirfd, s->first, attr);
	snprintf(attr, sizeof(attr), "%s_full_design", prefix);
	bif->dcap = milli(dirfd, s->first, attr);
	/* No design warning and low levels here: wcap and lcap stay 0. */
	read_attr(dirfd, s->first, "model_name", bif->model, sizeof(bif->model));
	read_attr(dirfd, s->first, "serial_number", bif->serial, sizeof(bif->serial));
	read_attr(dirfd, s->first, "technology", bif->type, sizeof(bif->type));
	read_attr(dirfd, s->first, "manufacturer", bif->oeminfo, sizeof(bif->oeminfo));
}

int
platform_acpi_ioctl(int fd, unsigned long request, void *arg)
{
	supplies s;

	if (request != ACPIIO_BATT_GET_BATTINFO && request != ACPIIO_ACAD_GET_STATUS &&
	    request != ACPIIO_BATT_GET_BIF) {
		errno = ENOTTY;
		return -1;
	}
	if (scan(fd, &s) == -1)
		return -1;
	if (request == ACPIIO_BATT_GET_BATTINFO)
		get_battinfo(fd, &s, &static_cast<acpi_battery_ioctl_arg *>(arg)->battinfo);
	else if (request == ACPIIO_ACAD_GET_STATUS)
		*static_cast<int *>(arg) = s.online ? 1 : 0;
	else
		get_bif(fd, &s, &static_cast<acpi_bif_ioctl_arg *>(arg)->bif);
	return 0;
}

/* The bridge: the monitor it owns and its end of the socket pair. */
struct bridge {
	struct udev		*udev;
	struct udev_monitor	*mon;
	int			 fd;
};

static const char *
supply_value(struct udev_device *dev, const char *prop, const char *attr)
{
	const char *v = udev_device_get_property_value(dev, prop);

	return v != nullptr ? v : udev_device_get_sysattr_value(dev, attr);
}

/* Writes the notification for dev; false when the program's end is gone. */
static bool
forward(int fd, struct udev_device *dev)
{
	const char *type = supply_value(dev, "POWER_SUPPLY_TYPE", "type");
	const char *scope = supply_value(dev, "POWER_SUPPLY_SCOPE", "scope");
	const char *action = udev_device_get_action(dev);
	char line[NAME_MAX + 64];
	int n;

	/* A removed supply may have no type left; let the program look. */
	if (!is_system_battery(type, scope) && !is_mains(type, scope) &&
	    !(type == nullptr && action != nullptr && strcmp(action, "remove") == 0))
		return true;
	n = snprintf(line, sizeof(line),
	    "!system=ACPI subsystem=CMBAT type=%s notify=0x80\n",
	    udev_device_get_sysname(dev));
	return send(fd, line, static_cast<size_t>(n), MSG_NOSIGNAL) == n;
}

static void *
bridge_run(void *arg)
{
	bridge *b = static_cast<bridge *>(arg);
	struct pollfd pfd[2];
	struct udev_device *dev;
	bool alive = true;

	pfd[0].fd = udev_monitor_get_fd(b->mon);
	pfd[0].events = POLLIN;
	pfd[1].fd = b->fd;
	pfd[1].events = POLLIN;	/* the program never writes: this is its close */
	while (alive) {
		if (poll(pfd, 2, -1) == -1) {
			alive = errno == EINTR;
			continue;
		}
		if (pfd[1].revents != 0 || (pfd[0].revents & (POLLERR | POLLNVAL)) != 0)
			break;
		if ((pfd[0].revents & POLLIN) != 0 &&
		    (dev = udev_monitor_receive_device(b->mon)) != nullptr) {
			alive = forward(b->fd, dev);
			udev_device_unref(dev);
		}
	}
	close(b->fd);
	udev_monitor_unref(b->mon);
	udev_unref(b->udev);
	free(b);
	bridges--;
	return nullptr;
}

/*
 * The monitor is set up before the thread starts, so no change that
 * happens after a successful attempt is missed.
 */
static bool
bridge_start(int fd)
{
	bridge *b = static_cast<bridge *>(calloc(1, sizeof(bridge)));
	pthread_attr_t attr;
	pthread_t tid;
	int r;

	if (b == nullptr)
		return false;
	b->fd = fd;
	if ((b->udev = udev_new()) == nullptr ||
	    (b->mon = udev_monitor_new_from_netlink(b->udev, "udev")) == nullptr ||
	    udev_monitor_filter_add_match_subsystem_devtype(b->mon, "power_supply", nullptr) < 0 ||
	    udev_monitor_enable_receiving(b->mon) < 0)
		goto fail;
	pthread_attr_init(&attr);
	pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
	bridges++;
	r = pthread_create(&tid, &attr, bridge_run, b);
	pthread_attr_destroy(&attr);
	if (r == 0)
		return true;
	bridges--;
fail:
	udev_monitor_unref(b->mon);
	udev_unref(b->udev);
	free(b);
	return false;
}

int
platform_devd_attempt(void)
{
	int sv[2];

	if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sv) == -1)
		return -1;
	if (fcntl(sv[0], F_SETFL, fcntl(sv[0], F_GETFL) | O_NONBLOCK) == -1 ||
	    !bridge_start(sv[1])) {
		close(sv[0]);
		close(sv[1]);
		return -1;
	}
	return sv[0];
}

void
platform_devd_pause(void)
{
	sleep(1);
}
