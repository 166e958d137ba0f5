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

class QTimer;

class Notifier : public QObject {
	Q_OBJECT

public:
	explicit Notifier(QObject *parent);

	void	warn(Warning warning, const batt_status &now);
	/* The notices the user switched on. */
	void	setNotices(bool full, bool charger);
	/* A change of the reading: the notices it brings. */
	void	readingChanged(const batt_status &previous,
		    const batt_status &now);

signals:
	/* No server answered: the tray's balloon, as without one. */
	void	balloon(const QString &title, const QString &message,
		    QSystemTrayIcon::MessageIcon icon);

private:
	void	notify(Warning warning, const batt_status &now);
	void	showBalloon(const batt_status &now);
	void	notice(const QString &summary, const batt_status &now);
	void	chargerSettled();

	/* The server's id of the notification on screen; 0: none. */
	uint	shownId = 0;
	/*
	 * One call at a time, for the id of its answer: what comes
	 * meanwhile waits, the latest in place of the one before.
	 */
	bool	asking = false;
	std::optional<std::pair<Warning, batt_status>> waiting;

	bool	 noticeFull = false;
	bool	 noticeCharger = false;
	bool	 fullShown = false;
	/* The charger's state last announced (1 in, 0 out), -1: none. */
	int	 chargerAnnounced = -1;
	batt_status chargerReading = {};	/* the latest while settling */
	/* Plug events closer than this make one notice. */
	QTimer	*chargerSettle;
	/* The notices' own notification, apart from the warning's. */
	uint	 noticeId = 0;
};

#endif
