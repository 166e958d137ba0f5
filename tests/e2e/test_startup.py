# SPDX-License-Identifier: BSD-2-Clause
"""Start-up: the tray icon, one instance per user, no battery slot, a
broken settings file; what the tray shows before the first event."""
import desktop
from desktop import settings_text
from harness import DISCHARGING, PATIENCE, Scenario


class StartUp(Scenario):

    # How fast the icon comes is a benchmark's figure, not a pass mark.
    def test_tray_icon_is_embedded(self):
        run = self.start()
        self.wait_devd_client()
        wid = self.tray_icon()
        self.shot("embedded")
        self.check(self.window_class(wid) == ["ampelwick-sim", "ampelwick-sim"],
                   "the icon window has the program's class",
                   self.window_class(wid))
        self.check(run.alive(), "the program keeps running")

    def test_second_start_by_the_same_user_exits_at_once(self):
        first, icon = self.start_monitoring()
        second = self.start()
        status = second.wait(PATIENCE)
        self.check(status == 0, "the second start exits with status 0",
                   "status %s" % status)
        self.check(second.stderr().strip() == "",
                   "the second start says nothing", second.stderr())
        self.check(self.clients() == 1,
                   "the second start never reached devd",
                   "%d devd clients" % self.clients())
        icons = [w for w, name, geometry, types in self.program_windows()
                 if geometry[3] <= 64]
        self.check(icons == [icon], "one tray icon, the first program's",
                   icons)
        self.check(first.alive(), "the first program keeps running")

    def test_machine_without_battery_slot(self):
        self.battery(units=0)
        run = self.start()
        status = run.wait(PATIENCE)
        self.check(status == 1, "exit status 1", "status %s" % status)
        self.check("No battery slot installed." in run.stderr(),
                   "the message on standard error", run.stderr())
        self.check(self.program_windows() == [], "no window at all")

    def test_broken_settings_file_shows_the_error_box(self):
        broken = ("autoshutdown = true\n"
                  "this line has no equal sign\n")
        run = self.start(settings=broken)
        box = self.window("Error")
        self.shot("error-box", box)
        self.check(run.alive(), "the program waits for the box to be closed")
        self.check(self.tray_icon_window() is None,
                   "no tray icon behind the box")
        self.key(box, "Return")
        status = run.wait(PATIENCE)
        self.check(status == 1, "exit status 1 after the box is closed",
                   "status %s" % status)
        with open(self.home.config_path) as f:
            self.check(f.read() == broken, "the settings file is untouched")


class FirstReadings(Scenario):
    """What the tray shows before the first event: the probe build
    reports its tool tips and balloons."""

    probe = True

    def tip(self, run, text, what):
        """Waits until the last reported tool tip is text."""
        lines = text.replace("\n", "\\n")
        seen = desktop.wait_for(lambda: run.reports("TIP")[-1:] == [[lines]],
                                PATIENCE)
        self.check(seen, "%s: the tool tip %r" % (what, text),
                   run.reports("TIP"))

    def test_first_poll_settles_the_guess_made_at_the_start(self):
        # An idle full battery on AC: the start, before the state has
        # settled, can only guess "charging" from the AC line.
        self.battery(cap=100, min=-1, state=0, acline=1)
        run, icon = self.start_monitoring(
            settings_text(use_icon_theme=False, poll_interval=1))
        self.tip(run, "Status: Running on AC power",
                 "after the first poll, no event")
        first = run.reports("TIP")[:1]
        self.check(first == [["Status: Charging\\nCapacity: 100%"]],
                   "the guess shown at the start", first)
        self.check(run.reports("BALLOON") == [], "no balloon",
                   run.reports("BALLOON"))

    def test_battery_levels_are_read_at_the_start(self):
        # A battery that warns at 20 %: red at 15 % with no event yet.
        self.battery(cap=15, min=30, wcap=10000, **DISCHARGING)
        run, icon = self.start_monitoring(
            settings_text(use_icon_theme=False, poll_interval=1))
        self.wait_gauge(icon, "red", -15, "below the battery's 20 %")

        # Its warning comes at 20 %, not at the starting 10 %.
        self.battery(cap=21, min=42)
        self.tip(run, "Status: Discharging\nCapacity: 21%\n"
                 "Time remaining: 00:42", "a poll at 21 %")
        self.wait_gauge(icon, "yellow", -21, "above the battery's 20 %")
        self.battery(cap=20, min=40)
        seen = desktop.wait_for(lambda: run.reports("BALLOON"), PATIENCE)
        self.check(seen == [["Warning", "Battery capacity at 20%"]],
                   "the warning at the battery's level", seen)
        self.wait_gauge(icon, "red", -20, "at the battery's 20 %")
