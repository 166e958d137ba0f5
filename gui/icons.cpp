/* SPDX-License-Identifier: BSD-2-Clause */
#include <QApplication>
#include <QByteArray>
#include <QString>

#include <cstdarg>

#include "icons.h"

/*
 * The theme may claim a name and still hand back an unusable icon (no
 * files, or an engine that lost the name); such an icon is passed over.
 */
static QIcon
theme_icon(const QByteArray &name)
{
	QString qname = QString::fromUtf8(name);

	if (!QIcon::hasThemeIcon(qname))
		return QIcon();
	QIcon icon = QIcon::fromTheme(qname);
	if (icon.isNull() || icon.name().isEmpty())
		return QIcon();
	return icon;
}

QIcon
load_theme_icon(const char *name, ...)
{
	QIcon icon;
	va_list ap;

	va_start(ap, name);
	for (const char *n = name; n != nullptr; n = va_arg(ap, const char *)) {
		icon = theme_icon(n);
		if (!icon.isNull())
			break;
	}
	va_end(ap);
	return icon;
}

QIcon
load_theme_icon_of(const char *const *names, const char *suffix)
{
	for (; *names != nullptr; names++) {
		QIcon icon = theme_icon(QByteArray(*names).append(suffix));
		if (!icon.isNull())
			return icon;
	}
	return QIcon();
}

QIcon
load_standard_icon(QStyle::StandardPixmap pixmap, QWidget *widget)
{
	return QApplication::style()->standardIcon(pixmap, nullptr, widget);
}
