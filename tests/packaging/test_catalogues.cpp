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
	void unknownLanguageStaysEnglish();
};

void
TestCatalogues::everyTextTranslated_data()
{
	QTest::addColumn<QString>("locale");
	// Country variants fall back to the language's catalogue.
	QTest::newRow("de_DE") << "de_DE";
	QTest::newRow("de_AT") << "de_AT";
	QTest::newRow("fr_FR") << "fr_FR";
	QTest::newRow("fr_CA") << "fr_CA";
	QTest::newRow("es_ES") << "es_ES";
	QTest::newRow("es_MX") << "es_MX";
	QTest::newRow("ru_RU") << "ru_RU";
}

void
TestCatalogues::everyTextTranslated()
{
	QFETCH(QString, locale);
	QVector<Message> msgs = readMessages();
	QCOMPARE(msgs.size(), 34);

	QTranslator tr;
	QVERIFY(tr.load(QLocale(locale), "ampelwick", "_", QM_DIR));
	for (const Message &m : msgs) {
		QString out = tr.translate(m.context, m.text);
		QVERIFY2(!out.isEmpty(), (m.context + " / " + m.text).constData());
		// Menu entries and buttons keep their keyboard shortcut.
		if (m.text.startsWith('&'))
			QVERIFY2(out.count('&') == 1, qPrintable(out));
	}
	// A text is looked up in the context of the class that shows it.
	QVERIFY(!tr.translate("Countdown", "&Cancel").isEmpty());
	QVERIFY(tr.translate("BattIndicator", "Suspend").isEmpty());
}

void
TestCatalogues::unknownLanguageStaysEnglish()
{
	QTranslator tr;
	QVERIFY(!tr.load(QLocale("ja_JP"), "ampelwick", "_", QM_DIR));
	QVERIFY(!tr.load(QLocale("en_US"), "ampelwick", "_", QM_DIR));
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "test_catalogues.moc"
