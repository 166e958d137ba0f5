/* SPDX-License-Identifier: BSD-2-Clause */
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "countdown.h"
#include "icons.h"

Countdown::Countdown(bool suspend, int seconds, QWidget *parent)
	: QDialog(parent)
{
	suspendMode = suspend;
	deadlineMs = clockMs() + static_cast<qint64>(seconds) * 1000;

	QIcon cancelIcon = load_standard_icon(QStyle::SP_DialogCancelButton,
	    nullptr);
	QIcon criticalIcon = load_standard_icon(QStyle::SP_MessageBoxCritical,
	    nullptr);
	QIcon windowIcon = criticalIcon;

	textLabel = new QLabel(QString());
	timer = new QTimer(this);
	/* Each tick meant for the turn of a second, not up to 5 % early. */
	timer->setTimerType(Qt::PreciseTimer);
	QLabel *pictureLabel = new QLabel;
	QHBoxLayout *hbox = new QHBoxLayout;
	QVBoxLayout *vbox = new QVBoxLayout(this);
	QPushButton *cancelButton = new QPushButton(cancelIcon, tr("&Cancel"));

	setLabelText(seconds);
	pictureLabel->setPixmap(criticalIcon.pixmap(64, 64, QIcon::Normal,
	    QIcon::Off));
	setWindowIcon(windowIcon);
	setWindowTitle(tr("Critical battery capacity reached"));

	hbox->setSpacing(20);
	hbox->addWidget(pictureLabel, 0);
	hbox->addWidget(textLabel, 1, Qt::AlignHCenter);
	vbox->addLayout(hbox, 0);
	vbox->addWidget(cancelButton, 0, Qt::AlignRight);

	connect(timer, &QTimer::timeout, this, &Countdown::update);
	connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

	/*
	 * Modal whether it is run with exec() or only shown: above any dialog
	 * already open, so that Cancel can always be reached.
	 */
	setWindowModality(Qt::ApplicationModal);
	/* Above all else, and floated by tiling compositors: of one size. */
	setWindowFlag(Qt::WindowStaysOnTopHint);
	vbox->setSizeConstraint(QLayout::SetFixedSize);
	show();
	/* The full screen, not the work area: the dialog may cover panels. */
	setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
	    size(), QGuiApplication::primaryScreen()->geometry()));
	timer->start(1000);
}

void
Countdown::setLabelText(int seconds)
{
	if (seconds <= 0)
		return;
	/* English too has its plural forms in a catalogue (ampelwick_en). */
	textLabel->setText(suspendMode ?
	    tr("Suspending system in %n second(s)", nullptr, seconds) :
	    tr("Shutting down system in %n second(s)", nullptr, seconds));
}

qint64
Countdown::clockMs() const
{
	return QDeadlineTimer::current(Qt::PreciseTimer).deadline();
}

/*
 * The count always comes from the monotonic clock and the fixed deadline,
 * so a late tick never stretches the countdown and a wall clock set
 * forward or back (a time server, a resume, the user) neither ends it
 * early nor draws it out.  The next tick comes when the shown second runs
 * out, the last one at the deadline.
 */
void
Countdown::update()
{
	const qint64 remaining = deadlineMs - clockMs();

	if (remaining <= 0) {
		timer->stop();
		accept();
		return;
	}
	const qint64 partial = remaining % 1000;

	timer->start(partial != 0 ? static_cast<int>(partial) : 1000);
	setLabelText(static_cast<int>((remaining + 999) / 1000));
}

void
Countdown::closeEvent(QCloseEvent *event)
{
	event->ignore();
}

/* Escape would reject the dialog; only the Cancel button may do that. */
void
Countdown::keyPressEvent(QKeyEvent *e)
{
	if (e->key() == Qt::Key_Escape)
		return;
	QDialog::keyPressEvent(e);
}
