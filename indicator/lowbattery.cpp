/* SPDX-License-Identifier: BSD-2-Clause */
#include <sys/wait.h>

#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QWidget>

#include "cfg.h"
#include "countdown.h"
#include "lowbattery.h"
#include "msgbox.h"
#include "save.h"

static constexpr int COUNTDOWN_SECONDS = 30;
/* The countdown's result when the charger ended it: no cancellation. */
static constexpr int CHARGER_CAME = QDialog::Accepted + 1;

static bool
crossedWarningLevel(int prev, const batt_status &cur)
{
	const int cap = cur.capacity;
	const int warn = cur.warn_capacity;
	const int low = cur.low_capacity;

	/* A battery that reported 0 % warns at every change below the level. */
	if (prev <= 0 && cap <= warn)
		return true;
	if (prev > warn && cap <= warn)
		return true;
	return prev > low && cap <= low;
}

LowBatteryAction
decideLowBattery(LowBatteryFlags &flags, const LowBatterySettings &settings,
    int prevCapacity, const batt_status &current)
{
	if (current.state != BATT_DISCHARGING) {
		flags.actionCancelled = false;
		flags.actionPending = false;
		return LowBatteryAction::Nothing;
	}
	if (!flags.actionCancelled && settings.autoShutdown &&
	    current.capacity <= settings.shutdownCap && !flags.actionPending) {
		/* A countdown still on screen must not be doubled. */
		if (flags.countdownOpen)
			return LowBatteryAction::Nothing;
		flags.actionPending = true;
		return LowBatteryAction::StartCountdown;
	}
	if (crossedWarningLevel(prevCapacity, current))
		return LowBatteryAction::ShowWarning;
	return LowBatteryAction::Nothing;
}

bool
warningIsCritical(const batt_status &current)
{
	return current.capacity <= current.low_capacity;
}

LowBattery::LowBattery(QWidget *parent)
    : QObject(parent), dialogParent(parent)
{
}

void
LowBattery::applySettings(const Settings &s, int capacity)
{
	settings = s;
	if (capacity > settings.shutdownCap)
		flags.actionCancelled = false;
}

/* The countdown is open while the action is pending, and for its end. */
bool
LowBattery::actionUnderway() const
{
	return flags.actionPending || flags.countdownOpen;
}

void
LowBattery::setChargerCheck(std::function<bool()> check)
{
	chargerCheck = std::move(check);
}

void
LowBattery::checkLowBattery(int prevCapacity, const batt_status &now)
{
	const LowBatterySettings decisionSettings = { settings.autoShutdown,
	    settings.shutdownCap };
	const LowBatteryAction action = decideLowBattery(flags,
	    decisionSettings, prevCapacity, now);
	/* Every change counts: a rise or the charger re-arms a level. */
	const Warning shown = warningFor(warned,
	    action == LowBatteryAction::ShowWarning, now);

	emit underwayChanged();
	/* The charger ends the countdown; the action stays armed. */
	if (countdown != nullptr && chargerIn(now))
		countdown->done(CHARGER_CAME);
	switch (action) {
	case LowBatteryAction::StartCountdown:
		runAutomaticAction();
		break;
	case LowBatteryAction::ShowWarning:
	case LowBatteryAction::Nothing:
		if (shown != Warning::None)
			emit warning(shown, now);
		break;
	}
}

/*
 * No exec(): a dialog opened in the meantime would keep a nested loop from
 * returning past the deadline.  The countdown shows itself, modal, and
 * its end is handled in whichever loop runs then.
 */
void
LowBattery::runAutomaticAction()
{
	Countdown *dialog = new Countdown(settings.suspend, COUNTDOWN_SECONDS,
	    dialogParent);

	countdown = dialog;
	flags.countdownOpen = true;
	emit underwayChanged();
	connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
		dialog->deleteLater();
		countdownFinished(result);
	});
}

void
LowBattery::countdownFinished(int result)
{
	/* Armed again before a box about the command can hold a loop open. */
	flags.countdownOpen = false;
	flags.actionPending = false;
	emit underwayChanged();
	if (result == QDialog::Rejected) {
		flags.actionCancelled = true;
		return;
	}
	/* The charger may have come since the last reading: nothing runs. */
	if (result == CHARGER_CAME || (chargerCheck && chargerCheck()))
		return;
	saveBeforeAction();
	runCommand();
}

/* The command must not wait for anyone: no box, a balloon at most. */
void
LowBattery::saveBeforeAction()
{
	if (save_settings(settings, SaveReport::StandardError))
		return;
	emit balloon(QCoreApplication::translate("BattIndicator", "Warning"),
	    QString::fromUtf8(cfg_errstr()).trimmed(), QSystemTrayIcon::Warning);
}

void
LowBattery::runCommand()
{
	/* Kept: the settings may change under a box below. */
	const std::string line = settings.command();
	const char *command = line.c_str();

	if (!settings.suspend) {
		execl("/bin/sh", "/bin/sh", "-c", command,
		    static_cast<char *>(nullptr));
		gui_err(nullptr, 1, QT_TRANSLATE_NOOP("Messages",
		    "Couldn't execute %s"), command);
	}
	const int r = system(command);
	if (r == 127)
		gui_err(nullptr, 1, QT_TRANSLATE_NOOP("Messages",
		    "Failes to execute shell."));
	if (r == -1)
		gui_err(nullptr, 1, "system(%s)", command);
	if (r == 0)
		return;
	/* Report the command's own exit status, not the raw wait status. */
	int status = r;
	if (WIFEXITED(r))
		status = WEXITSTATUS(r);
	else if (WIFSIGNALED(r))
		status = 128 + WTERMSIG(r);
	gui_warnx(nullptr, QT_TRANSLATE_NOOP("Messages",
	    "Command %s returned an exit status != 0: %d"), command, status);
}
