/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The indicator on a real system tray (run under tests/support/with-tray.sh)
 * over the simulated laptop: the coordinator with its parts wired up.
 */
#include <sys/stat.h>

#include <functional>

#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTimer>

#include "battindicator.h"
#include "batterywatch.h"
#include "countdown.h"
#include "detailswindow.h"
#include "fallbackwindow.h"
#include "laptop.h"
#include "preferences.h"

static const QColor green(96, 255, 96);
static const QColor yellow(239, 239, 92);
static const QColor red(255, 0, 0);

/* Handles modal dialogs and boxes as they appear, noting them. */
class ModalHandler : public QObject {
public:
	std::function<bool(QWidget *)> handle;	/* true: handled */
	QStringList seen;	/* class names */
	QStringList texts;	/* of the boxes */

	ModalHandler()
	{
		connect(&timer, &QTimer::timeout, this, &ModalHandler::look);
		timer.start(20);
	}

private:
	void look()
	{
		for (QWidget *w : QApplication::topLevelWidgets()) {
			if (qobject_cast<QDialog *>(w) == nullptr ||
			    !w->isVisible() || w->property("handled").toBool())
				continue;
			if (QMessageBox *box = qobject_cast<QMessageBox *>(w))
				texts << box->text();
			seen << w->metaObject()->className();
			w->setProperty("handled", handle && handle(w));
			return;
		}
	}

	QTimer timer;
};

class IndicatorTest : public QObject {
	Q_OBJECT

	Laptop		*laptop = nullptr;
	Settings	 settings;
	BattIndicator	*indicator = nullptr;

	void start(bool armed = false);
	QSystemTrayIcon *tray() const
	{
		return indicator->findChild<QSystemTrayIcon *>();
	}
	BatteryWatch *watch() const
	{
		return indicator->findChild<BatteryWatch *>();
	}
	void poll() { watch()->pollACPI(); }
	QAction *preferencesEntry() const
	{
		return tray()->contextMenu()->actions().value(1);
	}
	Countdown *countdown() const;
	QList<QWidget *> trayWindows() const;
	void screenChange();
	QColor gaugeColour() const
	{
		return tray()->icon().pixmap(10, 24).toImage().pixelColor(0, 12);
	}
	QString balloonText() const;

private slots:
	void initTestCase();
	void init();
	void cleanup();
	void trayIconAppears();
	void firstPollWarnsOfACrossing();
	void changesRedrawGaugeAndToolTip();
	void batteryRemovedAndInsertedThroughDevd();
	void menuAndClicks();
	void preferencesAppliedThenSaved();
	void crossingActedOnOnceByEitherPath();
	void preferencesNeverHoldBackTheAction();
	void screenChangeUnderOpenDialog_data();
	void screenChangeUnderOpenDialog();
	void hundredScreenChangesLeakNothing();
	void quitSavesAndLeavesTheEventLoop();
	void cannotSuspendSaidAtStartAndInPreferences();
	void noTrayFallbackWindow();
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
	laptop = new Laptop;
	settings = Settings();
	/* The drawn gauge: pixels a test can check. */
	settings.useIconTheme = false;
	if (!QSystemTrayIcon::isSystemTrayAvailable() &&
	    qstrcmp(QTest::currentTestFunction(), "noTrayFallbackWindow") != 0)
		QSKIP("needs a system tray");
}

void
IndicatorTest::cleanup()
{
	delete indicator;
	indicator = nullptr;
	delete laptop;
}

/* Armed: automatic suspend at 5 % by a script that notes its runs. */
void
IndicatorTest::start(bool armed)
{
	if (armed) {
		const QString script = laptop->path("suspend.sh");
		QFile f(script);
		QVERIFY(f.open(QIODevice::WriteOnly));
		f.write("#!/bin/sh\necho ran >>\"$1\"\n");
		f.close();
		chmod(qPrintable(script), 0755);
		settings.autoShutdown = true;
		settings.suspendCmd = qPrintable(script + " " +
		    laptop->path("ran"));
	}
	indicator = new BattIndicator(settings, nullptr);
	QVERIFY(laptop->devd.accept_client(PATIENCE));
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr && tray()->isVisible(),
	    PATIENCE);
	poll();
}

