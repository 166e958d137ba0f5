/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The tray indicator: the coordinator of the battery watch, the pictures
 * and the low-battery action.  It keeps the settings, the tray icon with
 * its picture, tool tip and menu, checks for a system tray, shows the
 * fallback window while there is none, and opens the preferences.  The
 * widget itself is never shown: it is the parent of the dialogs.
 */
#ifndef AMPELWICK_BATTINDICATOR_H
#define AMPELWICK_BATTINDICATOR_H

#include <optional>

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

#include "history.h"
#include "pictures.h"
#include "save.h"
#include "settings.h"
#include "trayhosts.h"

class BatteryDetails;
class BatteryWatch;
class FallbackWindow;
class LowBattery;
class Notifier;
class Preferences;
class QAction;
class QMenu;
class QRect;
class QScreen;
class QTimer;
class XEmbedTray;

class BattIndicator : public QWidget {
	Q_OBJECT

public:
	/* Ends the process when the battery source cannot be opened. */
	BattIndicator(const Settings &settings, QWidget *parent);

	/*
	 * Saves the settings, a failure reported as asked, and leaves the
	 * event loop: the one way the program ends of its own accord.
	 */
	void	saveAndQuit(SaveReport report);

private slots:
	void	quit();
	void	showConfigMenu();
	void	showDetails();
	void	trayClicked(QSystemTrayIcon::ActivationReason reason);
	void	checkForSysTray();
	void	trayChanged();
	void	scrGeomChanged(const QRect &);
	void	followPrimaryScreen(QScreen *screen);

private:
	void	applySettings(const Settings &newSettings);
	void	readingChanged(const batt_status &previous);
	bool	trayAvailable();
	void	startTrayCheck();
	void	createTrayIcon();
	void	showFallbackWindow();
	QMenu  *createTrayMenu(BattIndicator *parent);
	void	loadIcons();
	void	showStatus();
	batt_status reading() const;
	void	showDetailsReading();
	void	showDetailsHistory();
	void	recordHistory();
	void	showBalloon(const QString &title, const QString &message,
		    QSystemTrayIcon::MessageIcon icon);

	Settings		 settings;
	IconSet			 icons;
	BatteryWatch		*watch;
	LowBattery		*lowBattery;
	Notifier		*notifier;
	QTimer			*trayTimer;
	TrayHosts		*hosts;
	XEmbedTray		*xembed;
	TrayKind		 qtTray = TrayKind::Unsettled;
	/* Tray checks left before the fallback window is shown. */
	int			 trayRetries;
	QMetaObject::Connection	 screenGeometry;
	/* Made once; hidden and shown again to embed it anew. */
	QSystemTrayIcon		*trayIcon = nullptr;
	/* What the icon shows; nothing before its first picture. */
	std::optional<PictureKey> iconShows;
	/* Made when first needed, hidden when a tray comes. */
	FallbackWindow		*fallback = nullptr;
	/* The one dialog open: a second request raises it. */
	QPointer<Preferences>	 preferences;
	/* Open while the user looks; it closes and deletes itself. */
	QPointer<BatteryDetails> details;
	/* The charge history file, off where it cannot be used. */
	history			 chargeHistory;
	QMenu			*trayMenu = nullptr;
	QAction			*prefsAction = nullptr;
	QAction			*detailsAction = nullptr;
	QAction			*quitAction = nullptr;
};

#endif
