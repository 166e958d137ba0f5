#include <err.h>
#include <string.h>

#include "msgbox.h"
#include "settings.h"

/*
 * The FreeBSD commands do not exist elsewhere; on other systems the
 * service manager does the same work.
 */
#ifdef __FreeBSD__
static char default_shutdown_cmd[] = "shutdown -p now";
static char default_suspend_cmd[] = "sudo acpiconf -s 3";
#else
static char default_shutdown_cmd[] = "systemctl poweroff";
static char default_suspend_cmd[] = "systemctl suspend";
#endif

/* cfg_value is a union; C++17 has no designated initializers for it. */
static cfg_value
boolean_value(bool b)
{
	cfg_value v{};

	v.boolean = b;
	return v;
}

static cfg_value
integer_value(int32_t i)
{
	cfg_value v{};

	v.integer = i;
	return v;
}

static cfg_value
string_value(char *s)
{
	cfg_value v{};

	v.str = s;
	return v;
}

/* The store copies every default string; it never writes through them. */
const cfg_vardef settings_table[SETTINGS_COUNT] = {
	{ "autoshutdown", CFG_BOOLEAN, SLOT_AUTOSHUTDOWN, boolean_value(false) },
	{ "suspend", CFG_BOOLEAN, SLOT_SUSPEND, boolean_value(true) },
	{ "shutdown_cap", CFG_INTEGER, SLOT_SHUTDOWN_CAP, integer_value(5) },
	{ "shutdown_cmd", CFG_STRING, SLOT_SHUTDOWN_CMD,
	    string_value(default_shutdown_cmd) },
	{ "suspend_cmd", CFG_STRING, SLOT_SUSPEND_CMD,
	    string_value(default_suspend_cmd) },
	{ "use_icon_theme", CFG_BOOLEAN, SLOT_USE_ICON_THEME,
	    boolean_value(true) },
	{ "poll_interval", CFG_INTEGER, SLOT_POLL_INTERVAL, integer_value(5) },
};

bool
save_settings(const cfg_section *settings, SaveReport report)
{
	if (cfg_write(PROGRAM_NAME, CONFIG_FILE, settings) == 0)
		return true;
	const char *text = cfg_errstr();
	if (report == SaveReport::Box) {
		gui_warnx(nullptr, "%s", text);
		return false;
	}
	/* The store's text ends its line already. */
	warnx("%.*s", static_cast<int>(strcspn(text, "\n")), text);
	return false;
}
