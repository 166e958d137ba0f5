/* SPDX-License-Identifier: BSD-2-Clause */
#include <stdint.h>

#include <cmath>

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QStyle>

#include "deferredicon.h"
#include "icons.h"
#include "pictures.h"
#include "timeleft.h"

static const QColor GAUGE_GREEN(96, 255, 96);
static const QColor GAUGE_YELLOW(239, 239, 92);
static const QColor GAUGE_RED(255, 0, 0);
/* Dark against a light panel, where the gauge's colours are not. */
static const QColor OUTLINE(32, 32, 32);
static const QColor DIGITS(255, 255, 255);
/* In device-independent pixels. */
static const QSize GAUGE_SIZE(10, 24);
static const QSize DIGITS_SIZE(24, 24);

/*
 * Each picture of the set, then the names that stand in for it when the
 * theme lacks it, nearest first.  A stand-in keeps the picture's kind:
 * empty, caution and low warn, good and full do not, and neither kind
 * stands in for the other.  Within a kind the nearer level comes first,
 * the lower before the higher; a charging picture keeps the direction
 * before the level.
 */
static const char *const STAND_INS[ICON_FULL_CHARGED + 1][5] = {
	{ "battery-empty-charging", "battery-caution-charging",
	    "battery-low-charging", "battery-empty", nullptr },
	{ "battery-caution-charging", "battery-empty-charging",
	    "battery-low-charging", "battery-caution", nullptr },
	{ "battery-low-charging", "battery-caution-charging",
	    "battery-empty-charging", "battery-low", nullptr },
	{ "battery-good-charging", "battery-full-charging", "battery-good",
	    nullptr },
	{ "battery-full-charging", "battery-good-charging", "battery-full",
	    nullptr },
	{ "battery-empty", "battery-caution", "battery-low", nullptr },
	{ "battery-caution", "battery-empty", "battery-low", nullptr },
	{ "battery-low", "battery-caution", "battery-empty", nullptr },
	{ "battery-good", "battery-full", nullptr },
	{ "battery-full", "battery-good", nullptr },
	{ "battery-full-charged", "battery-full-charging", "battery-full",
	    nullptr },
};

/* The whole battery set in one style; false when a level has no picture. */
static bool
load_battery_set(QIcon *icons, const char *suffix)
{
	for (int i = 0; i <= ICON_FULL_CHARGED; i++) {
		icons[i] = load_theme_icon_of(STAND_INS[i], suffix);
		if (icons[i].isNull())
			return false;
	}
	return true;
}

static QIcon
quit_icon()
{
	const QIcon icon = load_theme_icon("application-exit", nullptr);

	return icon.isNull() ?
	    load_standard_icon(QStyle::SP_DialogCloseButton, nullptr) : icon;
}

static QIcon
preferences_icon()
{
	const QIcon icon = load_theme_icon("preferences-system", nullptr);

	return icon.isNull() ? load_standard_icon(QStyle::SP_FileIcon, nullptr) :
	    icon;
}

/*
 * The first theme lookup parses the theme's index and may load QtSvg and
 * image plugins, and the style's icons come from its resources: memory
 * that stays taken for the whole run.  With the drawn gauge nothing is
 * looked up until the menu is shown (or handed to a StatusNotifierItem
 * host, which asks for its pictures).
 */
IconSet
Pictures::loadIcons(bool levelIcons)
{
	IconSet set;
	QIcon *icons = set.icons;

	icons[ICON_QUIT] = deferred_icon(quit_icon);
	icons[ICON_PREFERENCES] = deferred_icon(preferences_icon);
	if (!levelIcons) {
		set.themeIconsMissing = true;
		return set;
	}
	/* Symbolic pictures only as a whole set: never mixed into colour. */
	if (!load_battery_set(icons, "") &&
	    !load_battery_set(icons, "-symbolic")) {
		set.themeIconsMissing = true;
		for (int i = 0; i <= ICON_FULL_CHARGED; i++)
			icons[i] = QIcon();
	}
	return set;
}

int
Pictures::iconIndexFor(int capacity, int state)
{
	int level;

	if (state != BATT_CHARGING && state != BATT_DISCHARGING)
		return ICON_FULL_CHARGED;
	if (capacity <= 4)
		level = 0;
	else if (capacity <= 19)
		level = 1;
	else if (capacity <= 39)
		level = 2;
	else if (capacity <= 89)
		level = 3;
	else
		level = 4;
	return (state == BATT_CHARGING ? ICON_CHARGING_EMPTY :
	    ICON_DISCHARGING_EMPTY) + level;
}

