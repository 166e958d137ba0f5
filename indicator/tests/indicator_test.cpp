/*
 * The indicator on a real system tray (run under tests/support/with-tray.sh)
 * over the simulated laptop: its readings and its devd are the test's.
 */
#include <sys/stat.h>

#include <stdlib.h>
#include <unistd.h>

#include <functional>

#include <QtTest>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRect>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>

#include "battindicator.h"
#include "countdown.h"
#include "preferences.h"
#include "settings.h"
#include "sim_laptop.h"
#include "test_home.h"

/* A bound for things that must happen, never a measure of how fast. */
static constexpr int PATIENCE = 30000;

static const QColor green(96, 255, 96);
static const QColor yellow(239, 239, 92);
static const QColor red(255, 0, 0);

/* Closes modal dialogs and boxes as they appear, remembering them. */
class ModalHandler : public QObject {
	Q_OBJECT

public:
	std::function<bool(QWidget *)> handle;	/* true: handled */
	QStringList seen;

	ModalHandler()
	{
		connect(&timer, &QTimer::timeout, this, &ModalHandler::look);
		timer.start(20);
	}

private:
	void look()
	{
		QWidget *w = topDialog();
		if (w == nullptr || w->property("handled").toBool())
			return;
		if (QMessageBox *box = qobject_cast<QMessageBox *>(w))
			seen << box->windowTitle() + ": " + box->text();
		else
			seen << w->metaObject()->className();
		if (handle && handle(w))
			w->setProperty("handled", true);
	}

	/* A box opened under a dialog is not the application's modal
	 * window: look at the top-level dialogs too. */
	static QWidget *topDialog()
	{
		if (QWidget *w = QApplication::activeModalWidget())
			return w;
		for (QWidget *w : QApplication::topLevelWidgets())
			if (qobject_cast<QDialog *>(w) != nullptr &&
			    w->isVisible() && !w->property("handled").toBool())
				return w;
		return nullptr;
	}

	QTimer timer;
};

/* Counts the widgets of a class as they are shown. */
class ShowCounter : public QObject {
public:
	explicit ShowCounter(const char *className) : name(className)
	{
		qApp->installEventFilter(this);
	}

	int count = 0;

protected:
	bool eventFilter(QObject *o, QEvent *e) override
	{
		if (e->type() == QEvent::Show &&
		    qstrcmp(o->metaObject()->className(), name) == 0)
			count++;
		return false;
	}

private:
	const char *name;
};

class IndicatorTest : public QObject {
	Q_OBJECT

private slots:
	void initTestCase();
	void init();
	void cleanup();
	void trayIconAppears();
	void firstTickOnlyRecords();
	void changeRedrawsGaugeAndToolTip();
	void batteryRemovedAndInsertedThroughDevd();
	void reconnectionReplacesNotifierWithoutRereading();
	void menuAndClicks();
	void warningBalloonsAtTheLevels();
	void countdownRunsSuspendCommandOnce();
	void cancelHoldsUntilCharger();
	void crossingActedOnOnceByEitherPath();
	void preferencesNeverHoldBackTheAction();
	void failedSaveDoesNotHoldBackTheAction();
	void boxLeftOpenDoesNotHoldBackTheAction();
	void screenChangeUnderOpenDialog_data();
	void screenChangeUnderOpenDialog();
	void hundredScreenChangesLeakNothing();
	void noTrayFallbackWindow();

private:
	BattIndicator *makeIndicator();
	void startArmed();
	QString suspendLogging(int status = 0);
	int suspendRuns() const;
	QSystemTrayIcon *tray() const;
	QWidget *trayWindow() const;
	QAction *preferencesEntry() const;
	Countdown *countdown() const;
	void screenChange(bool byTimer);
	QTimer *pollTimer() const;
	void poll();
	void setBattery(int cap, int state, int min = -1, int acline = 0);
	static QColor gaugeColour(QSystemTrayIcon *icon);
	QString balloonText() const;

	QTemporaryDir *home = nullptr;
	SimDevd *devd = nullptr;
	SimReadings readings;
	cfg_section *settings = nullptr;
	BattIndicator *indicator = nullptr;
};

/* The tray may come up a moment after the test has started. */
void
IndicatorTest::initTestCase()
{
	if (qgetenv("WITH_TRAY") == "1")
		QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(),
		    PATIENCE);
}

