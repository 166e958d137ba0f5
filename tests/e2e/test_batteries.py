# SPDX-License-Identifier: BSD-2-Clause
"""Two batteries on the simulated laptop, summed the way FreeBSD sums them
(the all-units query): unit 0 idle and nearly empty, unit 1 draining.  The
probe build reports its tool tips and balloons on standard output."""
import os
import time

import desktop
from desktop import settings_text
from harness import PATIENCE, Scenario

COUNTDOWN = "Critical battery capacity reached"


def unit1(cap, state, rate=10000):
    """Readings of battery unit 1, 50 Wh with levels of 10 % and 5 %."""
    return {"1.cap": cap, "1.state": state, "1.rate": rate, "1.min": -1,
            "1.lfcap": 50000, "1.wcap": 5000, "1.lcap": 2500}


class TwoBatteries(Scenario):

    probe = True

    def tip(self, run, expected, what):
        """Waits until the last reported tool tip is the expected one."""
        lines = "\\n".join(expected)
        seen = desktop.wait_for(
            lambda: run.reports("TIP")[-1:] == [[lines]], timeout=5)
        self.check(seen, "%s: the tool tip %r" % (what, lines),
                   run.reports("TIP")[-1:])

    def balloons(self, run):
        return [b[-1] for b in run.reports("BALLOON")]

    def drain(self, run, cap, balloons):
        """Unit 1 falls to cap; the balloons shown so far afterwards."""
        self.battery(**unit1(cap, 1))
        combined = (1000 + cap * 500) // 1000
        # The summed levels: 10 % and 5 %.
        level = (["Battery critical"] if combined <= 5 else
                 ["Battery low"] if combined <= 10 else [])
        self.tip(run, ["Status: Discharging", "Capacity: %d%%" % combined,
                       "Time remaining: %s" % self.clock(combined)] + level +
                 ["battery0: 2%", "battery1: %d%%" % cap],
                 "unit 1 at %d %%" % cap)
        self.check(desktop.wait_for(lambda: self.balloons(run) == balloons,
                                    timeout=3),
                   "balloons %s at %d %%" % (balloons, combined),
                   self.balloons(run))

    @staticmethod
    def clock(percent):
        """What is left of 100 Wh at percent, at 10 W, as hh:mm."""
        minutes = percent * 1000 * 60 // 10000
        return "%02d:%02d" % (minutes // 60, minutes % 60)

    def test_combined_battery(self):
        script = os.path.join(self.home.home, "suspend.sh")
        with open(script, "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(script, 0o755)
        self.battery(units=2, cap=2, state=0, min=-1, rate=0, **unit1(30, 1))
        run, icon = self.start_monitoring(settings_text(
            autoshutdown=True, shutdown_cap=3, suspend_cmd=script,
            use_icon_theme=False, poll_interval=1))
        # A notification reads the summed levels: 10 % and 5 %.
        self.devd.notify()
        self.tip(run, ["Status: Discharging", "Capacity: 16%",
                       "Time remaining: 01:36", "battery0: 2%",
                       "battery1: 30%"], "at start")
        self.wait_gauge(icon, "yellow", -16, "the sum of both")

        self.drain(run, 20, [])
        warning = ["Battery capacity at 10%"]
        self.drain(run, 18, warning)
        self.drain(run, 12, warning)
        critical = warning + ["Battery capacity at 5%"]
        self.drain(run, 8, critical)
        self.drain(run, 6, critical)
        self.battery(**unit1(4, 1))
        box = self.window(COUNTDOWN)
        self.shot("countdown", box)
        self.key(box, "alt+c")
        self.check(self.gone(COUNTDOWN), "Cancel closes the countdown")

        # Unit 1 taken out while the charger is plugged in, then put back.
        self.battery(acline=1, state=2, **unit1(-1, 7))
        self.devd.notify()
        self.tip(run, ["Status: Charging", "Capacity: 2%",
                       "Time to full: estimating\u2026", "battery0: 2%",
                       "battery1: absent"], "unit 1 taken out")
        self.battery(**unit1(30, 2))
        self.devd.notify()
        self.tip(run, ["Status: Charging", "Capacity: 16%",
                       "Time to full: estimating\u2026", "battery0: 2%",
                       "battery1: 30%"], "unit 1 put back")
        self.wait_gauge(icon, "green", 16, "charging both")
        self.check(self.balloons(run) == critical, "no further balloon",
                   self.balloons(run))
        self.check(run.alive(), "the program keeps running")

    def history(self):
        """A day behind: a drain, a night asleep, a charge, a drain."""
        now = int(time.time())
        lines = ["# ampelwick charge history 1"]
        for minute, percent, state in (
                [(m, 100 - m * 70 // 600, 1) for m in range(0, 600, 5)] +
                [(m, 30 + (m - 780) * 60 // 200, 2) for m in range(780, 980, 5)] +
                [(m, 90 - (m - 980) * 40 // 440, 1) for m in range(980, 1420, 5)]):
            lines.append("%d %d %d %d" % (now - 86400 + minute * 60, percent,
                                          state, minute in (0, 780)))
        path = os.path.join(self.home.home, ".local", "state", "ampelwick")
        os.makedirs(path, mode=0o700)
        with open(os.path.join(path, "history"), "w") as f:
            f.write("\n".join(lines) + "\n")

    def test_details_window(self):
        self.history()
        self.battery(units=2, cap=60, state=1, min=-1, rate=9000, dcap=60000,
                     lfcap=50000, dvol=11100, volt=11800, cycles=212,
                     model="5B10W13930", oem="SMP", serial="1427", type="LiP",
                     **unit1(-1, 7))
        run, icon = self.start_monitoring(settings_text(poll_interval=1))
        self.click(icon, button=3)
        menu = desktop.wait_for(lambda: [
            w for w in self.windows(cls=self.program_class()) if w != icon],
            PATIENCE)
        self.check(menu, "the tray menu opens")
        self.desk.xdotool("key", "d")
        window = self.window("Battery details")
        time.sleep(1)
        self.shot("details", window)
        self.check(run.alive(), "the program keeps running")
