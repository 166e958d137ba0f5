/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The preferences dialog: shows a copy of the settings, hands it back
 * edited on Ok and untouched otherwise, and keeps commands as written.
 */
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "preferences.h"

namespace {

/* The dialog's widgets, found by what they show. */
struct Ui {
	QCheckBox	*autoCb = nullptr, *themeCb = nullptr, *fullCb = nullptr;
	QCheckBox	*digitsCb = nullptr;
	QRadioButton	*suspendRb = nullptr, *shutdownRb = nullptr;
	QSpinBox	*capacity = nullptr, *poll = nullptr;
	QSpinBox	*warn = nullptr, *critical = nullptr;
	QLineEdit	*suspendCmd = nullptr, *shutdownCmd = nullptr;
	QWidget		*group = nullptr;
	QPushButton	*ok = nullptr, *cancel = nullptr;

	explicit Ui(QDialog &dlg)
	{
		for (QCheckBox *b : dlg.findChildren<QCheckBox *>())
			if (b->text().startsWith("Auto"))
				autoCb = b;
			else if (b->text().startsWith("Use theme"))
				themeCb = b;
			else if (b->text().contains("fully"))
				fullCb = b;
			else if (b->text().contains("charge in the icon"))
				digitsCb = b;
		for (QRadioButton *b : dlg.findChildren<QRadioButton *>())
			(b->text() == "Suspend" ? suspendRb : shutdownRb) = b;
		for (QSpinBox *b : dlg.findChildren<QSpinBox *>())
			if (b->specialValueText().isEmpty())
				(b->suffix() == " %" ? capacity : poll) = b;
		for (QPushButton *b : dlg.findChildren<QPushButton *>())
			(b->text() == "&Ok" ? ok : cancel) = b;
		for (QFormLayout *f : dlg.findChildren<QFormLayout *>())
			for (int row = 0; row < f->rowCount(); row++)
				field(f, row);
		group = suspendRb->parentWidget();
	}

	void field(QFormLayout *f, int row)
	{
		QLayoutItem *label = f->itemAt(row, QFormLayout::LabelRole);
		QLayoutItem *edit = f->itemAt(row, QFormLayout::FieldRole);
		if (label == nullptr || edit == nullptr)
			return;
		const QString text = static_cast<QLabel *>(label->widget())->text();
		if (text == "Suspend command:")
			suspendCmd = qobject_cast<QLineEdit *>(edit->widget());
		else if (text == "Shutdown command:")
			shutdownCmd = qobject_cast<QLineEdit *>(edit->widget());
		else if (text == "Warn at:")
			warn = qobject_cast<QSpinBox *>(edit->widget());
		else if (text == "Critical at:")
			critical = qobject_cast<QSpinBox *>(edit->widget());
	}
};

/* Runs the dialog; act() is called once from inside its event loop. */
int
run(Preferences &dlg, const std::function<void()> &act)
{
	QTimer::singleShot(0, &dlg, act);
	return dlg.exec();
}

/* Closes the message boxes that the dialog shows, noting their texts. */
struct BoxCloser {
	QStringList	seen;
	QTimer		timer;

	BoxCloser()
	{
		QObject::connect(&timer, &QTimer::timeout, [this] {
			for (QWidget *w : QApplication::topLevelWidgets()) {
				QMessageBox *box = qobject_cast<QMessageBox *>(w);
				if (box == nullptr || !box->isVisible())
					continue;
				seen << box->windowTitle() + ": " + box->text();
				box->accept();
			}
		});
		timer.start(20);
	}
};

} // namespace

class TestPreferences : public QObject
{
	Q_OBJECT

private slots:
	void shownFromSettings();
	void okHandsBackTheEdits();
	void clamping_data();
	void clamping();
	void keptTexts();
	void groupFollowsCheckbox();
	void rejectHandsBackNothing_data();
	void rejectHandsBackNothing();
	void commandsKeptAsWritten();
	void lineEndsDroppedLineBreaksRefused();
	void exactlyOneRadioButton();
};

void
TestPreferences::shownFromSettings()
{
	Settings s;
	s.autoShutdown = true;
	s.suspend = false;
	s.shutdownCap = 17;
	s.pollInterval = 42;
	s.useIconTheme = false;
	s.suspendCmd = "zzz --now";
	s.shutdownCmd = "halt -p";
	Preferences dlg(s, nullptr);
	Ui ui(dlg);

	QCOMPARE(dlg.windowTitle(), QStringLiteral("Preferences"));
	QCOMPARE(ui.autoCb->checkState(), Qt::Checked);
	QVERIFY(ui.group->isEnabled());
	QVERIFY(ui.shutdownRb->isChecked());
	QVERIFY(!ui.suspendRb->isChecked());
	QCOMPARE(ui.capacity->value(), 17);
	QCOMPARE(ui.poll->value(), 42);
	QCOMPARE(ui.warn->text(), QStringLiteral("as the battery reports"));
	QCOMPARE(ui.themeCb->checkState(), Qt::Unchecked);
	QCOMPARE(ui.suspendCmd->text(), QStringLiteral("zzz --now"));
	QCOMPARE(ui.shutdownCmd->text(), QStringLiteral("halt -p"));

	dlg.show();
	QVERIFY(QTest::qWaitForWindowExposed(&dlg, 30000));
	/* Ok left of Cancel, the switch below the group it switches. */
	QVERIFY(ui.ok->geometry().right() < ui.cancel->geometry().left());
	QVERIFY(ui.autoCb->geometry().top() > ui.group->geometry().bottom());
	/* Its natural size, which tiling compositors float. */
	QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
	QDir().mkpath(ARTIFACT_DIR);
	dlg.grab().save(ARTIFACT_DIR "/preferences.png");
}

