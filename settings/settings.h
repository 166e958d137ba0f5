/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The program's settings as one typed value, and the one place that
 * reads and writes them through the configuration store.  No Qt: commands
 * are byte strings, kept exactly as the settings file holds them.
 */
#ifndef AMPELWICK_SETTINGS_H
#define AMPELWICK_SETTINGS_H

#include <string>
#include <vector>

constexpr char PROGRAM_NAME[] = "ampelwick";
constexpr char CONFIG_FILE[] = "config";

/*
 * The FreeBSD commands do not exist elsewhere; on other systems the
 * service manager does the same work.
 */
#ifdef __FreeBSD__
constexpr char DEFAULT_SHUTDOWN_CMD[] = "shutdown -p now";
constexpr char DEFAULT_SUSPEND_CMD[] = "sudo acpiconf -s 3";
#else
constexpr char DEFAULT_SHUTDOWN_CMD[] = "systemctl poweroff";
constexpr char DEFAULT_SUSPEND_CMD[] = "systemctl suspend";
#endif

/* The numbers' ranges: what a load takes, and what Preferences offers. */
constexpr int SHUTDOWN_CAP_MIN = 0;
constexpr int SHUTDOWN_CAP_MAX = 100;
constexpr int POLL_INTERVAL_MIN = 1;
constexpr int POLL_INTERVAL_MAX = 3600;

/* A default-made value holds the defaults. */
struct Settings {
	bool		autoShutdown = false;	/* act at shutdownCap on battery */
	bool		suspend = true;		/* the action: suspend, else shut down */
	int		shutdownCap = 5;	/* percent */
	std::string	shutdownCmd = DEFAULT_SHUTDOWN_CMD;	/* shell command lines */
	std::string	suspendCmd = DEFAULT_SUSPEND_CMD;
	bool		useIconTheme = true;	/* theme icons, else the drawn gauge */
	int		pollInterval = 5;	/* seconds */
	/*
	 * A number the file holds out of its range, or no number at all, as
	 * written there ("101", "fast"): the default is in force, and a save
	 * writes the text back as it stands until the setting gets a value.
	 * Empty for a number in its range.
	 */
	std::string	shutdownCapText;
	std::string	pollIntervalText;
	/* Percent; 0: the level the battery reports. */
	int		warnLevel = 0;
	int		criticalLevel = 0;
	/* Notices the user may switch on. */
	bool		notifyFull = false;
	bool		notifyCharger = false;
	/* The percent drawn in the tray's picture. */
	bool		iconDigits = false;

	/* The command line of the chosen action. */
	const std::string &command() const
	{
		return suspend ? suspendCmd : shutdownCmd;
	}

	bool operator==(const Settings &o) const
	{
		return autoShutdown == o.autoShutdown && suspend == o.suspend &&
		    shutdownCap == o.shutdownCap &&
		    shutdownCmd == o.shutdownCmd &&
		    suspendCmd == o.suspendCmd &&
		    useIconTheme == o.useIconTheme &&
		    pollInterval == o.pollInterval &&
		    shutdownCapText == o.shutdownCapText &&
		    pollIntervalText == o.pollIntervalText &&
		    warnLevel == o.warnLevel &&
		    criticalLevel == o.criticalLevel &&
		    notifyFull == o.notifyFull &&
		    notifyCharger == o.notifyCharger &&
		    iconDigits == o.iconDigits;
	}
};

/*
 * Reads the settings file into *settings; without a file, the defaults
 * (the file is first written by a save).  A file that another user could
 * change is not read.  false on any other failure, with the text in
 * settings_errstr().
 */
bool	settings_load(Settings *settings);

/*
 * Writes the settings file.  false on failure, with the text, which names
 * the file, in settings_errstr(); the caller reports it.
 */
[[nodiscard]] bool settings_save(const Settings &settings);

/* What the file holds that a load kept as text, as "key = text", one each. */
std::vector<std::string> settings_kept_texts(const Settings &settings);

/* The text of the last failed load or save, ending in a newline. */
const char *settings_errstr(void);

#endif /* AMPELWICK_SETTINGS_H */
