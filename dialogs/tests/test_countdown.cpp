/* SPDX-License-Identifier: BSD-2-Clause */
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <functional>

#include "countdown.h"

namespace {

/* A bound for things that must happen, never a measure of how fast. */
constexpr int PATIENCE_MS = 30000;

/* The top row of the dialog: the picture, then the sentence. */
QLabel *
top_row_label(Countdown &dlg, int i)
{
	QLayout *row = dlg.layout()->itemAt(0)->layout();

	return qobject_cast<QLabel *>(row->itemAt(i)->widget());
}

QLabel *
sentence(Countdown &dlg)
{
	return top_row_label(dlg, 1);
}

QPushButton *
cancel_button(Countdown &dlg)
{
	return dlg.findChild<QPushButton *>();
}

qint64
monotonic_ms()
{
	return QDeadlineTimer::current(Qt::PreciseTimer).deadline();
}

/* The dialog on a clock that stands still where the test puts it. */
class FakeClockCountdown : public Countdown
{
public:
	qint64	now = -1;

	explicit FakeClockCountdown(int seconds)
	    : Countdown(true, seconds, nullptr) {}
	qint64	deadline() const { return deadlineMs; }
	void	tickAt(qint64 ms)
	{
		now = ms;
		QMetaObject::invokeMethod(this, "update");
	}

protected:
	qint64	clockMs() const override
	{
		return now >= 0 ? now : Countdown::clockMs();
	}
};

/* Runs the dialog; act() is called once from inside its event loop. */
int
run(Countdown &dlg, const std::function<void()> &act)
{
	QTimer::singleShot(0, &dlg, act);
	return dlg.exec();
}

} // namespace

class TestCountdown : public QObject
{
	Q_OBJECT

private slots:
	void initTestCase();
	void sentence_data();
	void sentence();
	void layoutAndPlacement();
	void acceptedAtDeadline();
	void escapeAndCloseRefused();
	void cancelRejects_data();
	void cancelRejects();
	void zeroSecondsAcceptedOnFirstTick();
};

/* The program's English plural forms come from its English catalogue. */
void
TestCountdown::initTestCase()
{
	QTranslator *english = new QTranslator(qApp);

	QVERIFY(english->load(QStringLiteral("ampelwick_en"),
	    QStringLiteral(QM_DIR)));
	QCoreApplication::installTranslator(english);
}

void
TestCountdown::sentence_data()
{
	QTest::addColumn<bool>("suspend");
	QTest::addColumn<int>("seconds");
	QTest::addColumn<QString>("text");

	QTest::newRow("suspend 30") << true << 30 <<
	    "Suspending system in 30 Seconds";
	QTest::newRow("suspend 2") << true << 2 <<
	    "Suspending system in 2 Seconds";
	QTest::newRow("suspend 1") << true << 1 <<
	    "Suspending system in 1 Second";
	QTest::newRow("shutdown 30") << false << 30 <<
	    "Shutting down system in 30 Seconds";
	QTest::newRow("shutdown 2") << false << 2 <<
	    "Shutting down system in 2 Seconds";
	QTest::newRow("shutdown 1") << false << 1 <<
	    "Shutting down system in 1 Second";
	QTest::newRow("none left") << true << 0 << "";
}

void
TestCountdown::sentence()
{
	QFETCH(bool, suspend);
	QFETCH(int, seconds);
	QFETCH(QString, text);
	Countdown dlg(suspend, seconds, nullptr);

	QVERIFY(::sentence(dlg) != nullptr);
	QCOMPARE(::sentence(dlg)->text(), text);
	QCOMPARE(dlg.windowTitle(),
	    QStringLiteral("Critical battery capacity reached"));
}