void
IndicatorTest::init()
{
	home = new QTemporaryDir;
	QVERIFY(home->isValid());
	test_home_set(qPrintable(home->path()));
	readings = SimReadings();
	readings.devd_pause_ms = 0;
	readings.cap = 80;
	readings.min = 150;
	QVERIFY(sim_laptop_write(qPrintable(home->path()), readings));
	devd = new SimDevd(qPrintable(home->path()));
	QVERIFY(devd->start());
	settings = cfg_new(nullptr, settings_table, SETTINGS_COUNT);
	QVERIFY(settings != nullptr);
	/* The drawn gauge: pixels a test can check. */
	settings->vars[SLOT_USE_ICON_THEME].val.boolean = false;
}

void
IndicatorTest::cleanup()
{
	delete indicator;
	indicator = nullptr;
	cfg_free(settings);
	settings = nullptr;
	delete devd;
	devd = nullptr;
	delete home;
	home = nullptr;
}

BattIndicator *
IndicatorTest::makeIndicator()
{
	indicator = new BattIndicator(settings, nullptr);
	devd->accept_client(PATIENCE);
	return indicator;
}

/* Automatic action on at 5 %, the tray icon made and the first tick taken. */
void
IndicatorTest::startArmed()
{
	settings->vars[SLOT_AUTOSHUTDOWN].val.boolean = true;
	settings->vars[SLOT_SHUTDOWN_CAP].val.integer = 5;
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	poll();
}

/* A suspend command that notes each run in a log; returns the command. */
QString
IndicatorTest::suspendLogging(int status)
{
	const QString script = home->filePath("suspend.sh");
	QFile f(script);
	if (!f.open(QIODevice::WriteOnly))
		return QString();
	f.write("#!/bin/sh\necho ran >>\"$1\"\nexit " +
	    QByteArray::number(status) + "\n");
	f.close();
	chmod(qPrintable(script), 0755);
	const QString command = script + " " + home->filePath("ran");
	free(settings->vars[SLOT_SUSPEND_CMD].val.str);
	settings->vars[SLOT_SUSPEND_CMD].val.str = strdup(qPrintable(command));
	return command;
}

int
IndicatorTest::suspendRuns() const
{
	QFile ran(home->filePath("ran"));
	if (!ran.open(QIODevice::ReadOnly))
		return 0;
	return ran.readAll().count('\n');
}

/* The current tray icon: the newest; an older one may wait for deletion. */
QSystemTrayIcon *
IndicatorTest::tray() const
{
	const QList<QSystemTrayIcon *> icons =
	    indicator->findChildren<QSystemTrayIcon *>(QString(),
	    Qt::FindDirectChildrenOnly);
	return icons.isEmpty() ? nullptr : icons.last();
}

/* The window that the tray embedded for the current icon. */
QWidget *
IndicatorTest::trayWindow() const
{
	QWidget *found = nullptr;
	for (QWidget *w : QApplication::topLevelWidgets())
		if (qstrcmp(w->metaObject()->className(),
		    "QSystemTrayIconSys") == 0 && w->isVisible())
			found = w;
	return found;
}

QAction *
IndicatorTest::preferencesEntry() const
{
	return tray()->contextMenu()->actions().value(0);
}

Countdown *
IndicatorTest::countdown() const
{
	for (Countdown *c : indicator->findChildren<Countdown *>())
		if (c->isVisible())
			return c;
	return nullptr;
}

/* A change of the primary screen's geometry, and the tray check after it. */
void
IndicatorTest::screenChange(bool byTimer)
{
	QMetaObject::invokeMethod(indicator, "scrGeomChanged",
	    Q_ARG(QRect, QRect(0, 0, 1024, 768)));
	if (!byTimer) {
		QMetaObject::invokeMethod(indicator, "checkForSysTray");
		return;
	}
	const QSystemTrayIcon *old = tray();
	/* The callers check the outcome. */
	(void)QTest::qWaitFor([&] { return tray() != old; }, PATIENCE);
}

QTimer *
IndicatorTest::pollTimer() const
{
	/* The poll timer is made right after the tray-check timer. */
	const QList<QTimer *> timers = indicator->findChildren<QTimer *>(
	    QString(), Qt::FindDirectChildrenOnly);
	return timers.size() >= 2 ? timers[1] : nullptr;
}

void
IndicatorTest::poll()
{
	QMetaObject::invokeMethod(indicator, "pollACPI");
}

void
IndicatorTest::setBattery(int cap, int state, int min, int acline)
{
	readings.cap = cap;
	readings.state = state;
	readings.min = min;
	readings.acline = acline;
	QVERIFY(sim_laptop_write(qPrintable(home->path()), readings));
}

