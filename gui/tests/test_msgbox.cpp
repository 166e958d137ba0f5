/* SPDX-License-Identifier: BSD-2-Clause */
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <functional>

#include "cfg.h"
#include "msgbox.h"
#include "save.h"
#include "test_home.h"

namespace {

/* What a box showed while it ran. */
struct Seen {
	QString		 title;
	QString		 text;
	QMessageBox::Icon icon = QMessageBox::NoIcon;
	bool		 windowIcon = false;
	QObject		*parent = nullptr;
	Qt::WindowModality modality = Qt::NonModal;
	QMessageBox::StandardButtons buttons;
};

QMessageBox *
visible_box(QMessageBox *except = nullptr)
{
	for (QWidget *w : QApplication::topLevelWidgets()) {
		QMessageBox *box = qobject_cast<QMessageBox *>(w);
		if (box != nullptr && box != except && box->isVisible())
			return box;
	}
	return nullptr;
}

Seen
look_at(QMessageBox *box)
{
	Seen s;

	s.title = box->windowTitle();
	s.text = box->text();
	s.icon = box->icon();
	s.windowIcon = !box->windowIcon().isNull();
	s.parent = box->parent();
	s.modality = box->windowModality();
	s.buttons = box->standardButtons();
	return s;
}

/*
 * Runs show(), which opens one box; the box is recorded and closed with
 * Ok from inside its event loop.
 */
Seen
run_box(const std::function<void()> &show)
{
	Seen seen;
	bool found = false;

	QTimer::singleShot(0, [&] {
		QMessageBox *box = visible_box();
		if (box == nullptr)
			return;
		found = true;
		seen = look_at(box);
		box->button(QMessageBox::Ok)->click();
	});
	show();
	if (!found)
		qWarning("no message box appeared");
	return seen;
}

QString
errno_suffix(int e)
{
	return QStringLiteral(":\n%1\n").arg(QString::fromUtf8(strerror(e)));
}

} // namespace

class TestMsgbox : public QObject
{
	Q_OBJECT

private slots:
	void warningBox();
	void errnoSuffix_data();
	void errnoSuffix();
	void lengthLimits();
	void percentSigns();
	void nestedBoxes();
	void errorBoxEndsProcess_data();
	void errorBoxEndsProcess();
	void failedSaveReportedInABox();
};

