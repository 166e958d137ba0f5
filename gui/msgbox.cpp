/* SPDX-License-Identifier: BSD-2-Clause */
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

/*
 * The length of the printf conversion that follows a '%': flags,
 * width, precision, length modifier and conversion; 0 for none ("%n" and
 * positional arguments count as none).
 */
static size_t
conversion_length(const char *s)
{
	size_t n = strspn(s, "-+ #0'");

	n += strspn(s + n, "0123456789*");
	if (s[n] == '.')
		n += 1 + strspn(s + n + 1, "0123456789*");
	n += strspn(s + n, "hljztLq");
	if (s[n] == '\0' || strchr("diouxXeEfFgGaAcsp", s[n]) == nullptr)
		return 0;
	return n + 1;
}

/* The next printf conversion at or after s, or null; "%%" is none. */
static const char *
next_conversion(const char *s, size_t *len)
{
	while ((s = strchr(s, '%')) != nullptr) {
		if (s[1] != '%') {
			*len = conversion_length(s + 1);
			return s;
		}
		s += 2;
	}
	return nullptr;
}

bool
same_conversions(const char *format, const char *other)
{
	size_t len = 0;
	size_t otherLen = 0;

	for (;;) {
		format = next_conversion(format, &len);
		other = next_conversion(other, &otherLen);
		if (format == nullptr || other == nullptr)
			return format == other;
		if (len == 0 || len != otherLen ||
		    strncmp(format, other, len + 1) != 0)
			return false;
		format += len + 1;
		other += len + 1;
	}
}

/*
 * The catalogue's version of a format marked in the context "Messages".  A
 * translator's format that converts other arguments, or in another order,
 * would read the wrong ones (a %s too many crashes): the English one is
 * shown then.
 */
static QByteArray
translated_format(const char *format)
{
	QByteArray translated =
	    QCoreApplication::translate("Messages", format).toUtf8();

	if (!same_conversions(format, translated.constData()))
		return QByteArray(format);
	return translated;
}

static void
format_message(const char *format, va_list ap)
{
	const QByteArray shown = translated_format(format);

	gui_msgbuf[0] = '\0';
	vsnprintf(gui_msgbuf, MSG_MAX + 1, shown.constData(), ap);
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
