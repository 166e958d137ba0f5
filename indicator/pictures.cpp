#include <stdint.h>

#include <QPainter>
#include <QRect>
#include <QStyle>

#include "deferredicon.h"
#include "icons.h"
#include "pictures.h"

static const QColor GAUGE_GREEN(96, 255, 96);
static const QColor GAUGE_YELLOW(239, 239, 92);
static const QColor GAUGE_RED(255, 0, 0);

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
	icons[9] = load_theme_icon("battery-full", "battery-full-symbolic",
	    "battery", nullptr);
	icons[8] = load_theme_icon("battery-good", "battery-good-symbolic",
	    "battery", nullptr);
	icons[7] = load_theme_icon("battery-low", "battery-low-symbolic",
	    nullptr);
	icons[6] = load_theme_icon("battery-caution",
	    "battery-caution-symbolic", nullptr);
	icons[5] = load_theme_icon("battery-empty", "battery-empty-symbolic",
	    "battery-low", nullptr);
	icons[4] = load_theme_icon("battery-full-charging",
	    "battery-full-charging-symbolic", "battery", nullptr);
	icons[3] = load_theme_icon("battery-good-charging",
	    "battery-good-charging-symbolic", "battery", nullptr);
	icons[2] = load_theme_icon("battery-low-charging",
	    "battery-low-charging-symbolic", "battery-low", nullptr);
	icons[1] = load_theme_icon("battery-caution-charging",
	    "battery-caution-charging-symbolic", "battery-caution", nullptr);
	icons[0] = load_theme_icon("battery-empty-charging",
	    "battery-empty-charging-symbolic", "battery-low", nullptr);
	icons[ICON_FULL_CHARGED] = load_theme_icon("battery-full-charged",
	    "battery-full-charged-symbolic", "battery", nullptr);

	for (int i = 0; i < ICON_FULL_CHARGED; i++)
		if (icons[i].isNull())
			set.themeIconsMissing = true;
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

QPixmap
Pictures::paintGauge(int value, int warnCapacity)
{
	/* Wide arithmetic: a capacity far out of range must not overflow. */
	const int64_t capacity = value < 0 ? -int64_t(value) : int64_t(value);
	const int fill = int(qBound(int64_t(0), capacity * 21 / 100, int64_t(21)));
	QColor colour = GAUGE_GREEN;
	QPixmap pixmap(10, 24);

	if (value < 0)
		colour = warnCapacity < capacity ? GAUGE_YELLOW : GAUGE_RED;
	pixmap.fill(Qt::transparent);

	QPainter painter(&pixmap);
	const QRect terminal(4, 0, 2, 1);
	const QRect body(0, 1, 9, 22);
	painter.setPen(colour);
	painter.drawRects(&terminal, 1);
	painter.drawRects(&body, 1);
	painter.fillRect(QRectF(1.0, 22 - fill, 8.0, fill + 1), colour);
	painter.end();
	return pixmap;
}

QIcon
Pictures::trayPicture(const IconSet &set, bool useIconTheme,
    const batt_status &now)
{
	if (!set.themeIconsMissing && useIconTheme)
		return set.icons[iconIndexFor(now.capacity, now.state)];
	return QIcon(paintGauge(now.state == BATT_DISCHARGING ?
	    -now.capacity : now.capacity, now.warn_capacity));
}

static QString
battery_lines(const QList<batt_unit> &units)
{
	QString lines;

	if (units.size() < 2)
		return lines;
	for (const batt_unit &unit : units) {
		const QString name = QString::fromUtf8(unit.name);

		lines += unit.present ?
		    Pictures::tr("\n%1: %2%").arg(name).arg(unit.capacity) :
		    Pictures::tr("\n%1: absent").arg(name);
	}
	return lines;
}

QString
Pictures::toolTipFor(const batt_status &status, const QList<batt_unit> &units)
{
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
	if (status.time_left >= 0) {
		const int hours = status.time_left / 60;

		text += tr("\nTime remaining: %1:%2")
		    .arg(hours, 2, 10, QChar('0'))
		    .arg(status.time_left - 60 * hours, 2, 10, QChar('0'));
	}
	return text + battery_lines(units);
}
