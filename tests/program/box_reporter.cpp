/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Linked into the probe build of the program: reports every message box on
 * standard output as one line and closes it, so that a test can check the
 * texts, titles and icons of the program's boxes and its exit status; and
 * reports each new tool tip of the tray icon, each balloon, and each new
 * text of the window shown while there is no tray.
 *
 *   BOX<TAB>title<TAB>icon<TAB>text, newlines written as \n
 *   TIP<TAB>tool tip
 *   BALLOON<TAB>title<TAB>message
 *   WINDOW<TAB>the texts of its labels, each after a tab
 *
 * and the line READY when an event loop first runs: once start-up is done,
 * the battery's first reading included (or under a start-up error box).
 */
#include <stdio.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>

static const char *
iconName(QMessageBox::Icon icon)
{
	switch (icon) {
	case QMessageBox::Warning:
		return "warning";
	case QMessageBox::Critical:
		return "critical";
	case QMessageBox::Information:
		return "information";
	case QMessageBox::Question:
		return "question";
	default:
		return "none";
	}
}

static QByteArray
oneLine(QString text)
{
	return text.replace("\n", "\\n").toUtf8();
}

static void
reportToolTips()
{
	static QString last;

	for (QWidget *w : QApplication::topLevelWidgets())
		for (QSystemTrayIcon *icon : w->findChildren<QSystemTrayIcon *>()) {
			if (icon->toolTip() == last)
				continue;
			last = icon->toolTip();
			printf("TIP\t%s\n", oneLine(last).constData());
			fflush(stdout);
		}
}

/* Qt's own balloon: a top-level label pair, title first. */
static void
reportBalloons()
{
	for (QWidget *w : QApplication::topLevelWidgets()) {
		if (qstrcmp(w->metaObject()->className(), "QBalloonTip") != 0 ||
		    !w->isVisible() || w->property("reported").toBool())
			continue;
		w->setProperty("reported", true);
		QStringList texts;
		for (QLabel *label : w->findChildren<QLabel *>())
			if (!label->text().isEmpty())
				texts << oneLine(label->text());
		printf("BALLOON\t%s\n", texts.join("\t").toUtf8().constData());
		fflush(stdout);
	}
}

static void
reportFallbackWindow()
{
	static QString last;

	for (QWidget *w : QApplication::topLevelWidgets()) {
		if (qstrcmp(w->metaObject()->className(), "FallbackWindow") != 0 ||
		    !w->isVisible())
			continue;
		QStringList texts;
		for (QLabel *label : w->findChildren<QLabel *>())
			if (!label->text().isEmpty())
				texts << oneLine(label->text());
		if (texts.join("\t") == last)
			continue;
		last = texts.join("\t");
		printf("WINDOW\t%s\n", last.toUtf8().constData());
		fflush(stdout);
	}
}

static void
reportBoxes()
{
	for (QWidget *w : QApplication::topLevelWidgets()) {
		QMessageBox *box = qobject_cast<QMessageBox *>(w);
		if (box == nullptr || !box->isVisible() ||
		    box->property("reported").toBool())
			continue;
		box->setProperty("reported", true);
		QString text = box->text();
		text.replace("\n", "\\n");
		printf("BOX\t%s\t%s\t%s\n", qPrintable(box->windowTitle()),
		    iconName(box->icon()), text.toUtf8().constData());
		fflush(stdout);
		QTimer::singleShot(0, box, &QMessageBox::accept);
	}
}

static void
startReporter()
{
	QTimer *timer = new QTimer(QCoreApplication::instance());
	QObject::connect(timer, &QTimer::timeout, reportBoxes);
	QObject::connect(timer, &QTimer::timeout, reportToolTips);
	QObject::connect(timer, &QTimer::timeout, reportBalloons);
	QObject::connect(timer, &QTimer::timeout, reportFallbackWindow);
	timer->start(20);
	QTimer::singleShot(0, QCoreApplication::instance(), [] {
		printf("READY\n");
		fflush(stdout);
	});
}

Q_COREAPP_STARTUP_FUNCTION(startReporter)
