/* SPDX-License-Identifier: BSD-2-Clause */
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWindow>
#include <QtTest>

#include "deferredicon.h"

static int made;

static QIcon
red_icon()
{
	QPixmap pixmap(16, 16);

	made++;
	pixmap.fill(Qt::red);
	return QIcon(pixmap);
}

static QIcon
big_red_icon()
{
	QPixmap pixmap(64, 64);

	pixmap.fill(Qt::red);
	return QIcon(pixmap);
}

static QIcon
no_icon()
{
	made++;
	return QIcon();
}

static QRgb
colour_of(const QIcon &icon)
{
	return icon.pixmap(16).toImage().pixel(8, 8);
}

class TestDeferredIcon : public QObject
{
	Q_OBJECT

private slots:
	void init();
	void madeAtTheFirstQuestion();
	void denseScreen();
	void windowIconForTheFirstDecoratedWindow();
};

void
TestDeferredIcon::init()
{
	made = 0;
}

/* Copies share the one made icon; a changed copy keeps it. */
void
TestDeferredIcon::madeAtTheFirstQuestion()
{
	QIcon icon = deferred_icon(red_icon);
	QIcon copy = icon;

	QCOMPARE(made, 0);
	QVERIFY(!copy.isNull());
	QCOMPARE(made, 1);
	QCOMPARE(colour_of(icon), qRgb(255, 0, 0));
	QPixmap blue(16, 16);
	blue.fill(Qt::blue);
	copy.addPixmap(blue);
	QCOMPARE(made, 1);
	QCOMPARE(colour_of(icon), qRgb(255, 0, 0));

	/* A menu entry without an icon stays without one. */
	QVERIFY(deferred_icon(no_icon).isNull());
	QCOMPARE(made, 2);
}

/*
 * On a screen of twice the pixels (run with QT_SCALE_FACTOR=2) the
 * pictures have the made icon's sizes: a size already in device pixels
 * is not multiplied by the ratio once more.
 */
void
TestDeferredIcon::denseScreen()
{
	if (qApp->devicePixelRatio() != 2)
		QSKIP("for a run with QT_SCALE_FACTOR=2");
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
	QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
	const QIcon plain = big_red_icon();
	const QIcon icon = deferred_icon(big_red_icon);

	QCOMPARE(icon.pixmap(16).size(), plain.pixmap(16).size());
	QCOMPARE(icon.pixmap(16).size(), QSize(32, 32));

	QPixmap target(32, 32);
	target.setDevicePixelRatio(2);
	target.fill(Qt::transparent);
	QPainter painter(&target);
	icon.paint(&painter, QRect(0, 0, 16, 16));
	painter.end();
	QCOMPARE(target.toImage().pixel(1, 1), qRgb(255, 0, 0));
	QCOMPARE(target.toImage().pixel(30, 30), qRgb(255, 0, 0));
}

/*
 * Made once, when the first decorated window is shown; the windows that
 * no window manager decorates come and go without it.
 */
void
TestDeferredIcon::windowIconForTheFirstDecoratedWindow()
{
	set_window_icon_when_shown(red_icon);

	/* Made like the tray icon's own window. */
	QWidget trayWindow(nullptr, Qt::Window | Qt::FramelessWindowHint |
	    Qt::BypassWindowManagerHint);
	trayWindow.show();
	QMenu menu;
	menu.addAction(QStringLiteral("Quit"));
	menu.popup(QPoint(0, 0));
	QWidget tip(nullptr, Qt::ToolTip);
	tip.show();
	QCoreApplication::processEvents();
	QCOMPARE(made, 0);
	QVERIFY(QApplication::windowIcon().isNull());

	QDialog dialog;
	dialog.show();
	QCOMPARE(made, 1);
	QVERIFY(!dialog.windowHandle()->icon().isNull());

	QWidget window;
	window.show();
	QDialog second;
	second.show();
	QCOMPARE(made, 1);
	QCOMPARE(colour_of(window.windowIcon()), qRgb(255, 0, 0));
}

QTEST_MAIN(TestDeferredIcon)
#include "test_deferredicon.moc"
