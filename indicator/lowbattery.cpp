/* SPDX-License-Identifier: BSD-2-Clause */
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QWidget>

#include "cfg.h"
#include "countdown.h"
#include "lowbattery.h"
#include "msgbox.h"
#include "save.h"

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
	Countdown *dialog = new Countdown(settings.suspend,
	    Countdown::ACTION_SECONDS, dialogParent);

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
	flags.countdownOpen = false;
	if (result == QDialog::Rejected) {
		flags.actionPending = false;
		flags.actionCancelled = true;
		emit underwayChanged();
		return;
	}
	/* The charger may have come since the last reading: nothing runs. */
	if (result == CHARGER_CAME || (chargerCheck && chargerCheck())) {
		flags.actionPending = false;
		emit underwayChanged();
		return;
	}
	/* Pending until the command is done: it must not run twice at once. */
	emit underwayChanged();
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
	    QString::fromUtf8(settings_errstr()).trimmed(), QSystemTrayIcon::Warning);
}

void
LowBattery::runCommand()
{
	/* Kept: the settings may change while the command runs. */
	const std::string line = settings.command();

	if (!settings.suspend) {
		execl("/bin/sh", "/bin/sh", "-c", line.c_str(),
		    static_cast<char *>(nullptr));
		gui_err(nullptr, 1, QT_TRANSLATE_NOOP("Messages",
		    "Couldn't execute %s"), line.c_str());
	}
	/*
	 * Not waited for: a command that takes its time (sudo asking for a
	 * password) must leave the battery, the tray and the termination
	 * signals served meanwhile.
	 */
	QProcess *process = new QProcess(this);
	process->setProgram(QStringLiteral("/bin/sh"));
	process->setArguments({ QStringLiteral("-c"),
	    QString::fromStdString(line) });
	process->setProcessChannelMode(QProcess::ForwardedChannels);
	process->setInputChannelMode(QProcess::ForwardedInputChannel);
	connect(process, &QProcess::errorOccurred, this,
	    [](QProcess::ProcessError error) {
		if (error == QProcess::FailedToStart)
			gui_errx(nullptr, 1, QT_TRANSLATE_NOOP("Messages",
			    "Failes to execute shell."));
	});
	connect(process, &QProcess::finished, this,
	    [this, process, line](int code, QProcess::ExitStatus how) {
		process->deleteLater();
		/* The status as a shell reports it: 128 + signal if killed. */
		commandFinished(line, how == QProcess::CrashExit ?
		    128 + code : code);
	});
	process->start();
}

void
LowBattery::commandFinished(const std::string &line, int status)
{
	/*
	 * Armed again before the box can hold a loop open, unless a newer
	 * countdown (after the charger came and went) holds the flag now.
	 */
	if (!flags.countdownOpen)
		flags.actionPending = false;
	emit underwayChanged();
	if (status != 0)
		gui_warnx(nullptr, QT_TRANSLATE_NOOP("Messages",
		    "Command %s returned an exit status != 0: %d"),
		    line.c_str(), status);
}