QColor
IndicatorTest::gaugeColour(QSystemTrayIcon *icon)
{
	const QImage image = icon->icon().pixmap(10, 24).toImage();
	return image.pixelColor(0, 12);
}

QString
IndicatorTest::balloonText() const
{
	for (QWidget *w : QApplication::topLevelWidgets()) {
		if (qstrcmp(w->metaObject()->className(), "QBalloonTip") != 0 ||
		    !w->isVisible())
			continue;
		QStringList texts;
		for (QLabel *label : w->findChildren<QLabel *>())
			texts << label->text();
		return texts.join("|");
	}
	return QString();
}

void
IndicatorTest::trayIconAppears()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	/* No tray icon until the first tray check, 500 ms after start. */
	QVERIFY(tray() == nullptr);
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	QVERIFY(tray()->isVisible());
	QCOMPARE(tray()->toolTip(),
	    QString("Status: Discharging\nCapacity: 80%\nTime remaining: 02:30"));
	QCOMPARE(gaugeColour(tray()), yellow);
	QVERIFY(pollTimer()->isActive());
	QCOMPARE(pollTimer()->interval(), 5000);
}

void
IndicatorTest::firstTickOnlyRecords()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	setBattery(70, 1, 150);
	poll();
	QCOMPARE(tray()->toolTip(),
	    QString("Status: Discharging\nCapacity: 80%\nTime remaining: 02:30"));
	/* Nothing changed since the recorded tick: still nothing to show. */
	poll();
	QVERIFY(tray()->toolTip().contains("80%"));
	setBattery(69, 1, 150);
	poll();
	QVERIFY(tray()->toolTip().contains("69%"));
}

void
IndicatorTest::changeRedrawsGaugeAndToolTip()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	poll();

	setBattery(10, 1, 20);
	poll();
	QCOMPARE(gaugeColour(tray()), red);
	QCOMPARE(tray()->toolTip(),
	    QString("Status: Discharging\nCapacity: 10%\nTime remaining: 00:20"));

	setBattery(10, 2, -1, 1);
	poll();
	QCOMPARE(gaugeColour(tray()), green);
	QCOMPARE(tray()->toolTip(), QString("Status: Charging\nCapacity: 10%"));

	/* Neither bit on AC after a known state: on AC power. */
	setBattery(100, 0, -1, 1);
	poll();
	QCOMPARE(tray()->toolTip(), QString("Status: Running on AC power"));

	/* Unknown state: the tool tip stays. */
	setBattery(99, 0, -1, 0);
	poll();
	QCOMPARE(tray()->toolTip(), QString("Status: Running on AC power"));
}

void
IndicatorTest::batteryRemovedAndInsertedThroughDevd()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);

	setBattery(80, 7);
	QVERIFY(devd->notify());
	QTRY_VERIFY_WITH_TIMEOUT(!tray()->isVisible(), PATIENCE);
	QVERIFY(!pollTimer()->isActive());

	setBattery(40, 2, -1, 1);
	QVERIFY(devd->notify());
	QTRY_VERIFY_WITH_TIMEOUT(tray()->isVisible(), PATIENCE);
	QCOMPARE(tray()->toolTip(), QString("Status: Charging\nCapacity: 40%"));
	QVERIFY(pollTimer()->isActive());
}

void
IndicatorTest::reconnectionReplacesNotifierWithoutRereading()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	QPointer<QSocketNotifier> old = indicator->findChild<QSocketNotifier *>();
	QVERIFY(old);

	setBattery(30, 1, 60);
	devd->close_client();
	QTRY_VERIFY_WITH_TIMEOUT(old.isNull(), PATIENCE);
	QSocketNotifier *now = indicator->findChild<QSocketNotifier *>();
	QVERIFY(now != nullptr);
	QVERIFY(now->isEnabled());
	QVERIFY(tray()->toolTip().contains("80%"));

	/* The new connection carries notifications. */
	QVERIFY(devd->accept_client());
	QVERIFY(devd->notify());
	QTRY_VERIFY_WITH_TIMEOUT(tray()->toolTip().contains("30%"), PATIENCE);
}

