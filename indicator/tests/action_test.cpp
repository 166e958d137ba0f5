/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The low-battery action carried out: balloons, the countdown and the
 * command, without a tray or a battery.
 */
#include <sys/stat.h>

#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "countdown.h"
#include "lowbattery.h"
#include "test_home.h"

static constexpr int PATIENCE = 30000;

Q_DECLARE_METATYPE(QSystemTrayIcon::MessageIcon)
Q_DECLARE_METATYPE(Warning)
Q_DECLARE_METATYPE(batt_status)

static batt_status
discharging(int capacity)
{
	batt_status s = {};
	s.capacity = capacity;
	s.state = BATT_DISCHARGING;
	s.warn_capacity = 10;
	s.low_capacity = 5;
	s.time_left = -1;
	return s;
}

class ActionTest : public QObject {
	Q_OBJECT

	QTemporaryDir	*home = nullptr;
	QWidget		*parent = nullptr;
	LowBattery	*action = nullptr;
	QStringList	 boxes;
	QTimer		 boxCloser;
	/* Run from each box before it is closed. */
	std::function<void()> underBox;

	Countdown *countdown() const
	{
		for (Countdown *c : parent->findChildren<Countdown *>())
			if (c->isVisible())
				return c;
		return nullptr;
	}
	int runs() const
	{
		QFile ran(home->filePath("ran"));
		return ran.open(QIODevice::ReadOnly) ? ran.readAll().count("ran\n") : 0;
	}
	Settings armed(int status);
	void closeBoxes();

private slots:
	void initTestCase();
	void init();
	void cleanup();
	void balloonsAtTheLevels();
	void countdownSavesThenRunsTheCommandOnce();
	void cancelHoldsUntilChargerOrSettings();
	void failedSaveGoesToABalloon();
	void boxLeftOpenDoesNotHoldBackTheNext();
};

void
ActionTest::initTestCase()
{
	qRegisterMetaType<QSystemTrayIcon::MessageIcon>();
	qRegisterMetaType<Warning>();
	qRegisterMetaType<batt_status>();
	connect(&boxCloser, &QTimer::timeout, this, &ActionTest::closeBoxes);
	boxCloser.start(20);
}

void
ActionTest::closeBoxes()
{
	for (QWidget *w : QApplication::topLevelWidgets()) {
		QMessageBox *box = qobject_cast<QMessageBox *>(w);
		if (box == nullptr || !box->isVisible() ||
		    box->property("seen").toBool())
			continue;
		box->setProperty("seen", true);
		boxes << box->text();
		if (underBox)
			underBox();
		box->accept();
	}
}

void
ActionTest::init()
{
	home = new QTemporaryDir;
	test_home_set(qPrintable(home->path()));
	parent = new QWidget;
	action = new LowBattery(parent);
	boxes.clear();
	underBox = nullptr;
}

void
ActionTest::cleanup()
{
	delete parent;
	delete home;
}

/* Automatic suspend at 5 % by a script that notes its runs. */
Settings
ActionTest::armed(int status)
{
	const QString script = home->filePath("suspend.sh");
	QFile f(script);
	/* Notes whether the settings were saved before it ran. */
	if (f.open(QIODevice::WriteOnly))
		f.write("#!/bin/sh\ntest -f \"$1\" && echo saved >>\"$2\"\n"
		    "echo ran >>\"$2\"\nexit " + QByteArray::number(status) +
		    "\n");
	f.close();
	chmod(qPrintable(script), 0755);
	Settings s;
	s.autoShutdown = true;
	s.suspendCmd = qPrintable(script + " " +
	    home->filePath(".config/Qor/ampelwick/config") + " " +
	    home->filePath("ran"));
	action->applySettings(s, 50);
	return s;
}

void
ActionTest::balloonsAtTheLevels()
{
	QSignalSpy warnings(action, &LowBattery::warning);
	action->checkLowBattery(11, discharging(10));
	action->checkLowBattery(10, discharging(9));
	action->checkLowBattery(9, discharging(3));
	QCOMPARE(warnings.count(), 2);
	QCOMPARE(warnings[0][0].value<Warning>(), Warning::Low);
	QCOMPARE(warnings[1][0].value<Warning>(), Warning::Critical);
	QVERIFY(countdown() == nullptr);
}

