/* SPDX-License-Identifier: BSD-2-Clause */
#include <QBoxLayout>
#include <QCloseEvent>
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
	deadline = time(nullptr) + seconds;

	QIcon cancelIcon = load_standard_icon(QStyle::SP_DialogCancelButton,
	    nullptr);
	QIcon criticalIcon = load_standard_icon(QStyle::SP_MessageBoxCritical,
	    nullptr);
	QIcon windowIcon = criticalIcon;

	textLabel = new QLabel(QString());
	timer = new QTimer(this);
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

/*
 * The count always comes from the wall clock and the fixed deadline, so a
 * late tick never stretches the countdown.
 */
void
Countdown::update()
{
	int remaining = static_cast<int>(deadline - time(nullptr));

	if (remaining <= 0) {
		accept();
		return;
	}
	timer->start(1000);
	setLabelText(remaining);
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
