/* SPDX-License-Identifier: BSD-2-Clause */
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "languages.h"
#include "settings.h"

static QString
qt_translations_dir()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
	return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
	return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

static bool
load_builtin_english(QTranslator *program)
{
	Q_INIT_RESOURCE(english);
	return program->load(QStringLiteral("%1_en").arg(PROGRAM_NAME),
	    QStringLiteral(":/i18n"));
}

void
install_translations(const QString &catalogueDir)
{
	QCoreApplication *app = QCoreApplication::instance();
	QTranslator *program = new QTranslator(app);

	/*
	 * The English texts have their plural forms from a catalogue too,
	 * built in for when none is found.
	 */
	if (!program->load(QLocale(), PROGRAM_NAME, "_", catalogueDir) &&
	    !program->load(QStringLiteral("%1_en").arg(PROGRAM_NAME),
	    catalogueDir) && !load_builtin_english(program)) {
		delete program;
		return;
	}
	/* Qt's texts in the language the program speaks, not in another. */
	QTranslator *qt = new QTranslator(app);
	if (qt->load(QLocale(program->language()), QStringLiteral("qtbase"),
	    QStringLiteral("_"), qt_translations_dir()))
		QCoreApplication::installTranslator(qt);
	else
		delete qt;
	/* Installed last, so searched first. */
	QCoreApplication::installTranslator(program);
}
