/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The program in other languages, with its catalogues and Qt's installed
 * the way the program installs them (install_translations): the
 * countdown's plural forms in Russian and Polish, the German preferences
 * with Qt's own texts in German, and English, plural forms included, for a
 * language without a catalogue.  Each window is kept as a screenshot.
 */
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include <memory>

#include "countdown.h"
#include "languages.h"
#include "preferences.h"
#include "settings.h"

namespace {

/* The program's catalogues and Qt's for the locale, and no others. */
void
use_language(const QString &locale,
    const QString &catalogueDir = QStringLiteral(QM_DIR))
{
	for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
		QCoreApplication::removeTranslator(t);
		delete t;
	}
	QLocale::setDefault(QLocale(locale));
	install_translations(catalogueDir);
}

/* The countdown's sentence: its one label with text. */
QString
sentence(const Countdown &dlg)
{
	for (QLabel *label : dlg.findChildren<QLabel *>())
		if (!label->text().isEmpty())
			return label->text();
	return QString();
}

void
keep_screenshot(QWidget *w, const QString &name)
{
	QDir().mkpath(QStringLiteral(ARTIFACT_DIR));
	QVERIFY(w->grab().save(QStringLiteral(ARTIFACT_DIR "/") + name +
	    QStringLiteral(".png")));
}

QStringList
action_texts(const QMenu &menu)
{
	QStringList texts;

	/* Without the shortcut that follows a tab. */
	for (QAction *a : menu.actions())
		texts << a->text().section(QLatin1Char('\t'), 0, 0);
	return texts;
}

} // namespace

class TestLanguages : public QObject
{
	Q_OBJECT

private slots:
	void countdownPlurals_data();
	void countdownPlurals();
	void germanPreferencesWithQtTexts();
	void englishWithoutCatalogue_data();
	void englishWithoutCatalogue();
};

void
TestLanguages::countdownPlurals_data()
{
	QTest::addColumn<QString>("locale");
	QTest::addColumn<int>("seconds");
	QTest::addColumn<QString>("text");
	QTest::addColumn<QString>("title");

	const QString ru = QStringLiteral(
	    "Достигнут критический уровень заряда батареи");
	QTest::newRow("ru 2") << "ru_RU" << 2 <<
	    "Переход в ждущий режим через 2 секунды" << ru;
	QTest::newRow("ru 5") << "ru_RU" << 5 <<
	    "Переход в ждущий режим через 5 секунд" << ru;
	QTest::newRow("ru 21") << "ru_RU" << 21 <<
	    "Переход в ждущий режим через 21 секунду" << ru;
	const QString pl = QStringLiteral(
	    "Osiągnięto krytyczny poziom naładowania akumulatora");
	QTest::newRow("pl 2") << "pl_PL" << 2 <<
	    "Uśpienie systemu za 2 sekundy" << pl;
	QTest::newRow("pl 5") << "pl_PL" << 5 <<
	    "Uśpienie systemu za 5 sekund" << pl;
	QTest::newRow("pl 21") << "pl_PL" << 21 <<
	    "Uśpienie systemu za 21 sekund" << pl;
}

void
TestLanguages::countdownPlurals()
{
	QFETCH(QString, locale);
	QFETCH(int, seconds);
	QFETCH(QString, text);
	QFETCH(QString, title);

	use_language(locale);
	Countdown dlg(true, seconds, nullptr);
	/* No event is handled before the check: no tick can change the count. */
	QCOMPARE(sentence(dlg), text);
	QCOMPARE(dlg.windowTitle(), title);
	keep_screenshot(&dlg, QStringLiteral("countdown-%1-%2")
	    .arg(locale.left(2)).arg(seconds));
}

void
TestLanguages::germanPreferencesWithQtTexts()
{
	use_language(QStringLiteral("de_DE"));
	Preferences dlg(Settings(), nullptr);
	dlg.show();

	QCOMPARE(dlg.windowTitle(), QStringLiteral("Einstellungen"));
	keep_screenshot(&dlg, QStringLiteral("preferences-de"));
	/* Qt's own texts: a command field's edit menu. */
	QLineEdit *edit = nullptr;
	for (QLineEdit *e : dlg.findChildren<QLineEdit *>())
		if (qobject_cast<QAbstractSpinBox *>(e->parent()) == nullptr)
			edit = e;
	QVERIFY(edit != nullptr);
	std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
	const QStringList texts = action_texts(*menu);
	QVERIFY2(texts.contains(QStringLiteral("&Rückgängig")),
	    qPrintable(texts.join(", ")));
	QVERIFY2(texts.contains(QStringLiteral("Alles auswählen")),
	    qPrintable(texts.join(", ")));
	menu->popup(edit->mapToGlobal(QPoint(0, edit->height())));
	keep_screenshot(menu.get(), QStringLiteral("preferences-de-edit-menu"));
}

void
TestLanguages::englishWithoutCatalogue_data()
{
	QTest::addColumn<QString>("locale");
	QTest::addColumn<QString>("catalogueDir");
	QTest::newRow("C") << "C" << QM_DIR;
	/* Qt has Danish texts; they would stand among English ones. */
	QTest::newRow("Danish") << "da_DK" << QM_DIR;
	QTest::newRow("British") << "en_GB" << QM_DIR;
	/* Run from the build tree: the program's own English. */
	QTest::newRow("no catalogue found") << "de_DE" << "/nonexistent";
}

/* English, plural forms included, and Qt's texts in English with it. */
void
TestLanguages::englishWithoutCatalogue()
{
	QFETCH(QString, locale);
	QFETCH(QString, catalogueDir);

	use_language(locale, catalogueDir);
	Countdown one(true, 1, nullptr);
	QCOMPARE(sentence(one), QStringLiteral("Suspending system in 1 Second"));
	Countdown thirty(false, 30, nullptr);
	QCOMPARE(sentence(thirty),
	    QStringLiteral("Shutting down system in 30 Seconds"));

	QLineEdit edit;
	std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
	QVERIFY(action_texts(*menu).contains(QStringLiteral("Select All")));
}

QTEST_MAIN(TestLanguages)
#include "test_languages.moc"
