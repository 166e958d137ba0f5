/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Process-wide start-up and ends: the termination signals and the
 * single-instance lock.
 */
#ifndef AMPELWICK_LIFECYCLE_H
#define AMPELWICK_LIFECYCLE_H

#include <QObject>

/*
 * Installs the handler for SIGINT, SIGTERM, SIGQUIT and SIGHUP.  Until a
 * TerminationWatcher is there a signal ends the process at once with
 * status 0, writing nothing.
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

/*
 * While it lives, a termination signal only wakes the event loop, which
 * emits arrived(): the one place where a signal turns into the program's
 * own ending.  Create it once the program is ready to save and quit.
 */
class TerminationWatcher : public QObject {
	Q_OBJECT

public:
	explicit TerminationWatcher(QObject *parent = nullptr);
	~TerminationWatcher() override;

signals:
	void	arrived();
};

#endif
