#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "msgbox.h"

enum msg_kind { MSG_WARNING, MSG_ERROR };

/*
 * One text buffer for every box.  A box copies the text before it runs, so
 * a box opened from a nested event loop may reuse the buffer at once.
 */
static char gui_msgbuf[1024];

/* A formatted text keeps at most this many characters... */
static constexpr size_t MSG_MAX = sizeof(gui_msgbuf) - 1;
/* ...and one less when it carries the errno text. */
static constexpr size_t MSG_MAX_ERRNO = MSG_MAX - 1;

static void
format_message(const char *format, va_list ap)
{
	gui_msgbuf[0] = '\0';
	vsnprintf(gui_msgbuf, MSG_MAX + 1, format, ap);
}

static void
append_errno_text(int saved_errno)
{
	size_t len = strlen(gui_msgbuf);

	if (len > MSG_MAX_ERRNO) {
		len = MSG_MAX_ERRNO;
		gui_msgbuf[len] = '\0';
	}
	/* Room: MSG_MAX minus the length, terminator included. */
	snprintf(gui_msgbuf + len, MSG_MAX - len, ":\n%s\n",
	    strerror(saved_errno));
}

static void
gui_msgbox(const char *title, msg_kind kind, QWidget *parent)
{
	bool error = kind == MSG_ERROR;
	/* Heap object: the nested loop may delete the parent, and the box with it. */
	QPointer<QMessageBox> box = new QMessageBox(parent);

	box->setWindowModality(Qt::WindowModal);
	box->setWindowTitle(QObject::tr(title));
	box->setText(QString::fromUtf8(gui_msgbuf));
	box->setIcon(error ? QMessageBox::Critical : QMessageBox::Warning);
	box->setWindowIcon(QApplication::style()->standardIcon(error ?
	    QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
	box->setStandardButtons(QMessageBox::Ok);
	box->exec();
	delete box.data();
}

void
gui_warn(QWidget *parent, const char *format, ...)
{
	int saved_errno = errno;
	va_list ap;

	va_start(ap, format);
	format_message(format, ap);
	va_end(ap);
	append_errno_text(saved_errno);
	gui_msgbox(QT_TRANSLATE_NOOP("QObject", "Warning"), MSG_WARNING, parent);
}

void
gui_warnx(QWidget *parent, const char *format, ...)
{
	va_list ap;

	va_start(ap, format);
	format_message(format, ap);
	va_end(ap);
	gui_msgbox(QT_TRANSLATE_NOOP("QObject", "Warning"), MSG_WARNING, parent);
}

void
gui_err(QWidget *parent, int status, const char *format, ...)
{
	int saved_errno = errno;
	va_list ap;

	va_start(ap, format);
	format_message(format, ap);
	va_end(ap);
	append_errno_text(saved_errno);
	gui_msgbox(QT_TRANSLATE_NOOP("QObject", "Error"), MSG_ERROR, parent);
	exit(status);
}

void
gui_errx(QWidget *parent, int status, const char *format, ...)
{
	va_list ap;

	va_start(ap, format);
	format_message(format, ap);
	va_end(ap);
	gui_msgbox(QT_TRANSLATE_NOOP("QObject", "Error"), MSG_ERROR, parent);
	exit(status);
}