/* Ok hands back an edited copy; the dialog itself saves nothing. */
void
TestPreferences::okHandsBackTheEdits()
{
	const Settings before;
	Preferences dlg(before, nullptr);
	Ui ui(dlg);
	int result = run(dlg, [&] {
		ui.autoCb->setChecked(true);
		ui.shutdownRb->click();
		ui.capacity->setValue(9);
		ui.poll->setValue(60);
		ui.warn->setValue(20);
		/* Kept below the warning level. */
		ui.critical->setValue(25);
		ui.themeCb->setChecked(false);
		ui.fullCb->setChecked(true);
		ui.digitsCb->setChecked(true);
		ui.suspendCmd->setText(QStringLiteral("loginctl suspend"));
		ui.shutdownCmd->setText(QStringLiteral("echo \"bye\" 'now' # x"));
		QTest::mouseClick(ui.ok, Qt::LeftButton);
	});

	QCOMPARE(result, int(QDialog::Accepted));
	Settings want;
	want.autoShutdown = true;
	want.suspend = false;
	want.shutdownCap = 9;
	want.pollInterval = 60;
	want.warnLevel = 20;
	want.criticalLevel = 19;
	want.notifyFull = true;
	want.iconDigits = true;
	want.useIconTheme = false;
	want.suspendCmd = "loginctl suspend";
	want.shutdownCmd = "echo \"bye\" 'now' # x";
	QVERIFY(dlg.settings() == want);
}

void
TestPreferences::clamping_data()
{
	QTest::addColumn<bool>("poll");
	QTest::addColumn<int>("stored");
	QTest::addColumn<int>("shown");

	QTest::newRow("poll 0") << true << 0 << 1;
	QTest::newRow("poll -5") << true << -5 << 1;
	QTest::newRow("poll 5000") << true << 5000 << 3600;
	QTest::newRow("cap -3") << false << -3 << 0;
	QTest::newRow("cap 150") << false << 150 << 100;
}

void
TestPreferences::clamping()
{
	QFETCH(bool, poll);
	QFETCH(int, stored);
	QFETCH(int, shown);
	Settings s;
	(poll ? s.pollInterval : s.shutdownCap) = stored;
	Preferences dlg(s, nullptr);
	Ui ui(dlg);

	QCOMPARE((poll ? ui.poll : ui.capacity)->value(), shown);
	dlg.acceptSlot();
	QCOMPARE(poll ? dlg.settings().pollInterval : dlg.settings().shutdownCap,
	    shown);
}

/* What the file holds that cannot be is named, and kept until changed. */
void
TestPreferences::keptTexts()
{
	Settings s;
	s.pollIntervalText = "fast";
	s.shutdownCapText = "101";
	Preferences dlg(s, nullptr);
	Ui ui(dlg);
	QLabel *note = dlg.findChild<QLabel *>(QStringLiteral("keptNote"));

	QVERIFY(note != nullptr);
	QVERIFY(note->text().contains(QStringLiteral("poll_interval = fast")));
	QVERIFY(note->text().contains(QStringLiteral("shutdown_cap = 101")));
	ui.poll->setValue(7);
	dlg.acceptSlot();
	QCOMPARE(dlg.settings().pollIntervalText, std::string());
	QCOMPARE(dlg.settings().pollInterval, 7);
	QCOMPARE(dlg.settings().shutdownCapText, std::string("101"));
	QVERIFY(Preferences(Settings(), nullptr).findChild<QLabel *>(
	    QStringLiteral("keptNote")) == nullptr);
}

void
TestPreferences::groupFollowsCheckbox()
{
	Preferences dlg(Settings(), nullptr);
	Ui ui(dlg);

	/* Off by default: the whole group is greyed out from the start. */
	QVERIFY(!ui.group->isEnabled());
	QVERIFY(!ui.suspendCmd->isEnabled());
	QVERIFY(!ui.capacity->isEnabled());
	QVERIFY(ui.poll->isEnabled());
	ui.autoCb->click();
	QVERIFY(ui.shutdownCmd->isEnabled());
	dlg.catchCbStateChanged(Qt::PartiallyChecked);
	QVERIFY(ui.group->isEnabled());
	ui.autoCb->click();
	QVERIFY(!ui.group->isEnabled());
	QVERIFY(!dlg.settings().autoShutdown);
}