/*
 * Painted in device-independent pixels, so that every ratio gives the same
 * proportions; only the fill steps by device pixels, finer on a finer
 * screen.  At ratio 1: the terminal over x 4..6 of row 0, the outline
 * around the body (rows 1..23), the fill from row 22 upward.
 */
QPixmap
Pictures::paintGauge(int value, int warnCapacity, qreal ratio)
{
	/* Wide arithmetic: a capacity far out of range must not overflow. */
	const int64_t capacity = value < 0 ? -int64_t(value) : int64_t(value);
	const qreal fill = std::floor(qMin(capacity, int64_t(100)) * 21 *
	    ratio / 100) / ratio;
	QColor colour = GAUGE_GREEN;
	QPixmap pixmap((QSizeF(GAUGE_SIZE) * ratio).toSize());

	if (value < 0)
		colour = warnCapacity < capacity ? GAUGE_YELLOW : GAUGE_RED;
	pixmap.setDevicePixelRatio(ratio);
	pixmap.fill(Qt::transparent);

	QPainter painter(&pixmap);
	painter.fillRect(QRectF(4, 0, 3, 1), colour);
	painter.fillRect(QRectF(0, 1, 10, 1), colour);
	painter.fillRect(QRectF(0, 23, 10, 1), colour);
	painter.fillRect(QRectF(0, 2, 1, 21), colour);
	painter.fillRect(QRectF(9, 2, 1, 21), colour);
	painter.fillRect(QRectF(1, 22 - fill, 8, fill + 1), colour);
	painter.end();
	return pixmap;
}

/*
 * The gauge as an icon, painted anew for every use: at the pixel ratio of
 * whatever it is painted on, and for a tray that asks for pixmaps by pixel
 * size (a StatusNotifierItem host) at 1x and 2x.  Never larger than the
 * gauge itself: a larger slot shows it at its size, not scaled up.
 */
class GaugeEngine : public QIconEngine {
public:
	GaugeEngine(int value, int warnCapacity)
	    : value(value), warnCapacity(warnCapacity) {}

	QIconEngine *clone() const override { return new GaugeEngine(*this); }

	QSize actualSize(const QSize &size, QIcon::Mode,
	    QIcon::State) override
	{
		if (GAUGE_SIZE.width() <= size.width() &&
		    GAUGE_SIZE.height() <= size.height())
			return GAUGE_SIZE;
		return GAUGE_SIZE.scaled(size, Qt::KeepAspectRatio);
	}

	void paint(QPainter *painter, const QRect &rect, QIcon::Mode,
	    QIcon::State) override
	{
		const qreal zoom = qreal(rect.height()) / GAUGE_SIZE.height();
		const qreal ratio = painter->device()->devicePixelRatioF();
		QPixmap pixmap = Pictures::paintGauge(value, warnCapacity,
		    zoom * ratio);

		pixmap.setDevicePixelRatio(ratio);
		painter->drawPixmap(rect.topLeft(), pixmap);
	}

	/* size in device pixels: whole multiples of the gauge, crisp. */
	QPixmap pixmap(const QSize &size, QIcon::Mode,
	    QIcon::State) override
	{
		const qreal fit = qMin(qreal(size.width()) / GAUGE_SIZE.width(),
		    qreal(size.height()) / GAUGE_SIZE.height());
		QPixmap pixmap = Pictures::paintGauge(value, warnCapacity,
		    qMax(std::floor(fit), qreal(1)));

		pixmap.setDevicePixelRatio(1);
		if (fit < 1)
			return pixmap.scaled(size, Qt::KeepAspectRatio,
			    Qt::SmoothTransformation);
		return pixmap;
	}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
	QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
#else
	QList<QSize> availableSizes(QIcon::Mode, QIcon::State) const override
#endif
	{
		return { GAUGE_SIZE, GAUGE_SIZE * 2 };
	}

private:
	int	value;
	int	warnCapacity;
};