Countdown *
IndicatorTest::countdown() const
{
	for (Countdown *c : indicator->findChildren<Countdown *>())
		if (c->isVisible())
			return c;
	return nullptr;
}

/* The windows that the tray embeds. */
QList<QWidget *>
IndicatorTest::trayWindows() const
{
	QList<QWidget *> found;
	for (QWidget *w : QApplication::topLevelWidgets())
		if (qstrcmp(w->metaObject()->className(),
		    "QSystemTrayIconSys") == 0 && w->isVisible())
			found << w;
	return found;
}

/* A change of the primary screen's geometry, and the tray check after it. */
void
IndicatorTest::screenChange()
{
	QPointer<QWidget> old = trayWindows().value(0);
	QMetaObject::invokeMethod(indicator, "scrGeomChanged",
	    Q_ARG(QRect, QRect(0, 0, 1024, 768)));
	/* The callers check the outcome. */
	(void)QTest::qWaitFor([&] {
		return old.isNull() && trayWindows().size() == 1;
	}, PATIENCE);
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
	indicator = new BattIndicator(settings, nullptr);
	/* No tray icon until the first look, once the event loop runs. */
	QVERIFY(tray() == nullptr);
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, PATIENCE);
	QVERIFY(tray()->isVisible());
	QCOMPARE(tray()->toolTip(),
	    QString("Status: Discharging\nCapacity: 80%\nTime remaining: 02:30"));
	QCOMPARE(gaugeColour(), yellow);
	QCOMPARE(watch()->findChild<QTimer *>()->interval(), 5000);
}

/* The first poll is judged against the start: a crossing warns. */
void
IndicatorTest::firstPollWarnsOfACrossing()
{
	indicator = new BattIndicator(settings, nullptr);
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr && tray()->isVisible(),
	    PATIENCE);
	QCOMPARE(gaugeColour(), yellow);
	laptop->set(8, 1, 15);
	poll();
	QCOMPARE(gaugeColour(), red);
	QCOMPARE(tray()->toolTip(),
	    QString("Status: Discharging\nCapacity: 8%\nTime remaining: 00:15\n"
	    "Battery low"));
	QTRY_VERIFY_WITH_TIMEOUT(balloonText().contains("Battery capacity at 8%"),
	    PATIENCE);
}

void
IndicatorTest::changesRedrawGaugeAndToolTip()
{
	start();
	laptop->set(10, 1, 19);
	poll();
	QCOMPARE(gaugeColour(), red);
	QCOMPARE(tray()->toolTip(),
	    QString("Status: Discharging\nCapacity: 10%\nTime remaining: 00:19\n"
	    "Battery low"));
	/*
	 * The time alone, at a new load for a while: the tip follows it, the
	 * tray draws nothing anew.
	 */
	const qint64 picture = tray()->icon().cacheKey();
	laptop->set(10, 1, 10);
	for (int i = 0; i < 8; i++)
		poll();
	QCOMPARE(tray()->toolTip(),
	    QString("Status: Discharging\nCapacity: 10%\nTime remaining: 00:10\n"
	    "Battery low"));
	QCOMPARE(tray()->icon().cacheKey(), picture);
	laptop->set(10, 2, -1, 1);
	poll();
	QCOMPARE(gaugeColour(), green);
	QCOMPARE(tray()->toolTip(), QString("Status: Charging\nCapacity: 10%"
	    "\nTime to full: estimating\u2026"));
	/* Neither bit on AC after a known state: on AC power. */
	laptop->set(100, 0, -1, 1);
	poll();
	QCOMPARE(tray()->toolTip(), QString("Status: Running on AC power"));
	/* Unknown state: the tool tip stays. */
	laptop->set(99, 0, -1, 0);
	poll();
	QCOMPARE(tray()->toolTip(), QString("Status: Running on AC power"));
}

void
IndicatorTest::batteryRemovedAndInsertedThroughDevd()
{
	start();
	laptop->set(80, 7);
	QVERIFY(laptop->devd.notify());
	QTRY_VERIFY_WITH_TIMEOUT(!tray()->isVisible(), PATIENCE);
	laptop->set(40, 2, -1, 1);
	QVERIFY(laptop->devd.notify());
	QTRY_VERIFY_WITH_TIMEOUT(tray()->isVisible(), PATIENCE);
	QCOMPARE(tray()->toolTip(), QString("Status: Charging\nCapacity: 40%"));
}

