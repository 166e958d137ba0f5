/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The Linux platform against a fake power_supply class and fake uevents
 * from umockdev.  Runs under umockdev-wrapper, which sends the process's
 * /sys and its uevent sockets to the test bed.
 */
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <umockdev.h>

#include "battery_internal.h"
#include "platform.h"

/* Entries of a directory of /proc/self, but "." and "..". */
static int
entries(const char *dir_path)
{
	DIR *dir = opendir(dir_path);
	int n = 0;

	while (dir != nullptr && readdir(dir) != nullptr)
		n++;
	if (dir != nullptr)
		closedir(dir);
	return n - 2;
}

/* Threads of this process. */
static int
threads()
{
	return entries("/proc/self/task");
}

/* Descriptors this process holds, but the one that lists them. */
static int
descriptors()
{
	return entries("/proc/self/fd") - 1;
}

class LinuxSupply : public ::testing::Test {
protected:
	void
	SetUp() override
	{
		tb = umockdev_testbed_new();
		ASSERT_TRUE(umockdev_in_mock_environment())
		    << "run under umockdev-wrapper";
		ampelwick_clear(&src);
	}

	void
	TearDown() override
	{
		ampelwick_release(&src);
		for (gchar *p : paths)
			g_free(p);
		g_object_unref(tb);
	}

	const gchar *
	keep(gchar *path)
	{
		paths.push_back(path);
		return path;
	}

	/* A laptop battery of 50 Wh that reports energy. */
	const gchar *
	add_battery(const char *name, const char *status, const char *capacity,
	    const char *energy_now, const char *power_now)
	{
		return keep(umockdev_testbed_add_device(tb, "power_supply", name, nullptr,
		    "type", "Battery", "present", "1", "status", status,
		    "capacity", capacity, "energy_now", energy_now,
		    "energy_full", "50000000", "power_now", power_now, nullptr,
		    "POWER_SUPPLY_TYPE", "Battery", nullptr));
	}

	const gchar *
	add_mains(const char *online)
	{
		return keep(umockdev_testbed_add_device(tb, "power_supply", "AC", nullptr,
		    "type", "Mains", "online", online, nullptr,
		    "POWER_SUPPLY_TYPE", "Mains", nullptr));
	}

	/* A mouse that says it is a device's, a keyboard on USB that does not. */
	void
	add_peripherals()
	{
		const gchar *usb;

		keep(umockdev_testbed_add_device(tb, "power_supply", "hidpp_battery_0",
		    nullptr, "type", "Battery", "scope", "Device", "present", "1",
		    "status", "Discharging", "capacity", "3", nullptr,
		    "POWER_SUPPLY_TYPE", "Battery", "POWER_SUPPLY_SCOPE", "Device", nullptr));
		usb = keep(umockdev_testbed_add_device(tb, "usb", "usb1", nullptr,
		    "idVendor", "046d", nullptr, nullptr));
		keep(umockdev_testbed_add_device(tb, "power_supply", "AAA_kbd", usb,
		    "type", "Battery", "present", "1", "status", "Discharging",
		    "capacity", "4", nullptr, "POWER_SUPPLY_TYPE", "Battery", nullptr));
	}

	/*
	 * Rewritten in place, as sysfs changes a figure: the program keeps
	 * the files open (umockdev's own setter puts a new file there).
	 */
	void
	set(const gchar *dev, const char *attr, const char *value)
	{
		gchar *root = umockdev_testbed_get_root_dir(tb);
		std::string path = std::string(root) + dev + "/" + attr;
		int fd = open(path.c_str(), O_WRONLY | O_TRUNC);

		g_free(root);

		ASSERT_NE(fd, -1) << path;
		EXPECT_EQ(write(fd, value, strlen(value)), (ssize_t)strlen(value));
		close(fd);
	}

	/* Announced as the kernel announces it, and the announcement taken. */
	void
	announce(const gchar *dev, const char *action)
	{
		umockdev_testbed_uevent(tb, dev, action);
		ASSERT_EQ(next_event(), 1);
	}

	/* Waits for the monitor, then reads what waits. */
	int
	next_event()
	{
		struct pollfd pfd = { src.devd_fd, POLLIN, 0 };

		if (poll(&pfd, 1, 5000) != 1)
			return -2;
		return read_devd_event(&src);
	}

	UMockdevTestbed		*tb = nullptr;
	std::vector<gchar *>	 paths;
	batt_source		 src;
};

