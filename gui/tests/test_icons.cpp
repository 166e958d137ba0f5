/* SPDX-License-Identifier: BSD-2-Clause */
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "icons.h"

/*
 * A small icon theme in a temporary directory; the theme and fallback
 * search paths point only there, so the desktop's themes play no part.
 */
class TestIcons : public QObject
{
	Q_OBJECT

	QTemporaryDir	dir;

	void	addIcon(const QString &name, QRgb color);
	QRgb	colorOf(const QIcon &icon);

private slots:
	void initTestCase();
	void firstAvailableNameWins();
	void laterNamesAreFallbacks();
	void batteryNames();
	void noNameGivesNullIcon();
	void singleName();
	void standardIcon();
};

void
TestIcons::addIcon(const QString &name, QRgb color)
{
	QImage image(32, 32, QImage::Format_ARGB32);

	image.fill(color);
	QVERIFY(image.save(dir.filePath("testtheme/32x32/status/" + name +
	    ".png")));
}

QRgb
TestIcons::colorOf(const QIcon &icon)
{
	return icon.pixmap(32, 32).toImage().pixel(16, 16);
}

void
TestIcons::initTestCase()
{
	QVERIFY(dir.isValid());
	QVERIFY(QDir(dir.path()).mkpath("testtheme/32x32/status"));
	QFile index(dir.filePath("testtheme/index.theme"));
	QVERIFY(index.open(QIODevice::WriteOnly));
	index.write("[Icon Theme]\nName=Test\nDirectories=32x32/status\n\n"
	    "[32x32/status]\nSize=32\nContext=Status\nType=Fixed\n");
	index.close();
	addIcon("ac-adapter", qRgb(255, 0, 0));
	addIcon("power-plug", qRgb(0, 255, 0));
	addIcon("preferences-system", qRgb(0, 0, 255));
	addIcon("battery-full-symbolic", qRgb(255, 255, 0));
	addIcon("battery", qRgb(0, 255, 255));

	QIcon::setThemeSearchPaths({ dir.path() });
	QIcon::setFallbackSearchPaths({});
	QIcon::setThemeName("testtheme");
}

void
TestIcons::firstAvailableNameWins()
{
	QIcon icon = load_theme_icon("ac-adapter", "power-plug", nullptr);

	QCOMPARE(icon.name(), QStringLiteral("ac-adapter"));
	QCOMPARE(colorOf(icon), qRgb(255, 0, 0));
}

void
TestIcons::laterNamesAreFallbacks()
{
	QIcon icon = load_theme_icon("no-such-icon", "power-plug",
	    "ac-adapter", nullptr);

	QCOMPARE(icon.name(), QStringLiteral("power-plug"));
	QCOMPARE(colorOf(icon), qRgb(0, 255, 0));
}

void
TestIcons::batteryNames()
{
	QIcon icon = load_theme_icon("battery-full", "battery-full-symbolic",
	    "battery", nullptr);

	QCOMPARE(icon.name(), QStringLiteral("battery-full-symbolic"));
	QCOMPARE(colorOf(icon), qRgb(255, 255, 0));
}

void
TestIcons::noNameGivesNullIcon()
{
	QVERIFY(load_theme_icon("no-such-icon", "neither", nullptr).isNull());
}

void
TestIcons::singleName()
{
	QIcon icon = load_theme_icon("preferences-system", nullptr);

	QCOMPARE(icon.name(), QStringLiteral("preferences-system"));
	QCOMPARE(colorOf(icon), qRgb(0, 0, 255));
	QVERIFY(load_theme_icon("application-exit", nullptr).isNull());
}

void
TestIcons::standardIcon()
{
	QIcon icon = load_standard_icon(QStyle::SP_DialogCancelButton, nullptr);

	QVERIFY(!icon.isNull());
	QCOMPARE(icon.pixmap(16).toImage(), QApplication::style()->standardIcon(
	    QStyle::SP_DialogCancelButton).pixmap(16).toImage());
}

QTEST_MAIN(TestIcons)
#include "test_icons.moc"