void
IndicatorTest::menuAndClicks()
{
	start();
	QMenu *menu = tray()->contextMenu();
	QCOMPARE(menu->actions().size(), 3);
	QCOMPARE(menu->actions()[0]->text(), QString("Battery &details…"));
	QCOMPARE(menu->actions()[1]->text(), QString("&Preferences"));
	QCOMPARE(menu->actions()[2]->text(), QString("&Quit"));
	QVERIFY(!menu->actions()[1]->icon().isNull());
	QVERIFY(!menu->actions()[2]->icon().isNull());

	/*
	 * One dialog at a time: requests while it is open (a click over
	 * D-Bus passes its modality) bring up the open one.
	 */
	ModalHandler handler;
	handler.handle = [this](QWidget *w) {
		emit tray()->activated(QSystemTrayIcon::Trigger);
		preferencesEntry()->trigger();
		QTimer::singleShot(200, w, [w] {
			static_cast<QDialog *>(w)->reject();
		});
		return true;
	};
	emit tray()->activated(QSystemTrayIcon::MiddleClick);
	emit tray()->activated(QSystemTrayIcon::Context);
	QTest::qWait(200);
	QCOMPARE(handler.seen.size(), 0);
	emit tray()->activated(QSystemTrayIcon::Trigger);
	QTRY_COMPARE_WITH_TIMEOUT(handler.seen.size(), 1, PATIENCE);
	emit tray()->activated(QSystemTrayIcon::DoubleClick);
	QTRY_COMPARE_WITH_TIMEOUT(handler.seen,
	    QStringList({ "Preferences", "Preferences" }), PATIENCE);

	/* The details: one window, following the readings while it is open. */
	menu->actions()[0]->trigger();
	menu->actions()[0]->trigger();
	BatteryDetails *details = nullptr;
	QTRY_VERIFY_WITH_TIMEOUT((details = indicator->findChild<
	    BatteryDetails *>()) != nullptr && details->isVisible(), PATIENCE);
	QCOMPARE(indicator->findChildren<BatteryDetails *>().size(), 1);
	auto texts = [details] {
		QStringList t;
		for (QLabel *label : details->findChildren<QLabel *>())
			if (label->isVisibleTo(details))
				t << label->text();
		return t;
	};
	QVERIFY(texts().contains("83%"));	/* 50000 of 60000 */
	QVERIFY(texts().contains("unknown"));	/* no model given */
	QVERIFY(!texts().contains("Cycle count:"));
	laptop->set(41, 2, -1, 1);
	poll();
	QTRY_VERIFY_WITH_TIMEOUT(texts().contains("Charging"), PATIENCE);
	QVERIFY(texts().contains("41%"));
	/* The readings went to the history in the test's home. */
	QFile history(laptop->path(".local/state/ampelwick/history"));
	QVERIFY(history.open(QIODevice::ReadOnly));
	QVERIFY(history.readAll().count('\n') >= 2);
	details->close();
	QTRY_VERIFY_WITH_TIMEOUT(
	    indicator->findChild<BatteryDetails *>() == nullptr, PATIENCE);
}

/* Ok: in force at once and saved; a failed save is reported once. */
void
IndicatorTest::preferencesAppliedThenSaved()
{
	start();
	int poll = 7;
	ModalHandler handler;
	handler.handle = [&](QWidget *w) {
		Preferences *prefs = qobject_cast<Preferences *>(w);
		if (prefs == nullptr)
			return static_cast<QDialog *>(w)->close();
		for (QSpinBox *box : prefs->findChildren<QSpinBox *>())
			if (box->suffix() == " s")
				box->setValue(poll);
		prefs->acceptSlot();
		return true;
	};
	preferencesEntry()->trigger();
	QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(laptop->configPath()), PATIENCE);
	QCOMPARE(watch()->findChild<QTimer *>()->interval(), 7000);
	QFile config(laptop->configPath());
	QVERIFY(config.open(QIODevice::ReadOnly));
	QVERIFY(config.readAll().contains("poll_interval = 7\n"));

	/* Even root cannot save where a directory stands. */
	QVERIFY(QFile::remove(laptop->configPath()));
	QVERIFY(QDir().mkpath(laptop->configPath()));
	poll = 9;
	preferencesEntry()->trigger();
	QTRY_COMPARE_WITH_TIMEOUT(handler.texts.size(), 1, PATIENCE);
	QVERIFY(handler.texts[0].contains("Is a directory"));
	QCOMPARE(handler.seen.size(), 3);
	QCOMPARE(watch()->findChild<QTimer *>()->interval(), 9000);
}