TEST_F(LinuxSupply, CountsSystemBatteriesOnly)
{
	int units = -1;

	add_peripherals();
	add_mains("0");
	ASSERT_EQ(platform_battery_units(&units), 0);
	EXPECT_EQ(units, 0);
	/* No battery slot: the program says so and ends. */
	EXPECT_EQ(ampelwick_init(&src), 0);
	ampelwick_release(&src);

	add_battery("BAT1", "Discharging", "60", "30000000", "10000000");
	add_battery("BAT0", "Unknown", "100", "50000000", "0");
	ASSERT_EQ(platform_battery_units(&units), 0);
	EXPECT_EQ(units, 2);
}

/* Docks and USB-C ports take no battery's place; every battery adds up. */
TEST_F(LinuxSupply, ManySuppliesAllCount)
{
	char name[32];

	for (int i = 0; i < 40; i++) {
		if (i == 20)
			add_battery("BAT0", "Discharging", "100", "50000000", "10000000");
		snprintf(name, sizeof(name), "ucsi-source-psy-USBC000:%03d", i);
		keep(umockdev_testbed_add_device(tb, "power_supply", name, nullptr,
		    "type", "USB", "online", "0", nullptr,
		    "POWER_SUPPLY_TYPE", "USB", nullptr));
	}
	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.capacity, 100);

	/* 29 empty ones more: 50 of 1500 Wh, not of the eight listed. */
	ampelwick_release(&src);
	ampelwick_clear(&src);
	for (int i = 1; i < 30; i++) {
		snprintf(name, sizeof(name), "BAT%02d", i);
		add_battery(name, "Discharging", "0", "0", "0");
	}
	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.capacity, 3);
	EXPECT_EQ(ampelwick_unit_count(&src), BATT_MAX_UNITS);
}

TEST_F(LinuxSupply, OneBatteryAsBefore)
{
	const gchar *bat = add_battery("BAT0", "Discharging", "60", "30000000", "10000000");
	const gchar *ac = add_mains("0");
	add_peripherals();

	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.capacity, 60);
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);
	EXPECT_EQ(src.status.time_left, 180);	/* 30 Wh at 10 W */
	EXPECT_EQ(ampelwick_unit_count(&src), 1);
	ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
	EXPECT_EQ(src.status.warn_capacity, 10);	/* no design levels */
	EXPECT_EQ(src.status.low_capacity, 5);

	set(bat, "status", "Charging");
	set(ac, "online", "1");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.state, BATT_CHARGING);
	EXPECT_EQ(src.status.time_left, 120);	/* 20 Wh missing at 10 W */
	/* The driver's own time, where it keeps one: read from the start. */
	umockdev_testbed_set_attribute(tb, bat, "time_to_full_now", "5400");
	ampelwick_release(&src);
	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.time_left, 90);
	set(bat, "status", "Full");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.state, BATT_ON_AC);
	set(bat, "present", "0");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_FALSE(src.present);
}

TEST_F(LinuxSupply, TwoBatteriesAddUp)
{
	/* BAT0 taken out, listed first; BAT1 draining at 20 %. */
	const gchar *bat0 = add_battery("BAT0", "Unknown", "2", "1000000", "0");
	const gchar *bat1 = add_battery("BAT1", "Discharging", "20", "10000000", "-10000000");
	add_mains("0");
	set(bat0, "present", "0");

	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.capacity, 20);
	EXPECT_EQ(src.status.time_left, 60);
	ASSERT_EQ(ampelwick_unit_count(&src), 2);
	EXPECT_STREQ(ampelwick_unit(&src, 0)->name, "BAT0");
	EXPECT_FALSE(ampelwick_unit(&src, 0)->present);

	/* BAT0 in, idle at 2 %: 11 of 100 Wh, 11 Wh at 10 W. */
	set(bat0, "present", "1");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	static const char *const attrs[][2] = {
		{ "energy_full_design", "60000000" }, { "cycle_count", "212" },
		{ "model_name", "5B10W13930" }, { "technology", "Li-poly" },
		{ "serial_number", " " }, { "voltage_now", "11800000" },
	};
	for (const auto &a : attrs)
		umockdev_testbed_set_attribute(tb, bat1, a[0], a[1]);
	batt_details d[BATT_MAX_UNITS];
	ASSERT_EQ(ampelwick_details(&src, d, BATT_MAX_UNITS), 2);
	EXPECT_EQ(d[0].design, -1);	/* BAT0 tells nothing of the kind */
	EXPECT_EQ(d[0].cycles, -1);
	EXPECT_STREQ(d[0].model, "");
	EXPECT_FALSE(d[1].charge);
	EXPECT_EQ(batt_health(d[1].full, d[1].design), 83);
	EXPECT_EQ(d[1].cycles, 212);
	EXPECT_EQ(d[1].rate, 10000);	/* mW, whatever its sign */
	EXPECT_EQ(d[1].voltage, 11800);
	EXPECT_EQ(d[1].state, BATT_DISCHARGING);
	EXPECT_STREQ(d[1].model, "5B10W13930");
	EXPECT_STREQ(d[1].technology, "Li-poly");
	EXPECT_STREQ(d[1].serial, "");
	EXPECT_EQ(src.status.capacity, 11);
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);
	EXPECT_EQ(src.status.time_left, 66);
	EXPECT_EQ(ampelwick_unit(&src, 1)->capacity, 20);

	/* BAT1 gone from the class: BAT0 alone, by its own capacity. */
	announce(bat1, "remove");
	umockdev_testbed_remove_device(tb, bat1);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.capacity, 2);
	EXPECT_EQ(ampelwick_unit_count(&src), 1);
}

