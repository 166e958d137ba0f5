/* SPDX-License-Identifier: BSD-2-Clause */
#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QApplication>
#include <QHideEvent>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "fallbackwindow.h"

/* The tray's size for the picture: what the icon would show. */
static const QSize PICTURE_SIZE(24, 24);

/* A push button standing for a menu entry: its text, icon and state. */
static QPushButton *
button_for(QAction *action, QWidget *parent)
{
	QPushButton *button = new QPushButton(action->text(), parent);
	auto follow = [button, action] {
		button->setIcon(action->icon());
		button->setEnabled(action->isEnabled());
	};

	follow();
	QObject::connect(action, &QAction::changed, button, follow);
	QObject::connect(button, &QPushButton::clicked, action,
	    &QAction::trigger);
	return button;
}

FallbackWindow::FallbackWindow(const QList<QAction *> &actions,
    QWidget *parent)
    : QWidget(parent, Qt::Window)
{
	QVBoxLayout *layout = new QVBoxLayout(this);
	QHBoxLayout *reading = new QHBoxLayout;
	QHBoxLayout *buttons = new QHBoxLayout;

	picture = new QLabel(this);
	status = new QLabel(this);
	QLabel *note = new QLabel(tr("No system tray was found. The battery "
	    "is shown here until a tray starts; closing this window quits "
	    "the program."), this);
	warning = new QLabel(this);
	picture->setAlignment(Qt::AlignCenter);
	picture->setMinimumSize(PICTURE_SIZE);
	note->setWordWrap(true);
	warning->setWordWrap(true);
	warning->hide();
	reading->addWidget(picture);
	reading->addWidget(status, 1);
	buttons->addStretch(1);
	for (QAction *action : actions)
		buttons->addWidget(button_for(action, this));
	layout->addLayout(reading);
	layout->addWidget(note);
	layout->addWidget(warning);
	layout->addLayout(buttons);
	/* Of one size, which tiling compositors float. */
	layout->setSizeConstraint(QLayout::SetFixedSize);
	setWindowTitle(QGuiApplication::applicationDisplayName());
}

void
FallbackWindow::showStatus(const QIcon &icon, const QString &text)
{
	picture->setPixmap(icon.pixmap(PICTURE_SIZE));
	if (!text.isNull())
		status->setText(text);
}

void
FallbackWindow::showMessage(const QString &title, const QString &message)
{
	warning->setText(title + QLatin1Char('\n') + message);
	warning->show();
	raise();
	QApplication::alert(this);
}

/* A warning belongs to the time it was given: it goes with the window. */
void
FallbackWindow::hideEvent(QHideEvent *event)
{
	if (!event->spontaneous()) {
		warning->clear();
		warning->hide();
	}
	QWidget::hideEvent(event);
}

void
FallbackWindow::closeEvent(QCloseEvent *event)
{
	event->accept();
	emit closed();
}