/* Suspend chosen where the machine has none: said once, and in Preferences. */
void
IndicatorTest::cannotSuspendSaidAtStartAndInPreferences()
{
	bool noted = false;
	ModalHandler handler;
	handler.handle = [&](QWidget *w) {
		Preferences *prefs = qobject_cast<Preferences *>(w);
		if (prefs == nullptr)
			return static_cast<QDialog *>(w)->close();
		noted = prefs->findChild<QLabel *>("cannotSuspendNote") != nullptr;
		prefs->reject();
		return true;
	};
	laptop->readings.extra = "suspend=0\n";
	QVERIFY(laptop->set(80, 1, 150));
	start(true);
	QTRY_COMPARE_WITH_TIMEOUT(handler.texts.size(), 1, PATIENCE);
	QVERIFY(handler.texts[0].contains("cannot suspend"));
	preferencesEntry()->trigger();
	QTRY_VERIFY_WITH_TIMEOUT(noted, PATIENCE);
	QCOMPARE(handler.texts.size(), 1);
}

/* A crossing seen through devd warns as one seen by the poll, and once. */
void
IndicatorTest::crossingActedOnOnceByEitherPath()
{
	settings.autoShutdown = true;
	settings.shutdownCap = 3;
	/* No timed poll within the test's patience: devd or poll() alone. */
	settings.pollInterval = 99;
	settings.suspendCmd = "true";
	start();
	int balloons = 0;
	QTimer counter;
	connect(&counter, &QTimer::timeout, [&] {
		for (QWidget *w : QApplication::topLevelWidgets())
			if (qstrcmp(w->metaObject()->className(), "QBalloonTip") ==
			    0 && w->isVisible() && !w->property("counted").toBool())
				w->setProperty("counted", ++balloons);
	});
	counter.start(10);
	/* The battery's levels come with a notification: 10 % and 5 %. */
	laptop->set(30, 1, 90);
	QVERIFY(laptop->devd.notify());
	QTRY_VERIFY_WITH_TIMEOUT(tray()->toolTip().contains("30%"), PATIENCE);

	/* devd first, then the poll. */
	laptop->set(10, 1, 30);
	QVERIFY(laptop->devd.notify());
	QTRY_COMPARE_WITH_TIMEOUT(balloons, 1, PATIENCE);
	QVERIFY(balloonText().contains("Battery capacity at 10%"));
	poll();
	/* The poll first, then devd. */
	laptop->set(5, 1, 15);
	poll();
	QTRY_COMPARE_WITH_TIMEOUT(balloons, 2, PATIENCE);
	laptop->set(4, 1, 12);
	QVERIFY(laptop->devd.notify());
	QTRY_VERIFY_WITH_TIMEOUT(tray()->toolTip().contains("Capacity: 4%"),
	    PATIENCE);
	/* Both at the shutdown level: one countdown. */
	laptop->set(3, 1, 9);
	QVERIFY(laptop->devd.notify());
	QTRY_VERIFY_WITH_TIMEOUT(countdown() != nullptr, PATIENCE);
	poll();
	QCOMPARE(indicator->findChildren<Countdown *>().size(), 1);
	QCOMPARE(balloons, 2);
	/* The adapter's own notification: the charger ends the countdown. */
	laptop->set(3, 2, -1, 1);
	QVERIFY(laptop->devd.send_line(
	    "!system=ACPI subsystem=ACAD type=\\_SB_.ACAD notify=0x01"));
	QTRY_VERIFY_WITH_TIMEOUT(countdown() == nullptr, PATIENCE);
	/* No cancellation: unplugged at the cap, it counts down again. */
	laptop->set(3, 1, 9);
	QVERIFY(laptop->devd.notify());
	QTRY_VERIFY_WITH_TIMEOUT(countdown() != nullptr, PATIENCE);
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
	start(true);
	ModalHandler handler;
	bool done = false, onTop = false, entryClosed = false, ranUnder = false;
	/* Run from the preferences' loop, leaving the handler free. */
	auto underPreferences = [&](QDialog *prefs) {
		laptop->set(4, 1, 8);
		poll();
		onTop = QApplication::activeModalWidget() == countdown();
		entryClosed = !preferencesEntry()->isEnabled();
		preferencesEntry()->trigger();
		emit tray()->activated(QSystemTrayIcon::Trigger);
		QMetaObject::invokeMethod(indicator, "showConfigMenu");
		QTest::qWait(200);
		countdown()->accept();
		QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(laptop->path("ran")),
		    PATIENCE);
		ranUnder = prefs->isVisible();
		prefs->reject();
		done = true;
	};
	handler.handle = [&](QWidget *w) {
		QDialog *d = static_cast<QDialog *>(w);
		if (qobject_cast<Preferences *>(w) != nullptr)
			QTimer::singleShot(0, d, [&, d] { underPreferences(d); });
		return true;
	};
	emit tray()->activated(QSystemTrayIcon::Trigger);
	QTRY_VERIFY_WITH_TIMEOUT(done, PATIENCE);
	QVERIFY(onTop);
	QVERIFY(entryClosed);
	QCOMPARE(handler.seen, QStringList({ "Preferences", "Countdown" }));
	QVERIFY(ranUnder);
	QTRY_VERIFY_WITH_TIMEOUT(preferencesEntry()->isEnabled(), PATIENCE);
}

