/*
 * The Linux backend against a fake power_supply class and fake uevents
 * from umockdev.  Runs under umockdev-wrapper, which sends the process's
 * /sys and its uevent sockets to the test bed.
 */
#include <errno.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>
#include <umockdev.h>

#include "battery_internal.h"
#include "platform.h"

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
		if (src.devd_fd >= 0)
			close(src.devd_fd);
		if (src.status.acpi_fd >= 0)
			close(src.status.acpi_fd);
		free(src.devd_buf);
		/* Closing our end ends the bridge. */
		for (int i = 0; i < 500 && platform_linux_bridges() > 0; i++)
			usleep(10000);
		EXPECT_EQ(platform_linux_bridges(), 0);
		for (gchar *p : paths)
			g_free(p);
		g_object_unref(tb);
	}

	/* A laptop battery that reports energy, discharging at 60 %. */
	const gchar *
	add_battery(const char *name)
	{
		gchar *p = umockdev_testbed_add_device(tb, "power_supply", name, nullptr,
		    "type", "Battery", "present", "1", "status", "Discharging",
		    "capacity", "60", "energy_now", "30000000", "energy_full", "50000000",
		    "energy_full_design", "60000000", "power_now", "10000000",
		    "model_name", "Fake battery", "technology", "Li-ion", nullptr,
		    nullptr);
		paths.push_back(p);
		return p;
	}

	const gchar *
	add_mains(const char *online)
	{
		gchar *p = umockdev_testbed_add_device(tb, "power_supply", "AC", nullptr,
		    "type", "Mains", "online", online, nullptr,
		    "POWER_SUPPLY_TYPE", "Mains", "POWER_SUPPLY_ONLINE", online, nullptr);
		paths.push_back(p);
		return p;
	}

	/* A wireless mouse: its battery belongs to the device, not the system. */
	const gchar *
	add_mouse()
	{
		gchar *p = umockdev_testbed_add_device(tb, "power_supply", "hidpp_battery_0",
		    nullptr, "type", "Battery", "scope", "Device", "present", "1",
		    "status", "Discharging", "capacity", "3", nullptr,
		    "POWER_SUPPLY_TYPE", "Battery", "POWER_SUPPLY_SCOPE", "Device", nullptr);
		paths.push_back(p);
		return p;
	}

	void
	set(const gchar *dev, const char *attr, const char *value)
	{
		umockdev_testbed_set_attribute(tb, dev, attr, value);
	}

	/* The next line on fd, waiting up to 5 s for each byte. */
	static std::string
	next_line(int fd)
	{
		std::string line;
		char c;

		for (;;) {
			struct pollfd pfd = { fd, POLLIN, 0 };

			if (poll(&pfd, 1, 5000) != 1 || read(fd, &c, 1) != 1)
				return line + "<nothing>";
			line += c;
			if (c == '\n')
				return line;
		}
	}

	UMockdevTestbed		*tb = nullptr;
	std::vector<gchar *>	 paths;
	batt_source		 src;
};

TEST_F(LinuxSupply, CountsSystemBatteriesOnly)
{
	int units = -1;

	add_mouse();
	add_mains("0");
	ASSERT_EQ(platform_battery_units(&units), 0);
	EXPECT_EQ(units, 0);
	/* No battery slot: the program says so and ends. */
	EXPECT_EQ(ampelwick_init(&src), 0);

	add_battery("BAT1");
	add_battery("BAT0");
	ASSERT_EQ(platform_battery_units(&units), 0);
	EXPECT_EQ(units, 2);
}

TEST_F(LinuxSupply, DischargingChargingFull)
{
	const gchar *bat = add_battery("BAT0");
	const gchar *ac = add_mains("0");
	add_mouse();

	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.units, 1);
	EXPECT_TRUE(src.present);
	EXPECT_EQ(src.status.capacity, 60);
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);
	EXPECT_EQ(src.status.time_left, 180);	/* 30 Wh at 10 W */

	ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
	EXPECT_EQ(src.status.warn_capacity, 10);	/* no design levels */
	EXPECT_EQ(src.status.low_capacity, 5);

	set(bat, "status", "Charging");
	set(bat, "capacity", "61");
	set(ac, "online", "1");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.state, BATT_CHARGING);
	EXPECT_EQ(src.status.capacity, 61);
	EXPECT_EQ(src.status.time_left, -1);

	set(bat, "status", "Full");
	set(bat, "capacity", "100");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.state, BATT_ON_AC);

	set(bat, "status", "Not charging");
	set(ac, "online", "0");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.state, BATT_UNKNOWN);
}

