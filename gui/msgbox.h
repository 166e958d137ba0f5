/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Modal message boxes in the manner of the BSD err(3) family: a
 * printf-style text, optionally followed by the text of errno, shown in a
 * box with a single Ok button.  The err forms end the process afterwards.
 * A QApplication must exist before any of them is called.
 */
#ifndef AMPELWICK_MSGBOX_H
#define AMPELWICK_MSGBOX_H

class QWidget;

/*
 * A format worth translating is marked at its call with
 * QT_TRANSLATE_NOOP("Messages", ...); the box shows the catalogue's format
 * when it has the same conversions as the English one (see below).
 */
void	gui_warn(QWidget *parent, const char *format, ...)
	    __attribute__((format(printf, 2, 3)));
void	gui_warnx(QWidget *parent, const char *format, ...)
	    __attribute__((format(printf, 2, 3)));
[[noreturn]] void gui_err(QWidget *parent, int status, const char *format, ...)
	    __attribute__((format(printf, 3, 4)));
[[noreturn]] void gui_errx(QWidget *parent, int status, const char *format, ...)
	    __attribute__((format(printf, 3, 4)));

/*
 * Whether two printf formats have the same conversions in
 * the same order ("%%" is none); a format with a malformed one, "%n" or a
 * positional argument matches nothing.
 */
bool	same_conversions(const char *format, const char *other);

#endif /* AMPELWICK_MSGBOX_H */
