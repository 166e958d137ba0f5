#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QTimer>

#include "battindicator.h"
#include "batterywatch.h"
#include "lowbattery.h"
#include "preferences.h"

static constexpr int TRAY_CHECK_MS = 500;
static constexpr int BALLOON_MS = 20000;

BattIndicator::BattIndicator(const Settings &initial, QWidget *parent)
    : QWidget(parent), settings(initial)
{
	watch = new BatteryWatch(this);
	lowBattery = new LowBattery(this);
	trayTimer = new QTimer(this);
	loadIcons();
	applySettings(initial);

	connect(watch, &BatteryWatch::changed, this,
	    &BattIndicator::readingChanged);
	connect(watch, &BatteryWatch::reloaded, this,
	    &BattIndicator::createTrayIcon);
	connect(watch, &BatteryWatch::gone, this, &BattIndicator::batteryGone);
	connect(lowBattery, &LowBattery::balloon, this,
	    &BattIndicator::showBalloon);
	connect(lowBattery, &LowBattery::underwayChanged, this,
	    &BattIndicator::updatePreferencesEntry);
	connect(trayTimer, &QTimer::timeout, this,
	    &BattIndicator::checkForSysTray);

	if (watch->present())
		trayTimer->start(TRAY_CHECK_MS);
	else
		qDebug("Battery not present. Waiting ...");
	if (QScreen *screen = QGuiApplication::primaryScreen())
		connect(screen, &QScreen::geometryChanged, this,
		    &BattIndicator::scrGeomChanged);
}

void
BattIndicator::applySettings(const Settings &newSettings)
{
	const bool themeChanged =
	    newSettings.useIconTheme != settings.useIconTheme;

	settings = newSettings;
	if (themeChanged) {
		loadIcons();
		chooseIcon();
	}
	lowBattery->applySettings(settings, watch->status().capacity);
	watch->setPollInterval(settings.pollInterval);
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
	chooseIcon();
	updateToolTip();
	lowBattery->checkLowBattery(previous.capacity, watch->status());
}

void
BattIndicator::batteryGone()
{
	if (trayIcon != nullptr)
		trayIcon->hide();
}

/*
 * A visible icon leaves the tray first: shown again, it is embedded anew
 * in whatever tray there is then.
 */
void
BattIndicator::checkForSysTray()
{
	if (trayIcon != nullptr) {
		trayRetries = 60;
		trayIcon->hide();
	}
	if (QSystemTrayIcon::isSystemTrayAvailable()) {
		trayTimer->stop();
		createTrayIcon();
		return;
	}
	if (trayRetries-- <= 0) {
		trayTimer->stop();
		show();
	}
}

/* Shows the tray icon where a tray is, made with its menu on first use. */
void
BattIndicator::createTrayIcon()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		return;
	if (trayIcon == nullptr) {
		trayIcon = new QSystemTrayIcon(this);
		trayMenu = createTrayMenu(this);
		trayIcon->setContextMenu(trayMenu);
		connect(trayIcon, &QSystemTrayIcon::activated, this,
		    &BattIndicator::trayClicked);
	}
	chooseIcon();
	updateToolTip();
	trayIcon->show();
	/*
	 * In step with the icon's drawing, which fills Qt's pixmap cache: the
	 * cache's flush 30 s later then falls on a poll's wake-up.
	 */
	if (watch->present())
		watch->setPollInterval(settings.pollInterval);
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

	parent->prefsAction = new QAction(parent->icons.icons[ICON_PREFERENCES],
	    tr("&Preferences"), parent);
	parent->quitAction = new QAction(parent->icons.icons[ICON_QUIT],
	    tr("&Quit"), parent);
	menu->addAction(parent->prefsAction);
	menu->addAction(parent->quitAction);
	connect(parent->quitAction, &QAction::triggered, parent,
	    &BattIndicator::quit);
	connect(parent->prefsAction, &QAction::triggered, parent,
	    &BattIndicator::showConfigMenu, Qt::QueuedConnection);
	parent->updatePreferencesEntry();
	return menu;
}

void
BattIndicator::trayClicked(QSystemTrayIcon::ActivationReason reason)
{
	if (reason == QSystemTrayIcon::DoubleClick ||
	    reason == QSystemTrayIcon::Trigger)
		QTimer::singleShot(0, this, &BattIndicator::showConfigMenu);
}

void
BattIndicator::showConfigMenu()
{
	/* Nothing may stand between a pending action and its deadline. */
	if (lowBattery->actionUnderway())
		return;
	QPointer<Preferences> dialog = new Preferences(settings, nullptr);
	if (dialog->exec() == QDialog::Accepted && dialog != nullptr) {
		/* In force at once, whatever the save says. */
		applySettings(dialog->settings());
		save_settings(settings, SaveReport::Box);
	}
	delete dialog;
}

void
BattIndicator::scrGeomChanged(const QRect &)
{
	trayTimer->start(TRAY_CHECK_MS);
}

void
BattIndicator::updateToolTip()
{
	if (trayIcon == nullptr)
		return;
	const QString text = Pictures::toolTipFor(watch->status(),
	    watch->units());
	if (!text.isNull())
		trayIcon->setToolTip(text);
}

void
BattIndicator::loadIcons()
{
	icons = Pictures::loadIcons(settings.useIconTheme);
	/* The menu is kept from embedding to embedding: it follows the theme. */
	if (trayMenu != nullptr) {
		prefsAction->setIcon(icons.icons[ICON_PREFERENCES]);
		quitAction->setIcon(icons.icons[ICON_QUIT]);
	}
}

void
BattIndicator::chooseIcon()
{
	if (trayIcon != nullptr)
		trayIcon->setIcon(Pictures::trayPicture(icons,
		    settings.useIconTheme, watch->status()));
}

void
BattIndicator::showBalloon(const QString &title, const QString &message,
    QSystemTrayIcon::MessageIcon icon)
{
	if (trayIcon != nullptr)
		trayIcon->showMessage(title, message, icon, BALLOON_MS);
}

void
BattIndicator::updatePreferencesEntry()
{
	if (prefsAction != nullptr)
		prefsAction->setEnabled(!lowBattery->actionUnderway());
}
