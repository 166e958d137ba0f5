/*
 * The program's icon on its windows, made when the first window that
 * shows it appears rather than at start.
 */
#ifndef AMPELWICK_WINDOWICON_H
#define AMPELWICK_WINDOWICON_H

#include <QIcon>

/*
 * Sets make()'s icon as the application's window icon just before the
 * first window that a window manager decorates is shown (a window or a
 * dialog, not a popup, a tool tip or the tray icon's own window, which
 * bypasses the window manager).  Call it once, after the QApplication is
 * made and before any window is shown.
 */
void	set_window_icon_when_shown(QIcon (*make)());

#endif /* AMPELWICK_WINDOWICON_H */
