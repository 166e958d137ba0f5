/* SPDX-License-Identifier: BSD-2-Clause */
#include <err.h>
#include <string.h>

#include "msgbox.h"
#include "save.h"

bool
save_settings(const Settings &settings, SaveReport report)
{
	if (settings_save(settings))
		return true;
	const char *text = settings_errstr();
	if (report == SaveReport::Box) {
		gui_warnx(nullptr, "%s", text);
		return false;
	}
	/* The store's text ends its line already. */
	warnx("%.*s", static_cast<int>(strcspn(text, "\n")), text);
	return false;
}
