/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The StatusNotifierItem hosts of the session bus (the trays of Wayland
 * desktops and of KDE): whether one is there, and a signal when the
 * watcher that hosts register with comes, goes, or gets a host.  Qt
 * decides once per process whether its tray icons use such a host, at the
 * first look for a tray, so nobody asks Qt before a host is there to say
 * yes.  Bus signals only: nothing is polled.
 */
#ifndef AMPELWICK_TRAYHOSTS_H
#define AMPELWICK_TRAYHOSTS_H

#include <QObject>

class TrayHosts : public QObject {
	Q_OBJECT

public:
	explicit TrayHosts(QObject *parent);

	/* A watcher with a host on the bus now: a round trip to the bus. */
	bool	hostPresent() const;

signals:
	void	changed();

private:
	bool	connected;
};

/*
 * The kind of tray Qt took at its first look for one, which it keeps for
 * the process: a StatusNotifierItem host if one was there, else the XEmbed
 * tray.
 */
enum class TrayKind { Unsettled, Host, XEmbed };

/*
 * Whether Qt may be asked for a tray now: before its first look only when
 * one of either kind is there (and then it takes that kind, the host first),
 * after it only when one of the kind it took is there.
 */
bool	tray_usable(TrayKind *taken, bool host, bool xembed);

#endif
