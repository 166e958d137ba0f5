/* SPDX-License-Identifier: BSD-2-Clause */
#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "cfg.h"
#include "settings.h"
#include "trust.h"

/* The text of the last failure when it is not the store's own. */
static char error_text[2048];

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
	SLOT_ICON_DIGITS,
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
	{ "icon_digits", CFG_BOOLEAN, SLOT_ICON_DIGITS, boolean_value(false) },
};

/*
 * The table with the numbers' slots as strings: the reader then hands over
 * a number as the file writes it ("1e9", "fast"), which a load judges by
 * itself, and the writer writes a kept text back as it stands.
 */
static void
numbers_as_text(cfg_vardef *table, const char *cap, const char *poll)
{
	for (int i = 0; i < SETTINGS_COUNT; i++) {
		table[i] = settings_table[i];
		if (table[i].index == SLOT_SHUTDOWN_CAP && cap != nullptr)
			table[i] = { table[i].name, CFG_STRING, table[i].index,
			    string_value(cap) };
		else if (table[i].index == SLOT_POLL_INTERVAL && poll != nullptr)
			table[i] = { table[i].name, CFG_STRING, table[i].index,
			    string_value(poll) };
	}
}

/*
 * A number in its range, as a whole decimal integer: *value, and the text
 * cleared.  Anything else is kept in *text, with the default in force.
 */
static void
take_number(const cfg_var &var, int min, int max, int fallback, int *value,
    std::string *text)
{
	const char *s = var.val.str != nullptr ? var.val.str : "";
	char *end;
	long v;

	errno = 0;
	v = strtol(s, &end, 10);
	if (s[0] != '\0' && !isspace(static_cast<unsigned char>(s[0])) &&
	    *end == '\0' && errno == 0 && v >= min && v <= max) {
		*value = static_cast<int>(v);
		text->clear();
	} else {
		*value = fallback;
		*text = s;
	}
}

/* A slot without a string reads as the empty command. */
static std::string
command_of(const cfg_var &var)
{
	return var.val.str != nullptr ? var.val.str : "";
}

const char *
settings_errstr(void)
{
	return error_text[0] != '\0' ? error_text : cfg_errstr();
}

/* The file holds commands the program runs: only a trusted one is read. */
static bool
trusted(const char *path)
{
	char why[1536];

	if (settings_trusted(path, why, sizeof(why)) == 0)
		return true;
	if (errno == EPERM)
		snprintf(error_text, sizeof(error_text),
		    "%s: Unsafe ownership or permissions\n", why);
	else if (errno != ENOENT)
		snprintf(error_text, sizeof(error_text), "%s\n", why);
	return false;
}

bool
settings_load(Settings *settings)
{
	cfg_section *list = nullptr;
	const char *path;

	error_text[0] = '\0';
	if ((path = cfg_path(PROGRAM_NAME, CONFIG_FILE)) == nullptr)
		return false;
	cfg_vardef table[SETTINGS_COUNT];
	numbers_as_text(table, "5", "5");	/* the defaults, as text */
	if (!trusted(path) || (list = cfg_read(PROGRAM_NAME, CONFIG_FILE,
	    table, SETTINGS_COUNT)) == nullptr) {
		if (errno != ENOENT)
			return false;
		*settings = Settings();
		return true;
	}
	/* A file the program wrote holds the global section alone. */
	const cfg_var *vars = list->vars;
	settings->autoShutdown = vars[SLOT_AUTOSHUTDOWN].val.boolean;
	settings->suspend = vars[SLOT_SUSPEND].val.boolean;
	take_number(vars[SLOT_SHUTDOWN_CAP], SHUTDOWN_CAP_MIN, SHUTDOWN_CAP_MAX,
	    Settings().shutdownCap, &settings->shutdownCap,
	    &settings->shutdownCapText);
	settings->shutdownCmd = command_of(vars[SLOT_SHUTDOWN_CMD]);
	settings->suspendCmd = command_of(vars[SLOT_SUSPEND_CMD]);
	settings->useIconTheme = vars[SLOT_USE_ICON_THEME].val.boolean;
	take_number(vars[SLOT_POLL_INTERVAL], POLL_INTERVAL_MIN,
	    POLL_INTERVAL_MAX, Settings().pollInterval, &settings->pollInterval,
	    &settings->pollIntervalText);
	settings->warnLevel = vars[SLOT_WARN_LEVEL].val.integer;
	settings->criticalLevel = vars[SLOT_CRITICAL_LEVEL].val.integer;
	settings->notifyFull = vars[SLOT_NOTIFY_FULL].val.boolean;
	settings->notifyCharger = vars[SLOT_NOTIFY_CHARGER].val.boolean;
	settings->iconDigits = vars[SLOT_ICON_DIGITS].val.boolean;
	cfg_free(list);
	return true;
}

