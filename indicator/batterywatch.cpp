/* SPDX-License-Identifier: BSD-2-Clause */
#include <err.h>
#include <limits.h>

#include <QTimer>

#include "batterywatch.h"
#include "msgbox.h"

BatteryWatch::BatteryWatch(QObject *parent)
    : QObject(parent)
{
	source = new batt_source;
	ampelwick_clear(source);
	pollTimer = new QTimer(this);
	/*
	 * To the second is close enough for a poll of seconds, and it lets
	 * the system gather the program's wake-ups with others.
	 */
	pollTimer->setTimerType(Qt::VeryCoarseTimer);
	reconnectTimer = new QTimer(this);
	lastStatus.capacity = -1;

	switch (ampelwick_init(source)) {
	case -1:
		gui_err(nullptr, 1, "ampelwick_init(): %s",
		    ampelwick_error(source));
	case 0:
		errx(1, "No battery slot installed.");
	}
	/* The battery's own levels from the start, not from the first event. */
	if (present())
		readLevels();
	watchDevd();
	connect(pollTimer, &QTimer::timeout, this, &BatteryWatch::pollACPI);
	connect(reconnectTimer, &QTimer::timeout, this,
	    &BatteryWatch::reconnectDevd);
}

BatteryWatch::~BatteryWatch()
{
	/* The notifier goes before the descriptor it watches. */
	delete devdNotifier;
	ampelwick_release(source);
	delete source;
}

bool
BatteryWatch::present() const
{
	return ampelwick_present(source);
}

const batt_status &
BatteryWatch::status() const
{
	return source->status;
}

QList<batt_unit>
BatteryWatch::units() const
{
	QList<batt_unit> units;

	for (int i = 0; i < ampelwick_unit_count(source); i++)
		units.append(*ampelwick_unit(source, i));
	return units;
}

QList<batt_details>
BatteryWatch::details()
{
	batt_details d[BATT_MAX_UNITS];
	const int n = ampelwick_details(source, d, BATT_MAX_UNITS);

	return QList<batt_details>(d, d + n);
}

int
BatteryWatch::pollIntervalMs(int seconds)
{
	/* A hand-edited 0 would make the timer spin and drain the battery. */
	if (seconds < 1)
		seconds = 1;
	if (seconds > INT_MAX / 1000)
		seconds = INT_MAX / 1000;
	return seconds * 1000;
}

void
BatteryWatch::setPollInterval(int seconds)
{
	pollInterval = seconds;
	pollTimer->start(pollIntervalMs(pollInterval));
}

void
BatteryWatch::pollACPI()
{
	if (!ampelwick_present(source))
		return;
	if (ampelwick_poll(source) == -1)
		gui_errx(nullptr, 1, "ampelwick_poll(): %s",
		    ampelwick_error(source));
	takeReading();
}

/*
 * Every reading, from the poll or after a devd notification, meets the
 * same comparison with the recorded one, so a change is announced once, by
 * whichever path saw it first.
 */
void
BatteryWatch::takeReading()
{
	const batt_status previous = lastStatus;
	const batt_status &now = source->status;

	lastStatus = now;
	emit readingTaken();
	/*
	 * The picture drawn at the start may rest on a guess (the power state
	 * before it settles) or be overtaken since: the first reading
	 * corrects it, but is no change to warn about.
	 */
	if (previous.capacity == -1) {
		emit firstReading();
		return;
	}
	if (now.capacity == previous.capacity &&
	    now.time_left == previous.time_left && now.state == previous.state)
		return;
	emit changed(previous);
}

void
BatteryWatch::watchDevd()
{
	devdNotifier = new QSocketNotifier(source->devd_fd,
	    QSocketNotifier::Read, this);
	connect(devdNotifier, &QSocketNotifier::activated, this,
	    &BatteryWatch::catchActivated);
}

void
BatteryWatch::catchActivated(QSocketDescriptor)
{
	switch (read_devd_event(source)) {
	case -1:
		/* The descriptor is gone: a live notifier would fire without end. */
		devdNotifier->setEnabled(false);
		gui_errx(nullptr, 1, "%s", ampelwick_error(source));
	case 0:
		if (ampelwick_reconnecting(source))
			devdLost();
		return;
	default:
		reloadStatus();
	}
}

/* devd went away: watch nothing, try again once a second meanwhile. */
void
BatteryWatch::devdLost()
{
	devdNotifier->setEnabled(false);
	devdNotifier->deleteLater();
	devdNotifier = nullptr;
	reconnectTimer->start(ampelwick_reconnect_interval());
}

void
BatteryWatch::reconnectDevd()
{
	switch (ampelwick_reconnect(source)) {
	case -1:
		reconnectTimer->stop();
		gui_errx(nullptr, 1, "%s", ampelwick_error(source));
	case 1:
		reconnectTimer->stop();
		ampelwick_reconnected(source);
		watchDevd();
	}
}

void
BatteryWatch::readLevels()
{
	if (ampelwick_get_batt_info(source) == -1)
		gui_err(nullptr, 1, "ampelwick_get_batt_info(): %s",
		    ampelwick_error(source));
}

void
BatteryWatch::reloadStatus()
{
	if (ampelwick_poll(source) == -1)
		gui_err(nullptr, 1, "%s", ampelwick_error(source));
	if (!ampelwick_present(source)) {
		lastStatus.capacity = -1;
		pollTimer->stop();
		emit gone();
		emit readingTaken();
		return;
	}
	readLevels();
	/* New levels may recolour the gauge without a change of the reading. */
	emit reloaded();
	takeReading();
	pollTimer->start(pollIntervalMs(pollInterval));
}
