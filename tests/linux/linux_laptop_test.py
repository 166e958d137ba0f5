# SPDX-License-Identifier: BSD-2-Clause
"""The native Linux build on a Linux laptop made by umockdev, in a real tray.

umockdev gives the program a power_supply tree in sysfs (a system battery,
a mains supply and a wireless mouse's battery) and delivers its uevents the
way the kernel's reach libudev.  The program runs on a virtual X server with
a trayer system tray, in a temporary home.

A second laptop has two batteries, BAT0 idle and nearly empty, BAT1
draining; the probe build of the native program reports its tool tips and
balloons on standard output.

Run under umockdev-wrapper with Debian's python3 (it needs gi.repository):
    umockdev-wrapper /usr/bin/python3 linux_laptop_test.py AMPELWICK PROBE ARTIFACTS
"""
import os
import subprocess
import sys
import time
import unittest

import gi
gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import desktop  # noqa: E402

BINARY = None
PROBE = None
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
        desktop.rewrite_attribute(self.testbed, self.mains, "online", "1")
        desktop.rewrite_attribute(self.testbed, self.battery, "status", "Charging")
        self.testbed.uevent(self.mains, "change")
        seen = desktop.wait_for(lambda: self.icon_colours(wid)[0] > 20,
                                timeout=PATIENCE, interval=0.1)
        self.vd.screenshot(os.path.join(ARTIFACTS, "linux-charging.png"))
        self.assertTrue(seen, "the charger did not reach the icon in time")
        self.assertIsNone(program.proc.poll())


class TwoBatteriesTest(unittest.TestCase):
    """BAT0 idle at 2 %, BAT1 of the same 50 Wh draining at 10 W."""

    def setUp(self):
        self.testbed = UMockdev.Testbed.new()
        self.bat0 = self.battery("BAT0", "Unknown", 2, 0)
        self.bat1 = self.battery("BAT1", "Discharging", 30, 10000000)
        self.mains = self.testbed.add_device(
            "power_supply", "AC", None, ["type", "Mains", "online", "0"],
            ["POWER_SUPPLY_TYPE", "Mains"])
        self.home = desktop.FakeHome()
        self.addCleanup(self.home.cleanup)
        self.script = os.path.join(self.home.home, "suspend.sh")
        with open(self.script, "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(self.script, 0o755)
        self.home.write_config(desktop.settings_text(
            autoshutdown=True, shutdown_cap=3, suspend_cmd=self.script,
            use_icon_theme=False, poll_interval=1))
        self.vd = desktop.VirtualDesktop(width=640, height=400)
        self.vd.start()
        self.addCleanup(self.vd.stop)

    def battery(self, name, status, percent, power):
        return self.testbed.add_device(
            "power_supply", name, None,
            ["type", "Battery", "present", "1", "status", status,
             "capacity", str(percent), "energy_now", str(percent * 500000),
             "energy_full", "50000000", "power_now", str(power)],
            ["POWER_SUPPLY_TYPE", "Battery"])

    def set_bat1(self, percent, status="Discharging"):
        for name, value in (("status", status), ("capacity", str(percent)),
                            ("energy_now", str(percent * 500000))):
            desktop.rewrite_attribute(self.testbed, self.bat1, name, value)

    def reports(self, kind):
        with open(self.out_path) as f:
            return [line.rstrip("\n").split("\t")[1:] for line in f
                    if line.startswith(kind + "\t")]

    def tip(self, *lines):
        text = "\\n".join(lines)
        seen = desktop.wait_for(lambda: self.reports("TIP")[-1:] == [[text]],
                                timeout=5)
        self.assertTrue(seen, "tool tip %r, saw %r"
                        % (text, self.reports("TIP")[-1:]))

    def balloons(self, *texts):
        seen = desktop.wait_for(
            lambda: [b[-1] for b in self.reports("BALLOON")] == list(texts),
            timeout=3)
        self.assertTrue(seen, "balloons %s, saw %s"
                        % (texts, self.reports("BALLOON")))

    def test_combined_battery(self):
        self.out_path = os.path.join(self.home.dir, "probe.out")
        env = self.home.env(self.vd.env())
        env["UMOCKDEV_DIR"] = self.testbed.get_root_dir()
        with open(self.out_path, "w") as out:
            proc = subprocess.Popen([PROBE], env=env, stdout=out,
                                    stderr=subprocess.DEVNULL)
        self.addCleanup(proc.kill)
        self.tip("Status: Discharging", "Capacity: 16%",
                 "Time remaining: 01:36", "BAT0: 2%", "BAT1: 30%")
        # Idle, the program has its main thread and the threads that Qt
        # and GLib keep, each under its own name (Qt 6 keeps more than
        # Qt 5); no thread of ours, which would bear the program's name,
        # bridges udev.
        time.sleep(1)
        names = {}
        for task in os.listdir("/proc/%d/task" % proc.pid):
            with open("/proc/%d/task/%s/comm" % (proc.pid, task)) as f:
                names[int(task)] = f.read().strip()
        ours = [t for t, name in names.items() if name == names[proc.pid]]
        self.assertEqual(ours, [proc.pid], names)

        for percent, balloons, level in (
                (20, (), ()),
                (18, ("Battery capacity at 10%",), ("Battery low",)),
                (8, ("Battery capacity at 10%", "Battery capacity at 5%"),
                 ("Battery critical",))):
            self.set_bat1(percent)
            combined = (2 + percent) // 2
            minutes = combined * 6
            self.tip("Status: Discharging", "Capacity: %d%%" % combined,
                     "Time remaining: %02d:%02d" % (minutes // 60, minutes % 60),
                     *level, "BAT0: 2%", "BAT1: %d%%" % percent)
            self.balloons(*balloons)
        self.set_bat1(4)
        countdown = desktop.wait_for(lambda: self.vd.windows(
            name="^Critical battery capacity reached$"), timeout=5)
        self.assertTrue(countdown, "the countdown opens at 3 %")

        # The charger, announced by the mains' uevent, ends the countdown.
        desktop.rewrite_attribute(self.testbed, self.mains, "online", "1")
        desktop.rewrite_attribute(self.testbed, self.bat0, "status", "Charging")
        desktop.rewrite_attribute(self.testbed, self.bat1, "status", "Charging")
        self.testbed.uevent(self.mains, "change")
        self.assertTrue(desktop.wait_for(lambda: not self.vd.windows(
            name="^Critical battery capacity reached$"), timeout=5),
            "the charger closes the countdown")

        # BAT1 taken out with the charger plugged in, then put back.
        desktop.rewrite_attribute(self.testbed, self.bat1, "present", "0")
        self.testbed.uevent(self.bat1, "change")
        self.tip("Status: Charging", "Capacity: 2%",
                 "Time to full: estimating\u2026", "BAT0: 2%", "BAT1: absent")
        desktop.rewrite_attribute(self.testbed, self.bat1, "present", "1")
        self.set_bat1(30, "Charging")
        self.testbed.uevent(self.bat1, "change")
        self.tip("Status: Charging", "Capacity: 16%",
                 "Time to full: estimating\u2026", "BAT0: 2%", "BAT1: 30%")
        self.assertIsNone(proc.poll())


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv.pop(1))
    PROBE = os.path.abspath(sys.argv.pop(1))
    ARTIFACTS = os.path.abspath(sys.argv.pop(1))
    os.makedirs(ARTIFACTS, exist_ok=True)
    unittest.main()