std::vector<std::string>
settings_kept_texts(const Settings &settings)
{
	std::vector<std::string> kept;

	if (!settings.shutdownCapText.empty())
		kept.push_back("shutdown_cap = " + settings.shutdownCapText);
	if (!settings.pollIntervalText.empty())
		kept.push_back("poll_interval = " + settings.pollIntervalText);
	return kept;
}

static bool
fill_section(cfg_section *s, const Settings &settings)
{
	cfg_var *vars = s->vars;

	vars[SLOT_AUTOSHUTDOWN].val.boolean = settings.autoShutdown;
	vars[SLOT_SUSPEND].val.boolean = settings.suspend;
	/* A kept text stands in its slot already, as the table's default. */
	if (settings.shutdownCapText.empty())
		vars[SLOT_SHUTDOWN_CAP].val.integer = settings.shutdownCap;
	vars[SLOT_USE_ICON_THEME].val.boolean = settings.useIconTheme;
	if (settings.pollIntervalText.empty())
		vars[SLOT_POLL_INTERVAL].val.integer = settings.pollInterval;
	vars[SLOT_WARN_LEVEL].val.integer = settings.warnLevel;
	vars[SLOT_CRITICAL_LEVEL].val.integer = settings.criticalLevel;
	vars[SLOT_NOTIFY_FULL].val.boolean = settings.notifyFull;
	vars[SLOT_NOTIFY_CHARGER].val.boolean = settings.notifyCharger;
	vars[SLOT_ICON_DIGITS].val.boolean = settings.iconDigits;
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
	if (!settings.iconDigits)
		vars[SLOT_ICON_DIGITS].name = nullptr;
	return cfg_set_value(s, SLOT_SHUTDOWN_CMD,
	    string_value(settings.shutdownCmd.c_str())) == 0 &&
	    cfg_set_value(s, SLOT_SUSPEND_CMD,
	    string_value(settings.suspendCmd.c_str())) == 0;
}

bool
settings_save(const Settings &settings)
{
	std::string path;
	const char *text;
	cfg_section *s;
	bool saved;

	error_text[0] = '\0';
	if ((text = cfg_path(PROGRAM_NAME, CONFIG_FILE)) != nullptr)
		path = text;
	cfg_vardef table[SETTINGS_COUNT];
	numbers_as_text(table, settings.shutdownCapText.empty() ? nullptr :
	    settings.shutdownCapText.c_str(), settings.pollIntervalText.empty() ?
	    nullptr : settings.pollIntervalText.c_str());
	if ((s = cfg_new(nullptr, table, SETTINGS_COUNT)) == nullptr)
		return false;
	saved = fill_section(s, settings) &&
	    cfg_write(PROGRAM_NAME, CONFIG_FILE, s) == 0;
	cfg_free(s);
	/* The message names the file, whichever step failed. */
	text = cfg_errstr();
	if (!saved && !path.empty() && strstr(text, path.c_str()) == nullptr)
		snprintf(error_text, sizeof(error_text), "%s: %s", path.c_str(),
		    text);
	return saved;
}
