/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The low-battery action: what a change of the battery status means for
 * the user while the machine runs on battery (nothing, a balloon, or the
 * countdown before the automatic suspend or shutdown) and carrying it out.
 * The decision is a plain function, so that every row of its state table
 * can be tested without a desktop.
 */
#ifndef AMPELWICK_LOWBATTERY_H
#define AMPELWICK_LOWBATTERY_H

#include <functional>
#include <string>

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include "battery.h"
#include "levels.h"
#include "settings.h"

class Countdown;

struct LowBatteryFlags {
	bool	actionPending;		/* countdown started and not finished */
	bool	countdownOpen;		/* countdown dialog being run */
	bool	actionCancelled;	/* user cancelled; no countdown until re-armed */
};

struct LowBatterySettings {
	bool	autoShutdown;
	int	shutdownCap;
};

enum class LowBatteryAction {
	Nothing,
	ShowWarning,		/* one balloon, however many levels were crossed */
	StartCountdown		/* actionPending has been set */
};

/*
 * Decides for a change from the previous recorded capacity to the current
 * status and updates the flags the way the decision implies.
 */
LowBatteryAction	decideLowBattery(LowBatteryFlags &flags,
			    const LowBatterySettings &settings, int prevCapacity,
			    const batt_status &current);

/* Balloon icon: critical at or below the battery's low level. */
bool			warningIsCritical(const batt_status &current);

/*
 * Carries the decision out: warnings go out as a signal, once per fall, the
 * countdown is shown over the given widget, the command runs at its end.
 */
class LowBattery : public QObject {
	Q_OBJECT

public:
	explicit LowBattery(QWidget *parent);

	/* New settings; a capacity above their cap ends a cancellation. */
	void	applySettings(const Settings &settings, int capacity);
	/* A change from the previous recorded capacity to now. */
	void	checkLowBattery(int prevCapacity, const batt_status &now);
	/* The action is pending or its countdown open: no preferences now. */
	bool	actionUnderway() const;
	/* Reads the battery anew; true when the charger is in. */
	void	setChargerCheck(std::function<bool()> check);

signals:
	/* A warning to show, replace or withdraw, once per fall. */
	void	warning(Warning warning, const batt_status &now);
	void	balloon(const QString &title, const QString &message,
		    QSystemTrayIcon::MessageIcon icon);
	void	underwayChanged();

private:
	void	runAutomaticAction();
	void	countdownFinished(int result);
	void	saveBeforeAction();
	void	runCommand();
	void	commandFinished(const std::string &line, int status);

	LowBatteryFlags	 flags = {};
	WarningMemory	 warned;
	Settings	 settings;
	QWidget		*dialogParent;
	QPointer<Countdown> countdown;
	std::function<bool()> chargerCheck;
};

#endif
