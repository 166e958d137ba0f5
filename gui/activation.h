/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Bringing an open window to the user when asked for from outside it (a
 * click on the tray icon), which the window system may refuse a program
 * that holds no focus.
 */
#ifndef AMPELWICK_ACTIVATION_H
#define AMPELWICK_ACTIVATION_H

class QWidget;

/*
 * Restores, raises and asks to activate the window.  The window manager
 * decides: i3 and sway mark a window on another workspace urgent instead.
 */
void	activate_window(QWidget *window);

/*
 * An activation token from the Wayland compositor named by WAYLAND_DISPLAY,
 * asked for on a connection of its own; NULL where there is none.  The
 * caller frees it.
 */
char	*wayland_activation_token(void);

#endif /* AMPELWICK_ACTIVATION_H */
