# SPDX-License-Identifier: BSD-2-Clause
"""The tray picture: the drawn gauge at scale 1 and 2, and the icon theme's
battery icons."""
import desktop
from desktop import settings_text
from harness import CHARGING, DISCHARGING, PATIENCE, Scenario


class DrawnGauge(Scenario):

    def test_colour_and_fill_follow_the_battery(self):
        self.battery(cap=100, min=-1, **CHARGING)
        run, icon = self.start_monitoring(
            settings_text(use_icon_theme=False, poll_interval=60))
        self.wait_gauge(icon, "green", 100, "charging at 100 %")

        # Each change is announced by devd, which also makes the program
        # read the battery's own warning and low levels.
        self.battery(cap=50, min=120, **DISCHARGING)
        self.devd.notify()
        self.wait_gauge(icon, "yellow", -50, "discharging at 50 %")

        # wcap / lfcap = 5000 / 50000: the warning level is 10 %.
        self.battery(cap=10, min=20)
        self.devd.notify()
        self.wait_gauge(icon, "red", -10, "discharging at the warning level")

        self.battery(cap=11, min=22)
        self.devd.notify()
        self.wait_gauge(icon, "yellow", -11, "discharging just above it")

        # A battery that warns at 20 %: the colour follows its level.
        self.battery(cap=15, min=30, wcap=10000)
        self.devd.notify()
        self.wait_gauge(icon, "red", -15, "below a warning level of 20 %")

        self.battery(cap=15, min=-1, **CHARGING)
        self.devd.notify()
        self.wait_gauge(icon, "green", 15, "charging at 15 %")
        self.check(run.alive(), "the program keeps running")

    def test_the_charge_as_digits(self):
        run, icon = self.start_monitoring(
            settings_text(use_icon_theme=False, poll_interval=60) +
            "icon_digits = true\n")
        self.check(desktop.wait_for(
            lambda: self.gauge(icon).foreground() >= 20, PATIENCE),
            "a picture in the tray")
        self.shot("digits-50", icon)
        before = self.picture(icon)
        self.battery(cap=57, min=120, **DISCHARGING)
        self.devd.notify()
        self.check(desktop.wait_for(lambda: self.picture(icon) != before,
                                    PATIENCE), "the digits follow the charge")
        self.shot("digits-57", icon)
        self.check(run.alive(), "the program keeps running")


class ThemeIcons(Scenario):

    # Qt's GNOME theme names the Adwaita icon theme, which has the
    # battery icons (as symbolic icons).
    platform_theme = "gnome"

    def test_theme_icons_instead_of_the_gauge(self):
        run, icon = self.start_monitoring(
            settings_text(use_icon_theme=True, poll_interval=60))
        self.shot("theme-discharging-50", icon)
        discharging = self.gauge(icon)
        self.check(not discharging.has_gauge_colours(),
                   "no gauge colours in the tray picture", discharging)
        self.check(discharging.foreground() >= 20,
                   "the tray shows a picture", discharging.foreground())

        self.battery(cap=100, min=-1, **CHARGING)
        self.devd.notify()
        before = discharging.rows

        def changed():
            return self.picture(icon) != before
        self.check(desktop.wait_for(changed, PATIENCE),
                   "charging at 100 % shows another theme icon")
        self.shot("theme-charging-100", icon)
        charging = self.gauge(icon)
        self.check(not charging.has_gauge_colours(),
                   "no gauge colours while charging either", charging)
        self.check(charging.foreground() >= 20, "the tray shows a picture",
                   charging.foreground())
        self.check(run.alive(), "the program keeps running")

    def test_without_battery_icons_in_the_theme_the_gauge_is_drawn(self):
        # Qt's generic theme has no icon theme with battery icons.
        self.platform_theme = "generic"
        self.start_monitoring(settings_text(use_icon_theme=True,
                                            poll_interval=60))
        self.wait_gauge(self.tray_icon(), "yellow", -50,
                        "theme icons wanted but missing")


class TwiceTheScale(Scenario):
    """QT_SCALE_FACTOR=2: the gauge painted at twice the pixels (its fill
    steps by half rows, which no scaled copy of the small one can), the
    dialogs twice the size; screenshots of both scales are kept."""

    # Room for the gauge at twice the pixels, and for the dialog.
    tray_height = 64
    screen = (1280, 800)

    def run_at(self, scale):
        """The gauge in the tray and the preferences' size at a scale."""
        run, icon = self.start_monitoring(
            settings_text(use_icon_theme=False, poll_interval=60),
            {"QT_SCALE_FACTOR": str(scale)})
        self.wait_gauge(icon, "yellow", -50, "at scale %d" % scale,
                        scale=scale)
        self.shot("tray-at-scale-%d" % scale)
        self.click(icon)
        dialog = self.window("Preferences")
        size = self.desk.geometry(dialog)[2:]
        self.shot("preferences-at-scale-%d" % scale, dialog)
        run.signal()
        self.check(run.wait(PATIENCE) == 0, "the program ends on SIGTERM",
                   run.status)
        return size

    def test_gauge_and_preferences_at_twice_the_scale(self):
        small = self.run_at(1)
        large = self.run_at(2)
        self.check(large[0] >= 2 * small[0] - 4 and
                   large[1] >= 2 * small[1] - 4,
                   "the preferences twice the size at scale 2",
                   "%s at scale 1, %s at scale 2" % (small, large))
