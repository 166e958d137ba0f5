/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The least a tray battery monitor can do, for bench/idle_cost.py to
 * compare ampelwick with: a drawn icon in the system tray and one sysfs
 * file read every 5 s into the icon's tool tip.  Nothing else.
 *
 *   minimal_tray [FILE]    (default: BAT0's capacity)
 */
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

static QPixmap
drawIcon()
{
	QPixmap pixmap(10, 24);

	pixmap.fill(Qt::transparent);
	QPainter painter(&pixmap);
	painter.setPen(Qt::green);
	painter.drawRect(0, 1, 8, 21);
	painter.fillRect(1, 12, 8, 11, Qt::green);
	painter.end();
	return pixmap;
}

static QString
readLine(const QString &path)
{
	QFile file(path);

	if (!file.open(QIODevice::ReadOnly))
		return QStringLiteral("?");
	return QString::fromLatin1(file.readLine()).trimmed();
}

int
main(int argc, char *argv[])
{
	QApplication app(argc, argv);
	const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) :
	    QStringLiteral("/sys/class/power_supply/BAT0/capacity");
	QSystemTrayIcon tray{QIcon(drawIcon())};
	QTimer timer;

	auto update = [&] { tray.setToolTip(readLine(path) + QLatin1Char('%')); };
	QObject::connect(&timer, &QTimer::timeout, update);
	update();
	tray.show();
	timer.start(5000);
	return app.exec();
}
