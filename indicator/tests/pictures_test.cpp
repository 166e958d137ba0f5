/* SPDX-License-Identifier: BSD-2-Clause */
/* The indicator's pictures and texts, decided without a tray. */
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "pictures.h"

/* The tray's picture for a status, as the indicator makes it. */
static QIcon
trayPicture(const IconSet &set, bool useIconTheme, const batt_status &now,
    bool digits = false)
{
	return Pictures::pictureFor(set,
	    Pictures::pictureKey(set, useIconTheme, now, digits));
}

/* The picture as a light panel shows it. */
static QImage
onLightPanel(const QIcon &icon)
{
	QImage panel(24, 24, QImage::Format_ARGB32);
	panel.fill(Qt::white);
	QPainter painter(&panel);
	painter.drawPixmap(0, 0, icon.pixmap(QSize(24, 24)));
	painter.end();
	return panel;
}

class PicturesTest : public QObject {
	Q_OBJECT

	QTemporaryDir	data;	/* an XDG data directory with icon themes */

	void	addTheme(const QString &theme, const QStringList &colour,
		    const QStringList &symbolic);

private slots:
	void levelBounds_data();
	void levelBounds();
	void gaugeChargingFull();
	void gaugeDischargingHalf();
	void gaugeRedAtWarningLevel();
	void gaugeSingleRow();
	void gaugeAtTwiceThePixels();
	void gaugeIconAtEachSize();
	void toolTips();
	void batteryLines();
	void themeIconOrGauge();
	void themeStandIns_data();
	void themeStandIns();
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

/*
 * The same proportions in twice the pixels, but the fill in half rows: 23
 * rows at 50 %, where a copy of the small one scaled up would have 22.
 */
void
PicturesTest::gaugeAtTwiceThePixels()
{
	const QPixmap pixmap = Pictures::paintGauge(-50, 10, 2);
	const QImage image = pixmap.toImage();
	QCOMPARE(pixmap.devicePixelRatio(), 2.0);
	QCOMPARE(image.size(), QSize(20, 48));
	for (int x = 0; x < 20; x++) {
		QCOMPARE(at(image, x, 1).alpha(), (x >= 8 && x <= 13) ? 255 : 0);
		QCOMPARE(at(image, x, 2), yellow);
		QCOMPARE(at(image, x, 47), yellow);
	}
	QList<int> rows;
	for (int y = 4; y <= 45; y++) {
		bool full = true;
		for (int x = 2; x <= 17; x++)
			full = full && at(image, x, y) == yellow;
		if (full)
			rows << y;
		QCOMPARE(at(image, 1, y), yellow);
		QCOMPARE(at(image, 18, y), yellow);
	}
	QCOMPARE(rows, range(23, 45));
}

/* The pixels alone, whatever the format and ratio. */
static QImage
pixels(QImage image)
{
	image.setDevicePixelRatio(1);
	return image.convertToFormat(QImage::Format_ARGB32);
}

/*
 * The tray's icon: the gauge painted for each use, crisp at the pixel
 * ratio painted on and at 1x and 2x for a tray that asks by pixel size;
 * never scaled up into a larger slot.
 */
void
PicturesTest::gaugeIconAtEachSize()
{
	IconSet set;
	set.themeIconsMissing = true;
	batt_status s = {};
	s.capacity = 50;
	s.state = BATT_DISCHARGING;
	s.warn_capacity = 10;
	const QIcon icon = trayPicture(set, true, s);
	const QImage small = pixels(Pictures::paintGauge(-50, 10).toImage());
	const QImage large = pixels(Pictures::paintGauge(-50, 10, 2).toImage());

	QVERIFY(!icon.isNull());
	QCOMPARE(icon.availableSizes(), QList<QSize>({ QSize(10, 24),
	    QSize(20, 48) }));
	QCOMPARE(icon.actualSize(QSize(64, 64)), QSize(10, 24));
	QCOMPARE(pixels(icon.pixmap(QSize(10, 24)).toImage()), small);
	QCOMPARE(pixels(icon.pixmap(QSize(24, 24)).toImage()), small);
	QCOMPARE(pixels(icon.pixmap(QSize(48, 48)).toImage()), large);
	QCOMPARE(icon.pixmap(QSize(22, 22)).height(), 22);

	/* Painted into a slot of 32 at twice the ratio: the large picture. */
	QImage slot(64, 64, QImage::Format_ARGB32_Premultiplied);
	slot.setDevicePixelRatio(2);
	slot.fill(Qt::transparent);
	QPainter painter(&slot);
	icon.paint(&painter, QRect(0, 0, 32, 32));
	painter.end();
	QCOMPARE(pixels(slot.copy(22, 8, 20, 48)), large);
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
	s.time_left = 0;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Discharging\nCapacity: 57%\nTime remaining: 00:00"));

	/* The levels in force, told while discharging. */
	s.capacity = 10;
	s.warn_capacity = 10;
	s.low_capacity = 5;
	s.time_left = -1;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Discharging\nCapacity: 10%\nBattery low"));
	s.capacity = 5;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Discharging\nCapacity: 5%\nBattery critical"));

	s.state = BATT_CHARGING;
	s.capacity = 8;
	s.time_left = -1;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Charging\nCapacity: 8%"));

	s.time_left = 600;
	QCOMPARE(Pictures::toolTipFor(s),
	    QString("Status: Charging\nCapacity: 8%\nTime to full: 10:00"));

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
	/* A name is shown as it is, whatever it holds. */
	batt_unit one = { "BAT%1 %2", true, 40 };
	batt_unit two = { "BAT1", false, -1 };
	QCOMPARE(Pictures::toolTipFor(s, { one }),
	    QString("Status: Running on AC power"));
	QCOMPARE(Pictures::toolTipFor(s, { one, two }),
	    QString("Status: Running on AC power\nBAT%1 %2: 40%\nBAT1: absent"));
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
	QCOMPARE(trayPicture(set, true, s).pixmap(16).toImage(), theme);
	const QSize gauge(10, 24);
	QCOMPARE(trayPicture(set, false, s).availableSizes().value(0),
	    gauge);
	/* The levels in force pick the caution and the empty picture. */
	s.capacity = 30;
	s.warn_capacity = 30;
	s.low_capacity = 25;
	QCOMPARE(Pictures::pictureKey(set, true, s).themeIcon,
	    ICON_DISCHARGING_EMPTY + 1);
	s.capacity = 25;
	QCOMPARE(Pictures::pictureKey(set, true, s).themeIcon,
	    ICON_DISCHARGING_EMPTY);
	s.capacity = 50;
	s.warn_capacity = 10;
	set.themeIconsMissing = true;
	const QImage drawn = trayPicture(set, true, s).pixmap(gauge)
	    .toImage();
	QCOMPARE(drawn, Pictures::paintGauge(-50, 10).toImage());

	/*
	 * With the charge's digits: a new picture for each percent, and a
	 * dark outline that today's gauge lacks on a light panel.
	 */
	const QImage fifty = onLightPanel(trayPicture(set, true, s, true));
	QVERIFY(qGray(onLightPanel(trayPicture(set, true, s)).pixel(0, 12)) >
	    200);
	QVERIFY(qGray(fifty.pixel(0, 12)) < 64);
	s.capacity = 51;
	QVERIFY(onLightPanel(trayPicture(set, true, s, true)) != fifty);
	QCOMPARE(onLightPanel(trayPicture(set, true, s, true)).copy(0, 0, 10,
	    24), fifty.copy(0, 0, 10, 24));
}

static const QStringList LEVELS = { "empty", "caution", "low", "good",
    "full" };

/* Every battery name of the set, charging ones first; then full-charged. */
static QStringList
batteryNames()
{
	QStringList names;
	for (const QString &level : LEVELS)
		names << "battery-" + level + "-charging";
	for (const QString &level : LEVELS)
		names << "battery-" + level;
	return names << "battery-full-charged";
}

static QStringList
without(QStringList names, const QStringList &gone)
{
	for (const QString &name : gone)
		names.removeAll(name);
	return names;
}

/*
 * A theme as desktops ship them: full-colour pictures as PNG files in a
 * fixed size, symbolic ones as SVG files in a scalable directory.
 */
void
PicturesTest::addTheme(const QString &theme, const QStringList &colour,
    const QStringList &symbolic)
{
	QDir dir(data.filePath("icons/" + theme));
	QVERIFY(dir.mkpath("24x24/status") && dir.mkpath("scalable/status"));
	QFile index(dir.filePath("index.theme"));
	QVERIFY(index.open(QIODevice::WriteOnly));
	index.write("[Icon Theme]\nName=" + theme.toUtf8() +
	    "\nDirectories=24x24/status,scalable/status\n\n"
	    "[24x24/status]\nSize=24\nContext=Status\nType=Fixed\n\n"
	    "[scalable/status]\nSize=16\nMinSize=8\nMaxSize=512\n"
	    "Context=Status\nType=Scalable\n");
	index.close();
	QImage png(24, 24, QImage::Format_ARGB32);
	png.fill(Qt::blue);
	for (const QString &name : colour)
		QVERIFY(png.save(dir.filePath("24x24/status/" + name + ".png")));
	for (const QString &name : symbolic) {
		QFile svg(dir.filePath("scalable/status/" + name +
		    "-symbolic.svg"));
		QVERIFY(svg.open(QIODevice::WriteOnly));
		svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" "
		    "height=\"16\"><rect width=\"16\" height=\"16\"/></svg>\n");
	}
}

