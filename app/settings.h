/*
 * The program's settings: one global section of the configuration store
 * with seven slots.  Every part of the program reaches a setting by its
 * slot constant; the table below tells the store the names, types and
 * defaults.
 */
#ifndef AMPELWICK_SETTINGS_H
#define AMPELWICK_SETTINGS_H

#include "cfg.h"

constexpr char PROGRAM_NAME[] = "ampelwick";
constexpr char CONFIG_FILE[] = "config";

constexpr int SLOT_AUTOSHUTDOWN = 0;
constexpr int SLOT_SHUTDOWN_CAP = 1;
constexpr int SLOT_SHUTDOWN_CMD = 2;
constexpr int SLOT_SUSPEND_CMD = 3;
constexpr int SLOT_SUSPEND = 4;
constexpr int SLOT_USE_ICON_THEME = 5;
constexpr int SLOT_POLL_INTERVAL = 6;
constexpr int SETTINGS_COUNT = 7;

/*
 * In file order: autoshutdown, suspend, shutdown_cap, shutdown_cmd,
 * suspend_cmd, use_icon_theme, poll_interval.
 */
extern const cfg_vardef settings_table[SETTINGS_COUNT];

/*
 * Where a failed save is reported: in a warning box where someone can
 * answer it, or on standard error where nothing may wait (a termination
 * signal, the automatic action).
 */
enum class SaveReport { Box, StandardError };

/*
 * Writes the settings file.  A failure is reported once, with the store's
 * text; the settings in memory stay in force.  Returns whether the file
 * was written.
 */
bool	save_settings(const cfg_section *settings, SaveReport report);

#endif /* AMPELWICK_SETTINGS_H */