void
TestPreferences::rejectHandsBackNothing_data()
{
	QTest::addColumn<int>("how");
	QTest::newRow("cancel") << 0;
	QTest::newRow("escape") << 1;
	QTest::newRow("close") << 2;
}

void
TestPreferences::rejectHandsBackNothing()
{
	QFETCH(int, how);
	const Settings before;
	Preferences dlg(before, nullptr);
	Ui ui(dlg);
	int result = run(dlg, [&] {
		ui.autoCb->click();
		ui.shutdownRb->click();
		ui.capacity->setValue(50);
		ui.poll->setValue(2);
		ui.suspendCmd->setText(QStringLiteral("changed"));
		if (how == 0)
			QTest::mouseClick(ui.cancel, Qt::LeftButton);
		else if (how == 1)
			QTest::keyClick(&dlg, Qt::Key_Escape);
		else
			dlg.close();
	});

	QCOMPARE(result, int(QDialog::Rejected));
	QVERIFY(dlg.settings() == before);
}

/*
 * Unedited commands keep their bytes (long, not UTF-8); typed ones are
 * UTF-8; an empty field is the empty command.
 */
void
TestPreferences::commandsKeptAsWritten()
{
	Settings s;
	s.shutdownCmd = "echo " + std::string(40000, 'x') + " end";
	s.suspendCmd = "/home/j\xf6rg/bin/suspend --now";
	Preferences dlg(s, nullptr);
	Ui ui(dlg);

	QCOMPARE(ui.shutdownCmd->text().size(), int(s.shutdownCmd.size()));
	dlg.acceptSlot();
	QVERIFY(dlg.settings() == s);

	const QString typed = QStringLiteral("echo \u00e9t\u00e9 \u2192 \u263e");
	Preferences again(s, nullptr);
	Ui ui2(again);
	ui2.shutdownCmd->setText(typed);
	ui2.suspendCmd->clear();
	again.acceptSlot();
	QCOMPARE(again.settings().shutdownCmd, typed.toStdString());
	QCOMPARE(again.settings().suspendCmd, std::string());
}

/* What the settings file cannot hold is never handed back. */
void
TestPreferences::lineEndsDroppedLineBreaksRefused()
{
	BoxCloser boxes;
	Preferences pasted(Settings(), nullptr);
	Ui(pasted).suspendCmd->setText(QStringLiteral("\nsystemctl suspend\r\n"));
	pasted.acceptSlot();
	QCOMPARE(pasted.result(), int(QDialog::Accepted));
	QCOMPARE(pasted.settings().suspendCmd, std::string("systemctl suspend"));
	QVERIFY(boxes.seen.isEmpty());

	const Settings before;
	Preferences dlg(before, nullptr);
	Ui ui(dlg);
	bool stillOpen = false;
	int result = run(dlg, [&] {
		ui.capacity->setValue(42);
		ui.shutdownCmd->setText(QStringLiteral("echo one\necho two"));
		QTest::mouseClick(ui.ok, Qt::LeftButton);
		stillOpen = dlg.isVisible();
		dlg.reject();
	});
	QVERIFY(stillOpen);
	QCOMPARE(result, int(QDialog::Rejected));
	QCOMPARE(boxes.seen, QStringList("Warning: The shutdown command must be "
	    "a single line."));
	QVERIFY(dlg.settings() == before);
}

void
TestPreferences::exactlyOneRadioButton()
{
	for (bool suspend : { true, false }) {
		Settings s;
		s.suspend = suspend;
		Preferences dlg(s, nullptr);
		Ui ui(dlg);

		QCOMPARE(ui.suspendRb->isChecked(), suspend);
		QCOMPARE(ui.shutdownRb->isChecked(), !suspend);
		/* Auto-exclusive siblings: choosing one clears the other. */
		ui.autoCb->click();
		(suspend ? ui.shutdownRb : ui.suspendRb)->click();
		QCOMPARE(ui.suspendRb->isChecked(), !suspend);
		dlg.acceptSlot();
		QCOMPARE(dlg.settings().suspend, !suspend);
	}

	/* A machine that cannot suspend: said, and shutdown one click away. */
	Settings armed;
	armed.autoShutdown = true;
	Preferences dlg(armed, nullptr);
	Ui ui(dlg);
	dlg.noteCannotSuspend();
	QVERIFY(dlg.findChild<QLabel *>("cannotSuspendNote") != nullptr);
	for (QPushButton *b : dlg.findChildren<QPushButton *>())
		if (b->text() == "Shut down instead")
			b->click();
	dlg.acceptSlot();
	QVERIFY(!dlg.settings().suspend);
}

QTEST_MAIN(TestPreferences)
#include "test_preferences.moc"