void
IndicatorTest::menuAndClicks()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	QMenu *menu = tray()->contextMenu();
	QVERIFY(menu != nullptr);
	QCOMPARE(menu->actions().size(), 2);
	QCOMPARE(menu->actions()[0]->text(), QString("&Preferences"));
	QCOMPARE(menu->actions()[1]->text(), QString("&Quit"));
	QVERIFY(!menu->actions()[0]->icon().isNull());
	QVERIFY(!menu->actions()[1]->icon().isNull());

	ModalHandler handler;
	handler.handle = [](QWidget *w) {
		if (qobject_cast<Preferences *>(w) == nullptr)
			return false;
		static_cast<QDialog *>(w)->reject();
		return true;
	};
	emit tray()->activated(QSystemTrayIcon::MiddleClick);
	emit tray()->activated(QSystemTrayIcon::Context);
	QCOMPARE(handler.seen.size(), 0);
	emit tray()->activated(QSystemTrayIcon::Trigger);
	emit tray()->activated(QSystemTrayIcon::DoubleClick);
	QCOMPARE(handler.seen, QStringList({ "Preferences", "Preferences" }));
}

void
IndicatorTest::warningBalloonsAtTheLevels()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	setBattery(12, 1, 30);
	poll();

	setBattery(11, 1, 29);
	poll();
	QVERIFY(balloonText().isEmpty());

	setBattery(10, 1, 28);
	poll();
	QTRY_VERIFY_WITH_TIMEOUT(balloonText().contains("Battery capacity at 10%"),
	    PATIENCE);
	QVERIFY(balloonText().contains("Warning"));
}

void
IndicatorTest::countdownRunsSuspendCommandOnce()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	const QString log = home->filePath("ran");
	const QString script = home->filePath("suspend.sh");
	QFile f(script);
	QVERIFY(f.open(QIODevice::WriteOnly));
	/* Records its arguments and whether the settings were saved first. */
	f.write("#!/bin/sh\n"
	    "test -f \"$1\" && echo saved >>\"$2\"\n"
	    "echo ran \"$3\" >>\"$2\"\n"
	    "exit 3\n");
	f.close();
	chmod(qPrintable(script), 0755);
	const QString configPath = home->filePath(".config/Qor/ampelwick/config");
	const QByteArray command = (script + " " + configPath + " " + log +
	    " arg").toUtf8();

	free(settings->vars[SLOT_SUSPEND_CMD].val.str);
	settings->vars[SLOT_SUSPEND_CMD].val.str = strdup(command.constData());
	startArmed();

	ModalHandler handler;
	handler.handle = [](QWidget *w) {
		QMessageBox *box = qobject_cast<QMessageBox *>(w);
		if (box != nullptr)
			box->accept();
		return box != nullptr;
	};
	setBattery(4, 1, 6);
	poll();
	Countdown *c = countdown();
	QVERIFY(c != nullptr);
	/* A further change while counting down starts nothing. */
	setBattery(3, 1, 5);
	poll();
	QCOMPARE(indicator->findChildren<Countdown *>().size(), 1);
	/* The deadline. */
	c->accept();
	QFile ran(log);
	QVERIFY(ran.open(QIODevice::ReadOnly));
	QCOMPARE(QString(ran.readAll()), QString("saved\nran arg\n"));
	QCOMPARE(handler.seen.last(), QString("Warning: Command " + command +
	    " returned an exit status != 0: 3"));
	QTRY_VERIFY_WITH_TIMEOUT(indicator->findChildren<Countdown *>().isEmpty(),
	    PATIENCE);
}

void
IndicatorTest::cancelHoldsUntilCharger()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	startArmed();

	setBattery(5, 1);
	poll();
	QVERIFY(countdown() != nullptr);
	countdown()->reject();
	setBattery(4, 1);
	poll();
	setBattery(2, 1);
	poll();
	QVERIFY(countdown() == nullptr);

	setBattery(2, 2, -1, 1);
	poll();
	setBattery(2, 1);
	poll();
	QVERIFY(countdown() != nullptr);
	countdown()->reject();
}

