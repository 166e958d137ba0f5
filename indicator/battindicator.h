/*
 * The tray indicator: reads the battery on a timer and on devd battery
 * notifications, keeps a tray icon with a picture, a tool tip and a menu,
 * and hands every change of the battery status to the low-battery logic.
 * The widget itself is shown only when no system tray becomes available.
 */
#ifndef AMPELWICK_BATTINDICATOR_H
#define AMPELWICK_BATTINDICATOR_H

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QSystemTrayIcon>
#include <QWidget>

#include "battery.h"
#include "cfg.h"

class QAction;
class QMenu;
class QRect;
class QSocketNotifier;
class QTimer;

/* Indexes of the icon set. */
enum {
	ICON_CHARGING_EMPTY = 0,	/* 0..4: charging, empty to full */
	ICON_DISCHARGING_EMPTY = 5,	/* 5..9: discharging, empty to full */
	ICON_FULL_CHARGED = 10,
	ICON_PREFERENCES = 11,
	ICON_QUIT = 12,
	ICON_COUNT = 13
};

class BattIndicator : public QWidget {
	Q_OBJECT

public:
	BattIndicator(cfg_section *settings, QWidget *parent);
	~BattIndicator() override;

	/* Decisions, kept free of the tray so that tests can call them. */
	static int	iconIndexFor(int capacity, int state);
	static QPixmap	paintGauge(int value, int warnCapacity);
	/* A null string for a state that keeps the previous tool tip. */
	static QString	toolTipFor(const batt_status &status);
	/* One line per battery when there are two or more, else empty. */
	static QString	batteryLinesFor(const batt_source *source);
	/* Poll period in milliseconds: at least one second, never overflowing. */
	static int	pollIntervalMs(int seconds);

private slots:
	void	quit();
	void	pollACPI();
	void	showConfigMenu();
	void	trayClicked(QSystemTrayIcon::ActivationReason reason);
	void	checkForSysTray();
	void	catchActivated(int socket);
	void	scrGeomChanged(const QRect &);

private:
	void	applySettings();
	void	takeReading();
	void	reloadStatus();
	void	createTrayIcon();
	void	retireTrayIcon();
	void	disposeRetiredIcons();
	void	leaveNestedLoop();
	QMenu  *createTrayMenu(BattIndicator *parent);
	void	updateToolTip();
	void	watchDevd();
	void	devdLost();
	void	reconnectDevd();

	void	loadIcons();
	void	chooseIcon();
	QIcon	drawGauge(int value);

	void	checkLowBattery();
	void	runAutomaticAction();
	void	countdownFinished(int result);
	void	saveBeforeAction();
	void	runCommand();
	void	showCapacityWarning();
	void	refreshCommand();
	bool	actionUnderway() const;
	void	updatePreferencesEntry();

	int			 shutdownCap = 0;
	int			 pollInterval = 5;
	const char		*command = nullptr;
	bool			 actionPending = false;
	bool			 themeIconsMissing = false;
	bool			 suspend = false;
	bool			 useIconTheme = false;
	bool			 autoShutdown = false;
	bool			 actionCancelled = false;
	bool			 countdownOpen = false;
	QIcon			 icons[ICON_COUNT];
	batt_status		 lastStatus = {};
	QTimer			*trayTimer = nullptr;
	QTimer			*pollTimer = nullptr;
	QTimer			*reconnectTimer = nullptr;
	cfg_section		*cfg = nullptr;
	batt_source		*source = nullptr;
	QSocketNotifier		*devdNotifier = nullptr;
	QSystemTrayIcon		*trayIcon = nullptr;
	/* One menu for every tray icon: its handlers may be on the stack. */
	QMenu			*trayMenu = nullptr;
	QAction			*prefsAction = nullptr;
	/* Nested event loops run from our handlers, and what they pin. */
	int			 nestedLoops = 0;
	QSystemTrayIcon		*clickedIcon = nullptr;
	QList<QSystemTrayIcon *> retiredIcons;
};

#endif
