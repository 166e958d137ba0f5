/*
 * Process-wide start-up and ends: the termination signals, the
 * single-instance lock and save-and-quit.
 */
#ifndef AMPELWICK_LIFECYCLE_H
#define AMPELWICK_LIFECYCLE_H

#include <QObject>

#include "cfg.h"
#include "settings.h"

/*
 * Installs the handler for SIGINT, SIGTERM, SIGQUIT and SIGHUP.  Until the
 * settings are loaded a signal ends the process at once with status 0;
 * afterwards the handler only wakes the event loop, which saves the
 * settings and exits with status 0.
 */
void	install_termination_signals();

/*
 * Takes the exclusive lock ~/.ampelwick.lock (home from the password
 * database), a regular file held through a close-on-exec descriptor.
 * Exits with status 0 when another instance holds it; any other failure,
 * a lock path that is not a regular file among them, ends the process
 * through an error box with status 1.
 */
void	take_instance_lock();

/* The loaded settings; from now on a termination signal saves them. */
void	set_loaded_settings(cfg_section *settings);

/*
 * Writes the settings and exits with status 0; a failed save is reported
 * the way report says before the exit.
 */
[[noreturn]] void save_and_quit(const cfg_section *settings,
		    SaveReport report);

/*
 * Watches the signal handler's pipe from the event loop; the one place
 * where a termination signal turns into save-and-quit.  Create it once the
 * application object exists.
 */
class TerminationWatcher : public QObject {
	Q_OBJECT

public:
	explicit TerminationWatcher(QObject *parent = nullptr);

private slots:
	void	signalArrived();
};

#endif
