# SPDX-License-Identifier: BSD-2-Clause
"""Low battery: the warning balloons, the countdown, the suspend command,
cancelling and re-arming."""
import os
import signal
import time

import desktop
import harness
from harness import CHARGING, DEFAULT_SETTINGS, DISCHARGING, PATIENCE, Scenario

COUNTDOWN = "Critical battery capacity reached"
# Long enough for a poll (every second) to have seen a change.
SETTLE = 1.6


def balloon_icon(rows):
    """'critical' (red disc), 'warning' (yellow or orange triangle) or
    None."""
    red = orange = 0
    for row in rows:
        for r, g, b in row:
            if r >= 190 and g <= 70 and b <= 70:
                red += 1
            elif r >= 190 and g >= 90 and b <= 80:
                orange += 1
    if red >= 20 and orange < 20:
        return "critical"
    if orange >= 20 and red < 20:
        return "warning"
    return None


class LowBattery(Scenario):

    def setUp(self):
        super().setUp()
        self.log = os.path.join(self.home.home, "suspend.log")
        self.script = os.path.join(self.home.home, "suspend.sh")
        with open(self.script, "w") as f:
            f.write('#!/bin/sh\necho suspended >> "%s"\n' % self.log)
        os.chmod(self.script, 0o755)
        self.seen_balloons = []

    def suspended(self):
        try:
            with open(self.log) as f:
                return len(f.read().splitlines())
        except FileNotFoundError:
            return 0

    def drain(self, cap, balloon=None):
        """Lets the battery fall to cap; balloon: the icon of the one
        balloon this step must bring, or None for no new balloon."""
        self.battery(cap=cap, min=cap * 3, **DISCHARGING)
        if balloon is None:
            time.sleep(SETTLE)
            new = [b for b in self.balloons() if b not in self.seen_balloons]
            self.check(new == [], "no new balloon at %d %%" % cap,
                       "new balloon windows %s" % new)
            return
        new = desktop.wait_for(
            lambda: [b for b in self.balloons()
                     if b not in self.seen_balloons], PATIENCE)
        self.check(len(new) == 1, "one balloon at %d %%" % cap,
                   "new balloon windows %s" % new)
        self.seen_balloons += new
        # The window may show before it is painted.
        icon = desktop.wait_for(
            lambda: balloon_icon(self.picture(new[0])), PATIENCE)
        self.shot("balloon-%d" % cap, new[0])
        self.check(icon == balloon, "the balloon at %d %% has the %s icon"
                   % (cap, balloon), icon)

    def countdown(self, timeout=PATIENCE):
        found = desktop.wait_for(
            lambda: self.windows(name="^%s$" % COUNTDOWN), timeout)
        return found[0] if found else None

    def test_warnings_countdown_suspend_cancel_and_rearm(self):
        # Written by hand: the program's own save rewrites it in its form.
        settings = ("autoshutdown=true\nshutdown_cap=3\nsuspend=true\n"
                    "suspend_cmd=\"%s\"\nuse_icon_theme=false\n"
                    "poll_interval=1\n" % self.script)
        run, icon = self.start_monitoring(settings)
        # The battery's levels: warning 10 %, low 5 %.
        self.devd.notify()
        time.sleep(SETTLE)

        self.drain(30)
        self.drain(11)
        self.drain(10, balloon="warning")
        self.drain(8)
        self.drain(6)
        self.drain(5, balloon="critical")
        self.drain(4)
        self.check(self.countdown(0) is None, "no countdown above 3 %")

        self.battery(cap=3, min=9)
        box = self.countdown()
        self.check(box, "the countdown opens at 3 %")
        self.shot("countdown", box)
        self.check(self.balloons() == self.seen_balloons[-1:],
                   "no balloon for the countdown step",
                   self.balloons())

        # Escape is refused, Alt+C presses Cancel.
        self.key(box, "Escape")
        time.sleep(1.2)
        self.check(self.countdown(0) == box, "Escape leaves the countdown")
        self.key(box, "alt+c")
        self.check(self.gone(COUNTDOWN), "Cancel closes the countdown")
        self.check(self.suspended() == 0, "a cancelled countdown runs nothing")

        # Cancelled: no countdown however low the battery goes.
        self.drain(2)
        self.check(self.countdown(0) is None, "no countdown after Cancel")

        # The charger re-arms it; discharging again at 3 % counts down.
        self.battery(cap=2, min=-1, **CHARGING)
        self.wait_gauge(icon, "green", 2, "the charger seen")
        self.check(self.countdown(0) is None, "no countdown while charging")
        self.battery(cap=3, min=9, **DISCHARGING)
        box = self.countdown()
        self.check(box, "the countdown opens again after the charger")
        first = self.picture(box)
        self.shot("countdown-again", box)
        self.check(desktop.wait_for(lambda: self.picture(box) != first,
                                    PATIENCE),
                   "the countdown shows the seconds running down")
        self.shot("countdown-later", box)

        # Runs out after 30 seconds; the suspend command runs once.
        self.check(self.gone(COUNTDOWN, 30 + PATIENCE),
                   "the countdown closes itself after 30 s")
        self.check(desktop.wait_for(lambda: self.suspended() >= 1, PATIENCE),
                   "the suspend command runs")
        time.sleep(SETTLE)
        self.check(self.suspended() == 1, "the suspend command ran once",
                   "%d runs" % self.suspended())
        self.check(self.countdown(0) is None,
                   "no new countdown without a change")
        self.check(run.alive(), "the program goes on after suspending")
        self.check(not self.windows(name="^Warning$"),
                   "a suspend command that succeeds shows no box",
                   self.describe_windows())
        expected = list(DEFAULT_SETTINGS)
        expected[0] = "autoshutdown = true"
        expected[1] = "shutdown_cap = 3"
        expected[3] = 'suspend_cmd = "%s"' % self.script
        expected[5] = "use_icon_theme = false"
        expected[6] = "poll_interval = 1"
        self.check(self.settings_lines() == expected,
                   "the settings saved before the command ran",
                   self.settings_lines())

    def test_the_first_reading_counts_down(self):
        # At 4 % from the start and nothing changing: the first poll acts.
        self.battery(cap=4, min=12, **DISCHARGING)
        settings = ("autoshutdown=true\nshutdown_cap=5\nsuspend=true\n"
                    "suspend_cmd=\"%s\"\nuse_icon_theme=false\n"
                    "poll_interval=1\n" % self.script)
        run, icon = self.start_monitoring(settings)
        box = self.countdown()
        self.check(box, "the countdown opens at 4 % without a change")
        self.key(box, "alt+c")
        self.check(self.gone(COUNTDOWN), "Cancel closes the countdown")
        self.check(self.suspended() == 0, "a cancelled countdown runs nothing")

    def test_countdown_on_a_stepped_clock_then_a_slow_command(self):
        if harness.CLOCK_SHIFT is None:
            self.skipTest("no library to shift the wall clock")
        shift = os.path.join(self.home.dir, "clock-shift")
        with open(shift, "w") as f:
            f.write("0\n")
        env = self.environment()
        # The command notes its run, then takes a minute.
        with open(self.script, "a") as f:
            f.write("exec sleep 60\n")
        self.battery(cap=4, min=12, **DISCHARGING)
        settings = ("autoshutdown=true\nshutdown_cap=5\nsuspend=true\n"
                    "suspend_cmd=\"%s\"\nuse_icon_theme=false\n"
                    "poll_interval=1\n" % self.script)
        run, icon = self.start_monitoring(settings, {
            "LD_PRELOAD": env["LD_PRELOAD"] + ":" + harness.CLOCK_SHIFT,
            "CLOCKSHIFT_FILE": shift})
        box = self.countdown()
        self.check(box, "the countdown opens")

        # The wall clock an hour ahead three seconds in, then an hour back.
        time.sleep(3)
        with open(shift, "w") as f:
            f.write("3600\n")
        time.sleep(3)
        self.check(self.countdown(0) == box and self.suspended() == 0,
                   "an hour forward: the countdown goes on, nothing runs")
        with open(shift, "w") as f:
            f.write("-3600\n")
        self.check(self.gone(COUNTDOWN, 30 + PATIENCE),
                   "an hour back: the countdown still closes after 30 s")
        self.check(desktop.wait_for(lambda: self.suspended() >= 1, PATIENCE),
                   "the suspend command runs")

        # While the command runs the program still answers a signal.
        os.unlink(self.home.config_path)
        run.signal(signal.SIGTERM)
        status = run.wait(PATIENCE)
        self.check(status == 0, "SIGTERM ends the program during the command",
                   "status %s" % status)
        self.check(self.settings_lines() is not None,
                   "the settings written on SIGTERM")
