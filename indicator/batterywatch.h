/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The battery watch: owns the battery source, reads it on the poll timer
 * and whenever devd reports a battery event, and reconnects to devd when
 * it goes away.  The only GUI code that touches the source's record; what
 * it finds goes out as signals.
 */
#ifndef AMPELWICK_BATTERYWATCH_H
#define AMPELWICK_BATTERYWATCH_H

#include <QList>
#include <QObject>
#include <QSocketNotifier>

#include "battery.h"
#include "timeleft.h"

class QTimer;

class BatteryWatch : public QObject {
	Q_OBJECT

public:
	/*
	 * Opens the source and reads the battery once, its warning and low
	 * levels with it.  Ends the process when that fails or the machine
	 * has no battery slot.  Polling starts with setPollInterval().
	 */
	explicit BatteryWatch(QObject *parent);
	/* Closes the source's descriptors. */
	~BatteryWatch() override;

	bool			 present() const;
	const batt_status	&status() const;
	QList<batt_unit>	 units() const;
	/*
	 * The time left to show: to empty while discharging, to full while
	 * charging, over the last minutes; TIMELEFT_ESTIMATING after a
	 * change of state until it is steady, -1 when nothing tells.
	 */
	int			 timeLeft() const { return shownTimeLeft; }
	/* Whether the machine can suspend: 1 yes, 0 no, -1 not known. */
	static int		 canSuspend();
	/* What each battery tells about itself, read now: for a window open. */
	QList<batt_details>	 details();
	/* (Re)starts polling every that many seconds. */
	void			 setPollInterval(int seconds);
	/* At least one second, never overflowing. */
	static int		 pollIntervalMs(int seconds);
	/*
	 * Reads the battery anew and tells whether the charger is in; the
	 * next poll announces the change.
	 */
	bool			 chargerIn();
	/* One tick of the poll timer: reads a present battery. */
	void			 pollACPI();

signals:
	/*
	 * A reading differs from the recorded one in capacity, time left or
	 * state, or is the first after the start or a battery's return; it is
	 * recorded already, previous is the one before.
	 */
	void	changed(const batt_status &previous);
	/* The reading of a battery just back: to be shown, never acted on. */
	void	firstReading();
	/* After a devd battery event: present, status and levels re-read. */
	void	reloaded();
	/* After a devd battery event: the battery is gone, polling stopped. */
	void	gone();
	/* timeLeft() changed while the reading did not. */
	void	timeLeftChanged();
	/* After every reading, changed or not: for what is shown while open. */
	void	readingTaken();

private:
	void	catchActivated(QSocketDescriptor socket);
	void	reloadStatus();
	void	takeReading();
	void	feedTimeLeft();
	void	readLevels();
	void	watchDevd();
	void	devdLost();
	void	reconnectDevd();

	batt_source	*source;
	/* The last recorded reading; capacity -1: nothing recorded. */
	batt_status	 lastStatus = {};
	/* The next reading is judged, changed or not. */
	bool		 judgeNext = false;
	time_left_avg	 timeLeftAvg = {};
	int		 shownTimeLeft = -1;
	int		 pollInterval = 5;
	QTimer		*pollTimer;
	QTimer		*reconnectTimer;
	QSocketNotifier	*devdNotifier = nullptr;
};

#endif