/* The digits in a light face with a dark rim, fitted into box. */
static void
paint_digits(QPainter *painter, int digits, const QRectF &box)
{
	QFont font;
	QPainterPath path;

	font.setPixelSize(100);
	font.setBold(true);
	path.addText(0, 0, font, QString::number(digits));
	const QRectF bounds = path.boundingRect();
	if (bounds.isEmpty())
		return;
	/* Full height; squeezed sideways rather than shrunk when wide. */
	const qreal sy = box.height() / bounds.height();
	const qreal sx = qMin(sy, box.width() / bounds.width());
	QTransform fit;
	fit.translate(box.center().x(), box.center().y());
	fit.scale(sx, sy);
	fit.translate(-bounds.center().x(), -bounds.center().y());
	path = fit.map(path);

	painter->save();
	painter->setRenderHint(QPainter::Antialiasing);
	painter->strokePath(path, QPen(OUTLINE, 2, Qt::SolidLine, Qt::RoundCap,
	    Qt::RoundJoin));
	painter->fillPath(path, DIGITS);
	painter->restore();
}

/*
 * At ratio 1: the terminal over x 3..6 of row 0, the dark outline around
 * the body (x 0..9, rows 1..23), the coloured frame inside it and the fill
 * from row 21 upward, one row at least; the digits over x 11..23.
 */
QPixmap
Pictures::paintWithDigits(const QIcon &themeIcon, const PictureKey &key,
    qreal ratio)
{
	QPixmap pixmap((QSizeF(DIGITS_SIZE) * ratio).toSize());

	pixmap.fill(Qt::transparent);
	QPainter painter(&pixmap);
	/* Scaled by hand: a painter takes no pixel ratio below 1 (a 22-px slot). */
	painter.scale(ratio, ratio);
	if (!themeIcon.isNull()) {
		themeIcon.paint(&painter, QRect(QPoint(0, 0), DIGITS_SIZE));
		paint_digits(&painter, key.digits, QRectF(1, 12, 22, 11));
		painter.end();
		pixmap.setDevicePixelRatio(ratio);
		return pixmap;
	}
	const int64_t capacity = key.gauge < 0 ? -int64_t(key.gauge) :
	    int64_t(key.gauge);
	const qreal fill = std::floor(qMin(capacity, int64_t(100)) * 19 *
	    ratio / 100) / ratio;
	QColor colour = GAUGE_GREEN;

	if (key.gauge < 0)
		colour = key.warn < capacity ? GAUGE_YELLOW : GAUGE_RED;
	painter.fillRect(QRectF(3, 0, 4, 1), OUTLINE);
	painter.fillRect(QRectF(0, 1, 10, 23), OUTLINE);
	painter.fillRect(QRectF(1, 2, 8, 21), colour);
	painter.setCompositionMode(QPainter::CompositionMode_Clear);
	painter.fillRect(QRectF(2, 3, 6, 19), Qt::transparent);
	painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
	painter.fillRect(QRectF(2, 21 - fill, 6, fill + 1), colour);
	paint_digits(&painter, key.digits, QRectF(11.5, 6, 12, 12));
	painter.end();
	pixmap.setDevicePixelRatio(ratio);
	return pixmap;
}

/*
 * The picture with digits as an icon, painted anew for every use as the
 * gauge is; a theme's icon under it is painted at the same pixel ratio.
 */
class DigitsEngine : public QIconEngine {
public:
	DigitsEngine(const QIcon &themeIcon, const PictureKey &key)
	    : themeIcon(themeIcon), key(key) {}

	QIconEngine *clone() const override { return new DigitsEngine(*this); }

	/* A theme's icon fills the slot; the gauge is never scaled up. */
	QSize actualSize(const QSize &size, QIcon::Mode,
	    QIcon::State) override
	{
		if (themeIcon.isNull() && DIGITS_SIZE.width() <= size.width() &&
		    DIGITS_SIZE.height() <= size.height())
			return DIGITS_SIZE;
		return DIGITS_SIZE.scaled(size, Qt::KeepAspectRatio);
	}

	void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
	    QIcon::State state) override
	{
		const int side = actualSize(rect.size(), mode, state).height();
		const qreal ratio = painter->device()->devicePixelRatioF();
		QPixmap pixmap = Pictures::paintWithDigits(themeIcon, key,
		    qreal(side) / DIGITS_SIZE.height() * ratio);

		pixmap.setDevicePixelRatio(ratio);
		painter->drawPixmap(rect.topLeft(), pixmap);
	}

	/* size in device pixels: whole multiples of the picture, crisp. */
	QPixmap pixmap(const QSize &size, QIcon::Mode,
	    QIcon::State) override
	{
		const qreal fit = qMin(size.width(), size.height()) /
		    qreal(DIGITS_SIZE.height());
		QPixmap pixmap = Pictures::paintWithDigits(themeIcon, key,
		    fit < 1 ? fit : std::floor(fit));

		pixmap.setDevicePixelRatio(1);
		return pixmap;
	}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
	QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