/* A crossing seen through devd warns as one seen by the poll, and once. */
void
IndicatorTest::crossingActedOnOnceByEitherPath()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	settings->vars[SLOT_AUTOSHUTDOWN].val.boolean = true;
	settings->vars[SLOT_SHUTDOWN_CAP].val.integer = 3;
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	ShowCounter balloons("QBalloonTip");
	/* The battery's levels come with a notification: 10 % and 5 %. */
	setBattery(30, 1, 90);
	QVERIFY(devd->notify());
	QTRY_VERIFY_WITH_TIMEOUT(tray()->toolTip().contains("30%"), PATIENCE);

	/* devd first, then the poll. */
	setBattery(10, 1, 30);
	QVERIFY(devd->notify());
	QTRY_COMPARE_WITH_TIMEOUT(balloons.count, 1, PATIENCE);
	QVERIFY(balloonText().contains("Battery capacity at 10%"));
	poll();
	/* The poll first, then devd. */
	setBattery(5, 1, 15);
	poll();
	QCOMPARE(balloons.count, 2);
	setBattery(5, 1, 14);
	QVERIFY(devd->notify());
	QTRY_VERIFY_WITH_TIMEOUT(tray()->toolTip().contains("00:14"), PATIENCE);
	/* Both at the shutdown level: one countdown. */
	setBattery(3, 1, 9);
	QVERIFY(devd->notify());
	QTRY_VERIFY_WITH_TIMEOUT(countdown() != nullptr, PATIENCE);
	poll();
	QCOMPARE(indicator->findChildren<Countdown *>().size(), 1);
	QCOMPARE(balloons.count, 2);
	countdown()->reject();
}

/*
 * While the action is pending no entry opens the preferences, and a
 * dialog opened before it does not hold it back: the countdown comes on
 * top and the command runs at its deadline.
 */
void
IndicatorTest::preferencesNeverHoldBackTheAction()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	suspendLogging();
	startArmed();
	ModalHandler handler;
	int shown = 0;
	bool done = false, onTop = false, entryClosed = false, ranUnder = false;
	/* Run from the preferences' loop, leaving the handler free. */
	auto underPreferences = [&](QDialog *prefs) {
		setBattery(4, 1, 8);
		poll();
		onTop = countdown() != nullptr &&
		    QApplication::activeModalWidget() == countdown();
		entryClosed = !preferencesEntry()->isEnabled();
		preferencesEntry()->trigger();
		emit tray()->activated(QSystemTrayIcon::Trigger);
		QMetaObject::invokeMethod(indicator, "showConfigMenu");
		if (countdown() != nullptr)
			countdown()->accept();
		ranUnder = suspendRuns() == 1 && prefs->isVisible();
		prefs->reject();
		done = true;
	};
	handler.handle = [&](QWidget *w) {
		QDialog *d = static_cast<QDialog *>(w);
		if (qobject_cast<Preferences *>(w) != nullptr && shown++ == 0)
			QTimer::singleShot(0, d, [&, d] { underPreferences(d); });
		else
			d->reject();
		return true;
	};
	emit tray()->activated(QSystemTrayIcon::Trigger);
	QTRY_VERIFY_WITH_TIMEOUT(done, PATIENCE);
	QVERIFY(onTop);
	QVERIFY(entryClosed);
	QCOMPARE(shown, 1);
	QVERIFY(ranUnder);
	QVERIFY(preferencesEntry()->isEnabled());
}

/* A save that fails before the action is reported without a box. */
void
IndicatorTest::failedSaveDoesNotHoldBackTheAction()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	suspendLogging();
	QVERIFY(QDir().mkpath(home->filePath(".config/Qor/ampelwick/config")));
	startArmed();
	ModalHandler handler;
	handler.handle = [](QWidget *w) {
		static_cast<QDialog *>(w)->reject();
		return true;
	};
	setBattery(4, 1, 8);
	poll();
	QVERIFY(countdown() != nullptr);
	countdown()->accept();
	QCOMPARE(suspendRuns(), 1);
	QTRY_VERIFY_WITH_TIMEOUT(balloonText().contains("Is a directory"),
	    PATIENCE);
	QVERIFY(handler.seen.isEmpty());
}

enum Opener { CLICK, MENU, DISCHARGE };

/* The box about a failed suspend, left open, lets the next one start. */
void
IndicatorTest::boxLeftOpenDoesNotHoldBackTheAction()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	suspendLogging(3);
	startArmed();
	ModalHandler handler;
	bool again = false;
	handler.handle = [&](QWidget *w) {
		QMessageBox *box = qobject_cast<QMessageBox *>(w);
		if (box == nullptr)
			return false;
		setBattery(3, 1, 6);
		poll();
		again = countdown() != nullptr;
		if (again)
			countdown()->reject();
		box->accept();
		return true;
	};
	setBattery(4, 1, 8);
	poll();
	QVERIFY(countdown() != nullptr);
	countdown()->accept();
	QCOMPARE(suspendRuns(), 1);
	QVERIFY(again);
}

