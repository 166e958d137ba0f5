"""Translations: the installed program started in German speaks German.

The staged program looks for its catalogues where a real install puts them,
in the install prefix's share directory.  A private mount namespace shows
it the stage's share directory there, so the machine's own stays untouched.
"""
import os
import shutil

import harness
from desktop import settings_text
from harness import Scenario

STAGE_MARK = os.sep + "stage" + os.sep


def share_dirs():
    """(the stage's share directory, where the program looks for it)."""
    prefix = os.path.dirname(os.path.dirname(harness.BINARY))
    staged = os.path.join(prefix, "share")
    cut = staged.find(STAGE_MARK)
    if cut < 0:
        return None, None
    return staged, staged[cut + len(STAGE_MARK) - 1:]


class German(Scenario):

    def setUp(self):
        self.staged, self.real = share_dirs()
        if os.getuid() != 0 or shutil.which("unshare") is None:
            self.skipTest("needs root and unshare for a private mount")
        if self.staged is None or not os.path.isdir(self.real):
            self.skipTest("no staged share directory to show the program")
        super().setUp()

    def command(self):
        return ["unshare", "--mount", "--propagation", "private", "sh", "-c",
                'mount --bind "$1" "$2" && exec "$3"', "sh",
                self.staged, self.real, harness.BINARY]

    def test_preferences_in_german(self):
        german = {"LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8"}
        _, icon = self.start_monitoring(settings_text(use_icon_theme=False),
                                        env=german)
        self.click(icon)
        dialog = self.window("Einstellungen")
        self.shot("einstellungen", dialog)
        self.check(dialog is not None,
                   'the preferences window titled "Einstellungen"',
                   self.describe_windows())
