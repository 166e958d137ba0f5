"""No system tray: after about 30.5 seconds the program shows an empty
window of its own instead."""
import time

import desktop
from harness import PATIENCE, PROGRAM_CLASS, Scenario


class NoTray(Scenario):

    tray = False

    def test_empty_window_after_the_tray_checks(self):
        run = self.start()
        # The tray check starts when the program has built its indicator,
        # right after it connected to devd.
        self.wait_devd_client()
        started = time.monotonic()

        # Timers never come early; the margin covers how late this test
        # may have seen the connection.
        time.sleep(max(0.0, started + 28.0 - time.monotonic()))
        early = self.windows(cls=PROGRAM_CLASS)
        self.shot("at-28s")
        self.check(early == [], "no window of the program at 28 s",
                   early)

        shown = desktop.wait_for(
            lambda: self.windows(cls=PROGRAM_CLASS),
            max(0.0, started + 30.5 + PATIENCE - time.monotonic()))
        self.check(shown, "the program's window after the tray checks")
        self.check(len(shown) == 1, "one window", shown)
        self.shot("window", shown[0])
        self.check(self.window_class(shown[0]) == [PROGRAM_CLASS] * 2,
                   "the window has the program's class",
                   self.window_class(shown[0]))
        picture = self.picture(shown[0])
        colours = {p for row in picture for p in row}
        self.check(len(colours) == 1, "an empty window (one colour)",
                   "%d colours" % len(colours))
        self.check(run.alive(), "the program keeps running")
