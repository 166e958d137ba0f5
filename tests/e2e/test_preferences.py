# SPDX-License-Identifier: BSD-2-Clause
"""Preferences: opened from the tray, edited with the keyboard, saved to the
settings file and applied at once; what the user sees comes back after a
restart."""
import json
import os
import shutil
import signal
import subprocess

import desktop
from desktop import settings_text
from harness import DEFAULT_SETTINGS, PATIENCE, Scenario

# The dialog opens with the keyboard focus on "Auto suspend/shutdown" (the
# options above it are disabled while it is off); Tab goes on to the poll
# interval, the warning and the critical level, then to "Use theme icons
# for tray".
TO_POLL_INTERVAL = ["Tab"]
POLL_TO_THEME_ICONS = ["Tab", "Tab", "Tab"]
# With the options on, the focus starts on "Suspend"; Tab goes on to the
# capacity, then to the suspend command.
TO_SUSPEND_COMMAND = ["Tab", "Tab"]


class Preferences(Scenario):

    # Adwaita's battery icons: the tray starts with a theme icon.
    platform_theme = "gnome"

    def open_preferences(self, icon):
        self.click(icon)
        dialog = self.window("Preferences")
        self.shot("preferences", dialog)
        return dialog

    def steady_picture(self, wid):
        """The window's picture once two in a row agree (it is painted)."""
        last = [None]

        def settled():
            now = self.picture(wid)
            same, last[0] = now == last[0], now
            return same
        desktop.wait_for(settled, PATIENCE, interval=0.2)
        return last[0]

    def paste(self, wid, text):
        """Copies text as another program would and pastes it over the
        focused field."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"],
                       input=text.encode(), env=self.desk.env(), check=True)
        self.key(wid, "ctrl+a", "ctrl+v")

    def restarts_as_seen(self, run, icon):
        """The preferences look the same before and after a restart."""
        dialog = self.open_preferences(icon)
        before = self.steady_picture(dialog)
        self.key(dialog, "Escape")
        self.check(self.gone("Preferences"), "Escape closes the dialog")
        run.signal(signal.SIGTERM)
        self.check(run.wait(PATIENCE) == 0, "exit status 0 on SIGTERM",
                   run.status)
        run, icon = self.start_monitoring()
        dialog = self.open_preferences(icon)
        after = self.steady_picture(dialog)
        self.shot("after-restart", dialog)
        self.check(after == before,
                   "after a restart the preferences show what they showed")
        self.key(dialog, "Escape")
        return run

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
                        "theme icons")

        # And back: ticking the box brings the theme icon again.
        dialog = self.open_preferences(icon)
        self.key(dialog, *TO_POLL_INTERVAL, *POLL_TO_THEME_ICONS, "space",
                 "alt+o")
        self.check(self.gone("Preferences"), "Ok closes the dialog")
        self.check("use_icon_theme = true" in self.settings_lines(),
                   "theme icons saved as on", self.settings_lines())
        self.check(desktop.wait_for(
            lambda: not self.gauge(icon).has_gauge_colours(), PATIENCE),
            "the theme icon is back", self.gauge(icon))
        self.shot("theme-again", icon)
        self.check(run.alive(), "the program keeps running")

    def test_pasted_commands_round_trip(self):
        if shutil.which("xclip") is None:
            self.skipTest("needs xclip to copy as another program would")
        run, icon = self.start_monitoring(settings_text(autoshutdown=True))

        # Copied with its line end: the line end is dropped.
        dialog = self.open_preferences(icon)
        self.key(dialog, *TO_SUSPEND_COMMAND)
        self.paste(dialog, "systemctl suspend -i\n")
        self.shot("pasted", dialog)
        self.key(dialog, "alt+o")
        self.check(self.gone("Preferences"), "Ok closes the dialog")
        self.check('suspend_cmd = "systemctl suspend -i"'
                   in self.settings_lines(),
                   "the command saved without its line end",
                   self.settings_lines())

        # Two lines: refused with a message, the dialog stays to mend it.
        before = self.settings_lines()
        dialog = self.open_preferences(icon)
        self.key(dialog, *TO_SUSPEND_COMMAND)
        self.paste(dialog, "xlock\nsystemctl suspend\n")
        self.key(dialog, "alt+o")
        box = self.window("Warning")
        self.shot("two-lines-refused", box)
        self.key(box, "Return")
        self.check(self.gone("Warning"), "the message closes")
        self.check(self.windows(name="^Preferences$"),
                   "the preferences stay open")
        self.check(self.settings_lines() == before, "nothing saved",
                   self.settings_lines())
        self.key(dialog, "ctrl+a")
        self.desk.xdotool("type", "--delay", "30", "xlock; systemctl suspend")
        self.key(dialog, "alt+o")
        self.check(self.gone("Preferences"), "Ok closes the dialog")
        self.check('suspend_cmd = "xlock; systemctl suspend"'
                   in self.settings_lines(),
                   "the mended command saved", self.settings_lines())

        run = self.restarts_as_seen(run, icon)
        self.check(run.alive(), "the program runs after the restart")

    def test_command_not_in_utf8_round_trip(self):
        line = b'suspend_cmd = "/home/j\xf6rg/bin/suspend"'
        text = settings_text().encode().replace(
            b'suspend_cmd = "systemctl suspend"', line)
        os.makedirs(os.path.dirname(self.home.config_path), 0o700)
        with open(self.home.config_path, "wb") as f:
            f.write(text)
        run, icon = self.start_monitoring()

        def saved():
            with open(self.home.config_path, "rb") as f:
                return f.read()
        dialog = self.open_preferences(icon)
        self.key(dialog, "alt+o")
        self.check(self.gone("Preferences"), "Ok closes the dialog")
        self.check(line in saved().splitlines(),
                   "Ok keeps the command byte for byte", saved())

        run = self.restarts_as_seen(run, icon)
        self.check(run.alive(), "the program runs after the restart")
        self.check(line in saved().splitlines(),
                   "the command still byte for byte", saved())


class TilingWindowManager(Scenario):
    """i3, which tiles what it does not take for a dialog."""

    def i3(self, *args):
        return subprocess.run(["i3-msg"] + list(args), env=self.desk.env(),
                              capture_output=True, text=True).stdout

    def preferences(self, key="floating"):
        """Whether each Preferences in i3's tree floats, or has the key."""
        found = []

        def walk(node, floating):
            if node.get("name") == "Preferences" and node.get("window"):
                found.append(floating if key == "floating" else
                             node.get(key))
            for child in node.get("nodes", []):
                walk(child, floating)
            for child in node.get("floating_nodes", []):
                walk(child, True)
        out = self.i3("-t", "get_tree")
        if out:
            walk(json.loads(out), False)
        return found

    def test_floating_preferences(self):
        if shutil.which("i3") is None:
            self.skipTest("no i3")
        config = os.path.join(self.dir, "i3.config")
        with open(config, "w") as f:
            f.write("# i3 config file (v4)\nfont pango:DejaVu Sans 8\n")
        with open(os.path.join(self.dir, "i3.log"), "w") as log:
            i3 = subprocess.Popen(["i3", "-c", config], env=self.desk.env(),
                                  stdout=log, stderr=subprocess.STDOUT)
        self.addCleanup(i3.wait)
        self.addCleanup(i3.terminate)
        self.check(desktop.wait_for(lambda: self.i3("-t", "get_version"),
                                    PATIENCE), "i3 answers")
        run = self.start()
        # i3 places the dock: the icon is the program's small window.
        icon = desktop.wait_for(lambda: [
            w for w, _, geometry, _ in self.program_windows()
            if geometry[2] is not None and geometry[2] <= 64], PATIENCE)
        self.check(icon, "the icon in the tray")
        icon = icon[0]
        self.click(icon)
        self.window("Preferences")
        self.check(desktop.wait_for(self.preferences, PATIENCE) ==
                   [True], "Preferences floats",
                   self.preferences())
        # A click from another workspace marks it urgent.
        self.i3("workspace", "2")
        self.click(icon)
        self.check(desktop.wait_for(lambda: self.preferences("urgent") ==
                                    [True], PATIENCE, interval=0.5),
                   "Preferences urgent", self.preferences("urgent"))
        self.check(run.alive(), "the program keeps running")
