#include <sys/wait.h>

#include <err.h>
#include <errno.h>
#include <limits.h>
#include <stdint.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAction>
#include <QDebug>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QSocketNotifier>
#include <QStyle>
#include <QTimer>

#include "battindicator.h"
#include "countdown.h"
#include "icons.h"
#include "lifecycle.h"
#include "lowbattery.h"
#include "msgbox.h"
#include "preferences.h"
#include "settings.h"

/* Tray checks left before the indicator shows itself as a window. */
static int trayRetries = 60;

static constexpr int TRAY_CHECK_MS = 500;
static constexpr int COUNTDOWN_SECONDS = 30;
static constexpr int BALLOON_MS = 20000;

static const QColor GAUGE_GREEN(96, 255, 96);
static const QColor GAUGE_YELLOW(239, 239, 92);
static const QColor GAUGE_RED(255, 0, 0);

BattIndicator::BattIndicator(cfg_section *settings, QWidget *parent)
    : QWidget(parent)
{
	source = new batt_source;
	ampelwick_clear(source);
	trayTimer = new QTimer(this);
	pollTimer = new QTimer(this);
	reconnectTimer = new QTimer(this);
	cfg = settings;

	switch (ampelwick_init(source)) {
	case -1:
		gui_err(nullptr, 1, "ampelwick_init(): %s",
		    ampelwick_error(source));
	case 0:
		errx(1, "No battery slot installed.");
	}
	loadIcons();
	/* The icons were loaded a moment ago: take the choice over as it is. */
	useIconTheme = cfg->vars[SLOT_USE_ICON_THEME].val.boolean;
	applySettings();
	watchDevd();
	connect(pollTimer, SIGNAL(timeout()), this, SLOT(pollACPI()));
	connect(trayTimer, SIGNAL(timeout()), this, SLOT(checkForSysTray()));
	connect(reconnectTimer, &QTimer::timeout, this,
	    &BattIndicator::reconnectDevd);
	lastStatus.capacity = -1;

	if (ampelwick_present(source)) {
		pollTimer->start(pollIntervalMs(pollInterval));
		trayTimer->start(TRAY_CHECK_MS);
	} else
		qDebug("Battery not present. Waiting ...");

	if (QScreen *screen = QGuiApplication::primaryScreen())
		connect(screen, SIGNAL(geometryChanged(const QRect &)), this,
		    SLOT(scrGeomChanged(const QRect &)));
}

BattIndicator::~BattIndicator()
{
	/* Only reached when the event loop ends; release what the source holds. */
	ampelwick_release(source);
	delete source;
}

int
BattIndicator::pollIntervalMs(int seconds)
{
	/* A hand-edited 0 would make the timer spin and drain the battery. */
	if (seconds < 1)
		seconds = 1;
	if (seconds > INT_MAX / 1000)
		seconds = INT_MAX / 1000;
	return seconds * 1000;
}

void
BattIndicator::refreshCommand()
{
	const int slot = suspend ? SLOT_SUSPEND_CMD : SLOT_SHUTDOWN_CMD;

	command = cfg->vars[slot].val.str;
}

void
BattIndicator::applySettings()
{
	suspend = cfg->vars[SLOT_SUSPEND].val.boolean;
	shutdownCap = cfg->vars[SLOT_SHUTDOWN_CAP].val.integer;
	pollInterval = cfg->vars[SLOT_POLL_INTERVAL].val.integer;
	autoShutdown = cfg->vars[SLOT_AUTOSHUTDOWN].val.boolean;
	refreshCommand();

	if (cfg->vars[SLOT_USE_ICON_THEME].val.boolean != useIconTheme) {
		useIconTheme = cfg->vars[SLOT_USE_ICON_THEME].val.boolean;
		loadIcons();
		chooseIcon();
	}
	if (source->status.capacity > shutdownCap)
		actionCancelled = false;
	pollTimer->start(pollIntervalMs(pollInterval));
}

void
BattIndicator::watchDevd()
{
	devdNotifier = new QSocketNotifier(source->devd_fd,
	    QSocketNotifier::Read, this);
	connect(devdNotifier, SIGNAL(activated(int)), this,
	    SLOT(catchActivated(int)));
}

void
BattIndicator::quit()
{
	save_and_quit(cfg, SaveReport::Box);
}

void
BattIndicator::pollACPI()
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
 * same decision against the last recorded one, so a crossing is acted on
 * once, by whichever path saw it first.
 */
void
BattIndicator::takeReading()
{
	const batt_status &now = source->status;

	/* The first one only records: the tray icon was drawn when made. */
	if (lastStatus.capacity == -1) {
		lastStatus = now;
		return;
	}
	if (now.capacity == lastStatus.capacity &&
	    now.time_left == lastStatus.time_left &&
	    now.state == lastStatus.state)
		return;
	chooseIcon();
	updateToolTip();
	checkLowBattery();
	lastStatus = source->status;
}

