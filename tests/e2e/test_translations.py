# SPDX-License-Identifier: BSD-2-Clause
"""Translations: the installed program started in German speaks German.

The stage is an install moved away from its prefix (DESTDIR); the program
finds its catalogues from its own place all the same.
"""
from desktop import settings_text
from harness import Scenario


class German(Scenario):

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
