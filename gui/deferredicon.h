/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Icons made when they are first needed rather than at start: a theme
 * lookup parses the theme's index and may load QtSvg and image plugins,
 * and what it allocates stays for the whole run.
 */
#ifndef AMPELWICK_DEFERREDICON_H
#define AMPELWICK_DEFERREDICON_H

#include <QIcon>

/*
 * An icon that calls make() when something first asks it for anything
 * (a picture, its size, its name, whether it is null) and from then on
 * is the icon make() gave.
 */
QIcon	deferred_icon(QIcon (*make)());

/*
 * Sets make()'s icon as the application's window icon just before the
 * first window that a window manager decorates is shown (a window or a
 * dialog, not a popup, a tool tip or the tray icon's own window, which
 * bypasses the window manager).  Call it once, after the QApplication is
 * made and before any window is shown.
 */
void	set_window_icon_when_shown(QIcon (*make)());

#endif /* AMPELWICK_DEFERREDICON_H */
