/* SPDX-License-Identifier: BSD-2-Clause */
#include <err.h>
#include <stdio.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

#include "battindicator.h"
#include "deferredicon.h"
#include "languages.h"
#include "lifecycle.h"
#include "msgbox.h"
#include "save.h"
#include "settings.h"

/*
 * The catalogues' directory, found from the program's own place so that an
 * install moved to another prefix still finds them.
 */
static QString
translation_dir()
{
	QDir bindir(QCoreApplication::applicationDirPath());

	return QDir::cleanPath(bindir.filePath(
	    QString::fromUtf8(AMPELWICK_BIN_TO_DATADIR)));
}

/* The installed theme icon, or the same picture built in. */
static QIcon
program_icon()
{
	return QIcon::fromTheme(PROGRAM_NAME,
	    QIcon(QStringLiteral(":/ampelwick.svg")));
}

/*
 * Answers --help and --version on standard output, before anything needs a
 * display; returns whether it answered.  Every other argument is left to
 * Qt or ignored.
 */
static bool
answer_command_line(int argc, char *argv[])
{
	QCoreApplication app(argc, argv);
	install_translations(translation_dir());

	QCommandLineParser parser;
	/* Qt's own X11-style options, such as -reverse, are not letter bundles. */
	parser.setSingleDashWordOptionMode(
	    QCommandLineParser::ParseAsLongOptions);
	parser.setApplicationDescription(QCoreApplication::translate(
	    "CommandLine", "Battery monitor for the system tray."));
	QCommandLineOption help({"h", "help"}, QCoreApplication::translate(
	    "CommandLine", "Show this help and exit."));
	QCommandLineOption version({"v", "version"},
	    QCoreApplication::translate("CommandLine",
	    "Show the version and exit."));
	parser.addOption(help);
	parser.addOption(version);
	/* Unknown arguments are no error: they are ignored. */
	parser.parse(app.arguments());

	if (parser.isSet(help))
		fputs(qPrintable(parser.helpText()), stdout);
	else if (parser.isSet(version))
		printf("%s %s\n", PROGRAM_NAME, AMPELWICK_VERSION);
	else
		return false;
	return true;
}

int
main(int argc, char *argv[])
{
	install_termination_signals();
	if (argc > 1 && answer_command_line(argc, argv))
		return 0;

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
	/*
	 * What Qt 6 does by itself: windows follow the screen's scale, and
	 * pictures are asked for at its device pixel ratio.
	 */
	QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
	QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
	QApplication app(argc, argv);
	/*
	 * Not at start: the tray icon's own window would have the SVG drawn
	 * in four sizes for nobody to see, QtSvg loaded and the pictures
	 * cached (with Qt 6 on two pooled threads that live for 30 s).
	 */
	set_window_icon_when_shown(program_icon);

	install_translations(translation_dir());
	take_instance_lock();

	/* No file yet: the defaults; the first save creates it. */
	Settings settings;
	if (!settings_load(&settings))
		gui_errx(nullptr, 1, "%s", settings_errstr());
	/* Said once; Preferences shows them too, and they stay as written. */
	for (const std::string &kept : settings_kept_texts(settings))
		warnx("%s is not a number in its range; the default is used",
		    kept.c_str());

	QGuiApplication::setQuitOnLastWindowClosed(false);
	BattIndicator indicator(settings, nullptr);
	/*
	 * From now on a signal saves and leaves the event loop as Quit does,
	 * so that the indicator is destroyed and closes what it holds.
	 */
	TerminationWatcher watcher;
	QObject::connect(&watcher, &TerminationWatcher::arrived, &indicator,
	    [&indicator] { indicator.saveAndQuit(SaveReport::StandardError); });
	return app.exec();
}