void
TestMsgbox::warningBox()
{
	QWidget parent;
	Seen s = run_box([&] { gui_warnx(&parent, "battery %d%%", 42); });

	QCOMPARE(s.title, QStringLiteral("Warning"));
	QCOMPARE(s.text, QStringLiteral("battery 42%"));
	QCOMPARE(s.icon, QMessageBox::Warning);
	QVERIFY(s.windowIcon);
	QCOMPARE(s.parent, &parent);
	QCOMPARE(s.modality, Qt::WindowModal);
	QCOMPARE(s.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
	/* The box is gone when the call returns. */
	QVERIFY(parent.findChildren<QMessageBox *>().isEmpty());
}

void
TestMsgbox::errnoSuffix_data()
{
	QTest::addColumn<int>("err");
	QTest::newRow("ENOENT") << ENOENT;
	QTest::newRow("no error") << 0;
}

void
TestMsgbox::errnoSuffix()
{
	QFETCH(int, err);
	Seen s = run_box([&] {
		errno = err;
		gui_warn(nullptr, "open(%s)", "/nonexistent/battery");
	});

	QCOMPARE(s.text, QStringLiteral("open(/nonexistent/battery)") +
	    errno_suffix(err));
	QCOMPARE(s.title, QStringLiteral("Warning"));
}

void
TestMsgbox::lengthLimits()
{
	std::string longText(2000, 'a');
	std::string text1000(1000, 'b');
	std::string text1023(1023, 'c');
	Seen s;

	s = run_box([&] { gui_warnx(nullptr, "%s", longText.c_str()); });
	QCOMPARE(s.text, QString(1023, QLatin1Char('a')));

	/* With the errno text the limit is one less; the suffix goes first. */
	s = run_box([&] {
		errno = ENOENT;
		gui_warn(nullptr, "%s", longText.c_str());
	});
	QCOMPARE(s.text, QString(1022, QLatin1Char('a')));
	s = run_box([&] {
		errno = ENOENT;
		gui_warn(nullptr, "%s", text1023.c_str());
	});
	QCOMPARE(s.text, QString(1022, QLatin1Char('c')));
	s = run_box([&] {
		errno = ENOENT;
		gui_warn(nullptr, "%s", text1000.c_str());
	});
	QString whole = QString(1000, QLatin1Char('b')) + errno_suffix(ENOENT);
	QCOMPARE(s.text, whole.left(1022));
}

void
TestMsgbox::percentSigns()
{
	const char *text = "100% %s %d %n %%";
	Seen s = run_box([&] { gui_warnx(nullptr, "%s", text); });

	QCOMPARE(s.text, QString::fromUtf8(text));
}

/* A box opened from the event loop of another keeps its own text. */
void
TestMsgbox::nestedBoxes()
{
	QString outerBefore, inner, outerAfter;
	bool done = false;

	QTimer::singleShot(0, [&] {
		QMessageBox *outer = visible_box();
		QVERIFY(outer != nullptr);
		outerBefore = outer->text();
		QTimer::singleShot(0, [&, outer] {
			QMessageBox *box = visible_box(outer);
			QVERIFY(box != nullptr);
			inner = box->text();
			box->button(QMessageBox::Ok)->click();
		});
		gui_warnx(nullptr, "second box %s", "inner");
		outerAfter = outer->text();
		outer->button(QMessageBox::Ok)->click();
		done = true;
	});
	gui_warnx(nullptr, "first box %s", "outer");

	QVERIFY(done);
	QCOMPARE(outerBefore, QStringLiteral("first box outer"));
	QCOMPARE(inner, QStringLiteral("second box inner"));
	QCOMPARE(outerAfter, outerBefore);
}

void
TestMsgbox::errorBoxEndsProcess_data()
{
	QTest::addColumn<QString>("mode");
	QTest::addColumn<int>("status");
	QTest::addColumn<QString>("arg");
	QTest::addColumn<QString>("text");

	QString path = QStringLiteral("/nonexistent/ampelwick/config");
	QTest::newRow("err ENOENT") << "err" << 1 << path <<
	    QStringLiteral("open(%1)").arg(path) + errno_suffix(ENOENT);
	QString percent = QStringLiteral("50% done %s %d");
	QTest::newRow("errx percent") << "errx" << 3 << percent << percent;
}

void
TestMsgbox::errorBoxEndsProcess()
{
	QFETCH(QString, mode);
	QFETCH(int, status);
	QFETCH(QString, arg);
	QFETCH(QString, text);
	QProcess probe;
	QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

	env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
	probe.setProcessEnvironment(env);
	probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
	probe.start(QStringLiteral(MSGBOX_PROBE),
	    { mode, QString::number(status), arg });
	QVERIFY(probe.waitForFinished(60000));

	QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
	QCOMPARE(probe.exitCode(), status);
	QString out = QString::fromUtf8(probe.readAllStandardOutput());
	QString expected = QStringLiteral("title=Error\nicon=%1\nwindowicon=1\n"
	    "text=%2[exit]\n").arg(static_cast<int>(QMessageBox::Critical))
	    .arg(text);
	QCOMPARE(out, expected);
}

/* The store's text, once; the settings in memory stay as they were. */
void
TestMsgbox::failedSaveReportedInABox()
{
	QTemporaryDir home;
	test_home_set(qPrintable(home.path()));
	/* Even root cannot put a file where a directory stands. */
	QVERIFY(QDir().mkpath(home.filePath(".config/Qor/ampelwick/config")));
	bool saved = true;
	Seen s = run_box([&] { saved = save_settings(Settings(), SaveReport::Box); });

	QVERIFY(!saved);
	QCOMPARE(s.title, QStringLiteral("Warning"));
	QCOMPARE(s.text, QString::fromUtf8(settings_errstr()));
	QVERIFY(s.text.contains(home.filePath(".config/Qor/ampelwick/config")));
}

QTEST_MAIN(TestMsgbox)
#include "test_msgbox.moc"
