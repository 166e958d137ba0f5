/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The low-battery warning on screen: a notification of the desktop's
 * notification server (org.freedesktop.Notifications on the session bus)
 * where there is one, whatever the tray, else the tray's balloon.  One
 * notification, replaced in place as the charge falls and closed when the
 * charger comes.
 */
#ifndef AMPELWICK_NOTIFIER_H
#define AMPELWICK_NOTIFIER_H

#include <optional>

#include <QObject>
#include <QSystemTrayIcon>

#include "battery.h"
#include "levels.h"

class Notifier : public QObject {
	Q_OBJECT

public:
	explicit Notifier(QObject *parent);

	void	warn(Warning warning, const batt_status &now);

signals:
	/* No server answered: the tray's balloon, as without one. */
	void	balloon(const QString &title, const QString &message,
		    QSystemTrayIcon::MessageIcon icon);

private:
	void	notify(Warning warning, const batt_status &now);
	void	showBalloon(const batt_status &now);

	/* The server's id of the notification on screen; 0: none. */
	uint	shownId = 0;
	/*
	 * One call at a time, for the id of its answer: what comes
	 * meanwhile waits, the latest in place of the one before.
	 */
	bool	asking = false;
	std::optional<std::pair<Warning, batt_status>> waiting;
};

#endif
