/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The low-battery warning through a notification server of the test's own
 * on a private session bus: summary, urgency, one notification replaced in
 * place, closed when the charger comes; the balloon without a server.
 */
#include <QtTest>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QVariantMap>

#include "lowbattery.h"
#include "notifier.h"

Q_DECLARE_METATYPE(QSystemTrayIcon::MessageIcon)

/* What the desktop's server does with a notice, reduced to a record. */
class Server : public QObject {
	Q_OBJECT
	Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
	struct Notice {
		uint	replaces;
		QString	summary;
		QString	body;
		int	urgency;
		bool	image;
	};
	QList<Notice>	notices;
	QList<uint>	closed;

public slots:
	uint Notify(const QString &, uint replaces, const QString &icon,
	    const QString &summary, const QString &body, const QStringList &,
	    const QVariantMap &hints, int)
	{
		if (icon == QLatin1String("ampelwick"))
			notices.append({ replaces, summary, body,
			    hints.value("urgency").toInt(),
			    hints.contains("image-data") });
		return 7;
	}
	void CloseNotification(uint id) { closed.append(id); }
	QStringList GetCapabilities() { return { "body" }; }
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

	for (int i = 0; i < 15; i++) {
		low.checkLowBattery(9, status(11, BATT_DISCHARGING));
		low.checkLowBattery(11, status(9, BATT_DISCHARGING, 95));
	}
	QTRY_COMPARE_WITH_TIMEOUT(server.notices.size(), 1, 30000);
	QCOMPARE(server.notices[0].summary, QString("Battery low"));
	QCOMPARE(server.notices[0].body,
	    QString("Charge: 9%, time left: 01:35"));
	QCOMPARE(server.notices[0].urgency, 1);
	QCOMPARE(server.notices[0].replaces, 0u);
	/* No theme here has the program's icon: the gauge stands in. */
	QVERIFY(server.notices[0].image);

	low.checkLowBattery(9, status(4, BATT_DISCHARGING));
	QTRY_COMPARE_WITH_TIMEOUT(server.notices.size(), 2, 30000);
	QCOMPARE(server.notices[1].summary, QString("Battery critical"));
	QCOMPARE(server.notices[1].body, QString("Charge: 4%"));
	QCOMPARE(server.notices[1].urgency, 2);
	QCOMPARE(server.notices[1].replaces, 7u);

	low.checkLowBattery(4, status(4, BATT_CHARGING));
	QTRY_COMPARE_WITH_TIMEOUT(server.closed, QList<uint>{ 7 }, 30000);
	QCOMPARE(server.notices.size(), 2);
	QCOMPARE(balloons.size(), 1);
}

QTEST_MAIN(NotifierTest)
#include "notifier_test.moc"
