/* SPDX-License-Identifier: BSD-2-Clause */
#include <err.h>
#include <limits.h>
#include <time.h>

#include <QTimer>

#include "batterywatch.h"
#include "levels.h"
#include "msgbox.h"

/*
 * The source's error text ends with the system's text for the failing call
 * where there is one: the boxes add no errno of their own.
 */
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
		gui_errx(nullptr, 1, "ampelwick_init(): %s",
		    ampelwick_error(source));
	case 0:
		errx(1, "No battery slot installed.");
	}
	/*
	 * The battery's own levels from the start, not from the first event;
	 * the start-up reading is the one the first poll is judged against.
	 */
	if (present()) {
		readLevels();
		lastStatus = source->status;
		judgeNext = true;
		feedTimeLeft();
	}
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
BatteryWatch::canSuspend()
{
	return ampelwick_can_suspend();
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

/* A battery that cannot be read is no reason to hold the action back. */
bool
BatteryWatch::chargerIn()
{
	return ampelwick_poll(source) != -1 && ::chargerIn(source->status);
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
	const int shownBefore = shownTimeLeft;

	feedTimeLeft();
	lastStatus = now;
	emit readingTaken();
	/* A battery just back: nothing to compare with yet. */
	if (previous.capacity == -1) {
		judgeNext = true;
		emit firstReading();
		return;
	}
	/*
	 * The first reading after the start or a return is judged even when
	 * it equals the one before: at 4 % the countdown must not wait for a
	 * change.  Only a crossing warns, so the state guessed before the
	 * state settled is corrected without a word.
	 */
	if (judgeNext) {
		judgeNext = false;
		emit changed(previous);
		return;
	}
	if (now.capacity == previous.capacity &&
	    now.time_left == previous.time_left && now.state == previous.state) {
		if (shownTimeLeft != shownBefore)
			emit timeLeftChanged();
		return;
	}
	emit changed(previous);
}

void
BatteryWatch::feedTimeLeft()
{
	const batt_status &now = source->status;
	struct timespec clock;

	clock_gettime(CLOCK_MONOTONIC, &clock);
	shownTimeLeft = time_left_feed(&timeLeftAvg, now.state, now.capacity,
	    now.time_left, clock.tv_sec);
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
		gui_errx(nullptr, 1, "ampelwick_get_batt_info(): %s",
		    ampelwick_error(source));
}

void
BatteryWatch::reloadStatus()
{
	if (ampelwick_poll(source) == -1)
		gui_errx(nullptr, 1, "%s", ampelwick_error(source));
	if (!ampelwick_present(source)) {
		lastStatus.capacity = -1;
		judgeNext = false;
		/* A battery put in is a new start. */
		timeLeftAvg = {};
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
