/*
 * FreeBSD: the ACPI device /dev/acpi, the sysctl hw.acpi.battery.units and
 * devd's socket /var/run/devd.pipe.  Built on FreeBSD only.
 */
#ifdef __FreeBSD__

#include <sys/types.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/sysctl.h>
#include <sys/un.h>

#include <dev/acpica/acpiio.h>

#include <fcntl.h>
#include <string.h>
#include <unistd.h>

/* The system's request values, taken before our own names replace them. */
static constexpr unsigned long sys_battinfo = ACPIIO_BATT_GET_BATTINFO;
static constexpr unsigned long sys_acad = ACPIIO_ACAD_GET_STATUS;
static constexpr unsigned long sys_bif = ACPIIO_BATT_GET_BIF;
#undef ACPIIO_BATT_GET_BATTINFO
#undef ACPIIO_ACAD_GET_STATUS
#undef ACPIIO_BATT_GET_BIF

#include "acpi_requests.h"
#include "platform.h"

static_assert(sys_battinfo == ACPIIO_BATT_GET_BATTINFO, "BATTINFO request");
static_assert(sys_acad == ACPIIO_ACAD_GET_STATUS, "ACAD request");
static_assert(sys_bif == ACPIIO_BATT_GET_BIF, "BIF request");
static_assert(sizeof(union acpi_battery_ioctl_arg) == acpi_ioc::BATTINFO_ARG_SIZE,
    "BATTINFO argument size");
static_assert(sizeof(struct sockaddr_un) == 106, "devd address size");

static constexpr const char DEVD_PIPE[] = "/var/run/devd.pipe";

int
platform_acpi_open(void)
{
	return open("/dev/acpi", O_RDONLY);
}

int
platform_battery_units(int *units)
{
	size_t len = sizeof(*units);

	return sysctlbyname("hw.acpi.battery.units", units, &len, nullptr, 0);
}

int
platform_acpi_ioctl(int fd, unsigned long request, void *arg)
{
	return ioctl(fd, request, arg) == -1 ? -1 : 0;
}

int
platform_devd_attempt(void)
{
	struct sockaddr_un sun;
	int fd;

	/* sun_len stays 0; the whole structure's size is passed. */
	memset(&sun, 0, sizeof(sun));
	sun.sun_family = AF_LOCAL;
	strlcpy(sun.sun_path, DEVD_PIPE, sizeof(sun.sun_path));
	if ((fd = socket(PF_LOCAL, SOCK_STREAM, 0)) == -1)
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
	sleep(1);
}

#endif /* __FreeBSD__ */
