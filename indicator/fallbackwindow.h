/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The window that stands in for the tray icon while the desktop has no
 * system tray: the battery's picture and the tool tip's text, with the
 * entries of the tray menu as buttons.  Closing it quits the program.
 */
#ifndef AMPELWICK_FALLBACKWINDOW_H
#define AMPELWICK_FALLBACKWINDOW_H

#include <QList>
#include <QWidget>

class QAction;
class QCloseEvent;
class QHideEvent;
class QIcon;
class QLabel;

class FallbackWindow : public QWidget {
	Q_OBJECT

public:
	/* A window of its own, owned by parent; the buttons follow the actions. */
	FallbackWindow(const QList<QAction *> &actions, QWidget *parent);

	/* A null text keeps the one shown, as the tool tip does. */
	void	showStatus(const QIcon &picture, const QString &text);
	/* A warning that the tray icon would have shown, until hidden. */
	void	showMessage(const QString &title, const QString &message);

signals:
	/* The user closed the window. */
	void	closed();

protected:
	void	closeEvent(QCloseEvent *event) override;
	void	hideEvent(QHideEvent *event) override;

private:
	QLabel	*picture;
	QLabel	*status;
	QLabel	*warning;
};

#endif