#else
	QList<QSize> availableSizes(QIcon::Mode, QIcon::State) const override
#endif
	{
		return { DIGITS_SIZE, DIGITS_SIZE * 2 };
	}

private:
	QIcon		themeIcon;
	PictureKey	key;
};

/*
 * While discharging, the levels in force pick the caution and the empty
 * picture, whatever the level bands say.
 */
static int
level_icon(int index, const batt_status &now)
{
	if (now.state != BATT_DISCHARGING)
		return index;
	if (now.capacity <= now.low_capacity)
		return ICON_DISCHARGING_EMPTY;
	if (now.capacity <= now.warn_capacity)
		return qMin(index, ICON_DISCHARGING_EMPTY + 1);
	return index;
}

PictureKey
Pictures::pictureKey(const IconSet &set, bool useIconTheme,
    const batt_status &now, bool digits)
{
	PictureKey key;

	/* No battery, no number. */
	if (digits && (now.state == BATT_CHARGING ||
	    now.state == BATT_DISCHARGING || now.state == BATT_ON_AC))
		key.digits = qBound(0, int(now.capacity), 100);

	if (!set.themeIconsMissing && useIconTheme)
		key.themeIcon = level_icon(iconIndexFor(now.capacity,
		    now.state), now);
	else {
		key.gauge = now.state == BATT_DISCHARGING ? -now.capacity :
		    now.capacity;
		key.warn = now.warn_capacity;
	}
	return key;
}

/* Theme icons come at whatever size the tray asks for, as the gauge. */
QIcon
Pictures::pictureFor(const IconSet &set, const PictureKey &key)
{
	if (key.digits != -1)
		return QIcon(new DigitsEngine(key.themeIcon != -1 ?
		    set.icons[key.themeIcon] : QIcon(), key));
	if (key.themeIcon != -1)
		return set.icons[key.themeIcon];
	return QIcon(new GaugeEngine(key.gauge, key.warn));
}

static QString
battery_lines(const QList<batt_unit> &units)
{
	QString lines;

	if (units.size() < 2)
		return lines;
	for (const batt_unit &unit : units) {
		const QString name = QString::fromUtf8(unit.name);

		/* One pass: a name such as "BAT%1" is not a place to fill. */
		lines += unit.present ? Pictures::tr("\n%1: %2%").arg(name,
		    QString::number(unit.capacity)) :
		    Pictures::tr("\n%1: absent").arg(name);
	}
	return lines;
}

QString
Pictures::toolTipFor(const batt_status &status, const QList<batt_unit> &units)
{
	/* A reading's negative count, whatever it is, is no time. */
	return toolTipFor(status, units, status.time_left >= 0 ?
	    status.time_left : -1);
}

static QString
clock_text(const QString &format, int minutes)
{
	const int hours = minutes / 60;

	return format.arg(hours, 2, 10, QChar('0'))
	    .arg(minutes - 60 * hours, 2, 10, QChar('0'));
}

QString
Pictures::toolTipFor(const batt_status &status, const QList<batt_unit> &units,
    int minutes)
{
	const bool charging = status.state == BATT_CHARGING;
	QString text;

	switch (status.state) {
	case BATT_DISCHARGING:
		text = tr("Status: Discharging\nCapacity: %1%");
		break;
	case BATT_CHARGING:
		text = tr("Status: Charging\nCapacity: %1%");
		break;
	case BATT_ON_AC:
		return tr("Status: Running on AC power") + battery_lines(units);
	default:
		return QString();
	}
	text = text.arg(status.capacity);
	/* -1 is the driver's "unknown"; no other negative count means time. */
	if (minutes >= 0)
		text += clock_text(charging ? tr("\nTime to full: %1:%2") :
		    tr("\nTime remaining: %1:%2"), minutes);
	else if (minutes == TIMELEFT_ESTIMATING)
		text += charging ? tr("\nTime to full: estimating…") :
		    tr("\nTime remaining: estimating…");
	if (status.state == BATT_DISCHARGING &&
	    status.capacity <= status.low_capacity)
		text += QLatin1Char('\n') + tr("Battery critical");
	else if (status.state == BATT_DISCHARGING &&
	    status.capacity <= status.warn_capacity)
		text += QLatin1Char('\n') + tr("Battery low");
	return text + battery_lines(units);
}
