/* SPDX-License-Identifier: BSD-2-Clause */
#include <err.h>
#include <time.h>

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include "activation.h"
#include "battindicator.h"
#include "batterywatch.h"
#include "detailswindow.h"
#include "fallbackwindow.h"
#include "levels.h"
#include "lowbattery.h"
#include "msgbox.h"
#include "notifier.h"
#include "preferences.h"
#include "trayhosts.h"
#include "xembedtray.h"

static constexpr int TRAY_CHECK_MS = 500;
static constexpr int TRAY_RETRIES = 60;
static constexpr int BALLOON_MS = 20000;

BattIndicator::BattIndicator(const Settings &initial, QWidget *parent)
    : QWidget(parent), settings(initial), trayRetries(TRAY_RETRIES)
{
	watch = new BatteryWatch(this);
	lowBattery = new LowBattery(this);
	notifier = new Notifier(this);
	trayTimer = new QTimer(this);
	trayMenu = createTrayMenu(this);
	loadIcons();
	applySettings(initial);

	char path[PATH_MAX];
	chargeHistory = history();
	chargeHistory.fd = -1;
	if (history_default_path(path, sizeof(path)))
		history_open(&chargeHistory, path);
	if (chargeHistory.error[0] != '\0')
		warnx("%s", chargeHistory.error);
	connect(watch, &BatteryWatch::readingTaken, this,
	    &BattIndicator::recordHistory);
	connect(watch, &BatteryWatch::changed, this,
	    &BattIndicator::readingChanged);
	connect(watch, &BatteryWatch::firstReading, this,
	    &BattIndicator::showStatus);
	connect(watch, &BatteryWatch::reloaded, this,
	    &BattIndicator::createTrayIcon);
	connect(watch, &BatteryWatch::timeLeftChanged, this,
	    &BattIndicator::showStatus);
	connect(watch, &BatteryWatch::gone, this, [this] {
		if (trayIcon != nullptr)
			trayIcon->hide();
	});
	connect(lowBattery, &LowBattery::balloon, this,
	    &BattIndicator::showBalloon);
	connect(lowBattery, &LowBattery::warning, notifier, &Notifier::warn);
	lowBattery->setChargerCheck([this] { return watch->chargerIn(); });
	connect(watch, &BatteryWatch::changed, notifier,
	    [this](const batt_status &previous) {
		notifier->readingChanged(previous, reading());
	});
	connect(notifier, &Notifier::balloon, this,
	    &BattIndicator::showBalloon);
	connect(lowBattery, &LowBattery::underwayChanged, this, [this] {
		prefsAction->setEnabled(!lowBattery->actionUnderway());
	});
	hosts = new TrayHosts(this);
	connect(hosts, &TrayHosts::changed, this, &BattIndicator::trayChanged);
	xembed = new XEmbedTray(this);
	connect(xembed, &XEmbedTray::changed, this, &BattIndicator::trayChanged);
	trayTimer->setObjectName(QStringLiteral("trayCheck"));
	connect(trayTimer, &QTimer::timeout, this,
	    &BattIndicator::checkForSysTray);

	if (watch->present()) {
		startTrayCheck();
		/* The first look at once, spending no retry. */
		QTimer::singleShot(0, this, &BattIndicator::createTrayIcon);
	} else
		qDebug("Battery not present. Waiting ...");
	/* Better now than when the battery runs out. */
	if (settings.autoShutdown && settings.suspend &&
	    BatteryWatch::canSuspend() == 0)
		QTimer::singleShot(0, this, [] {
			gui_warnx(nullptr, QT_TRANSLATE_NOOP("Messages",
			    "This machine cannot suspend: the automatic action "
			    "will fail. Choose shutdown in Preferences."));
		});
	connect(qApp, &QGuiApplication::primaryScreenChanged, this,
	    &BattIndicator::followPrimaryScreen);
	followPrimaryScreen(QGuiApplication::primaryScreen());
}

void
BattIndicator::applySettings(const Settings &newSettings)
{
	const bool themeChanged =
	    newSettings.useIconTheme != settings.useIconTheme;

	settings = newSettings;
	if (themeChanged)
		loadIcons();
	lowBattery->applySettings(settings, watch->status().capacity);
	notifier->setNotices(settings.notifyFull, settings.notifyCharger);
	watch->setPollInterval(settings.pollInterval);
	/* New levels recolour the picture and retell the tool tip. */
	showStatus();
}

/* The reading with the warning levels in force, as everything shows it. */
batt_status
BattIndicator::reading() const
{
	const batt_status &now = watch->status();

	return withLevels(now, effectiveLevels(settings.warnLevel,
	    settings.criticalLevel, now.warn_capacity, now.low_capacity));
}

void
BattIndicator::saveAndQuit(SaveReport report)
{
	save_settings(settings, report);
	QCoreApplication::exit(0);
}

