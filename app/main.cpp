#include <errno.h>

#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include "battindicator.h"
#include "cfg.h"
#include "lifecycle.h"
#include "msgbox.h"
#include "settings.h"

static cfg_section *
load_settings()
{
	cfg_section *settings;

	if ((settings = cfg_read(PROGRAM_NAME, CONFIG_FILE, settings_table,
	    SETTINGS_COUNT)) != nullptr)
		return settings;
	if (errno != ENOENT)
		gui_errx(nullptr, 1, "%s", cfg_errstr());
	/* No file yet: run on the defaults; the first save creates it. */
	if ((settings = cfg_new(nullptr, settings_table, SETTINGS_COUNT)) ==
	    nullptr)
		gui_errx(nullptr, 1, "%s", cfg_errstr());
	return settings;
}

int
main(int argc, char *argv[])
{
	install_termination_signals();

	QApplication app(argc, argv);
	TerminationWatcher watcher;

	QTranslator translator;
	if (translator.load(QLocale(), PROGRAM_NAME, "_", AMPELWICK_DATADIR))
		app.installTranslator(&translator);

	take_instance_lock();

	cfg_section *settings = load_settings();
	set_loaded_settings(settings);

	QGuiApplication::setQuitOnLastWindowClosed(false);
	BattIndicator indicator(settings, nullptr);
	return app.exec();
}
