/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Icon lookup: the first usable icon of the desktop's theme from a list of
 * names, and the application style's standard icons.
 */
#ifndef AMPELWICK_ICONS_H
#define AMPELWICK_ICONS_H

#include <QIcon>
#include <QStyle>

class QWidget;

/*
 * Names in order of preference, the list ended by a null pointer.  Gives
 * a null icon when the theme has none of them.
 */
QIcon	load_theme_icon(const char *name, ...) __attribute__((sentinel));
/* The same over an array ended by a null pointer, suffix after each name. */
QIcon	load_theme_icon_of(const char *const *names, const char *suffix);
QIcon	load_standard_icon(QStyle::StandardPixmap pixmap, QWidget *widget);

#endif /* AMPELWICK_ICONS_H */