TEST_F(LinuxSupply, AbsurdAndMissingFigures)
{
	const gchar *bat = add_battery("BAT0", "Discharging", "60", "30000000", "1");

	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.time_left, -1);	/* a rate of 1 µW: no time */
	set(bat, "energy_now", "9223372036854775807");
	set(bat, "power_now", "-9223372036854775808");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.capacity, 60);
	EXPECT_EQ(src.status.time_left, -1);

	/* Energy and current, no power: the voltage converts. */
	announce(keep(umockdev_testbed_add_device(tb, "power_supply", "BAT1", nullptr,
	    "type", "Battery", "status", "Discharging", "energy_now", "20000000",
	    "energy_full", "40000000", "current_now", "1000000", "voltage_now", "10000000",
	    nullptr, "POWER_SUPPLY_TYPE", "Battery", nullptr)), "add");
	announce(bat, "remove");
	umockdev_testbed_remove_device(tb, bat);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.capacity, 50);
	EXPECT_EQ(src.status.time_left, 120);	/* 20 Wh at 1 A and 10 V */
}

TEST_F(LinuxSupply, EventsFromUdevWithoutAThread)
{
	const gchar *bat = add_battery("BAT0", "Discharging", "60", "30000000", "10000000");
	const gchar *ac = add_mains("0");
	int before = threads();

	add_peripherals();
	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	/* The module starts no thread (glib's own may come and go). */
	EXPECT_LE(threads(), before);
	int flags = fcntl(src.devd_fd, F_GETFD);
	EXPECT_TRUE(flags != -1 && (flags & FD_CLOEXEC));

	set(bat, "status", "Charging");
	set(ac, "online", "1");
	umockdev_testbed_uevent(tb, ac, "change");
	EXPECT_EQ(next_event(), 1);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.state, BATT_CHARGING);
	EXPECT_EQ(read_devd_event(&src), 0);

	/* A mouse's battery is not news; the laptop's is, and its removal. */
	umockdev_testbed_uevent(tb, "/sys/devices/hidpp_battery_0", "change");
	EXPECT_EQ(next_event(), 0);
	umockdev_testbed_uevent(tb, bat, "remove");
	EXPECT_EQ(next_event(), 1);
	EXPECT_FALSE(ampelwick_reconnecting(&src));
}

TEST_F(LinuxSupply, FilesKeptBetweenPollsAndClosed)
{
	const gchar *bat0 = add_battery("BAT0", "Discharging", "60", "30000000", "10000000");
	const gchar *bat1 = add_battery("BAT1", "Discharging", "40", "20000000", "10000000");
	int before = descriptors(), polling;

	add_mains("0");
	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	polling = descriptors();
	for (int i = 0; i < 3; i++)
		ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(descriptors(), polling);
	set(bat0, "capacity", "59");
	set(bat0, "energy_now", "29500000");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(ampelwick_unit(&src, 0)->capacity, 59);

	/* A change announced: read anew, through as many files. */
	umockdev_testbed_set_attribute(tb, bat1, "capacity", "35");
	announce(bat1, "change");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(ampelwick_unit(&src, 1)->capacity, 35);
	EXPECT_EQ(descriptors(), polling);

	announce(bat1, "remove");
	umockdev_testbed_remove_device(tb, bat1);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_LT(descriptors(), polling);
	ampelwick_release(&src);
	EXPECT_EQ(descriptors(), before);
}

TEST_F(LinuxSupply, OtherRoot)
{
	char tmpl[] = "/tmp/ampelwick-supply.XXXXXX";
	int units = -1;

	ASSERT_NE(mkdtemp(tmpl), nullptr);
	platform_linux_set_root(tmpl);
	EXPECT_EQ(platform_battery_units(&units), 0);
	EXPECT_EQ(units, 0);
	platform_linux_set_root((std::string(tmpl) + "/missing").c_str());
	EXPECT_EQ(platform_battery_units(&units), -1);
	EXPECT_EQ(errno, ENOENT);
	platform_linux_set_root("/sys/class/power_supply");
	rmdir(tmpl);
}