void
BattIndicator::quit()
{
	saveAndQuit(SaveReport::Box);
}

void
BattIndicator::readingChanged(const batt_status &previous)
{
	showStatus();
	lowBattery->checkLowBattery(previous.capacity, reading());
}

/*
 * Qt settles at its first look for a tray whether its icons go to a
 * StatusNotifierItem host, for the life of the process: it is asked only
 * when a tray of the kind it takes, or took, is there.  Where it has none,
 * the window stands in.
 */
bool
BattIndicator::trayAvailable()
{
	if (!tray_usable(&qtTray, hosts->hostPresent(), xembed->present()))
		return false;
	return QSystemTrayIcon::isSystemTrayAvailable();
}

/* Looks for a tray anew, with all its retries; nothing while no battery. */
void
BattIndicator::startTrayCheck()
{
	if (!watch->present())
		return;
	trayRetries = TRAY_RETRIES;
	trayTimer->start(TRAY_CHECK_MS);
}

/* A tray came or went: the check settles which. */
void
BattIndicator::trayChanged()
{
	startTrayCheck();
}

/*
 * Settles, and so ends, the check: a tray takes the icon, or after the
 * retries the window stands in for it.  A tray that comes later says so
 * (trayChanged()), nothing is polled meanwhile.  The icon leaves the tray
 * first: shown again, it is embedded anew in whatever tray there is then.
 */
void
BattIndicator::checkForSysTray()
{
	if (trayAvailable()) {
		trayTimer->stop();
		if (trayIcon != nullptr)
			trayIcon->hide();
		createTrayIcon();
	} else if (trayRetries-- <= 0) {
		trayTimer->stop();
		/* Hidden: warnings go to the window, a new tray gets it back. */
		if (trayIcon != nullptr)
			trayIcon->hide();
		showFallbackWindow();
	}
}

/*
 * Shows the tray icon where a tray is, made on first use, which ends the
 * tray checks; the fallback window gives way to it.
 */
void
BattIndicator::createTrayIcon()
{
	/* Without a tray, new levels may still recolour the window's picture. */
	if (!trayAvailable()) {
		showStatus();
		return;
	}
	if (trayIcon == nullptr) {
		trayTimer->stop();
		trayIcon = new QSystemTrayIcon(this);
		trayIcon->setContextMenu(trayMenu);
		connect(trayIcon, &QSystemTrayIcon::activated, this,
		    &BattIndicator::trayClicked);
		/* Qt's pixmap cache, filled now, flushes on a poll's wake-up. */
		if (watch->present())
			watch->setPollInterval(settings.pollInterval);
	}
	showStatus();
	trayIcon->show();
	if (fallback != nullptr)
		fallback->hide();
}

/* Closing the window quits. */
void
BattIndicator::showFallbackWindow()
{
	if (fallback == nullptr) {
		fallback = new FallbackWindow({ detailsAction, prefsAction,
		    quitAction }, this);
		connect(fallback, &FallbackWindow::closed, this,
		    &BattIndicator::quit, Qt::QueuedConnection);
	} else if (fallback->isVisible())
		return;
	showStatus();
	fallback->show();
}

/*
 * Preferences opens from the event loop, never from the handlers of the
 * icon or the menu: with none of theirs on the stack under the dialog, the
 * icon may leave and re-enter the tray while the dialog is open.
 */
QMenu *
BattIndicator::createTrayMenu(BattIndicator *parent)
{
	QMenu *menu = new QMenu(parent);

	parent->detailsAction = new QAction(tr("Battery &details…"), parent);
	parent->prefsAction = new QAction(tr("&Preferences"), parent);
	parent->quitAction = new QAction(tr("&Quit"), parent);
	menu->addAction(parent->detailsAction);
	menu->addAction(parent->prefsAction);
	menu->addAction(parent->quitAction);
	connect(parent->quitAction, &QAction::triggered, parent,
	    &BattIndicator::quit);
	connect(parent->prefsAction, &QAction::triggered, parent,
	    &BattIndicator::showConfigMenu, Qt::QueuedConnection);
	connect(parent->detailsAction, &QAction::triggered, parent,
	    &BattIndicator::showDetails, Qt::QueuedConnection);
	return menu;
}

void
BattIndicator::trayClicked(QSystemTrayIcon::ActivationReason reason)
{
	if (reason == QSystemTrayIcon::DoubleClick ||
	    reason == QSystemTrayIcon::Trigger)
		QTimer::singleShot(0, this, &BattIndicator::showConfigMenu);
}

/*
 * One dialog at a time: a click past its modality (a StatusNotifierItem
 * host's, over D-Bus) raises the open one rather than stack a second one.
 */
