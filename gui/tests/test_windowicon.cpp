#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPixmap>
#include <QWindow>
#include <QtTest>

#include "windowicon.h"

static int made;

static QIcon
red_icon()
{
	QPixmap pixmap(16, 16);

	made++;
	pixmap.fill(Qt::red);
	return QIcon(pixmap);
}

/*
 * The icon is made once, when the first decorated window is shown; the
 * windows that no window manager decorates come and go without it.
 */
class TestWindowIcon : public QObject
{
	Q_OBJECT

private slots:
	void madeForTheFirstDecoratedWindow();
};

void
TestWindowIcon::madeForTheFirstDecoratedWindow()
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
	QVERIFY(!dialog.windowIcon().isNull());
	QVERIFY(!dialog.windowHandle()->icon().isNull());

	QWidget window;
	window.show();
	QDialog second;
	second.show();
	QCOMPARE(made, 1);
	QCOMPARE(window.windowIcon().pixmap(16).toImage().pixel(8, 8),
	    qRgb(255, 0, 0));
}

QTEST_MAIN(TestWindowIcon)
#include "test_windowicon.moc"
