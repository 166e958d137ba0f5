/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Saving the settings with a failure reported once, the one way every
 * caller saves.
 */
#ifndef AMPELWICK_SAVE_H
#define AMPELWICK_SAVE_H

#include "settings.h"

/*
 * Where a failed save is reported: in a warning box where someone can
 * answer it, or on standard error where nothing may wait (a termination
 * signal, the automatic action).
 */
enum class SaveReport { Box, StandardError };

/*
 * Writes the settings file.  A failure is reported with the store's text;
 * the settings in memory stay in force.  Returns whether it was written.
 */
bool	save_settings(const Settings &settings, SaveReport report);

#endif /* AMPELWICK_SAVE_H */
