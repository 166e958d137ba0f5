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
 * Restores, raises and activates the window; where the window system
 * declines, it marks the window urgent so that its workspace shows it.
 */
void	activate_window(QWidget *window);

/*
 * An activation token from the Wayland compositor named by WAYLAND_DISPLAY,
 * asked for on a connection of its own; NULL where there is none.  The
 * caller frees it.
 */
char	*wayland_activation_token(void);

#endif /* AMPELWICK_ACTIVATION_H */
