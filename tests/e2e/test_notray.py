# SPDX-License-Identifier: BSD-2-Clause
"""No system tray at the start: after about 30.5 seconds the program shows
the battery in a window of its own, kept up to date, with the menu's
entries as buttons; a tray that starts later gets the icon and the window
goes; closing the window ends the program as Quit does, settings saved and
the instance lock released.  A tray that goes away after the start gives the
same window after the same checks, and the warnings reach it, until a tray
starts again.  The probe build reports the window's texts."""
import time

import desktop
from desktop import settings_text
from harness import CHARGING, DEFAULT_SETTINGS, PATIENCE, Scenario

NOTE = ("No system tray was found. The battery is shown here until a tray "
        "starts; closing this window quits the program.")


class LateTray(Scenario):

    tray = False
    probe = True

    def texts(self, run, lines, what):
        """Waits until the window's labels read lines, then the note."""
        texts = ["\\n".join(lines), NOTE]
        seen = desktop.wait_for(lambda: run.reports("WINDOW")[-1:] == [texts],
                                PATIENCE)
        self.check(seen, "%s: the window reads %r" % (what, texts),
                   run.reports("WINDOW")[-1:])

    def test_window_until_a_tray_comes(self):
        run = self.start(settings_text(use_icon_theme=False,
                                       poll_interval=60))
        window = self.fallback_window()
        self.shot("window", window)
        self.wait_gauge(window, "yellow", -50, "the window's picture")
        self.texts(run, ["Status: Discharging", "Capacity: 50%",
                         "Time remaining: 02:00"], "at the start")

        self.battery(cap=80, min=-1, **CHARGING)
        self.devd.notify()
        self.wait_gauge(window, "green", 80, "the picture after an event")
        self.texts(run, ["Status: Charging", "Capacity: 80%",
                         "Time to full: estimating\u2026"], "after an event")

        # Its Preferences button, by its mnemonic.
        self.key(window, "alt+p")
        dialog = self.window("Preferences")
        self.check("window id # 0x%x" % window in self.xprop(
            dialog, "WM_TRANSIENT_FOR"), "the window is its parent")
        self.key(dialog, "Escape")
        self.check(self.gone("Preferences"), "Escape closes the preferences")

        self.desk.start_tray()
        icon = self.tray_icon()
        self.wait_gauge(icon, "green", 80, "in the tray that came late")
        self.check(desktop.wait_for(
            lambda: window not in self.windows(cls=self.program_class()),
            PATIENCE), "the window goes when the icon is in the tray")
        self.check(run.alive(), "the program keeps running")


class TrayGoesAway(Scenario):

    probe = True

    def test_window_and_warning_after_the_tray_dies(self):
        run, icon = self.start_monitoring(settings_text(
            use_icon_theme=False, poll_interval=1))
        self.wait_gauge(icon, "yellow", -50, "the icon at the start")
        for tray in self.desk.procs:
            if tray.args[0] == "trayer":
                tray.kill()
                tray.wait()
        killed = time.monotonic()
        shown = desktop.wait_for(
            lambda: self.windows(cls=self.program_class()),
            30.5 + PATIENCE)
        self.check(len(shown) == 1, "the window after the tray checks",
                   shown)
        self.check(time.monotonic() - killed >= 28,
                   "not before the checks are spent",
                   time.monotonic() - killed)
        self.shot("window", shown[0])

        self.battery(cap=9, min=20)
        warned = desktop.wait_for(
            lambda: any("Battery capacity at 9%" in text
                        for text in (run.reports("WINDOW") or [[]])[-1]),
            PATIENCE)
        self.shot("warning", shown[0])
        self.check(warned, "the warning in the window",
                   run.reports("WINDOW")[-1:])

        self.desk.start_tray()
        self.tray_icon()
        self.check(desktop.wait_for(
            lambda: shown[0] not in self.windows(cls=self.program_class()),
            PATIENCE), "a tray started again takes the icon back")


class ClosingTheWindow(Scenario):

    tray = False

    def test_closing_the_window_quits(self):
        run = self.start()
        self.desk.close_window(self.fallback_window())
        status = run.wait(PATIENCE)
        self.check(status == 0, "exit status 0 after the window is closed",
                   "status %s" % status)
        self.check(self.settings_lines() == DEFAULT_SETTINGS,
                   "the settings saved", self.settings_lines())

        # The lock went with the program: the next start runs.
        second = self.start()
        self.wait_devd_client(2)
        self.check(second.wait(1) is None, "a new start keeps running",
                   second.stderr())
