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
		connect(&timer, SIGNAL(timeout()), this, SLOT(look()));
		timer.start(20);
	}

private slots:
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

private:
	/* The countdown shows itself before exec() and so is never the
	 * application's modal window: look at the top-level dialogs too. */
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

class IndicatorTest : public QObject {
	Q_OBJECT

private slots:
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
	void noTrayFallbackWindow();

private:
	BattIndicator *makeIndicator();
	void startArmed();
	QSystemTrayIcon *tray() const;
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
	devd->accept_client();
	return indicator;
}

/* Automatic action on at 5 %, the tray icon made and the first tick taken. */
void
IndicatorTest::startArmed()
{
	settings->vars[SLOT_AUTOSHUTDOWN].val.boolean = true;
	settings->vars[SLOT_SHUTDOWN_CAP].val.integer = 5;
	makeIndicator();
	QTRY_VERIFY(tray() != nullptr);
	poll();
}

QSystemTrayIcon *
IndicatorTest::tray() const
{
	return indicator->findChild<QSystemTrayIcon *>(QString(),
	    Qt::FindDirectChildrenOnly);
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
	QTRY_VERIFY_WITH_TIMEOUT(tray() != nullptr, 1000);
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
	QTRY_VERIFY(tray() != nullptr);
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
	QTRY_VERIFY(tray() != nullptr);
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
	QTRY_VERIFY(tray() != nullptr);

	setBattery(80, 7);
	QVERIFY(devd->notify());
	QTRY_VERIFY(!tray()->isVisible());
	QVERIFY(!pollTimer()->isActive());

	setBattery(40, 2, -1, 1);
	QVERIFY(devd->notify());
	QTRY_VERIFY(tray()->isVisible());
	QCOMPARE(tray()->toolTip(), QString("Status: Charging\nCapacity: 40%"));
	QVERIFY(pollTimer()->isActive());
}

void
IndicatorTest::reconnectionReplacesNotifierWithoutRereading()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY(tray() != nullptr);
	QPointer<QSocketNotifier> old = indicator->findChild<QSocketNotifier *>();
	QVERIFY(old);

	setBattery(30, 1, 60);
	devd->close_client();
	QTRY_VERIFY(old.isNull());
	QSocketNotifier *now = indicator->findChild<QSocketNotifier *>();
	QVERIFY(now != nullptr);
	QVERIFY(now->isEnabled());
	QVERIFY(tray()->toolTip().contains("80%"));

	/* The new connection carries notifications. */
	QVERIFY(devd->accept_client());
	QVERIFY(devd->notify());
	QTRY_VERIFY(tray()->toolTip().contains("30%"));
}

void
IndicatorTest::menuAndClicks()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	makeIndicator();
	QTRY_VERIFY(tray() != nullptr);
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
	QTRY_VERIFY(tray() != nullptr);
	setBattery(12, 1, 30);
	poll();

	setBattery(11, 1, 29);
	poll();
	QVERIFY(balloonText().isEmpty());

	setBattery(10, 1, 28);
	poll();
	QTRY_VERIFY(balloonText().contains("Battery capacity at 10%"));
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
	int countdowns = 0;
	handler.handle = [&](QWidget *w) {
		if (Countdown *c = qobject_cast<Countdown *>(w)) {
			countdowns++;
			/* A further change while counting down starts nothing. */
			setBattery(3, 1, 5);
			poll();
			c->accept();
			return true;
		}
		if (QMessageBox *box = qobject_cast<QMessageBox *>(w)) {
			box->accept();
			return true;
		}
		return false;
	};
	setBattery(4, 1, 6);
	poll();
	QCOMPARE(countdowns, 1);
	QFile ran(log);
	QVERIFY(ran.open(QIODevice::ReadOnly));
	QCOMPARE(QString(ran.readAll()), QString("saved\nran arg\n"));
	QCOMPARE(handler.seen.last(), QString("Warning: Command " + command +
	    " returned an exit status != 0: 3"));
}

void
IndicatorTest::cancelHoldsUntilCharger()
{
	if (!QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a system tray");
	startArmed();

	ModalHandler handler;
	int countdowns = 0;
	handler.handle = [&](QWidget *w) {
		if (Countdown *c = qobject_cast<Countdown *>(w)) {
			countdowns++;
			/* A click on the tray icon while counting down does nothing. */
			emit tray()->activated(QSystemTrayIcon::Trigger);
			c->reject();
			return true;
		}
		return false;
	};
	setBattery(5, 1);
	poll();
	QCOMPARE(countdowns, 1);
	QVERIFY(!handler.seen.contains("Preferences"));
	setBattery(4, 1);
	poll();
	setBattery(2, 1);
	poll();
	QCOMPARE(countdowns, 1);

	setBattery(2, 2, -1, 1);
	poll();
	setBattery(2, 1);
	poll();
	QCOMPARE(countdowns, 2);
}

void
IndicatorTest::noTrayFallbackWindow()
{
	if (QSystemTrayIcon::isSystemTrayAvailable())
		QSKIP("needs a desktop without a system tray");
	makeIndicator();
	QTest::qWait(30000);
	QVERIFY(!indicator->isVisible());
	QTRY_VERIFY_WITH_TIMEOUT(indicator->isVisible(), 2000);
	QVERIFY(tray() == nullptr);
}

QTEST_MAIN(IndicatorTest)
#include "indicator_test.moc"
