"""The native Linux build on a Linux laptop made by umockdev, in a real tray.

umockdev gives the program a power_supply tree in sysfs (a system battery,
a mains supply and a wireless mouse's battery) and delivers its uevents the
way the kernel's reach libudev.  The program runs on a virtual X server with
a trayer system tray, in a temporary home.

Run under umockdev-wrapper with Debian's python3 (it needs gi.repository):
    umockdev-wrapper /usr/bin/python3 linux_laptop_test.py AMPELWICK ARTIFACTS
"""
import os
import sys
import unittest

import gi
gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import desktop  # noqa: E402

BINARY = None
ARTIFACTS = None

GREEN = (96, 255, 96)
YELLOW = (239, 239, 92)
# A bound for things that must happen; how fast is a benchmark's figure.
PATIENCE = 30


class LinuxLaptopTest(unittest.TestCase):

    def setUp(self):
        self.testbed = UMockdev.Testbed.new()
        self.battery = self.testbed.add_device(
            "power_supply", "BAT0", None,
            ["type", "Battery", "scope", "System", "present", "1",
             "status", "Discharging", "capacity", "50",
             "energy_now", "25000000", "energy_full", "50000000",
             "energy_full_design", "60000000", "power_now", "12500000"],
            ["POWER_SUPPLY_TYPE", "Battery"])
        self.mains = self.testbed.add_device(
            "power_supply", "AC", None, ["type", "Mains", "online", "0"],
            ["POWER_SUPPLY_TYPE", "Mains"])
        # A nearly empty mouse must not be taken for the laptop's battery.
        self.testbed.add_device(
            "power_supply", "hidpp_battery_0", None,
            ["type", "Battery", "scope", "Device", "present", "1",
             "status", "Discharging", "capacity", "3"],
            ["POWER_SUPPLY_TYPE", "Battery", "POWER_SUPPLY_SCOPE", "Device"])
        self.home = desktop.FakeHome()
        self.addCleanup(self.home.cleanup)
        self.home.write_config(desktop.settings_text(use_icon_theme=False,
                                                     poll_interval=60))
        self.vd = desktop.VirtualDesktop(width=320, height=200)
        self.vd.start()
        self.addCleanup(self.vd.stop)

    def icon_colours(self, wid):
        _, _, rows = self.vd.pixels(wid)
        return (desktop.count_colour(rows, GREEN),
                desktop.count_colour(rows, YELLOW))

    def test_tray_icon_follows_the_battery_and_the_charger(self):
        # The testbed set UMOCKDEV_DIR with setenv(), which os.environ,
        # read at start, does not show.
        program = desktop.Program(BINARY, self.vd, self.home, env={
            "UMOCKDEV_DIR": self.testbed.get_root_dir()})
        program.start()
        self.addCleanup(program.kill)
        wid = desktop.wait_for(
            lambda: self.vd.tray_icon_window(os.path.basename(BINARY)),
            timeout=PATIENCE)
        self.assertIsNotNone(wid, "no tray icon")
        # The window may be embedded before it is painted.
        painted = desktop.wait_for(lambda: self.icon_colours(wid)[1] > 20,
                                   timeout=PATIENCE, interval=0.1)
        self.vd.screenshot(os.path.join(ARTIFACTS, "linux-discharging.png"))
        green, yellow = self.icon_colours(wid)
        self.assertTrue(painted, "no yellow gauge while discharging")
        self.assertEqual(green, 0)

        # The charger: a uevent reaches the program, well before the next
        # reading of its one-minute poll.
        self.testbed.set_attribute(self.mains, "online", "1")
        self.testbed.set_attribute(self.battery, "status", "Charging")
        self.testbed.uevent(self.mains, "change")
        seen = desktop.wait_for(lambda: self.icon_colours(wid)[0] > 20,
                                timeout=PATIENCE, interval=0.1)
        self.vd.screenshot(os.path.join(ARTIFACTS, "linux-charging.png"))
        self.assertTrue(seen, "the charger did not reach the icon in time")
        self.assertIsNone(program.proc.poll())


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv.pop(1))
    ARTIFACTS = os.path.abspath(sys.argv.pop(1))
    os.makedirs(ARTIFACTS, exist_ok=True)
    unittest.main()
