# SPDX-License-Identifier: BSD-2-Clause
"""devd: battery notifications, a restarting devd, devd away for a while,
devd gone for good."""
import time

import desktop
from desktop import settings_text
from harness import CHARGING, DISCHARGING, PATIENCE, Scenario

# A poll interval far beyond the scenario: only devd can update the icon.
SLOW_POLL = settings_text(use_icon_theme=False, poll_interval=60)
RECONNECTING = "Lost connection to devd. Reconnecting ..."


class Devd(Scenario):

    def test_notification_updates_the_icon_at_once(self):
        run, icon = self.start_monitoring(SLOW_POLL)
        self.wait_gauge(icon, "yellow", -50, "discharging at 50 % at start")
        self.battery(cap=80, min=-1, **CHARGING)
        self.devd.notify()
        self.wait_gauge(icon, "green", 80, "charging after the notification")
        # Other devd lines leave the icon alone.
        self.battery(cap=30, min=60, **DISCHARGING)
        self.devd.line("!system=IFNET subsystem=em0 type=LINK_UP")
        self.devd.line("+acpi_acad0 at unknown")
        self.wait_gauge(icon, "green", 80, "unchanged after other lines",
                        timeout=1)
        self.devd.notify()
        self.wait_gauge(icon, "yellow", -30, "discharging after the next one")
        self.check(run.alive(), "the program keeps running")

    def test_restarting_devd_is_survived(self):
        run, icon = self.start_monitoring(SLOW_POLL)
        self.devd.drop()
        self.wait_devd_client()
        self.battery(cap=90, min=-1, **CHARGING)
        self.devd.notify()
        self.wait_gauge(icon, "green", 90,
                        "a notification after the reconnection")

        # A second restart, this time with devd away for a moment.
        self.devd.stop()
        self.devd.start()
        self.wait_devd_client()
        self.battery(cap=40, min=80, **DISCHARGING)
        self.devd.notify()
        self.wait_gauge(icon, "yellow", -40,
                        "a notification after the second reconnection")
        self.check(run.alive(), "the program keeps running")
        run.signal()
        self.check(run.wait(PATIENCE) == 0, "exit status 0 on SIGTERM",
                   run.status)
        self.check(run.stderr().count(RECONNECTING) == 2,
                   "one notice on standard error per lost connection",
                   run.stderr())

    def test_tray_answers_while_devd_is_away(self):
        # devd away for five seconds, retried once a second as on a laptop.
        self.battery(devd_pause_ms=1000, cap=50, min=100)
        run, icon = self.start_monitoring(
            settings_text(use_icon_theme=False, poll_interval=1))
        self.wait_gauge(icon, "yellow", -50, "discharging at 50 % at start")
        self.devd_away()
        gone = time.monotonic()

        self.click(icon)
        dialog = self.window("Preferences", timeout=5)
        self.key(dialog, "Escape")
        self.check(self.gone("Preferences"), "Escape closes the preferences")
        # The poll goes on meanwhile.
        self.battery(cap=15, min=30)
        self.wait_gauge(icon, "yellow", -15, "the poll while devd is away",
                        timeout=5)

        time.sleep(max(0.0, 5.0 - (time.monotonic() - gone)))
        self.devd.start()
        self.wait_devd_client()
        # Only a notification re-reads the levels: a warning level of 20 %
        # turns the gauge red, which the poll alone never does.
        self.battery(wcap=10000)
        self.devd.notify()
        self.wait_gauge(icon, "red", -15, "a notification after devd is back")
        self.check(run.alive(), "the program keeps running")
        self.check(run.stderr().count(RECONNECTING) == 1,
                   "one notice of the lost connection", run.stderr())

    def test_devd_gone_for_good_ends_the_program(self):
        # 30 attempts 20 ms apart: the program soon gives up.
        run, icon = self.start_monitoring(SLOW_POLL)
        self.devd_away()
        box = self.window("Error")
        self.shot("error-box", box)
        self.check(run.alive(), "the program waits for the box to be closed")
        self.key(box, "Return")
        status = run.wait(PATIENCE)
        self.check(status == 1, "exit status 1 after the box is closed",
                   "status %s" % status)
        self.check(RECONNECTING in run.stderr(),
                   "the notice on standard error", run.stderr())
        self.check(not desktop.wait_for(
            self.tray_icon_window, 0.5),
            "the tray icon is gone")
