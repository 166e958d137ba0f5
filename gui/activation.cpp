/* SPDX-License-Identifier: BSD-2-Clause */
#include <stdlib.h>

#include <QGuiApplication>
#include <QWidget>

#include "activation.h"

void
activate_window(QWidget *window)
{
	char *token = nullptr;

	/*
	 * A Wayland compositor activates a window only for a token, and Qt
	 * asks for one only while a window of ours has the focus, which a
	 * click on the tray icon does not give.  Qt takes a token from the
	 * environment at its next activation request and clears it.
	 */
	if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
		token = wayland_activation_token();
	if (token != nullptr)
		qputenv("XDG_ACTIVATION_TOKEN", token);
	window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
	window->show();
	window->raise();
	window->activateWindow();
	/* Never handed on to a command we run, where Qt left it. */
	if (token != nullptr)
		qunsetenv("XDG_ACTIVATION_TOKEN");
	free(token);
	/*
	 * No QApplication::alert(): under i3 it withdraws the urgent mark
	 * the request has just set, and Qt on Wayland does nothing with it.
	 */
}
