/*
 * What the tray shows for a reading: the icon set from the desktop's
 * theme, the picture (a theme icon or the drawn gauge) and the tool tip.
 * Functions of their arguments alone, but for the theme lookup of
 * loadIcons().
 */
#ifndef AMPELWICK_PICTURES_H
#define AMPELWICK_PICTURES_H

#include <QCoreApplication>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>

#include "battery.h"

/* Indexes of the icon set. */
enum {
	ICON_CHARGING_EMPTY = 0,	/* 0..4: charging, empty to full */
	ICON_DISCHARGING_EMPTY = 5,	/* 5..9: discharging, empty to full */
	ICON_FULL_CHARGED = 10,
	ICON_PREFERENCES = 11,
	ICON_QUIT = 12,
	ICON_COUNT = 13
};

struct IconSet {
	QIcon	icons[ICON_COUNT];
	bool	themeIconsMissing = false;	/* a level icon: draw the gauge */
};

class Pictures {
	/* The catalogues hold these texts under the indicator's name. */
	Q_DECLARE_TR_FUNCTIONS(BattIndicator)

public:
	/*
	 * The theme's icons, the battery levels' only where they are shown;
	 * the menu's fall back to the style's and are looked up when first
	 * drawn or measured.
	 */
	static IconSet	loadIcons(bool levelIcons = true);
	static int	iconIndexFor(int capacity, int state);
	/* value: the capacity, negated while discharging. */
	static QPixmap	paintGauge(int value, int warnCapacity);
	/* A theme icon when asked for and complete, else the gauge. */
	static QIcon	trayPicture(const IconSet &set, bool useIconTheme,
			    const batt_status &now);
	/*
	 * The status lines, then one line per battery when there are two or
	 * more; a null string for a state that keeps the previous tool tip.
	 */
	static QString	toolTipFor(const batt_status &status,
			    const QList<batt_unit> &units = {});
};

#endif
