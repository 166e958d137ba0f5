/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The XEmbed tray of the X display: whether one is there, and a signal when
 * one starts or goes away.  Qt's own look for an XEmbed tray also settles,
 * for the life of the process, whether its icons go to a StatusNotifierItem
 * host, so nobody asks Qt before one kind of tray or the other is there;
 * this looks on an X connection of its own.  Off X11 there is none.
 */
#ifndef AMPELWICK_XEMBEDTRAY_H
#define AMPELWICK_XEMBEDTRAY_H

#include <QObject>

class QSocketNotifier;
struct XEmbedWatch;

class XEmbedTray : public QObject {
	Q_OBJECT

public:
	explicit XEmbedTray(QObject *parent);
	~XEmbedTray() override;

	/* A tray owns the display's tray selection now: a round trip. */
	bool	present();

signals:
	void	changed();

private:
	void	readEvents();

	/* Nothing off X11, or where the display cannot be reached. */
	XEmbedWatch	*watch = nullptr;
	QSocketNotifier	*notifier = nullptr;
};

#endif