TEST_F(LinuxSupply, RemovedBattery)
{
	const gchar *bat = add_battery("BAT0");

	add_mains("1");
	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	set(bat, "present", "0");
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_FALSE(src.present);
	EXPECT_EQ(src.status.capacity, 60);	/* kept from before */

	umockdev_testbed_remove_device(tb, bat);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_FALSE(src.present);
	int units = -1;
	ASSERT_EQ(platform_battery_units(&units), 0);
	EXPECT_EQ(units, 0);
}

TEST_F(LinuxSupply, RawRecords)
{
	/* Reports charge, not energy, and no capacity file. */
	paths.push_back(umockdev_testbed_add_device(tb, "power_supply", "CMB1", nullptr,
	    "type", "Battery", "scope", "System", "status", "Discharging",
	    "charge_now", "1500000", "charge_full", "4000000",
	    "charge_full_design", "4400000", "current_now", "-750000",
	    "model_name", "A model name longer than thirty-two bytes", nullptr, nullptr));
	add_battery("ZBAT");		/* sorts after CMB1 */
	add_mains("1");

	int fd = platform_acpi_open();
	ASSERT_GE(fd, 0);
	acpi_battery_ioctl_arg b;
	ASSERT_EQ(platform_acpi_ioctl(fd, ACPIIO_BATT_GET_BATTINFO, &b), 0);
	EXPECT_EQ(b.battinfo.cap, 37);		/* 1.5 / 4 Ah */
	EXPECT_EQ(b.battinfo.min, 120);		/* 1.5 Ah at 0.75 A */
	EXPECT_EQ(b.battinfo.state, ACPI_BATT_STAT_DISCHARG);
	EXPECT_EQ(b.battinfo.rate, 750);

	acpi_bif_ioctl_arg bif;
	ASSERT_EQ(platform_acpi_ioctl(fd, ACPIIO_BATT_GET_BIF, &bif), 0);
	EXPECT_EQ(bif.bif.units, 1u);		/* mAh */
	EXPECT_EQ(bif.bif.lfcap, 4000u);
	EXPECT_EQ(bif.bif.dcap, 4400u);
	EXPECT_EQ(bif.bif.wcap, 0u);
	EXPECT_EQ(bif.bif.lcap, 0u);
	EXPECT_STREQ(bif.bif.model, "A model name longer than thirty");

	int acline = 0;
	ASSERT_EQ(platform_acpi_ioctl(fd, ACPIIO_ACAD_GET_STATUS, &acline), 0);
	EXPECT_EQ(acline, 1);
	EXPECT_EQ(platform_acpi_ioctl(fd, 0xdead, &acline), -1);
	EXPECT_EQ(errno, ENOTTY);
	close(fd);
}

TEST_F(LinuxSupply, UeventsBecomeDevdLines)
{
	const gchar *bat = add_battery("BAT0");
	const gchar *ac = add_mains("0");
	const gchar *mouse = add_mouse();

	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	ASSERT_EQ(platform_linux_bridges(), 1);

	set(bat, "status", "Charging");
	umockdev_testbed_uevent(tb, bat, "change");
	EXPECT_EQ(next_line(src.devd_fd), "!system=ACPI subsystem=CMBAT type=BAT0 notify=0x80\n");

	/* The mouse is ignored: the next line is the charger's. */
	umockdev_testbed_uevent(tb, mouse, "change");
	set(ac, "online", "1");
	umockdev_testbed_uevent(tb, ac, "change");
	EXPECT_EQ(next_line(src.devd_fd), "!system=ACPI subsystem=CMBAT type=AC notify=0x80\n");

	umockdev_testbed_uevent(tb, bat, "remove");
	EXPECT_EQ(next_line(src.devd_fd), "!system=ACPI subsystem=CMBAT type=BAT0 notify=0x80\n");
}

TEST_F(LinuxSupply, ProgramSeesTheCharger)
{
	const gchar *bat = add_battery("BAT0");
	const gchar *ac = add_mains("0");

	ASSERT_EQ(ampelwick_init(&src), 1) << src.error;
	EXPECT_EQ(src.status.state, BATT_DISCHARGING);

	set(bat, "status", "Charging");
	set(ac, "online", "1");
	umockdev_testbed_uevent(tb, ac, "change");

	struct pollfd pfd = { src.devd_fd, POLLIN, 0 };
	ASSERT_EQ(poll(&pfd, 1, 5000), 1);
	ASSERT_EQ(read_devd_event(&src), 1);
	ASSERT_EQ(ampelwick_poll(&src), 0);
	EXPECT_EQ(src.status.state, BATT_CHARGING);
	EXPECT_EQ(read_devd_event(&src), 0);
}

TEST_F(LinuxSupply, BridgeEndsWithItsConnection)
{
	add_battery("BAT0");
	int a = devd_connect(), b = devd_connect();

	ASSERT_GE(a, 0);
	ASSERT_GE(b, 0);
	EXPECT_EQ(platform_linux_bridges(), 2);
	close(a);
	close(b);
	/* TearDown waits for both to end. */
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
