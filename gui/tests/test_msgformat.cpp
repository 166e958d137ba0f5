/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The message boxes' formats in another language: a translated format is
 * shown only when it converts the same arguments, in the same order, as
 * the English one; any other would read the wrong arguments.
 */
#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <functional>

#include "msgbox.h"

namespace {

/* A catalogue as a translator might write it, held in memory. */
class Catalogue : public QTranslator
{
public:
	QHash<QByteArray, QString> formats;

	bool
	isEmpty() const override
	{
		return false;
	}

	QString
	translate(const char *context, const char *source, const char *,
	    int) const override
	{
		if (qstrcmp(context, "Messages") != 0)
			return QString();
		return formats.value(source);
	}
};

/* The text of the one box that show() opens; the box is closed with Ok. */
QString
box_text(const std::function<void()> &show)
{
	QString text;

	QTimer::singleShot(0, [&] {
		for (QWidget *w : QApplication::topLevelWidgets()) {
			QMessageBox *box = qobject_cast<QMessageBox *>(w);
			if (box == nullptr || !box->isVisible())
				continue;
			text = box->text();
			box->button(QMessageBox::Ok)->click();
		}
	});
	show();
	return text;
}

} // namespace

class TestMsgformat : public QObject
{
	Q_OBJECT

private slots:
	void sameConversions_data();
	void sameConversions();
	void translatedFormats();
};

void
TestMsgformat::sameConversions_data()
{
	QTest::addColumn<QByteArray>("format");
	QTest::addColumn<QByteArray>("other");
	QTest::addColumn<bool>("same");

	QTest::newRow("words moved") << QByteArray("Couldn't execute %s") <<
	    QByteArray("%s konnte nicht ausgeführt werden") << true;
	QTest::newRow("two in order") << QByteArray("Command %s: %d") <<
	    QByteArray("Befehl %s endete: %d") << true;
	QTest::newRow("none") << QByteArray("Failes to execute shell.") <<
	    QByteArray("Die Shell fehlt.") << true;
	QTest::newRow("percent signs") << QByteArray("%s at 5%%") <<
	    QByteArray("%s bei 5 %%") << true;
	QTest::newRow("swapped") << QByteArray("Command %s: %d") <<
	    QByteArray("Status %d: %s") << false;
	QTest::newRow("one lost") << QByteArray("Couldn't execute %s") <<
	    QByteArray("Nicht ausführbar") << false;
	QTest::newRow("one more") << QByteArray("Failes to execute shell.") <<
	    QByteArray("Shell %s fehlt") << false;
	QTest::newRow("other width") << QByteArray("%d") << QByteArray("%5d") <<
	    false;
	QTest::newRow("other length") << QByteArray("%d") << QByteArray("%ld") <<
	    false;
	QTest::newRow("positional") << QByteArray("%s") << QByteArray("%1$s") <<
	    false;
	QTest::newRow("writes") << QByteArray("%d") << QByteArray("%n") << false;
	QTest::newRow("lone percent") << QByteArray("at 5") <<
	    QByteArray("bei 5 %") << false;
	QTest::newRow("percent sign for a conversion") << QByteArray("5%% %s") <<
	    QByteArray("5% %s") << false;
}

void
TestMsgformat::sameConversions()
{
	QFETCH(QByteArray, format);
	QFETCH(QByteArray, other);
	QFETCH(bool, same);

	QCOMPARE(same_conversions(format.constData(), other.constData()), same);
	QCOMPARE(same_conversions(other.constData(), format.constData()), same);
}

void
TestMsgformat::translatedFormats()
{
	Catalogue german;
	german.formats["Couldn't execute %s"] =
	    QStringLiteral("%s konnte nicht ausgeführt werden");
	/* Would read the number as a string. */
	german.formats["Command %s returned an exit status != 0: %d"] =
	    QStringLiteral("Befehl %d endete mit %s");
	/* Would read an argument that was never passed. */
	german.formats["Failes to execute shell."] =
	    QStringLiteral("Die Shell %s fehlt.");
	QCoreApplication::installTranslator(&german);

	QCOMPARE(box_text([] {
		gui_warnx(nullptr, "Couldn't execute %s", "halt -p");
	}), QStringLiteral("halt -p konnte nicht ausgeführt werden"));
	QCOMPARE(box_text([] {
		gui_warnx(nullptr, "Command %s returned an exit status != 0: %d",
		    "halt -p", 3);
	}), QStringLiteral("Command halt -p returned an exit status != 0: 3"));
	QCOMPARE(box_text([] {
		errno = ENOENT;
		gui_warn(nullptr, "Failes to execute shell.");
	}), QStringLiteral("Failes to execute shell.:\n%1\n")
	    .arg(QString::fromUtf8(strerror(ENOENT))));
	/* A format that the catalogue lacks stays as it is. */
	QCOMPARE(box_text([] { gui_warnx(nullptr, "%s", "50%s"); }),
	    QStringLiteral("50%s"));

	QCoreApplication::removeTranslator(&german);
}

QTEST_MAIN(TestMsgformat)
#include "test_msgformat.moc"
