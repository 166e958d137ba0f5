# SPDX-License-Identifier: BSD-2-Clause
"""Termination signals and Quit: the settings are written and the program
exits 0; a save that fails is reported."""
import os
import signal

import desktop

from desktop import settings_text
from harness import DEFAULT_SETTINGS, PATIENCE, Scenario


class Signals(Scenario):

    def test_sigterm_writes_the_settings_and_exits_0(self):
        self.check(not os.path.exists(self.home.config_path),
                   "no settings file before the run")
        run, icon = self.start_monitoring()
        self.check(self.settings_lines() is None,
                   "nothing written at start-up", self.settings_lines())
        run.signal(signal.SIGTERM)
        status = run.wait(PATIENCE)
        self.check(status == 0, "exit status 0", "status %s" % status)
        self.check(self.settings_lines() == DEFAULT_SETTINGS,
                   "the seven settings written", self.settings_lines())

    def test_every_termination_signal_saves(self):
        for signo in (signal.SIGINT, signal.SIGQUIT, signal.SIGHUP):
            with self.subTest(signal=signo.name):
                settings = settings_text(poll_interval=9, shutdown_cap=7)
                run, icon = self.start_monitoring(settings)
                os.unlink(self.home.config_path)
                run.signal(signo)
                status = run.wait(PATIENCE)
                self.check(status == 0, "exit status 0 on %s" % signo.name,
                           "status %s" % status)
                lines = self.settings_lines()
                self.check(lines is not None and len(lines) == 7
                           and "poll_interval = 9" in lines
                           and "shutdown_cap = 7" in lines,
                           "the loaded settings written on %s" % signo.name,
                           lines)

    def test_quit_with_a_failed_save_reports_it_and_quits(self):
        run, icon = self.start_monitoring()
        # Even root cannot put the file where a directory stands.
        os.makedirs(self.home.config_path)
        self.click(icon, button=3)
        # The menu is the program's one window beside the icon: Qt 5 types
        # it a popup menu, Qt 6.4 leaves it of the normal type.
        menu = desktop.wait_for(lambda: [
            w for w in self.windows(cls="ampelwick-sim") if w != icon],
            PATIENCE)
        self.check(menu, "the tray menu opens")
        self.shot("menu", menu[0])
        self.desk.xdotool("key", "q")
        box = self.window("Warning")
        self.shot("not-saved", box)
        self.check(run.alive(), "the program waits for the box to be closed")
        self.key(box, "Return")
        status = run.wait(PATIENCE)
        self.check(status == 0, "exit status 0 after the box is closed",
                   "status %s" % status)