void
PicturesTest::themeStandIns_data()
{
	QTest::addColumn<QString>("theme");
	QTest::addColumn<QStringList>("expected");	/* by index; empty: gauge */

	QVERIFY(data.isValid());
	QIcon::setThemeSearchPaths({ data.filePath("icons") });
	QIcon::setFallbackSearchPaths({});
	QStringList names = batteryNames();

	/* Adwaita's and Breeze's gaps, beside a complete symbolic set. */
	addTheme("colour", without(names, { "battery-empty-charging",
	    "battery-full-charged", "battery-low" }), names);
	QStringList colour = names;
	colour[0] = "battery-caution-charging";
	colour[7] = "battery-caution";
	colour[10] = "battery-full-charging";
	QTest::newRow("full colour, stand-ins") << "colour" << colour;

	/* No full-colour picture at all for three levels: the symbolic set. */
	addTheme("symbolic", without(names, { "battery-empty", "battery-caution",
	    "battery-low", "battery-empty-charging", "battery-caution-charging",
	    "battery-low-charging" }), without(names,
	    { "battery-empty-charging" }));
	QStringList symbolic;
	for (const QString &name : names)
		symbolic << name + "-symbolic";
	symbolic[0] = "battery-caution-charging-symbolic";
	QTest::newRow("symbolic as a whole") << "symbolic" << symbolic;

	/* A level with no picture in either style: the gauge. */
	addTheme("gaps", without(names, { "battery-empty", "battery-caution",
	    "battery-low" }), { "battery-full" });
	QTest::newRow("incomplete") << "gaps" << QStringList();
}

/*
 * A theme that lacks a name stands in its nearest kin, in one style:
 * never a symbolic picture in a full-colour set.
 */
void
PicturesTest::themeStandIns()
{
	QFETCH(QString, theme);
	QFETCH(QStringList, expected);
	QIcon::setThemeName(theme);
	const IconSet set = Pictures::loadIcons();
	QStringList loaded;
	for (int i = 0; i <= ICON_FULL_CHARGED; i++)
		loaded << set.icons[i].name();

	if (expected.isEmpty()) {
		QVERIFY(set.themeIconsMissing);
		batt_status s = {};
		s.capacity = 50;
		s.state = BATT_DISCHARGING;
		QCOMPARE(trayPicture(set, true, s).availableSizes()
		    .value(0), QSize(10, 24));
		return;
	}
	QVERIFY(!set.themeIconsMissing);
	QCOMPARE(loaded, expected);
	QCOMPARE(trayPicture(set, true, { 2, 10, 5, BATT_CHARGING,
	    -1, -1 }).name(), expected[0]);
}

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
