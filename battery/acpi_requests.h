/*
 * Request values of the three ACPI ioctls the battery source issues, built
 * with the BSD ioctl encoding: direction in the top bits, the argument size
 * in the 13 bits from bit 16, the group letter in bits 8..15 and the number
 * in bits 0..7.  The header holds no records so that the FreeBSD backend can
 * include it next to <dev/acpica/acpiio.h> and compare the values.
 */
#ifndef AMPELWICK_ACPI_REQUESTS_H
#define AMPELWICK_ACPI_REQUESTS_H

#include <stddef.h>

namespace acpi_ioc {

constexpr unsigned long OUT = 0x40000000UL;	/* the kernel writes the argument */
constexpr unsigned long IN = 0x80000000UL;	/* the kernel reads the argument */
constexpr unsigned long INOUT = IN | OUT;
constexpr unsigned long PARM_MASK = 0x1fff;

constexpr unsigned long
encode(unsigned long dir, size_t size, char group, unsigned number)
{
	return dir | ((size & PARM_MASK) << 16) |
	    (static_cast<unsigned long>(static_cast<unsigned char>(group)) << 8) |
	    number;
}

constexpr size_t BATTINFO_ARG_SIZE = 256;	/* union acpi_battery_ioctl_arg */
constexpr size_t BIF_ARG_SIZE = 164;		/* union acpi_bif_ioctl_arg */

} /* namespace acpi_ioc */

constexpr unsigned long ACPIIO_BATT_GET_BATTINFO =
    acpi_ioc::encode(acpi_ioc::INOUT, acpi_ioc::BATTINFO_ARG_SIZE, 'B', 0x03);
constexpr unsigned long ACPIIO_ACAD_GET_STATUS =
    acpi_ioc::encode(acpi_ioc::OUT, sizeof(int), 'A', 0x01);
constexpr unsigned long ACPIIO_BATT_GET_BIF =
    acpi_ioc::encode(acpi_ioc::INOUT, acpi_ioc::BIF_ARG_SIZE, 'B', 0x10);

static_assert(ACPIIO_BATT_GET_BATTINFO == 0xC1004203UL, "BATTINFO request");
static_assert(ACPIIO_ACAD_GET_STATUS == 0x40044101UL, "ACAD request");
static_assert(ACPIIO_BATT_GET_BIF == 0xC0A44210UL, "BIF request");

#endif /* AMPELWICK_ACPI_REQUESTS_H */