void
ActionTest::countdownSavesThenRunsTheCommandOnce()
{
	const Settings s = armed(3);
	/* A charger the readings have not shown yet: nothing runs. */
	bool charger = true;
	action->setChargerCheck([&charger] { return charger; });
	action->checkLowBattery(6, discharging(4));
	countdown()->accept();
	QVERIFY(!action->actionUnderway());
	QTRY_VERIFY_WITH_TIMEOUT(parent->findChildren<Countdown *>().isEmpty(),
	    PATIENCE);
	QVERIFY(!QFile::exists(home->filePath("ran")));
	charger = false;

	action->checkLowBattery(6, discharging(4));
	QVERIFY(countdown() != nullptr);
	QVERIFY(action->actionUnderway());
	/* A further change while counting down starts nothing. */
	action->checkLowBattery(4, discharging(3));
	QCOMPARE(parent->findChildren<Countdown *>().size(), 1);

	countdown()->accept();
	/* Pending while the command runs, which the event loop outlives. */
	QVERIFY(action->actionUnderway());
	QTRY_VERIFY_WITH_TIMEOUT(!action->actionUnderway(), PATIENCE);
	QFile ran(home->filePath("ran"));
	QVERIFY(ran.open(QIODevice::ReadOnly));
	QCOMPARE(ran.readAll(), QByteArray("saved\nran\n"));
	QCOMPARE(boxes, QStringList(QString("Command %1 returned an exit status "
	    "!= 0: 3").arg(QString::fromStdString(s.suspendCmd))));
	QTRY_VERIFY_WITH_TIMEOUT(parent->findChildren<Countdown *>().isEmpty(),
	    PATIENCE);
}

void
ActionTest::cancelHoldsUntilChargerOrSettings()
{
	const Settings s = armed(0);
	action->checkLowBattery(6, discharging(5));
	QVERIFY(countdown() != nullptr);
	countdown()->reject();
	action->checkLowBattery(5, discharging(4));
	action->checkLowBattery(4, discharging(2));
	QVERIFY(countdown() == nullptr);

	batt_status charging = discharging(2);
	charging.state = BATT_CHARGING;
	action->checkLowBattery(2, charging);
	action->checkLowBattery(2, discharging(2));
	QVERIFY(countdown() != nullptr);
	countdown()->reject();

	/* Settings at or below the cap keep it cancelled, above re-arm it. */
	action->applySettings(s, 5);
	action->checkLowBattery(5, discharging(4));
	QVERIFY(countdown() == nullptr);
	action->applySettings(s, 6);
	action->checkLowBattery(6, discharging(4));
	QVERIFY(countdown() != nullptr);
	countdown()->reject();
	QCOMPARE(runs(), 0);
}

/* A save that fails before the action is reported without a box. */
void
ActionTest::failedSaveGoesToABalloon()
{
	armed(0);
	QVERIFY(QDir().mkpath(home->filePath(".config/Qor/ampelwick/config")));
	QSignalSpy balloons(action, &LowBattery::balloon);
	action->checkLowBattery(6, discharging(4));
	countdown()->accept();
	QTRY_VERIFY_WITH_TIMEOUT(!action->actionUnderway(), PATIENCE);
	QCOMPARE(runs(), 1);
	QCOMPARE(balloons.count(), 1);
	QVERIFY(balloons[0][1].toString().contains("Is a directory"));
	QVERIFY(boxes.isEmpty());
}

/* The box about a failed suspend, left open, lets the next one start. */
void
ActionTest::boxLeftOpenDoesNotHoldBackTheNext()
{
	Settings s = armed(0);
	/* The shell itself killed: its status as a shell would give it. */
	s.suspendCmd += "; kill -TERM $$";
	action->applySettings(s, 50);
	bool again = false;
	underBox = [&] {
		action->checkLowBattery(4, discharging(3));
		again = countdown() != nullptr;
		if (again)
			countdown()->reject();
	};
	action->checkLowBattery(6, discharging(4));
	countdown()->accept();
	QTRY_VERIFY_WITH_TIMEOUT(again, PATIENCE);
	QCOMPARE(runs(), 1);
	QVERIFY(boxes.value(0).endsWith(": 143"));
}

QTEST_MAIN(ActionTest)
#include "action_test.moc"