void
BattIndicator::catchActivated(int)
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
BattIndicator::devdLost()
{
	devdNotifier->setEnabled(false);
	devdNotifier->deleteLater();
	devdNotifier = nullptr;
	reconnectTimer->start(ampelwick_reconnect_interval());
}

void
BattIndicator::reconnectDevd()
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
BattIndicator::reloadStatus()
{
	if (ampelwick_poll(source) == -1)
		gui_err(nullptr, 1, "%s", ampelwick_error(source));
	if (!ampelwick_present(source)) {
		lastStatus.capacity = -1;
		if (trayIcon != nullptr)
			trayIcon->setVisible(false);
		pollTimer->stop();
		return;
	}
	if (ampelwick_get_batt_info(source) == -1)
		gui_err(nullptr, 1, "ampelwick_get_batt_info(): %s",
		    ampelwick_error(source));
	if (trayIcon != nullptr)
		trayIcon->setVisible(true);
	else
		createTrayIcon();
	takeReading();
	/* New levels may recolour the gauge without a change of the reading. */
	chooseIcon();
	updateToolTip();
	pollTimer->start(pollIntervalMs(pollInterval));
}

void
BattIndicator::checkForSysTray()
{
	if (trayIcon != nullptr) {
		trayRetries = 60;
		retireTrayIcon();
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

/*
 * The icon goes at once unless a nested loop of ours runs: the
 * preferences may have been opened from its click, whose handler stays on
 * the stack until the loop ends.  Such an icon waits for the end of the
 * last loop, in view only if it is the clicked one.
 */
void
BattIndicator::retireTrayIcon()
{
	QSystemTrayIcon *old = trayIcon;

	trayIcon = nullptr;
	disconnect(old, nullptr, this, nullptr);
	if (nestedLoops == 0) {
		delete old;
		return;
	}
	if (old != clickedIcon)
		old->setVisible(false);
	retiredIcons.append(old);
}

void
BattIndicator::disposeRetiredIcons()
{
	if (nestedLoops > 0)
		return;
	qDeleteAll(retiredIcons);
	retiredIcons.clear();
}

void
BattIndicator::leaveNestedLoop()
{
	/* From the event loop: the handlers below us return first. */
	if (--nestedLoops == 0 && !retiredIcons.isEmpty())
		QTimer::singleShot(0, this,
		    &BattIndicator::disposeRetiredIcons);
}

void
BattIndicator::createTrayIcon()
{
	if (trayIcon != nullptr || !QSystemTrayIcon::isSystemTrayAvailable())
		return;
	trayIcon = new QSystemTrayIcon(this);
	if (trayMenu == nullptr)
		trayMenu = createTrayMenu(this);
	chooseIcon();
	updateToolTip();
	trayIcon->setContextMenu(trayMenu);
	trayIcon->setVisible(true);
	connect(trayIcon, &QSystemTrayIcon::activated, this,
	    &BattIndicator::trayClicked);
}

QMenu *
BattIndicator::createTrayMenu(BattIndicator *parent)
{
	QMenu *menu = new QMenu(parent);
	QAction *quitAction = new QAction(parent->icons[ICON_QUIT],
	    tr("&Quit"), parent);

	parent->prefsAction = new QAction(parent->icons[ICON_PREFERENCES],
	    tr("&Preferences"), parent);
	menu->addAction(parent->prefsAction);
	menu->addAction(quitAction);
	connect(quitAction, &QAction::triggered, parent, &BattIndicator::quit);
	connect(parent->prefsAction, &QAction::triggered, parent,
	    &BattIndicator::showConfigMenu);
	parent->updatePreferencesEntry();
	return menu;
}

QString
BattIndicator::toolTipFor(const batt_status &status)
{
	QString text;

	switch (status.state) {
	case BATT_DISCHARGING:
		text = tr("Status: Discharging\nCapacity: %1%");
		break;
	case BATT_CHARGING:
		text = tr("Status: Charging\nCapacity: %1%");
		break;
	case BATT_ON_AC:
		return tr("Status: Running on AC power");
	default:
		return QString();
	}
	text = text.arg(status.capacity);
	/* -1 is the driver's "unknown"; no other negative count means time. */
	if (status.time_left >= 0) {
		const int hours = status.time_left / 60;

		text += tr("\nTime remaining: %1:%2")
		    .arg(hours, 2, 10, QChar('0'))
		    .arg(status.time_left - 60 * hours, 2, 10, QChar('0'));
	}
	return text;
}

QString
BattIndicator::batteryLinesFor(const batt_source *source)
{
	const int count = ampelwick_unit_count(source);
	QString lines;

	for (int i = 0; count >= 2 && i < count; i++) {
		const batt_unit *unit = ampelwick_unit(source, i);
		const QString name = QString::fromUtf8(unit->name);

		lines += unit->present ? tr("\n%1: %2%").arg(name).arg(unit->capacity) :
		    tr("\n%1: absent").arg(name);
	}
	return lines;
}

void
BattIndicator::updateToolTip()
{
	if (trayIcon == nullptr)
		return;
	const QString text = toolTipFor(source->status);
	if (!text.isNull())
		trayIcon->setToolTip(text + batteryLinesFor(source));
}

void
BattIndicator::trayClicked(QSystemTrayIcon::ActivationReason reason)
{
	if (reason != QSystemTrayIcon::DoubleClick &&
	    reason != QSystemTrayIcon::Trigger)
		return;
	/* The icon's click handler is below us while the dialog runs. */
	QSystemTrayIcon *const outer = clickedIcon;
	clickedIcon = qobject_cast<QSystemTrayIcon *>(sender());
	showConfigMenu();
	clickedIcon = outer;
}

void
BattIndicator::showConfigMenu()
{
	/* Nothing may stand between a pending action and its deadline. */
	if (actionUnderway())
		return;
	nestedLoops++;
	QPointer<Preferences> dialog = new Preferences(cfg, nullptr);
	if (dialog->exec() == QDialog::Accepted)
		applySettings();
	delete dialog;
	leaveNestedLoop();
}

void
BattIndicator::scrGeomChanged(const QRect &)
{
	trayTimer->start(TRAY_CHECK_MS);
}

/* Icons and the gauge. */

int
BattIndicator::iconIndexFor(int capacity, int state)
{
	int level;

	if (state != BATT_CHARGING && state != BATT_DISCHARGING)
		return ICON_FULL_CHARGED;
	if (capacity <= 4)
		level = 0;
	else if (capacity <= 19)
		level = 1;
	else if (capacity <= 39)
		level = 2;
	else if (capacity <= 89)
		level = 3;
	else
		level = 4;
	return (state == BATT_CHARGING ? ICON_CHARGING_EMPTY :
	    ICON_DISCHARGING_EMPTY) + level;
}

void
BattIndicator::loadIcons()
{
	themeIconsMissing = false;
	icons[9] = load_theme_icon("battery-full", "battery-full-symbolic",
	    "battery", nullptr);
	icons[8] = load_theme_icon("battery-good", "battery-good-symbolic",
	    "battery", nullptr);
	icons[7] = load_theme_icon("battery-low", "battery-low-symbolic",
	    nullptr);
	icons[6] = load_theme_icon("battery-caution",
	    "battery-caution-symbolic", nullptr);
	icons[5] = load_theme_icon("battery-empty", "battery-empty-symbolic",
	    "battery-low", nullptr);
	icons[4] = load_theme_icon("battery-full-charging",
	    "battery-full-charging-symbolic", "battery", nullptr);
	icons[3] = load_theme_icon("battery-good-charging",
	    "battery-good-charging-symbolic", "battery", nullptr);
	icons[2] = load_theme_icon("battery-low-charging",
	    "battery-low-charging-symbolic", "battery-low", nullptr);
	icons[1] = load_theme_icon("battery-caution-charging",
	    "battery-caution-charging-symbolic", "battery-caution", nullptr);
	icons[0] = load_theme_icon("battery-empty-charging",
	    "battery-empty-charging-symbolic", "battery-low", nullptr);
	icons[ICON_FULL_CHARGED] = load_theme_icon("battery-full-charged",
	    "battery-full-charged-symbolic", "battery", nullptr);
	icons[ICON_QUIT] = load_theme_icon("application-exit", nullptr);
	icons[ICON_PREFERENCES] = load_theme_icon("preferences-system",
	    nullptr);

	for (int i = 0; i < ICON_FULL_CHARGED; i++)
		if (icons[i].isNull())
			themeIconsMissing = true;
	if (icons[ICON_QUIT].isNull())
		icons[ICON_QUIT] = load_standard_icon(
		    QStyle::SP_DialogCloseButton, nullptr);
	if (icons[ICON_PREFERENCES].isNull())
		icons[ICON_PREFERENCES] = load_standard_icon(
		    QStyle::SP_FileIcon, nullptr);
	/* The menu is kept from icon to icon: it follows the theme here. */
	if (trayMenu != nullptr) {
		prefsAction->setIcon(icons[ICON_PREFERENCES]);
		trayMenu->actions().at(1)->setIcon(icons[ICON_QUIT]);
	}
}

void
BattIndicator::chooseIcon()
{
	const batt_status &now = source->status;

	if (trayIcon == nullptr)
		return;
	if (!themeIconsMissing && useIconTheme) {
		trayIcon->setIcon(icons[iconIndexFor(now.capacity, now.state)]);
		return;
	}
	trayIcon->setIcon(drawGauge(now.state == BATT_DISCHARGING ?
	    -now.capacity : now.capacity));
}

QPixmap
BattIndicator::paintGauge(int value, int warnCapacity)
{
	/* Wide arithmetic: a capacity far out of range must not overflow. */
	const int64_t capacity = value < 0 ? -int64_t(value) : int64_t(value);
	const int fill = int(qBound(int64_t(0), capacity * 21 / 100,
	    int64_t(21)));
	QColor colour = GAUGE_GREEN;
	QPixmap pixmap(10, 24);

	if (value < 0)
		colour = warnCapacity < capacity ? GAUGE_YELLOW : GAUGE_RED;
	pixmap.fill(Qt::transparent);

	QPainter painter(&pixmap);
	const QRect terminal(4, 0, 2, 1);
	const QRect body(0, 1, 9, 22);
	painter.setPen(colour);
	painter.drawRects(&terminal, 1);
	painter.drawRects(&body, 1);
	painter.fillRect(QRectF(1.0, 22 - fill, 8.0, fill + 1), colour);
	painter.end();
	return pixmap;
}

QIcon
BattIndicator::drawGauge(int value)
{
	return QIcon(paintGauge(value, source->status.warn_capacity));
}

/* Low battery. */

void
BattIndicator::checkLowBattery()
{
	LowBatteryFlags flags = { actionPending, countdownOpen,
	    actionCancelled };
	const LowBatterySettings settings = { autoShutdown, shutdownCap };

	const LowBatteryAction action = decideLowBattery(flags, settings,
	    lastStatus.capacity, source->status);
	actionPending = flags.actionPending;
	actionCancelled = flags.actionCancelled;
	updatePreferencesEntry();

	switch (action) {
	case LowBatteryAction::StartCountdown:
		runAutomaticAction();
		break;
	case LowBatteryAction::ShowWarning:
		showCapacityWarning();
		break;
	case LowBatteryAction::Nothing:
		break;
	}
}

void
BattIndicator::showCapacityWarning()
{
	if (trayIcon == nullptr)
		return;
	const QString message =
	    tr("Battery capacity at %1%").arg(source->status.capacity);
	const QSystemTrayIcon::MessageIcon icon =
	    warningIsCritical(source->status) ? QSystemTrayIcon::Critical :
	    QSystemTrayIcon::Warning;
	trayIcon->showMessage(tr("Warning"), message, icon, BALLOON_MS);
}

/* The countdown is open while the action is pending, and for its end. */
bool
BattIndicator::actionUnderway() const
{
	return actionPending || countdownOpen;
}

void
BattIndicator::updatePreferencesEntry()
{
	if (prefsAction != nullptr)
		prefsAction->setEnabled(!actionUnderway());
}

/*
 * No exec(): a dialog opened in the meantime would keep a nested loop from
 * returning past the deadline.  The countdown shows itself, modal, and
 * its end is handled in whichever loop runs then.
 */
void
BattIndicator::runAutomaticAction()
{
	Countdown *dialog = new Countdown(suspend, COUNTDOWN_SECONDS, this);

	countdownOpen = true;
	updatePreferencesEntry();
	connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
		dialog->deleteLater();
		countdownFinished(result);
	});
}