void
TestCountdown::layoutAndPlacement()
{
	Countdown dlg(false, 30, nullptr);
	QRect screen = QGuiApplication::primaryScreen()->geometry();

	QVERIFY(dlg.isVisible());
	QCOMPARE(dlg.geometry(), QStyle::alignedRect(Qt::LeftToRight,
	    Qt::AlignCenter, dlg.size(), screen));
	QCOMPARE(cancel_button(dlg)->text(), QStringLiteral("&Cancel"));
	/* Above all else, of one size: tiling compositors float it. */
	QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
	QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
	QVERIFY(!dlg.windowIcon().isNull());
	QLabel *picture = top_row_label(dlg, 0);
	QVERIFY(picture != nullptr);
	QVERIFY(picture->text().isEmpty());
	/* Asked for at 64 x 64; a style may have only smaller pictures. */
	QSize size = picture->pixmap(Qt::ReturnByValue).size();
	QVERIFY(!size.isEmpty());
	QVERIFY(size.width() <= 64 && size.height() <= 64);
	/* The button sits below the sentence, at the right edge. */
	QPushButton *b = cancel_button(dlg);
	QVERIFY(b->geometry().top() > ::sentence(dlg)->geometry().bottom());
	QVERIFY(b->geometry().right() > dlg.width() / 2);

	QDir().mkpath(ARTIFACT_DIR);
	dlg.grab().save(ARTIFACT_DIR "/countdown.png");
}

/* The automatic action's count, measured on the clock it counts on. */
void
TestCountdown::acceptedAtDeadline()
{
	const qint64 before = monotonic_ms();
	FakeClockCountdown dlg(Countdown::ACTION_SECONDS);
	const qint64 after = monotonic_ms();

	QVERIFY(dlg.deadline() - before >= 30000 &&
	    dlg.deadline() - after <= 30000);
	dlg.tickAt(dlg.deadline() - 29001);
	QCOMPARE(::sentence(dlg)->text(),
	    QStringLiteral("Suspending system in 30 Seconds"));
	dlg.tickAt(dlg.deadline() - 1);
	QCOMPARE(::sentence(dlg)->text(),
	    QStringLiteral("Suspending system in 1 Second"));
	/* The last tick comes at the deadline, not a second on. */
	QCOMPARE(dlg.findChild<QTimer *>()->interval(), 1);
	QVERIFY(dlg.isVisible());
	dlg.tickAt(dlg.deadline());
	QVERIFY(!dlg.isVisible());
	QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

/* Neither Escape nor a close request ends the count early. */
void
TestCountdown::escapeAndCloseRefused()
{
	Countdown dlg(true, 2, nullptr);
	bool closed = true;
	bool visibleAfter = false;

	int result = run(dlg, [&] {
		QTest::keyClick(&dlg, Qt::Key_Escape);
		closed = dlg.close();
		visibleAfter = dlg.isVisible();
	});
	QVERIFY(!closed);
	QVERIFY(visibleAfter);
	QCOMPARE(result, int(QDialog::Accepted));
}

void
TestCountdown::cancelRejects_data()
{
	QTest::addColumn<int>("how");
	QTest::newRow("click") << 0;
	QTest::newRow("enter") << 1;
	QTest::newRow("alt+c") << 2;
}

void
TestCountdown::cancelRejects()
{
	QFETCH(int, how);
	Countdown dlg(false, 3, nullptr);

	int result = run(dlg, [&] {
		QPushButton *b = cancel_button(dlg);
		/* Mnemonics reach only the active window. */
		dlg.activateWindow();
		QVERIFY(QTest::qWaitForWindowActive(&dlg, PATIENCE_MS));
		switch (how) {
		case 0:
			QTest::mouseClick(b, Qt::LeftButton);
			break;
		case 1:
			QTest::keyClick(&dlg, Qt::Key_Return);
			break;
		default:
			QTest::keyClick(&dlg, Qt::Key_C, Qt::AltModifier);
			break;
		}
	});
	QCOMPARE(result, int(QDialog::Rejected));
}

void
TestCountdown::zeroSecondsAcceptedOnFirstTick()
{
	Countdown dlg(true, 0, nullptr);
	QString textBefore = ::sentence(dlg)->text();

	QCOMPARE(dlg.exec(), int(QDialog::Accepted));
	QCOMPARE(textBefore, QString());
	QCOMPARE(::sentence(dlg)->text(), QString());
}

QTEST_MAIN(TestCountdown)
#include "test_countdown.moc"
