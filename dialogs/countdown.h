/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The last word before an automatic suspend or shutdown: a modal dialog
 * that counts down to a fixed deadline on the monotonic clock, which a
 * change of the wall clock does not move, and is accepted there, unless
 * the user presses Cancel first.  Escape and close requests are
 * refused.
 */
#ifndef AMPELWICK_COUNTDOWN_H
#define AMPELWICK_COUNTDOWN_H

#include <QDialog>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QTimer;

class Countdown : public QDialog
{
	Q_OBJECT

public:
	/* The length of the count before the automatic action. */
	static constexpr int ACTION_SECONDS = 30;

	Countdown(bool suspend, int seconds, QWidget *parent);

protected:
	/* Milliseconds on the monotonic clock. */
	virtual qint64	clockMs() const;

	qint64	 deadlineMs;

private:
	bool	 suspendMode;
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
