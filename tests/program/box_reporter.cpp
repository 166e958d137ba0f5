/*
 * Linked into the probe build of the program: reports every message box on
 * standard output as one line and closes it, so that a test can check the
 * texts, titles and icons of the program's boxes and its exit status.
 *
 *   BOX<TAB>title<TAB>icon<TAB>text, newlines written as \n
 *
 * and the line READY when an event loop first runs: once start-up is done,
 * the battery's first reading included (or under a start-up error box).
 */
#include <stdio.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
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
		QTimer::singleShot(0, box, SLOT(accept()));
	}
}

static void
startReporter()
{
	QTimer *timer = new QTimer(QCoreApplication::instance());
	QObject::connect(timer, &QTimer::timeout, reportBoxes);
	timer->start(20);
	QTimer::singleShot(0, QCoreApplication::instance(), [] {
		printf("READY\n");
		fflush(stdout);
	});
}

Q_COREAPP_STARTUP_FUNCTION(startReporter)
