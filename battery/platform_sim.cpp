/*
 * The simulated laptop.  Its machine is the directory ~/.ampelwick-sim of
 * the user (home from the password database): the directory stands for the
 * ACPI device, the text file "acpi" in it holds the readings as key=value
 * lines, and the local stream socket "devd.pipe" in it stands for devd.
 * Every operation re-reads "acpi", so whoever drives the simulation changes
 * the machine by replacing that file.
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
#include <time.h>
#include <unistd.h>

#include "battery_internal.h"
#include "platform.h"

namespace {

enum sim_key {
	K_UNITS, K_CAP, K_MIN, K_STATE, K_RATE, K_ACLINE, K_LFCAP, K_WCAP,
	K_LCAP, K_DCAP, K_UNITS_ERRNO, K_BATTINFO_ERRNO, K_ACAD_ERRNO,
	K_BIF_ERRNO, K_OPEN_ERRNO, K_DEVD_PAUSE_MS, K_COUNT
};

constexpr const char *key_names[K_COUNT] = {
	"units", "cap", "min", "state", "rate", "acline", "lfcap", "wcap",
	"lcap", "dcap", "units_errno", "battinfo_errno", "acad_errno",
	"bif_errno", "open_errno", "devd_pause_ms",
};

struct sim_machine {
	bool		has[K_COUNT];
	long long	val[K_COUNT];
};

sim_counters counters;

} /* namespace */

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

static void
parse_line(sim_machine *m, char *line)
{
	char *eq = strchr(line, '='), *end;
	long long v;

	if (eq == nullptr)
		return;
	*eq = '\0';
	errno = 0;
	v = strtoll(eq + 1, &end, 0);
	if (end == eq + 1 || errno != 0)
		return;
	for (int k = 0; k < K_COUNT; k++) {
		if (strcmp(line, key_names[k]) == 0) {
			m->has[k] = true;
			m->val[k] = v;
		}
	}
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
get(const sim_machine *m, sim_key k, long long fallback)
{
	return m->has[k] ? m->val[k] : fallback;
}

/* -1 with the errno the readings ask for, else 0. */
static int
injected(const sim_machine *m, sim_key k)
{
	if (m->has[k] && m->val[k] != 0) {
		errno = static_cast<int>(m->val[k]);
		return -1;
	}
	return 0;
}

int
platform_acpi_open(void)
{
	char path[PATH_MAX];
	sim_machine m;

	if (sim_read(&m) == 0 && injected(&m, K_OPEN_ERRNO) == -1)
		return -1;
	if (!sim_path(path, sizeof(path), ""))
		return -1;
	return open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int
platform_battery_units(int *units)
{
	sim_machine m;

	if (sim_read(&m) == -1 || injected(&m, K_UNITS_ERRNO) == -1)
		return -1;
	if (!m.has[K_UNITS]) {
		errno = ENOENT;
		return -1;
	}
	*units = static_cast<int>(m.val[K_UNITS]);
	return 0;
}

/* Without readings the slot is empty. */
static void
fill_battinfo(const sim_machine *m, acpi_battery_ioctl_arg *arg)
{
	arg->battinfo.cap = static_cast<int>(get(m, K_CAP, -1));
	arg->battinfo.min = static_cast<int>(get(m, K_MIN, -1));
	arg->battinfo.state = static_cast<int>(get(m, K_STATE, ACPI_BATT_STAT_NOT_PRESENT));
	arg->battinfo.rate = static_cast<int>(get(m, K_RATE, -1));
}

static void
fill_bif(const sim_machine *m, acpi_bif_ioctl_arg *arg)
{
	memset(&arg->bif, 0, sizeof(arg->bif));
	arg->bif.dcap = static_cast<uint32_t>(get(m, K_DCAP, 0));
	arg->bif.lfcap = static_cast<uint32_t>(get(m, K_LFCAP, 0));
	arg->bif.wcap = static_cast<uint32_t>(get(m, K_WCAP, 0));
	arg->bif.lcap = static_cast<uint32_t>(get(m, K_LCAP, 0));
	snprintf(arg->bif.model, sizeof(arg->bif.model), "%s", "ampelwick-sim");
	snprintf(arg->bif.type, sizeof(arg->bif.type), "%s", "LION");
}

int
platform_acpi_ioctl(int fd, unsigned long request, void *arg)
{
	sim_machine m;

	if (fd < 0) {
		errno = EBADF;
		return -1;
	}
	if (sim_read(&m) == -1)
		return -1;
	switch (request) {
	case ACPIIO_BATT_GET_BATTINFO:
		if (injected(&m, K_BATTINFO_ERRNO) == -1)
			return -1;
		fill_battinfo(&m, static_cast<acpi_battery_ioctl_arg *>(arg));
		return 0;
	case ACPIIO_ACAD_GET_STATUS:
		if (injected(&m, K_ACAD_ERRNO) == -1)
			return -1;
		*static_cast<int *>(arg) = static_cast<int>(get(&m, K_ACLINE, 0));
		return 0;
	case ACPIIO_BATT_GET_BIF:
		if (injected(&m, K_BIF_ERRNO) == -1)
			return -1;
		fill_bif(&m, static_cast<acpi_bif_ioctl_arg *>(arg));
		return 0;
	default:
		errno = ENOTTY;
		return -1;
	}
}

int
platform_devd_attempt(void)
{
	struct sockaddr_un sun;
	int fd;

	counters.devd_attempts++;
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

void
platform_devd_pause(void)
{
	sim_machine m;
	long long ms = 1000;
	struct timespec ts;

	counters.devd_pauses++;
	if (sim_read(&m) == 0)
		ms = get(&m, K_DEVD_PAUSE_MS, 1000);
	if (ms <= 0)
		return;
	ts.tv_sec = static_cast<time_t>(ms / 1000);
	ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
	while (nanosleep(&ts, &ts) == -1 && errno == EINTR)
		;
}

sim_counters
platform_sim_counters(void)
{
	return counters;
}
