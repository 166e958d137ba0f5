/* The indicator's pictures and texts, decided without a tray. */
#include <QtTest>

#include <QImage>

#include "pictures.h"

class PicturesTest : public QObject {
	Q_OBJECT

private slots:
	void levelBounds_data();
	void levelBounds();
	void gaugeChargingFull();
	void gaugeDischargingHalf();
	void gaugeRedAtWarningLevel();
	void gaugeSingleRow();
	void toolTips();
	void batteryLines();
	void themeIconOrGauge();
};

void
PicturesTest::levelBounds_data()
{
	QTest::addColumn<int>("capacity");
	QTest::addColumn<int>("level");
	const int bounds[][2] = { { 100, 4 }, { 90, 4 }, { 89, 3 }, { 40, 3 },
	    { 39, 2 }, { 20, 2 }, { 19, 1 }, { 5, 1 }, { 4, 0 }, { 0, 0 },
	    { -3, 0 }, { 255, 4 } };
	for (const auto &b : bounds)
		QTest::addRow("%d%%", b[0]) << b[0] << b[1];
}

void
PicturesTest::levelBounds()
{
	QFETCH(int, capacity);
	QFETCH(int, level);
	QCOMPARE(Pictures::iconIndexFor(capacity, BATT_CHARGING), level);
	QCOMPARE(Pictures::iconIndexFor(capacity, BATT_DISCHARGING),
	    5 + level);
	/* On AC or unknown: the full-and-charged picture at any capacity. */
	QCOMPARE(Pictures::iconIndexFor(capacity, BATT_ON_AC), 10);
	QCOMPARE(Pictures::iconIndexFor(capacity, BATT_UNKNOWN), 10);
	QCOMPARE(Pictures::iconIndexFor(capacity, 0), 10);
}

static QColor
at(const QImage &image, int x, int y)
{
	return image.pixelColor(x, y);
}

/* Rows inside the body (x 1..8, below its top edge) that carry the colour. */
static QList<int>
filledRows(const QImage &image, const QColor &colour)
{
	QList<int> rows;
	for (int y = 2; y <= 22; y++) {
		bool full = true;
		for (int x = 1; x <= 8; x++)
			full = full && at(image, x, y) == colour;
		if (full)
			rows << y;
	}
	return rows;
}

static QList<int>
range(int from, int to)
{
	QList<int> rows;
	for (int y = from; y <= to; y++)
		rows << y;
	return rows;
}

static const QColor green(96, 255, 96);
static const QColor yellow(239, 239, 92);
static const QColor red(255, 0, 0);

void
PicturesTest::gaugeChargingFull()
{
	const QImage image = Pictures::paintGauge(100, 10).toImage();
	QCOMPARE(image.size(), QSize(10, 24));
	QCOMPARE(filledRows(image, green), range(2, 22));
	/* Terminal on the top row, the rest of that row transparent. */
	for (int x = 0; x < 10; x++)
		QCOMPARE(at(image, x, 0).alpha(), (x >= 4 && x <= 6) ? 255 : 0);
	/* The outline covers the whole pixmap below the first row. */
	for (int y = 1; y < 24; y++) {
		QCOMPARE(at(image, 0, y), green);
		QCOMPARE(at(image, 9, y), green);
	}
	for (int x = 0; x < 10; x++)
		QCOMPARE(at(image, x, 23), green);
}

void
PicturesTest::gaugeDischargingHalf()
{
	const QImage image = Pictures::paintGauge(-50, 10).toImage();
	QCOMPARE(filledRows(image, yellow), range(12, 22));
	QCOMPARE(at(image, 4, 11).alpha(), 0);
	QCOMPARE(at(image, 0, 5), yellow);
}

void
PicturesTest::gaugeRedAtWarningLevel()
{
	QCOMPARE(filledRows(Pictures::paintGauge(-10, 10).toImage(), red),
	    range(20, 22));
	QCOMPARE(at(Pictures::paintGauge(-11, 10).toImage(), 0, 5),
	    yellow);
}

void
PicturesTest::gaugeSingleRow()
{
	QCOMPARE(filledRows(Pictures::paintGauge(-3, 10).toImage(), red),
	    range(22, 22));
	/* 0 % is not negative: green, one row. */
	QCOMPARE(filledRows(Pictures::paintGauge(0, 10).toImage(), green),
	    range(22, 22));
}

void
PicturesTest::toolTips()
{
	batt_status s = {};
	s.state = BATT_DISCHARGING;
	s.capacity = 57;
	s.time_left = 95;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Discharging\nCapacity: 57%\nTime remaining: 01:35"));

	s.state = BATT_CHARGING;
	s.capacity = 8;
	s.time_left = -1;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Charging\nCapacity: 8%"));

	s.time_left = 600;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Charging\nCapacity: 8%\nTime remaining: 10:00"));

	/* A driver's odd negative count shows no time rather than "00:-2". */
	s.time_left = -2;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Charging\nCapacity: 8%"));

	s.state = BATT_ON_AC;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Running on AC power"));

	s.state = BATT_UNKNOWN;
	QVERIFY(Pictures::toolTipFor(s).isNull());
	s.state = 0;
	QVERIFY(Pictures::toolTipFor(s).isNull());
}

void
PicturesTest::batteryLines()
{
	batt_status s = {};
	s.state = BATT_ON_AC;
	batt_unit one = { "BAT0", true, 40 };
	batt_unit two = { "BAT1", false, -1 };
	QCOMPARE(Pictures::toolTipFor(s, { one }),
	    QString("Status: Running on AC power"));
	QCOMPARE(Pictures::toolTipFor(s, { one, two }),
	    QString("Status: Running on AC power\nBAT0: 40%\nBAT1: absent"));
	s.state = BATT_UNKNOWN;
	QVERIFY(Pictures::toolTipFor(s, { one, two }).isNull());
}

/* The theme's picture only when asked for and every level is there. */
void
PicturesTest::themeIconOrGauge()
{
	IconSet set;
	QPixmap red(16, 16);
	red.fill(Qt::red);
	for (QIcon &icon : set.icons)
		icon = QIcon(red);
	batt_status s = {};
	s.capacity = 50;
	s.state = BATT_DISCHARGING;
	s.warn_capacity = 10;

	const QImage theme = red.toImage();
	QCOMPARE(Pictures::trayPicture(set, true, s).pixmap(16).toImage(), theme);
	const QSize gauge(10, 24);
	QCOMPARE(Pictures::trayPicture(set, false, s).availableSizes().value(0),
	    gauge);
	set.themeIconsMissing = true;
	const QImage drawn = Pictures::trayPicture(set, true, s).pixmap(gauge)
	    .toImage();
	QCOMPARE(drawn, Pictures::paintGauge(-50, 10).toImage());
}

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
