/* SPDX-License-Identifier: BSD-2-Clause */
#include <errno.h>
#include <stdio.h>
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
};

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
	if (!trusted(path) || (list = cfg_read(PROGRAM_NAME, CONFIG_FILE,
	    settings_table, SETTINGS_COUNT)) == nullptr) {
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
	if ((s = cfg_new(nullptr, settings_table, SETTINGS_COUNT)) == nullptr)
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