void
BattIndicator::showConfigMenu()
{
	/* Nothing may stand between a pending action and its deadline. */
	if (lowBattery->actionUnderway())
		return;
	if (preferences != nullptr) {
		activate_window(preferences);
		return;
	}
	/* A window of ours to stand on, for compositors that tile the rest. */
	preferences = new Preferences(settings, fallback != nullptr &&
	    fallback->isVisible() ? fallback : nullptr);
	if (BatteryWatch::canSuspend() == 0)
		preferences->noteCannotSuspend();
	/* Modal to its parent alone: the icon in a tray takes the click. */
	preferences->setWindowModality(Qt::WindowModal);
	if (preferences->exec() == QDialog::Accepted && preferences != nullptr) {
		/* In force at once, whatever the save says. */
		applySettings(preferences->settings());
		save_settings(settings, SaveReport::Box);
	}
	delete preferences;
}

/*
 * One window: a second request raises it.  The batteries are read for it
 * only while it is open, at each reading of the watch.
 */
void
BattIndicator::showDetails()
{
	if (details == nullptr) {
		details = new BatteryDetails(this);
		connect(watch, &BatteryWatch::readingTaken, details, [this] {
			showDetailsReading();
		});
		showDetailsReading();
		showDetailsHistory();
	}
	details->show();
	activate_window(details);
}

void
BattIndicator::showDetailsReading()
{
	if (details != nullptr)
		details->showReading(watch->status(), watch->details());
}

/* The day's samples, read anew only when the file has a new one. */
void
BattIndicator::showDetailsHistory()
{
	static constexpr int DAY = 24 * 60 * 60;
	/* A sample a minute over a day, and the gaps' slack. */
	static constexpr int MOST = DAY / HIST_SPACING + 64;
	const qint64 now = time(nullptr);
	QVector<hist_sample> samples(MOST);
	int n;

	if (details == nullptr)
		return;
	n = history_load(&chargeHistory, now - DAY, samples.data(), MOST);
	samples.resize(n > 0 ? n : 0);
	details->showHistory(samples, now, watch->status().warn_capacity,
	    watch->status().low_capacity);
}

/* At most a sample a minute from the poll: no timer of its own. */
void
BattIndicator::recordHistory()
{
	if (!watch->present())
		return;
	switch (history_add(&chargeHistory, time(nullptr),
	    watch->status().capacity, watch->status().state,
	    settings.pollInterval)) {
	case -1:
		warnx("%s", chargeHistory.error);
		break;
	case 1:
		showDetailsHistory();
	}
}

void
BattIndicator::scrGeomChanged(const QRect &)
{
	startTrayCheck();
}

/*
 * The primary screen's geometry is followed on whichever screen is primary
 * now: one switched off takes its signals with it.
 */
void
BattIndicator::followPrimaryScreen(QScreen *screen)
{
	disconnect(screenGeometry);
	if (screen != nullptr)
		screenGeometry = connect(screen, &QScreen::geometryChanged,
		    this, &BattIndicator::scrGeomChanged);
	if (trayIcon != nullptr || fallback != nullptr)
		startTrayCheck();
}

void
BattIndicator::loadIcons()
{
	icons = Pictures::loadIcons(settings.useIconTheme);
	iconShows.reset();
	/* The menu is kept from embedding to embedding: it follows the theme. */
	prefsAction->setIcon(icons.icons[ICON_PREFERENCES]);
	quitAction->setIcon(icons.icons[ICON_QUIT]);
}

/*
 * The picture and the tool tip's text, on the icon or in the window.  The
 * icon is given a picture only when it changes: each new one makes the
 * tray draw it again, and the time left changes the text alone.
 */
void
BattIndicator::showStatus()
{
	if (trayIcon == nullptr && fallback == nullptr)
		return;
	const batt_status now = reading();
	const PictureKey key = Pictures::pictureKey(icons,
	    settings.useIconTheme, now, settings.iconDigits);
	const QString text = Pictures::toolTipFor(now, watch->units(),
	    watch->timeLeft());
	if (trayIcon != nullptr) {
		if (!iconShows || *iconShows != key) {
			trayIcon->setIcon(Pictures::pictureFor(icons, key));
			iconShows = key;
		}
		if (!text.isNull() && text != trayIcon->toolTip())
			trayIcon->setToolTip(text);
	}
	if (fallback != nullptr)
		fallback->showStatus(Pictures::pictureFor(icons, key), text);
}

/*
 * Every warning passes here: on the icon where a tray shows it, otherwise
 * in the window, shown at once rather than after the tray checks.
 */
void
BattIndicator::showBalloon(const QString &title, const QString &message,
    QSystemTrayIcon::MessageIcon icon)
{
	if (trayIcon != nullptr && trayIcon->isVisible() &&
	    trayAvailable()) {
		trayIcon->showMessage(title, message, icon, BALLOON_MS);
		return;
	}
	showFallbackWindow();
	fallback->showMessage(title, message);
}
