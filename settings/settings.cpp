/* SPDX-License-Identifier: BSD-2-Clause */
#include <errno.h>

#include "cfg.h"
#include "settings.h"

/* The slots of the settings section; nothing outside this file uses them. */
enum {
	SLOT_AUTOSHUTDOWN,
	SLOT_SHUTDOWN_CAP,
	SLOT_SHUTDOWN_CMD,
	SLOT_SUSPEND_CMD,
	SLOT_SUSPEND,
	SLOT_USE_ICON_THEME,
	SLOT_POLL_INTERVAL,
	SLOT_WARN_LEVEL,
	SLOT_CRITICAL_LEVEL,
	SLOT_NOTIFY_FULL,
	SLOT_NOTIFY_CHARGER,
	SETTINGS_COUNT
};

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

/* The store copies every string it is given; it never writes through one. */
static cfg_value
string_value(const char *s)
{
	cfg_value v{};

	v.str = const_cast<char *>(s);
	return v;
}

/* In file order; the defaults are those of a default-made Settings. */
static const cfg_vardef settings_table[SETTINGS_COUNT] = {
	{ "autoshutdown", CFG_BOOLEAN, SLOT_AUTOSHUTDOWN, boolean_value(false) },
	{ "suspend", CFG_BOOLEAN, SLOT_SUSPEND, boolean_value(true) },
	{ "shutdown_cap", CFG_INTEGER, SLOT_SHUTDOWN_CAP, integer_value(5) },
	{ "shutdown_cmd", CFG_STRING, SLOT_SHUTDOWN_CMD,
	    string_value(DEFAULT_SHUTDOWN_CMD) },
	{ "suspend_cmd", CFG_STRING, SLOT_SUSPEND_CMD,
	    string_value(DEFAULT_SUSPEND_CMD) },
	{ "use_icon_theme", CFG_BOOLEAN, SLOT_USE_ICON_THEME,
	    boolean_value(true) },
	{ "poll_interval", CFG_INTEGER, SLOT_POLL_INTERVAL, integer_value(5) },
	{ "warn_level", CFG_INTEGER, SLOT_WARN_LEVEL, integer_value(0) },
	{ "critical_level", CFG_INTEGER, SLOT_CRITICAL_LEVEL, integer_value(0) },
	{ "notify_full", CFG_BOOLEAN, SLOT_NOTIFY_FULL, boolean_value(false) },
	{ "notify_charger", CFG_BOOLEAN, SLOT_NOTIFY_CHARGER,
	    boolean_value(false) },
};

/* A slot without a string reads as the empty command. */
static std::string
command_of(const cfg_var &var)
{
	return var.val.str != nullptr ? var.val.str : "";
}

bool
settings_load(Settings *settings)
{
	cfg_section *list;

	if ((list = cfg_read(PROGRAM_NAME, CONFIG_FILE, settings_table,
	    SETTINGS_COUNT)) == nullptr) {
		if (errno != ENOENT)
			return false;
		*settings = Settings();
		return true;
	}
	/* A file the program wrote holds the global section alone. */
	const cfg_var *vars = list->vars;
	settings->autoShutdown = vars[SLOT_AUTOSHUTDOWN].val.boolean;
	settings->suspend = vars[SLOT_SUSPEND].val.boolean;
	settings->shutdownCap = vars[SLOT_SHUTDOWN_CAP].val.integer;
	settings->shutdownCmd = command_of(vars[SLOT_SHUTDOWN_CMD]);
	settings->suspendCmd = command_of(vars[SLOT_SUSPEND_CMD]);
	settings->useIconTheme = vars[SLOT_USE_ICON_THEME].val.boolean;
	settings->pollInterval = vars[SLOT_POLL_INTERVAL].val.integer;
	settings->warnLevel = vars[SLOT_WARN_LEVEL].val.integer;
	settings->criticalLevel = vars[SLOT_CRITICAL_LEVEL].val.integer;
	settings->notifyFull = vars[SLOT_NOTIFY_FULL].val.boolean;
	settings->notifyCharger = vars[SLOT_NOTIFY_CHARGER].val.boolean;
	cfg_free(list);
	return true;
}

static bool
fill_section(cfg_section *s, const Settings &settings)
{
	cfg_var *vars = s->vars;

	vars[SLOT_AUTOSHUTDOWN].val.boolean = settings.autoShutdown;
	vars[SLOT_SUSPEND].val.boolean = settings.suspend;
	vars[SLOT_SHUTDOWN_CAP].val.integer = settings.shutdownCap;
	vars[SLOT_USE_ICON_THEME].val.boolean = settings.useIconTheme;
	vars[SLOT_POLL_INTERVAL].val.integer = settings.pollInterval;
	vars[SLOT_WARN_LEVEL].val.integer = settings.warnLevel;
	vars[SLOT_CRITICAL_LEVEL].val.integer = settings.criticalLevel;
	vars[SLOT_NOTIFY_FULL].val.boolean = settings.notifyFull;
	vars[SLOT_NOTIFY_CHARGER].val.boolean = settings.notifyCharger;
	/*
	 * Older releases refuse a file with a name they do not know: a new
	 * setting left at its default is not written (the writer skips a
	 * nameless slot), so their file stays one they read.
	 */
	if (settings.warnLevel == 0)
		vars[SLOT_WARN_LEVEL].name = nullptr;
	if (settings.criticalLevel == 0)
		vars[SLOT_CRITICAL_LEVEL].name = nullptr;
	if (!settings.notifyFull)
		vars[SLOT_NOTIFY_FULL].name = nullptr;
	if (!settings.notifyCharger)
		vars[SLOT_NOTIFY_CHARGER].name = nullptr;
	return cfg_set_value(s, SLOT_SHUTDOWN_CMD,
	    string_value(settings.shutdownCmd.c_str())) == 0 &&
	    cfg_set_value(s, SLOT_SUSPEND_CMD,
	    string_value(settings.suspendCmd.c_str())) == 0;
}

bool
settings_save(const Settings &settings)
{
	cfg_section *s;
	bool saved;

	if ((s = cfg_new(nullptr, settings_table, SETTINGS_COUNT)) == nullptr)
		return false;
	saved = fill_section(s, settings) &&
	    cfg_write(PROGRAM_NAME, CONFIG_FILE, s) == 0;
	cfg_free(s);
	return saved;
}
