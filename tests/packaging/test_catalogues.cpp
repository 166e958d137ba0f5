/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The built message catalogues, loaded the way the program loads them:
 * QTranslator::load with the locale, "ampelwick", "_" and the directory.
 */
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <QtTest>

struct Message {
	QByteArray context;
	QByteArray text;
};

static QVector<Message>
readMessages()
{
	QVector<Message> msgs;
	QFile f(QStringLiteral(MESSAGES_FILE));
	if (!f.open(QIODevice::ReadOnly))
		return msgs;
	while (!f.atEnd()) {
		QByteArray line = f.readLine();
		line.chop(line.endsWith('\n') ? 1 : 0);
		if (line.isEmpty() || line.startsWith('#'))
			continue;
		int tab = line.indexOf('\t');
		msgs.append({line.left(tab),
		    line.mid(tab + 1).replace("\\n", "\n")});
	}
	return msgs;
}

class TestCatalogues : public QObject {
	Q_OBJECT
private slots:
	void everyTextTranslated_data();
	void everyTextTranslated();
	void englishPluralForms();
	void noCatalogueForOtherLanguages();
};

/* The numbers whose plural forms are told apart, in this order. */
static const int NUMBERS[] = { 1, 2, 5, 11, 21, 22 };

/*
 * Which plural form each of NUMBERS takes, equal letters for the same
 * form: Russian says 1 and 21 "секунду", 2 and 22 "секунды", 5 and 11
 * "секунд"; Polish 21 "sekund" but 22 "sekundy"; Czech 21 and 22 "sekund".
 */
static QString
pluralPattern(const QTranslator &tr, const char *context, const char *text)
{
	QStringList forms;
	QString pattern;

	for (int n : NUMBERS) {
		QString form = tr.translate(context, text, nullptr, n);
		if (!form.contains(QLatin1String("%n")))
			return QStringLiteral("no %n in ") + form;
		if (!forms.contains(form))
			forms.append(form);
		pattern += QLatin1Char(char('A' + forms.indexOf(form)));
	}
	return pattern;
}

void
TestCatalogues::everyTextTranslated_data()
{
	QTest::addColumn<QString>("locale");
	QTest::addColumn<QString>("plurals");
	// Country variants fall back to the language's catalogue.
	QTest::newRow("de_DE") << "de_DE" << "ABBBBB";
	QTest::newRow("de_AT") << "de_AT" << "ABBBBB";
	QTest::newRow("fr_FR") << "fr_FR" << "ABBBBB";
	QTest::newRow("fr_CA") << "fr_CA" << "ABBBBB";
	QTest::newRow("es_ES") << "es_ES" << "ABBBBB";
	QTest::newRow("es_MX") << "es_MX" << "ABBBBB";
	QTest::newRow("it_IT") << "it_IT" << "ABBBBB";
	QTest::newRow("nl_NL") << "nl_NL" << "ABBBBB";
	QTest::newRow("nl_BE") << "nl_BE" << "ABBBBB";
	QTest::newRow("pt_BR") << "pt_BR" << "ABBBBB";
	QTest::newRow("ru_RU") << "ru_RU" << "ABCCAB";
	QTest::newRow("uk_UA") << "uk_UA" << "ABCCAB";
	QTest::newRow("pl_PL") << "pl_PL" << "ABCCCB";
	QTest::newRow("cs_CZ") << "cs_CZ" << "ABCCCC";
	QTest::newRow("ja_JP") << "ja_JP" << "AAAAAA";
	QTest::newRow("zh_CN") << "zh_CN" << "AAAAAA";
}

void
TestCatalogues::everyTextTranslated()
{
	QFETCH(QString, locale);
	QFETCH(QString, plurals);
	QVector<Message> msgs = readMessages();
	QCOMPARE(msgs.size(), 86);

	QTranslator tr;
	QVERIFY(tr.load(QLocale(locale), "ampelwick", "_", QM_DIR));
	for (const Message &m : msgs) {
		const QByteArray where = m.context + " / " + m.text;
		if (m.text.contains("%n")) {
			QString pattern = pluralPattern(tr, m.context, m.text);
			QVERIFY2(pattern == plurals,
			    qPrintable(pattern + " for " + where));
			continue;
		}
		QString out = tr.translate(m.context, m.text);
		QVERIFY2(!out.isEmpty(), where.constData());
		// Menu entries and buttons keep their keyboard shortcut.
		if (m.text.startsWith('&'))
			QVERIFY2(out.count('&') == 1, qPrintable(out));
	}
	// A text is looked up in the context of the class that shows it.
	QVERIFY(!tr.translate("Countdown", "&Cancel").isEmpty());
	QVERIFY(tr.translate("BattIndicator", "Suspend").isEmpty());
}

/* English needs a catalogue only for its plural forms. */
void
TestCatalogues::englishPluralForms()
{
	QTranslator tr;
	QVERIFY(tr.load(QLocale("en_GB"), "ampelwick", "_", QM_DIR));
	QCOMPARE(pluralPattern(tr, "Countdown",
	    "Suspending system in %n second(s)"), QStringLiteral("ABBBBB"));
	QCOMPARE(tr.translate("Countdown", "Suspending system in %n second(s)",
	    nullptr, 1), QStringLiteral("Suspending system in %n Second"));
	QCOMPARE(tr.translate("Countdown",
	    "Shutting down system in %n second(s)", nullptr, 30),
	    QStringLiteral("Shutting down system in %n Seconds"));
	QVERIFY(tr.translate("Preferences", "Preferences").isEmpty());
}

void
TestCatalogues::noCatalogueForOtherLanguages()
{
	QTranslator tr;
	QVERIFY(!tr.load(QLocale("sv_SE"), "ampelwick", "_", QM_DIR));
	// Portugal's Portuguese and Traditional Chinese are other languages.
	QVERIFY(!tr.load(QLocale("pt_PT"), "ampelwick", "_", QM_DIR));
	QVERIFY(!tr.load(QLocale("zh_TW"), "ampelwick", "_", QM_DIR));
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "test_catalogues.moc"
