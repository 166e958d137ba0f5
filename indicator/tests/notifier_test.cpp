/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The low-battery warning through a notification server of the test's own
 * on a private session bus, and the balloon without one.
 */
#include <QtTest>

#include <QDBusConnection>

#include "lowbattery.h"
#include "notifier.h"

Q_DECLARE_METATYPE(QSystemTrayIcon::MessageIcon)

/* A desktop's server, noting each notification as one line. */
class Server : public QObject {
	Q_OBJECT
	Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
	QStringList	seen;

public slots:
	uint Notify(const QString &, uint replaces, const QString &icon,
	    const QString &summary, const QString &body, const QStringList &,
	    const QVariantMap &hints, int)
	{
		seen << QString("%1 %2 %3|%4|%5 %6").arg(icon).arg(replaces)
		    .arg(summary, body).arg(hints.value("urgency").toInt())
		    .arg(hints.contains("image-data"));
		return 7;
	}
	void CloseNotification(uint id) { seen << QString("close %1").arg(id); }
};

class NotifierTest : public QObject {
	Q_OBJECT

private slots:
	void warningsReachTheServer();
};

static batt_status
status(int capacity, int state, int timeLeft = -1)
{
	batt_status s = {};
	s.capacity = capacity;
	s.state = state;
	s.warn_capacity = 10;
	s.low_capacity = 5;
	s.time_left = timeLeft;
	return s;
}

void
NotifierTest::warningsReachTheServer()
{
	qRegisterMetaType<QSystemTrayIcon::MessageIcon>();
	QVERIFY2(QDBusConnection::sessionBus().isConnected(),
	    "run under dbus-run-session");
	QWidget parent;
	LowBattery low(&parent);
	Notifier notifier(&parent);
	QSignalSpy balloons(&notifier, &Notifier::balloon);
	connect(&low, &LowBattery::warning, &notifier, &Notifier::warn);

	/* No server yet: the balloon. */
	low.checkLowBattery(11, status(9, BATT_DISCHARGING));
	QTRY_COMPARE_WITH_TIMEOUT(balloons.size(), 1, 30000);
	QCOMPARE(balloons[0][1].toString(), QString("Battery capacity at 9%"));
	QCOMPARE(balloons[0][2].value<QSystemTrayIcon::MessageIcon>(),
	    QSystemTrayIcon::Warning);
	low.checkLowBattery(9, status(20, BATT_CHARGING));

	/* The server on a connection of its own, through the daemon. */
	Server server;
	QDBusConnection own = QDBusConnection::connectToBus(
	    QDBusConnection::SessionBus, "server");
	QVERIFY(own.registerObject("/org/freedesktop/Notifications", &server,
	    QDBusConnection::ExportAllSlots));
	QVERIFY(own.registerService("org.freedesktop.Notifications"));

	/* A charge wavering about the level warns once. */
	for (int i = 0; i < 15; i++) {
		low.checkLowBattery(9, status(11, BATT_DISCHARGING));
		low.checkLowBattery(11, status(9, BATT_DISCHARGING, 95));
	}
	/* No theme here has the program's icon: the gauge stands in. */
	QStringList want = {
		"ampelwick 0 Battery low|Charge: 9%, time left: 01:35|1 1" };
	QTRY_COMPARE_WITH_TIMEOUT(server.seen, want, 30000);
	/*
	 * Replaced in place, closed by the charger as a rule before its id
	 * came.  (The critical warning waits for the first one's id: a
	 * charger coming meanwhile would rightly show nothing.)
	 */
	low.checkLowBattery(9, status(4, BATT_DISCHARGING));
	want << "ampelwick 7 Battery critical|Charge: 4%|2 1";
	QTRY_COMPARE_WITH_TIMEOUT(server.seen, want, 30000);
	low.checkLowBattery(4, status(4, BATT_CHARGING));
	want << "close 7";
	QTRY_COMPARE_WITH_TIMEOUT(server.seen, want, 30000);
	QCOMPARE(balloons.size(), 1);

	/* The notices, once each for a loose plug and a charge at 99/100 %. */
	notifier.setNotices(true, true);
	const int states[][2] = { { 50, BATT_DISCHARGING }, { 50, BATT_CHARGING },
	    { 50, BATT_DISCHARGING }, { 50, BATT_CHARGING },
	    { 100, BATT_CHARGING }, { 99, BATT_CHARGING }, { 100, BATT_ON_AC } };
	for (int i = 1; i < 7; i++)
		notifier.readingChanged(status(states[i - 1][0], states[i - 1][1]),
		    status(states[i][0], states[i][1]));
	want << "ampelwick 0 Battery fully charged|Charge: 100%|0 0" <<
	    "ampelwick 7 Charger connected|Charge: 100%|0 0";
	QTRY_COMPARE_WITH_TIMEOUT(server.seen, want, 30000);
}

QTEST_MAIN(NotifierTest)
#include "notifier_test.moc"