void
BattIndicator::countdownFinished(int result)
{
	/* Armed again before a box about the command can hold a loop open. */
	countdownOpen = false;
	actionPending = false;
	updatePreferencesEntry();
	if (result == QDialog::Rejected) {
		actionCancelled = true;
		return;
	}
	saveBeforeAction();
	runCommand();
}

/* The command must not wait for anyone: no box, a balloon at most. */
void
BattIndicator::saveBeforeAction()
{
	if (save_settings(cfg, SaveReport::StandardError) || trayIcon == nullptr)
		return;
	trayIcon->showMessage(tr("Warning"),
	    QString::fromUtf8(cfg_errstr()).trimmed(),
	    QSystemTrayIcon::Warning, BALLOON_MS);
}

void
BattIndicator::runCommand()
{
	/* The preferences may have replaced the string since it was taken. */
	refreshCommand();
	if (!suspend) {
		execl("/bin/sh", "/bin/sh", "-c", command,
		    static_cast<char *>(nullptr));
		gui_err(nullptr, 1, "Couldn't execute %s", command);
	}
	const int r = system(command);
	if (r == 127)
		gui_err(nullptr, 1, "Failes to execute shell.");
	if (r == -1)
		gui_err(nullptr, 1, "system(%s)", command);
	if (r == 0)
		return;
	/* Report the command's own exit status, not the raw wait status. */
	int status = r;
	if (WIFEXITED(r))
		status = WEXITSTATUS(r);
	else if (WIFSIGNALED(r))
		status = 128 + WTERMSIG(r);
	gui_warnx(nullptr, "Command %s returned an exit status != 0: %d",
	    command, status);
}