enum Opener { CLICK, MENU, DISCHARGE };

void
IndicatorTest::screenChangeUnderOpenDialog_data()
{
	QTest::addColumn<QString>("dialog");
	QTest::addColumn<int>("opener");

	QTest::newRow("preferences from a click") << "Preferences" << int(CLICK);
	QTest::newRow("preferences from the menu") << "Preferences" << int(MENU);
	QTest::newRow("countdown") << "Countdown" << int(DISCHARGE);
	/* The box of a failed save, after the preferences. */
	QTest::newRow("message box") << "QMessageBox" << int(CLICK);
}

/*
 * The icon is embedded anew under whatever is open, with one icon in the
 * tray; the menu the dialog was opened from lives on.  Events come the
 * way the window system's do, through the windows.
 */
void
IndicatorTest::screenChangeUnderOpenDialog()
{
	QFETCH(QString, dialog);
	QFETCH(int, opener);
	start(true);
	QPointer<QMenu> menu = tray()->contextMenu();
	bool reembedded = false;
	ModalHandler handler;
	handler.handle = [&](QWidget *w) {
		QDialog *d = static_cast<QDialog *>(w);
		if (dialog == "QMessageBox" && qobject_cast<Preferences *>(w)) {
			QTimer::singleShot(0, d, [d] {
				QMetaObject::invokeMethod(d, "acceptSlot");
			});
			return true;
		}
		if (w->metaObject()->className() != dialog)
			return false;
		screenChange();
		reembedded = trayWindows().size() == 1 && tray()->isVisible() &&
		    !menu.isNull();
		QTimer::singleShot(0, d, &QDialog::reject);
		return true;
	};
	if (dialog == "QMessageBox")
		QVERIFY(QDir().mkpath(laptop->configPath()));
	QWidget *icon = trayWindows().value(0);
	QVERIFY(icon != nullptr);
	if (opener == CLICK)
		QTest::mouseClick(icon->windowHandle(), Qt::LeftButton);
	else if (opener == MENU) {
		menu->popup(QPoint(100, 100));
		QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), PATIENCE);
		QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
		    menu->actionGeometry(preferencesEntry()).center());
	} else {
		laptop->set(4, 1, 8);
		poll();
	}
	QTRY_VERIFY_WITH_TIMEOUT(handler.seen.contains(dialog), PATIENCE);
	QVERIFY(reembedded);
	QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr,
	    PATIENCE);
	QCOMPARE(trayWindows().size(), 1);
	/* Settled: no check runs on. */
	QVERIFY(!indicator->findChild<QTimer *>("trayCheck")->isActive());
}

