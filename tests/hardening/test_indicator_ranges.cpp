/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The indicator's decisions for readings far outside their ranges: every
 * capacity, state and remaining time a broken battery driver might report
 * gives a picture of the icon set, a whole gauge and a readable tool tip.
 */
#include <QtTest>

#include <QImage>

#include <limits.h>

#include "pictures.h"
#include "lowbattery.h"

class IndicatorRangesTest : public QObject {
	Q_OBJECT

private slots:
	void iconForAnyReading();
	void gaugeForAnyReading();
	void toolTipForAnyReading();
	void lowBatteryForAnyReading();
};

static const int capacities[] = { INT_MIN, -255, -101, -5, -1, 0, 4, 5, 99,
	100, 101, 255, INT_MAX };
static const int states[] = { INT_MIN, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8,
	255, INT_MAX };
static const int warnings[] = { INT_MIN, -1, 0, 10, 100, 150, 255, INT_MAX };
static const int minutes[] = { INT_MIN, -61, -2, -1, 0, 59, 60, 100000,
	INT_MAX };

void
IndicatorRangesTest::iconForAnyReading()
{
	for (int cap : capacities)
		for (int state : states) {
			const int i = Pictures::iconIndexFor(cap, state);

			if (state == BATT_CHARGING)
				QVERIFY(i >= ICON_CHARGING_EMPTY && i < ICON_DISCHARGING_EMPTY);
			else if (state == BATT_DISCHARGING)
				QVERIFY(i >= ICON_DISCHARGING_EMPTY && i < ICON_FULL_CHARGED);
			else
				QCOMPARE(i, int(ICON_FULL_CHARGED));
			/* Beyond the ends the empty and the full pictures hold. */
			if (state == BATT_DISCHARGING && cap < 0)
				QCOMPARE(i, int(ICON_DISCHARGING_EMPTY));
			if (state == BATT_CHARGING && cap > 100)
				QCOMPARE(i, ICON_CHARGING_EMPTY + 4);
		}
}

/* Filled rows of the body, bottom up, in the given colour. */
static int
filledRows(const QImage &image, const QColor &colour)
{
	int rows = 0;

	for (int y = 22; y >= 2 && image.pixelColor(4, y) == colour; y--)
		rows++;
	return rows;
}

void
IndicatorRangesTest::gaugeForAnyReading()
{
	const QColor green(96, 255, 96), yellow(239, 239, 92), red(255, 0, 0);

	for (int cap : capacities)
		for (int warn : warnings) {
			const QImage image = Pictures::paintGauge(cap, warn).toImage();
			const QColor fill = image.pixelColor(4, 22);

			QCOMPARE(image.size(), QSize(10, 24));
			/* Outside the outline nothing is drawn. */
			QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
			QCOMPARE(image.pixelColor(9, 0).alpha(), 0);
			if (cap >= 0)
				QCOMPARE(fill, green);
			else
				QCOMPARE(fill, qint64(warn) < -qint64(cap) ? yellow : red);
			/* At least the bottom row, at most the whole body. */
			const int rows = filledRows(image, fill);
			QVERIFY2(rows >= 1 && rows <= 21, qPrintable(QString::number(rows)));
			if (qAbs(qint64(cap)) >= 100)
				QCOMPARE(rows, 21);
		}
}

void
IndicatorRangesTest::toolTipForAnyReading()
{
	for (int cap : capacities)
		for (int state : states)
			for (int min : minutes) {
				batt_status s = {};
				s.capacity = cap;
				s.state = state;
				s.time_left = min;
				const QString tip = Pictures::toolTipFor(s);

				if (state == BATT_ON_AC) {
					QCOMPARE(tip, QString("Status: Running on AC power"));
					continue;
				}
				if (state != BATT_CHARGING && state != BATT_DISCHARGING) {
					QVERIFY(tip.isNull());
					continue;
				}
				QStringList lines = tip.split('\n');
				/* The level reached, if any, comes last. */
				if (lines.last() == "Battery critical")
					lines.removeLast();
				/* A negative count is no time: no line for it. */
				QCOMPARE(lines.size(), min < 0 ? 2 : 3);
				QCOMPARE(lines[1], QString("Capacity: %1%").arg(cap));
				if (min < 0)
					continue;
				/* Hours and minutes of any non-negative time. */
				QCOMPARE(lines[2], QString(state == BATT_CHARGING ?
				    "Time to full: %1:%2" : "Time remaining: %1:%2")
				    .arg(min / 60, 2, 10, QChar('0'))
				    .arg(min % 60, 2, 10, QChar('0')));
			}
}

void
IndicatorRangesTest::lowBatteryForAnyReading()
{
	const int shutdownCaps[] = { INT_MIN, -1, 0, 5, 100, INT_MAX };

	for (int cap : capacities)
		for (int prev : capacities)
			for (int state : states)
				for (int warn : warnings)
					for (int shutdownCap : shutdownCaps)
						for (int autoShutdown = 0; autoShutdown < 2; autoShutdown++) {
							LowBatteryFlags flags = { false, false, false };
							const LowBatterySettings settings = {
								autoShutdown != 0, shutdownCap };
							batt_status s = {};
							s.capacity = cap;
							s.state = state;
							s.warn_capacity = warn;
							s.low_capacity = warn / 2;
							const LowBatteryAction a = decideLowBattery(
							    flags, settings, prev, s);

							/* Only a discharging battery warns or acts. */
							if (state != BATT_DISCHARGING)
								QVERIFY(a == LowBatteryAction::Nothing);
							if (a == LowBatteryAction::StartCountdown) {
								QVERIFY(autoShutdown);
								QVERIFY(cap <= shutdownCap);
								QVERIFY(flags.actionPending);
							}
						}
}

QTEST_MAIN(IndicatorRangesTest)
#include "test_indicator_ranges.moc"