void
IndicatorTest::screenChangeUnderOpenDialog_data()
{
	QTest::addColumn<QString>("dialog");
	QTest::addColumn<int>("opener");

	QTest::newRow("preferences from a click") << "Preferences" << int(CLICK);
	QTest::newRow("preferences from the menu") << "Preferences" << int(MENU);
	QTest::newRow("countdown") << "Countdown" << int(DISCHARGE);
	/* The box of a failed save, over the preferences opened by a click. */
	QTest::newRow("message box") << "QMessageBox" << int(CLICK);
}

/*
 * The icon is made anew under whatever is open, while what the dialog was
 * opened from, the clicked icon or the menu, whose call is on the stack
 * below, lives on until it has returned.  Events come the way the window
 * system's do, through the windows.
 */
void
IndicatorTest::screenChangeUnderOpenDialog()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	QFETCH(QString, dialog);
	QFETCH(int, opener);
	startArmed();
	QPointer<QSystemTrayIcon> old = tray();
	QPointer<QObject> caller = opener == MENU ?
	    static_cast<QObject *>(tray()->contextMenu()) : old.data();
	bool remade = false, handled = false, callerKept = false;
	ModalHandler handler;
	handler.handle = [&](QWidget *w) {
		QDialog *d = static_cast<QDialog *>(w);
		if (dialog == "QMessageBox" && qobject_cast<Preferences *>(w)) {
			/* Outside this handler, which a box would hold. */
			QTimer::singleShot(0, d, [d] {
				QMetaObject::invokeMethod(d, "acceptSlot");
			});
			return true;
		}
		if (w->metaObject()->className() != dialog)
			return false;
		screenChange(true);
		remade = tray() != old && tray()->isVisible();
		callerKept = !caller.isNull();
		handled = true;
		if (Countdown *c = qobject_cast<Countdown *>(w))
			c->reject();
		else if (qobject_cast<QMessageBox *>(w))
			d->accept();
		else
			d->reject();
		return true;
	};
	/* Even root cannot save where a directory stands. */
	if (dialog == "QMessageBox")
		QVERIFY(QDir().mkpath(home->filePath(
		    ".config/Qor/ampelwick/config")));
	switch (opener) {
	case CLICK:
		QTest::mouseClick(trayWindow()->windowHandle(), Qt::LeftButton);
		break;
	case MENU: {
		QMenu *menu = tray()->contextMenu();
		menu->popup(QPoint(100, 100));
		QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), PATIENCE);
		QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
		    menu->actionGeometry(preferencesEntry()).center());
		break;
	}
	default:
		setBattery(4, 1, 8);
		poll();
	}
	QTRY_VERIFY_WITH_TIMEOUT(handled, PATIENCE);
	QVERIFY(remade);
	if (opener != DISCHARGE)
		QVERIFY(callerKept);
	QTRY_VERIFY_WITH_TIMEOUT(old.isNull(), PATIENCE);
	QCOMPARE(indicator->findChildren<QSystemTrayIcon *>().size(), 1);
	QVERIFY(tray()->isVisible());
}

void
IndicatorTest::hundredScreenChangesLeakNothing()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	const int objects = indicator->findChildren<QObject *>().size();
	const int widgets = QApplication::allWidgets().size();

	for (int i = 0; i < 100; i++)
		screenChange(false);
	QCOMPARE(indicator->findChildren<QObject *>().size(), objects);
	QCOMPARE(QApplication::allWidgets().size(), widgets);

	/* Under the preferences opened by a click, the old icons wait. */
	ModalHandler handler;
	handler.handle = [&](QWidget *w) {
		for (int i = 0; i < 100; i++)
			screenChange(false);
		static_cast<QDialog *>(w)->reject();
		return true;
	};
	QTest::mouseClick(trayWindow()->windowHandle(), Qt::LeftButton);
	QCOMPARE(handler.seen, QStringList("Preferences"));
	QTRY_COMPARE_WITH_TIMEOUT(indicator->findChildren<QObject *>().size(),
	    objects, PATIENCE);
	QTRY_COMPARE_WITH_TIMEOUT(QApplication::allWidgets().size(), widgets,
	    PATIENCE);
	QVERIFY(tray()->isVisible());
}

void
IndicatorTest::noTrayFallbackWindow()
{
	if (QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a desktop without a system tray");
	makeIndicator();
	/* Timers never come early: no window before the checks are spent. */
	QTest::qWait(30000);
	QVERIFY(!indicator->isVisible());
	QTRY_VERIFY_WITH_TIMEOUT(indicator->isVisible(), PATIENCE);
	QVERIFY(tray() == nullptr);
}

QTEST_MAIN(IndicatorTest)
#include "indicator_test.moc"
