/* SPDX-License-Identifier: BSD-2-Clause */
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

/* What decides a tray picture: equal keys, the same picture. */
struct PictureKey {
	int	themeIcon = -1;	/* the index of the theme's icon; -1: the gauge */
	int	gauge = 0;	/* the gauge's value and warning level */
	int	warn = 0;
	int	digits = -1;	/* the percent drawn in the picture; -1: none */

	bool
	operator==(const PictureKey &o) const
	{
		return themeIcon == o.themeIcon && gauge == o.gauge &&
		    warn == o.warn && digits == o.digits;
	}
	bool operator!=(const PictureKey &o) const { return !(*this == o); }
};

class Pictures {
	/* The catalogues hold these texts under the indicator's name. */
	Q_DECLARE_TR_FUNCTIONS(BattIndicator)

public:
	/*
	 * The theme's battery icons, all in full colour or, where the theme
	 * has only those, all symbolic; a name the theme lacks is stood in
	 * for by its nearest kin.  Without levelIcons (the drawn gauge in
	 * use) none are looked up.  The menu's icons fall back to the
	 * style's and are looked up when first drawn or measured.
	 */
	static IconSet	loadIcons(bool levelIcons = true);
	static int	iconIndexFor(int capacity, int state);
	/*
	 * The gauge, 10 x 24 device-independent pixels painted at a device
	 * pixel ratio.  value: the capacity, negated while discharging.
	 */
	static QPixmap	paintGauge(int value, int warnCapacity,
			    qreal ratio = 1);
	/*
	 * The picture with the key's digits, 24 x 24 device-independent
	 * pixels at a pixel ratio: the theme's icon with the digits over its
	 * lower half, or a gauge outlined in dark with the digits beside it.
	 * The digits are light with a dark rim: legible on any panel.
	 */
	static QPixmap	paintWithDigits(const QIcon &themeIcon,
			    const PictureKey &key, qreal ratio = 1);
	/*
	 * A theme icon when asked for and complete, else the gauge, painted
	 * at the size and pixel ratio of each use, with the charge's digits
	 * when asked for: the key decides, and the picture is made from it
	 * only when the key has changed.
	 */
	static PictureKey pictureKey(const IconSet &set, bool useIconTheme,
			    const batt_status &now, bool digits = false);
	static QIcon	pictureFor(const IconSet &set, const PictureKey &key);
	/*
	 * The status lines (with the warning level reached, while
	 * discharging), then one line per battery when there are two or
	 * more; a null string for a state that keeps the previous tool tip.
	 * minutes: the time to show (empty or full), TIMELEFT_ESTIMATING or
	 * -1; without it, the reading's own.
	 */
	static QString	toolTipFor(const batt_status &status,
			    const QList<batt_unit> &units = {});
	static QString	toolTipFor(const batt_status &status,
			    const QList<batt_unit> &units, int minutes);
};

#endif
