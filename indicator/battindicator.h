/*
 * The tray indicator: the coordinator of the battery watch, the pictures
 * and the low-battery action.  It keeps the settings, the tray icon with
 * its picture, tool tip and menu, checks for a system tray and opens the
 * preferences.  The widget itself is shown only when no system tray
 * becomes available.
 */
#ifndef AMPELWICK_BATTINDICATOR_H
#define AMPELWICK_BATTINDICATOR_H

#include <QSystemTrayIcon>
#include <QWidget>

#include "pictures.h"
#include "save.h"
#include "settings.h"

class BatteryWatch;
class LowBattery;
class QAction;
class QMenu;
class QRect;
class QTimer;

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
	void	trayClicked(QSystemTrayIcon::ActivationReason reason);
	void	checkForSysTray();
	void	scrGeomChanged(const QRect &);

private:
	void	applySettings(const Settings &newSettings);
	void	readingChanged(const batt_status &previous);
	void	batteryGone();
	void	createTrayIcon();
	QMenu  *createTrayMenu(BattIndicator *parent);
	void	updateToolTip();
	void	loadIcons();
	void	chooseIcon();
	void	showBalloon(const QString &title, const QString &message,
		    QSystemTrayIcon::MessageIcon icon);
	void	updatePreferencesEntry();

	Settings		 settings;
	IconSet			 icons;
	BatteryWatch		*watch;
	LowBattery		*lowBattery;
	QTimer			*trayTimer;
	/* Tray checks left before the indicator shows itself as a window. */
	int			 trayRetries = 60;
	/* Made once; hidden and shown again to embed it anew. */
	QSystemTrayIcon		*trayIcon = nullptr;
	QMenu			*trayMenu = nullptr;
	QAction			*prefsAction = nullptr;
	QAction			*quitAction = nullptr;
};

#endif
