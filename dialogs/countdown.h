/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The last word before an automatic suspend or shutdown: a modal dialog
 * that counts down to a fixed wall-clock deadline and is accepted there,
 * unless the user presses Cancel first.  Escape and close requests are
 * refused.
 */
#ifndef AMPELWICK_COUNTDOWN_H
#define AMPELWICK_COUNTDOWN_H

#include <QDialog>

#include <ctime>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QTimer;

class Countdown : public QDialog
{
	Q_OBJECT

public:
	Countdown(bool suspend, int seconds, QWidget *parent);

private:
	bool	 suspendMode;
	time_t	 deadline;
	QTimer	*timer;
	QLabel	*textLabel;

	void	setLabelText(int seconds);

private slots:
	/* Hides QWidget::update(); the timer is connected to this one. */
	void	update();
	void	closeEvent(QCloseEvent *event) override;
	void	keyPressEvent(QKeyEvent *e) override;
};

#endif /* AMPELWICK_COUNTDOWN_H */
