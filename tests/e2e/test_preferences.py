"""Preferences: opened from the tray, edited with the keyboard, saved to the
settings file and applied at once."""
import desktop
from desktop import settings_text
from harness import DEFAULT_SETTINGS, Scenario

# The dialog opens with the keyboard focus on "Auto suspend/shutdown" (the
# options above it are disabled while it is off); Tab goes on to the poll
# interval, then to "Use theme icons for tray".
TO_POLL_INTERVAL = ["Tab"]
POLL_TO_THEME_ICONS = ["Tab"]


class Preferences(Scenario):

    # Adwaita's battery icons: the tray starts with a theme icon.
    platform_theme = "gnome"

    def open_preferences(self, icon):
        self.click(icon)
        dialog = self.window("Preferences")
        self.shot("preferences", dialog)
        return dialog

    def test_change_save_and_apply(self):
        run, icon = self.start_monitoring(settings_text(
            use_icon_theme=True, poll_interval=5,
            shutdown_cmd="systemctl poweroff",
            suspend_cmd="systemctl suspend"))
        theme = self.gauge(icon)
        self.check(not theme.has_gauge_colours(),
                   "a theme icon in the tray at start", theme)

        # Cancel after editing leaves the file as it was.
        before = self.settings_lines()
        dialog = self.open_preferences(icon)
        self.key(dialog, *TO_POLL_INTERVAL, "ctrl+a", "4", "2",
                 *POLL_TO_THEME_ICONS, "space")
        self.shot("edited-then-cancelled", dialog)
        self.key(dialog, "alt+c")
        self.check(self.gone("Preferences"), "Cancel closes the dialog")
        self.check(self.settings_lines() == before,
                   "Cancel leaves the settings file alone",
                   self.settings_lines())

        # Ok: a poll interval of 7 s and no theme icons.
        dialog = self.open_preferences(icon)
        self.key(dialog, *TO_POLL_INTERVAL, "ctrl+a", "7",
                 *POLL_TO_THEME_ICONS, "space")
        self.shot("edited", dialog)
        self.key(dialog, "alt+o")
        self.check(self.gone("Preferences"), "Ok closes the dialog")
        expected = list(DEFAULT_SETTINGS)
        expected[5] = "use_icon_theme = false"
        expected[6] = "poll_interval = 7"
        self.check(self.settings_lines() == expected,
                   "the settings file holds the new values",
                   self.settings_lines())

        # Applied at once: the gauge replaces the theme icon.
        self.wait_gauge(icon, "yellow", -50, "the gauge after unticking "
                        "theme icons", timeout=2)

        # And back: ticking the box brings the theme icon again.
        dialog = self.open_preferences(icon)
        self.key(dialog, *TO_POLL_INTERVAL, *POLL_TO_THEME_ICONS, "space",
                 "alt+o")
        self.check(self.gone("Preferences"), "Ok closes the dialog")
        self.check("use_icon_theme = true" in self.settings_lines(),
                   "theme icons saved as on", self.settings_lines())
        self.check(desktop.wait_for(
            lambda: not self.gauge(icon).has_gauge_colours(), 2),
            "the theme icon is back", self.gauge(icon))
        self.shot("theme-again", icon)
        self.check(run.alive(), "the program keeps running")