void
IndicatorTest::hundredScreenChangesLeakNothing()
{
	start();
	const int objects = indicator->findChildren<QObject *>().size();
	const int widgets = QApplication::allWidgets().size();
	ModalHandler handler;
	handler.handle = [&](QWidget *w) {
		for (int i = 0; i < 100; i++)
			QMetaObject::invokeMethod(indicator, "checkForSysTray");
		static_cast<QDialog *>(w)->reject();
		return true;
	};
	for (int i = 0; i < 100; i++)
		QMetaObject::invokeMethod(indicator, "checkForSysTray");
	QCOMPARE(indicator->findChildren<QObject *>().size(), objects);
	/* And under the preferences opened by a click. */
	QTest::mouseClick(trayWindows().value(0)->windowHandle(), Qt::LeftButton);
	QTRY_COMPARE_WITH_TIMEOUT(handler.seen, QStringList("Preferences"),
	    PATIENCE);
	QTRY_COMPARE_WITH_TIMEOUT(QApplication::allWidgets().size(), widgets,
	    PATIENCE);
	QCOMPARE(indicator->findChildren<QObject *>().size(), objects);
	QCOMPARE(trayWindows().size(), 1);
}

/* Quit saves and ends the event loop; nothing else ends the process. */
void
IndicatorTest::quitSavesAndLeavesTheEventLoop()
{
	settings.pollInterval = 8;
	start();
	QAction *quit = tray()->contextMenu()->actions().value(2);
	QTimer::singleShot(0, quit, &QAction::trigger);
	QCOMPARE(QCoreApplication::exec(), 0);
	QFile config(laptop->configPath());
	QVERIFY(config.open(QIODevice::ReadOnly));
	QVERIFY(config.readAll().contains("poll_interval = 8\n"));
}

void
IndicatorTest::noTrayFallbackWindow()
{
	if (QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a desktop without a system tray");
	settings.pollInterval = 8;
	indicator = new BattIndicator(settings, nullptr);
	QTimer *check = indicator->findChild<QTimer *>("trayCheck");
	int checks = 0;
	connect(check, &QTimer::timeout, [&] { checks++; });
	FallbackWindow *window = nullptr;
	QTRY_VERIFY_WITH_TIMEOUT((window = indicator->findChild<
	    FallbackWindow *>()) != nullptr && window->isVisible(),
	    30500 + PATIENCE);
	/* After the last of its retries, and then no more checks. */
	QCOMPARE(checks, 61);
	QVERIFY(!check->isActive());
	/* A tray may have come: the check runs again, with all its retries. */
	checks = 0;
	QMetaObject::invokeMethod(indicator, "trayChanged");
	QTRY_VERIFY_WITH_TIMEOUT(checks >= 2, PATIENCE);
	QVERIFY(!indicator->isVisible());
	QVERIFY(tray() == nullptr);
	QCOMPARE(window->minimumSize(), window->maximumSize());
	QStringList texts;
	for (QLabel *label : window->findChildren<QLabel *>())
		texts << label->text();
	QVERIFY(texts.contains(
	    "Status: Discharging\nCapacity: 80%\nTime remaining: 02:30"));
	/* A warning reaches the user in the window. */
	laptop->set(9, 1, 20);
	watch()->pollACPI();
	QTRY_VERIFY_WITH_TIMEOUT(window->findChildren<QLabel *>().last()->text().
	    contains("Battery capacity at 9%"), PATIENCE);

	/* Closing it quits as Quit does: saved, the event loop left. */
	QTimer::singleShot(0, window, &QWidget::close);
	QCOMPARE(QCoreApplication::exec(), 0);
	QFile config(laptop->configPath());
	QVERIFY(config.open(QIODevice::ReadOnly));
	QVERIFY(config.readAll().contains("poll_interval = 8\n"));
}

QTEST_MAIN(IndicatorTest)
#include "indicator_test.moc"
