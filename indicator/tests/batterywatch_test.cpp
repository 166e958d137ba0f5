/* SPDX-License-Identifier: BSD-2-Clause */
/* The battery watch over the simulated laptop, without a tray. */
#include <dirent.h>

#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTimer>
#include <QtTest>

#include "batterywatch.h"
#include "laptop.h"

Q_DECLARE_METATYPE(batt_status)

static int
openDescriptors()
{
	int n = 0;
	DIR *d = opendir("/proc/self/fd");

	while (d != nullptr && readdir(d) != nullptr)
		n++;
	if (d != nullptr)
		closedir(d);
	return n;
}

class BatteryWatchTest : public QObject {
	Q_OBJECT

	Laptop		*laptop = nullptr;
	BatteryWatch	*watch = nullptr;

	QTimer *pollTimer() const { return watch->findChildren<QTimer *>()[0]; }

private slots:
	void init();
	void cleanup();
	void pollJudgesTheFirstReadingThenChanges();
	void levelsReadAtTheStartAndOnEachEvent();
	void batteryGoneAndBackThroughDevd();
	void reconnectionReplacesNotifierWithoutRereading();
	void destructionClosesEveryDescriptor();
	void pollIntervalBounds();
};

void
BatteryWatchTest::init()
{
	qRegisterMetaType<batt_status>();
	laptop = new Laptop;
	watch = new BatteryWatch(nullptr);
	QVERIFY(laptop->devd.accept_client(PATIENCE));
	watch->setPollInterval(5);
}

void
BatteryWatchTest::cleanup()
{
	delete watch;
	delete laptop;
}

void
BatteryWatchTest::pollJudgesTheFirstReadingThenChanges()
{
	QSignalSpy changed(watch, &BatteryWatch::changed);
	QSignalSpy first(watch, &BatteryWatch::firstReading);
	QVERIFY(watch->present());
	QCOMPARE(watch->status().capacity, 80);
	QCOMPARE(pollTimer()->interval(), 5000);

	/* The first reading is judged against the start-up one, even unchanged. */
	watch->pollACPI();
	QCOMPARE(changed.count(), 1);
	QCOMPARE(changed[0][0].value<batt_status>().capacity, 80);
	watch->pollACPI();
	QCOMPARE(changed.count(), 1);
	laptop->set(70, 1, 149);
	watch->pollACPI();
	QCOMPARE(changed.count(), 2);
	QCOMPARE(changed[1][0].value<batt_status>().time_left, 150);
	QCOMPARE(watch->status().capacity, 70);
	QCOMPARE(first.count(), 0);
	/* The levels are not compared. */
	laptop->readings.wcap = 20000;
	laptop->set(70, 1, 149);
	watch->pollACPI();
	QCOMPARE(changed.count(), 2);
	/* The time left alone is a change. */
	laptop->set(70, 1, 140);
	watch->pollACPI();
	QCOMPARE(changed.count(), 3);
}

void
BatteryWatchTest::levelsReadAtTheStartAndOnEachEvent()
{
	delete watch;
	laptop->readings.wcap = 15000;
	QVERIFY(laptop->set(80, 1, 150));
	watch = new BatteryWatch(nullptr);
	QVERIFY(laptop->devd.accept_client(PATIENCE));
	QCOMPARE(watch->status().warn_capacity, 30);

	QSignalSpy reloaded(watch, &BatteryWatch::reloaded);
	watch->pollACPI();
	QSignalSpy changed(watch, &BatteryWatch::changed);
	laptop->readings.wcap = 20000;
	laptop->set(30, 1, 60);
	QVERIFY(laptop->devd.notify());
	QVERIFY(reloaded.wait(PATIENCE));
	QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, PATIENCE);
	QCOMPARE(watch->status().capacity, 30);
	QCOMPARE(watch->status().warn_capacity, 40);
	QVERIFY(pollTimer()->isActive());
}

void
BatteryWatchTest::batteryGoneAndBackThroughDevd()
{
	QSignalSpy gone(watch, &BatteryWatch::gone);
	QSignalSpy reloaded(watch, &BatteryWatch::reloaded);
	watch->pollACPI();
	QSignalSpy changed(watch, &BatteryWatch::changed);

	laptop->set(80, 7);
	QVERIFY(laptop->devd.notify());
	QVERIFY(gone.wait(PATIENCE));
	QVERIFY(!watch->present());
	QVERIFY(!pollTimer()->isActive());

	/* Back: the first reading records anew, no change announced. */
	QSignalSpy first(watch, &BatteryWatch::firstReading);
	laptop->set(40, 2, -1, 1);
	QVERIFY(laptop->devd.notify());
	QVERIFY(reloaded.wait(PATIENCE));
	QCOMPARE(changed.count(), 0);
	QCOMPARE(first.count(), 1);
	QCOMPARE(watch->status().state, BATT_CHARGING);
	QVERIFY(pollTimer()->isActive());
	/* Its first poll is judged, as at the start. */
	watch->pollACPI();
	QCOMPARE(changed.count(), 1);
}

void
BatteryWatchTest::reconnectionReplacesNotifierWithoutRereading()
{
	QSignalSpy reloaded(watch, &BatteryWatch::reloaded);
	QPointer<QSocketNotifier> old = watch->findChild<QSocketNotifier *>();
	QVERIFY(old);

	laptop->set(30, 1, 60);
	laptop->devd.close_client();
	QTRY_VERIFY_WITH_TIMEOUT(old.isNull(), PATIENCE);
	QTRY_VERIFY_WITH_TIMEOUT(watch->findChild<QSocketNotifier *>() !=
	    nullptr, PATIENCE);
	QVERIFY(watch->findChild<QSocketNotifier *>()->isEnabled());
	QCOMPARE(watch->status().capacity, 80);
	QCOMPARE(reloaded.count(), 0);

	/* The new connection carries notifications. */
	QVERIFY(laptop->devd.accept_client(PATIENCE));
	QVERIFY(laptop->devd.notify());
	QVERIFY(reloaded.wait(PATIENCE));
	QCOMPARE(watch->status().capacity, 30);
}

void
BatteryWatchTest::destructionClosesEveryDescriptor()
{
	delete watch;
	const int before = openDescriptors();
	watch = new BatteryWatch(nullptr);
	QVERIFY(laptop->devd.accept_client(PATIENCE));
	QVERIFY(openDescriptors() > before);
	delete watch;
	watch = nullptr;
	QCOMPARE(openDescriptors(), before);
}

void
BatteryWatchTest::pollIntervalBounds()
{
	QCOMPARE(BatteryWatch::pollIntervalMs(5), 5000);
	QCOMPARE(BatteryWatch::pollIntervalMs(0), 1000);
	QCOMPARE(BatteryWatch::pollIntervalMs(-7), 1000);
	QVERIFY(BatteryWatch::pollIntervalMs(INT_MAX) >= 2000000000);
	watch->setPollInterval(0);
	QCOMPARE(pollTimer()->interval(), 1000);
}

QTEST_MAIN(BatteryWatchTest)
#include "batterywatch_test.moc"
