#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "preferences.h"
#include "settings.h"
#include "test_home.h"

namespace {

/* A bound for things that must happen, never a measure of how fast. */
constexpr int PATIENCE_MS = 30000;

/*
 * The dialog's widgets, found by walking its layout tree; a widget out of
 * place stays null and fails the test that needs it.
 */
struct Ui {
	QVBoxLayout	*main = nullptr;
	QWidget		*autoWidget = nullptr;
	QVBoxLayout	*options = nullptr;
	QHBoxLayout	*actionRow = nullptr;
	QRadioButton	*suspendRb = nullptr;
	QLabel		*slash = nullptr;
	QRadioButton	*shutdownRb = nullptr;
	QLabel		*capacityLabel = nullptr;
	QSpinBox	*capacity = nullptr;
	QFormLayout	*commandForm = nullptr;
	QLineEdit	*suspendCmd = nullptr;
	QLineEdit	*shutdownCmd = nullptr;
	QCheckBox	*autoCb = nullptr;
	QFrame		*separator1 = nullptr;
	QFormLayout	*pollForm = nullptr;
	QSpinBox	*poll = nullptr;
	QFrame		*separator2 = nullptr;
	QCheckBox	*themeCb = nullptr;
	QHBoxLayout	*buttonRow = nullptr;
	QPushButton	*ok = nullptr;
	QPushButton	*cancel = nullptr;
};

template <typename T>
T *
widget_at(QLayout *l, int i)
{
	QLayoutItem *item = l != nullptr ? l->itemAt(i) : nullptr;

	return item != nullptr ? qobject_cast<T *>(item->widget()) : nullptr;
}

template <typename T>
T *
layout_at(QLayout *l, int i)
{
	QLayoutItem *item = l != nullptr ? l->itemAt(i) : nullptr;

	return item != nullptr ? qobject_cast<T *>(item->layout()) : nullptr;
}

template <typename T>
T *
form_field(QFormLayout *f, int row, QFormLayout::ItemRole role)
{
	QLayoutItem *item = f != nullptr ? f->itemAt(row, role) : nullptr;

	return item != nullptr ? qobject_cast<T *>(item->widget()) : nullptr;
}

Ui
ui_of(Preferences &dlg)
{
	Ui ui;

	ui.main = qobject_cast<QVBoxLayout *>(dlg.layout());
	ui.autoWidget = widget_at<QWidget>(ui.main, 0);
	if (ui.autoWidget != nullptr)
		ui.options = qobject_cast<QVBoxLayout *>(ui.autoWidget->layout());
	ui.actionRow = layout_at<QHBoxLayout>(ui.options, 0);
	ui.suspendRb = widget_at<QRadioButton>(ui.actionRow, 0);
	ui.slash = widget_at<QLabel>(ui.actionRow, 1);
	ui.shutdownRb = widget_at<QRadioButton>(ui.actionRow, 2);
	ui.capacityLabel = widget_at<QLabel>(ui.actionRow, 3);
	ui.capacity = widget_at<QSpinBox>(ui.actionRow, 4);
	ui.commandForm = layout_at<QFormLayout>(ui.options, 1);
	ui.suspendCmd = form_field<QLineEdit>(ui.commandForm, 0,
	    QFormLayout::FieldRole);
	ui.shutdownCmd = form_field<QLineEdit>(ui.commandForm, 1,
	    QFormLayout::FieldRole);
	ui.autoCb = widget_at<QCheckBox>(ui.main, 1);
	ui.separator1 = widget_at<QFrame>(ui.main, 2);
	ui.pollForm = layout_at<QFormLayout>(ui.main, 3);
	ui.poll = form_field<QSpinBox>(ui.pollForm, 0, QFormLayout::FieldRole);
	ui.separator2 = form_field<QFrame>(ui.pollForm, 1,
	    QFormLayout::SpanningRole);
	ui.themeCb = widget_at<QCheckBox>(ui.main, 4);
	ui.buttonRow = layout_at<QHBoxLayout>(ui.main, 5);
	ui.ok = widget_at<QPushButton>(ui.buttonRow, 0);
	ui.cancel = widget_at<QPushButton>(ui.buttonRow, 1);
	return ui;
}

bool
complete(const Ui &ui)
{
	return ui.suspendRb && ui.slash && ui.shutdownRb && ui.capacityLabel &&
	    ui.capacity && ui.suspendCmd && ui.shutdownCmd && ui.autoCb &&
	    ui.separator1 && ui.poll && ui.separator2 && ui.themeCb && ui.ok &&
	    ui.cancel;
}

QString
form_label(QFormLayout *f, int row)
{
	QLabel *l = form_field<QLabel>(f, row, QFormLayout::LabelRole);

	return l != nullptr ? l->text() : QString();
}

void
set_command(cfg_section *s, int slot, const char *text)
{
	free(s->vars[slot].val.str);
	s->vars[slot].val.str = text != nullptr ? strdup(text) : nullptr;
}

/* Runs the dialog; act() is called once from inside its event loop. */
int
run(Preferences &dlg, const std::function<void()> &act)
{
	QTimer::singleShot(0, &dlg, act);
	return dlg.exec();
}

/* Every value of the section, commands by their bytes. */
struct Snapshot {
	bool		 autoshutdown, suspend, themeIcons;
	int		 cap, poll;
	QByteArray	 suspendCmd, shutdownCmd;
	const char	*suspendPtr, *shutdownPtr;

	explicit Snapshot(const cfg_section *s)
	{
		const cfg_var *v = s->vars;

		autoshutdown = v[SLOT_AUTOSHUTDOWN].val.boolean;
		suspend = v[SLOT_SUSPEND].val.boolean;
		themeIcons = v[SLOT_USE_ICON_THEME].val.boolean;
		cap = v[SLOT_SHUTDOWN_CAP].val.integer;
		poll = v[SLOT_POLL_INTERVAL].val.integer;
		suspendCmd = v[SLOT_SUSPEND_CMD].val.str;
		shutdownCmd = v[SLOT_SHUTDOWN_CMD].val.str;
		suspendPtr = v[SLOT_SUSPEND_CMD].val.str;
		shutdownPtr = v[SLOT_SHUTDOWN_CMD].val.str;
	}

	bool operator==(const Snapshot &o) const
	{
		return autoshutdown == o.autoshutdown && suspend == o.suspend &&
		    themeIcons == o.themeIcons && cap == o.cap &&
		    poll == o.poll && suspendCmd == o.suspendCmd &&
		    shutdownCmd == o.shutdownCmd &&
		    suspendPtr == o.suspendPtr && shutdownPtr == o.shutdownPtr;
	}
};

/* Closes the message boxes that the dialog shows, noting "title: text". */
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

	QString		 home;
	cfg_section	*cfg = nullptr;

	QString	configPath() const
	{
		return home + QStringLiteral("/.config/Qor/ampelwick/config");
	}
	QByteArray	configBytes() const;
	cfg_section	*readBack();

private slots:
	void init();
	void cleanup();
	void layoutTree();
	void shownFromSettings();
	void okStoresAndSaves();
	void clamping_data();
	void clamping();
	void groupFollowsCheckbox();
	void rejectChangesNothing_data();
	void rejectChangesNothing();
	void unchangedCommandsKeepStrings();
	void emptyCommand();
	void nonAsciiCommandRoundTrips();
	void uneditedCommandsKeptByteForByte();
	void lineEndsDroppedLineBreaksRefused();
	void failedSaveReportedOnce();
	void exactlyOneRadioButton_data();
	void exactlyOneRadioButton();
};

QByteArray
TestPreferences::configBytes() const
{
	QFile f(configPath());

	if (!f.open(QIODevice::ReadOnly))
		return QByteArray("<missing>");
	return f.readAll();
}

cfg_section *
TestPreferences::readBack()
{
	cfg_section *r = cfg_read(PROGRAM_NAME, CONFIG_FILE, settings_table,
	    SETTINGS_COUNT);

	if (r == nullptr)
		qWarning("cfg_read: %s", cfg_errstr());
	return r;
}

/* A fresh home and a section of defaults for every test. */
void
TestPreferences::init()
{
	QByteArray tmpl = QDir::tempPath().toUtf8() + "/ampelwick-prefs-XXXXXX";

	QVERIFY(mkdtemp(tmpl.data()) != nullptr);
	home = QString::fromUtf8(tmpl);
	test_home_set(tmpl.constData());
	cfg = cfg_new(nullptr, settings_table, SETTINGS_COUNT);
	QVERIFY(cfg != nullptr);
}

void
TestPreferences::cleanup()
{
	cfg_free(cfg);
	cfg = nullptr;
	QVERIFY(QDir(home).removeRecursively());
}

void
TestPreferences::layoutTree()
{
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	QCOMPARE(dlg.windowTitle(), QStringLiteral("Preferences"));
	QCOMPARE(ui.main->contentsMargins(), QMargins(15, 15, 15, 15));
	QCOMPARE(ui.autoWidget->contentsMargins(), QMargins(5, 5, 5, 5));
	QCOMPARE(ui.options->contentsMargins(), QMargins(0, 0, 0, 0));
	QCOMPARE(ui.commandForm->contentsMargins(), QMargins(0, 0, 0, 0));
	QCOMPARE(ui.commandForm->labelAlignment(), Qt::Alignment(Qt::AlignLeft));
	QCOMPARE(ui.options->count(), 3);
	QCOMPARE(ui.options->stretch(2), 1);
	QCOMPARE(ui.main->count(), 6);

	QCOMPARE(ui.suspendRb->text(), QStringLiteral("Suspend"));
	QCOMPARE(ui.slash->text(), QStringLiteral("/"));
	QCOMPARE(ui.shutdownRb->text(), QStringLiteral("Shutdown"));
	QCOMPARE(ui.capacityLabel->text(),
	    QStringLiteral("if battery capacity drops below"));
	QCOMPARE(ui.actionRow->stretch(3), 1);
	QCOMPARE(ui.actionRow->stretch(4), 1);
	QCOMPARE(ui.actionRow->itemAt(0)->alignment(), Qt::Alignment(Qt::AlignLeft));
	QCOMPARE(ui.actionRow->itemAt(1)->alignment(), Qt::Alignment(Qt::AlignCenter));
	QCOMPARE(ui.actionRow->itemAt(4)->alignment(), Qt::Alignment(Qt::AlignRight));
	QCOMPARE(form_label(ui.commandForm, 0),
	    QStringLiteral("Suspend command:"));
	QCOMPARE(form_label(ui.commandForm, 1),
	    QStringLiteral("Shutdown command:"));
	QCOMPARE(ui.autoCb->text(), QStringLiteral("Auto suspend/shutdown"));
	QCOMPARE(form_label(ui.pollForm, 0),
	    QStringLiteral("ACPI poll interval:"));
	QCOMPARE(ui.themeCb->text(), QStringLiteral("Use theme icons for tray"));
	for (QFrame *line : { ui.separator1, ui.separator2 }) {
		QCOMPARE(line->frameShape(), QFrame::HLine);
		QCOMPARE(line->frameShadow(), QFrame::Sunken);
	}
	QCOMPARE(ui.ok->text(), QStringLiteral("&Ok"));
	QCOMPARE(ui.cancel->text(), QStringLiteral("&Cancel"));
	QCOMPARE(ui.buttonRow->stretch(0), 1);
	QCOMPARE(ui.buttonRow->itemAt(0)->alignment(), Qt::Alignment(Qt::AlignRight));
	QCOMPARE(ui.buttonRow->itemAt(1)->alignment(), Qt::Alignment(Qt::AlignRight));

	QCOMPARE(ui.capacity->minimum(), 0);
	QCOMPARE(ui.capacity->maximum(), 99);
	QCOMPARE(ui.capacity->suffix(), QStringLiteral(" %"));
	QCOMPARE(ui.poll->minimum(), 1);
	QCOMPARE(ui.poll->maximum(), 99);
	QCOMPARE(ui.poll->suffix(), QStringLiteral(" s"));

	/* Built hidden; shown, Ok sits left of Cancel at the right edge. */
	QVERIFY(!dlg.isVisible());
	dlg.show();
	QVERIFY(QTest::qWaitForWindowExposed(&dlg, PATIENCE_MS));
	QVERIFY(ui.ok->geometry().right() < ui.cancel->geometry().left());
	QVERIFY(ui.cancel->geometry().right() > dlg.width() - 15 - 5);
	QVERIFY(ui.autoCb->geometry().top() > ui.autoWidget->geometry().bottom());
	QDir().mkpath(ARTIFACT_DIR);
	dlg.grab().save(ARTIFACT_DIR "/preferences.png");
}

void
TestPreferences::shownFromSettings()
{
	cfg->vars[SLOT_AUTOSHUTDOWN].val.boolean = true;
	cfg->vars[SLOT_SUSPEND].val.boolean = false;
	cfg->vars[SLOT_SHUTDOWN_CAP].val.integer = 17;
	cfg->vars[SLOT_POLL_INTERVAL].val.integer = 42;
	cfg->vars[SLOT_USE_ICON_THEME].val.boolean = false;
	set_command(cfg, SLOT_SUSPEND_CMD, "zzz --now");
	set_command(cfg, SLOT_SHUTDOWN_CMD, "halt -p");
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	QCOMPARE(ui.autoCb->checkState(), Qt::Checked);
	QVERIFY(ui.autoWidget->isEnabled());
	QVERIFY(ui.shutdownRb->isChecked());
	QVERIFY(!ui.suspendRb->isChecked());
	QCOMPARE(ui.capacity->value(), 17);
	QCOMPARE(ui.poll->value(), 42);
	QCOMPARE(ui.themeCb->checkState(), Qt::Unchecked);
	QCOMPARE(ui.suspendCmd->text(), QStringLiteral("zzz --now"));
	QCOMPARE(ui.shutdownCmd->text(), QStringLiteral("halt -p"));
}

/* Edits reach the live section and the settings file through Ok. */
void
TestPreferences::okStoresAndSaves()
{
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	QVERIFY(!QFile::exists(configPath()));
	int result = run(dlg, [&] {
		ui.autoCb->setChecked(true);
		ui.shutdownRb->click();
		ui.capacity->setValue(9);
		ui.poll->setValue(60);
		ui.themeCb->setChecked(false);
		ui.suspendCmd->setText(QStringLiteral("loginctl suspend"));
		ui.shutdownCmd->setText(QStringLiteral("echo \"bye\" 'now' # x"));
		QTest::mouseClick(ui.ok, Qt::LeftButton);
	});

	QCOMPARE(result, int(QDialog::Accepted));
	const cfg_var *v = cfg->vars;
	QCOMPARE(v[SLOT_AUTOSHUTDOWN].val.boolean, true);
	QCOMPARE(v[SLOT_SUSPEND].val.boolean, false);
	QCOMPARE(v[SLOT_SHUTDOWN_CAP].val.integer, 9);
	QCOMPARE(v[SLOT_POLL_INTERVAL].val.integer, 60);
	QCOMPARE(v[SLOT_USE_ICON_THEME].val.boolean, false);
	QCOMPARE(v[SLOT_SUSPEND_CMD].val.str, "loginctl suspend");
	QCOMPARE(v[SLOT_SHUTDOWN_CMD].val.str, "echo \"bye\" 'now' # x");

	QVERIFY(QFile::exists(configPath()));
	cfg_section *r = readBack();
	QVERIFY(r != nullptr);
	QVERIFY(Snapshot(r).suspendCmd == Snapshot(cfg).suspendCmd);
	QVERIFY(Snapshot(r).shutdownCmd == Snapshot(cfg).shutdownCmd);
	QCOMPARE(r->vars[SLOT_AUTOSHUTDOWN].val.boolean, true);
	QCOMPARE(r->vars[SLOT_SUSPEND].val.boolean, false);
	QCOMPARE(r->vars[SLOT_SHUTDOWN_CAP].val.integer, 9);
	QCOMPARE(r->vars[SLOT_POLL_INTERVAL].val.integer, 60);
	QCOMPARE(r->vars[SLOT_USE_ICON_THEME].val.boolean, false);
	cfg_free(r);
}

void
TestPreferences::clamping_data()
{
	QTest::addColumn<int>("slot");
	QTest::addColumn<int>("stored");
	QTest::addColumn<int>("shown");

	QTest::newRow("poll 0") << SLOT_POLL_INTERVAL << 0 << 1;
	QTest::newRow("poll -5") << SLOT_POLL_INTERVAL << -5 << 1;
	QTest::newRow("poll 150") << SLOT_POLL_INTERVAL << 150 << 99;
	QTest::newRow("cap -3") << SLOT_SHUTDOWN_CAP << -3 << 0;
	QTest::newRow("cap 150") << SLOT_SHUTDOWN_CAP << 150 << 99;
}

void
TestPreferences::clamping()
{
	QFETCH(int, slot);
	QFETCH(int, stored);
	QFETCH(int, shown);
	cfg->vars[slot].val.integer = stored;
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	QSpinBox *box = slot == SLOT_POLL_INTERVAL ? ui.poll : ui.capacity;
	QCOMPARE(box->value(), shown);
	dlg.acceptSlot();
	QCOMPARE(dlg.result(), int(QDialog::Accepted));
	QCOMPARE(cfg->vars[slot].val.integer, shown);
	cfg_section *r = readBack();
	QVERIFY(r != nullptr);
	QCOMPARE(r->vars[slot].val.integer, shown);
	cfg_free(r);
}

void
TestPreferences::groupFollowsCheckbox()
{
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	/* Off by default: the whole group is greyed out from the start. */
	QCOMPARE(ui.autoCb->checkState(), Qt::Unchecked);
	QVERIFY(!ui.autoWidget->isEnabled());
	QVERIFY(!ui.suspendCmd->isEnabled());
	QVERIFY(!ui.shutdownCmd->isEnabled());
	QVERIFY(!ui.capacity->isEnabled());
	QVERIFY(!ui.suspendRb->isEnabled());
	QVERIFY(ui.poll->isEnabled());

	ui.autoCb->click();
	QVERIFY(ui.autoWidget->isEnabled());
	QVERIFY(ui.suspendCmd->isEnabled());
	QVERIFY(ui.shutdownRb->isEnabled());
	dlg.catchCbStateChanged(Qt::PartiallyChecked);
	QVERIFY(ui.autoWidget->isEnabled());
	ui.autoCb->click();
	QVERIFY(!ui.autoWidget->isEnabled());
	/* Nothing reaches the settings before Ok. */
	QCOMPARE(cfg->vars[SLOT_AUTOSHUTDOWN].val.boolean, false);
}

void
TestPreferences::rejectChangesNothing_data()
{
	QTest::addColumn<int>("how");
	QTest::newRow("cancel") << 0;
	QTest::newRow("escape") << 1;
	QTest::newRow("close") << 2;
}

void
TestPreferences::rejectChangesNothing()
{
	QFETCH(int, how);
	QCOMPARE(cfg_write(PROGRAM_NAME, CONFIG_FILE, cfg), 0);
	QByteArray fileBefore = configBytes();
	Snapshot before(cfg);
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	int result = run(dlg, [&] {
		ui.autoCb->click();
		ui.shutdownRb->click();
		ui.capacity->setValue(50);
		ui.poll->setValue(2);
		ui.themeCb->click();
		ui.suspendCmd->setText(QStringLiteral("changed"));
		ui.shutdownCmd->clear();
		if (how == 0)
			QTest::mouseClick(ui.cancel, Qt::LeftButton);
		else if (how == 1)
			QTest::keyClick(&dlg, Qt::Key_Escape);
		else
			dlg.close();
	});

	QCOMPARE(result, int(QDialog::Rejected));
	QVERIFY(Snapshot(cfg) == before);
	QCOMPARE(configBytes(), fileBefore);
}

/* Ok without edits rewrites the file but keeps both command strings. */
void
TestPreferences::unchangedCommandsKeepStrings()
{
	Snapshot before(cfg);
	Preferences dlg(cfg, nullptr);

	dlg.acceptSlot();
	QVERIFY(Snapshot(cfg) == before);
	cfg_section *r = readBack();
	QVERIFY(r != nullptr);
	QVERIFY(Snapshot(r).suspendCmd == before.suspendCmd);
	QVERIFY(Snapshot(r).shutdownCmd == before.shutdownCmd);
	QCOMPARE(r->vars[SLOT_POLL_INTERVAL].val.integer, before.poll);
	cfg_free(r);
}

void
TestPreferences::emptyCommand()
{
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	ui.suspendCmd->clear();
	dlg.acceptSlot();
	const char *stored = cfg->vars[SLOT_SUSPEND_CMD].val.str;
	QVERIFY(stored != nullptr);
	QCOMPARE(stored, "");

	/* A section without a string is shown empty and gains "" on Ok. */
	set_command(cfg, SLOT_SHUTDOWN_CMD, nullptr);
	Preferences again(cfg, nullptr);
	QCOMPARE(ui_of(again).shutdownCmd->text(), QString());
	again.acceptSlot();
	stored = cfg->vars[SLOT_SHUTDOWN_CMD].val.str;
	QVERIFY(stored != nullptr);
	QCOMPARE(stored, "");
}

void
TestPreferences::nonAsciiCommandRoundTrips()
{
	const char *stored = "systemctl suspend # Ünïcødé ✓";
	const QString typed = QStringLiteral("echo \u00e9t\u00e9 \u2192 \u263e");
	set_command(cfg, SLOT_SUSPEND_CMD, stored);
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	QCOMPARE(ui.suspendCmd->text(), QString::fromUtf8(stored));
	ui.shutdownCmd->setText(typed);
	dlg.acceptSlot();
	QCOMPARE(cfg->vars[SLOT_SUSPEND_CMD].val.str, stored);
	QCOMPARE(cfg->vars[SLOT_SHUTDOWN_CMD].val.str,
	    typed.toUtf8().constData());

	cfg_section *r = readBack();
	QVERIFY(r != nullptr);
	QCOMPARE(r->vars[SLOT_SUSPEND_CMD].val.str, stored);
	QCOMPARE(r->vars[SLOT_SHUTDOWN_CMD].val.str,
	    typed.toUtf8().constData());
	/* And back into a dialog unchanged. */
	Preferences again(r, nullptr);
	QCOMPARE(ui_of(again).suspendCmd->text(), QString::fromUtf8(stored));
	QCOMPARE(ui_of(again).shutdownCmd->text(), typed);
	cfg_free(r);
}

/* Longer than a line edit holds by default, and not UTF-8. */
void
TestPreferences::uneditedCommandsKeptByteForByte()
{
	const QByteArray longCmd = "echo " + QByteArray(40000, 'x') + " end";
	const char *latin1 = "/home/j\xf6rg/bin/suspend --now";
	set_command(cfg, SLOT_SHUTDOWN_CMD, longCmd.constData());
	set_command(cfg, SLOT_SUSPEND_CMD, latin1);
	Snapshot before(cfg);
	Preferences dlg(cfg, nullptr);

	QCOMPARE(ui_of(dlg).shutdownCmd->text().size(), longCmd.size());
	dlg.acceptSlot();
	QVERIFY(Snapshot(cfg) == before);
	cfg_section *r = readBack();
	QVERIFY(r != nullptr);
	QCOMPARE(QByteArray(r->vars[SLOT_SHUTDOWN_CMD].val.str), longCmd);
	QCOMPARE(QByteArray(r->vars[SLOT_SUSPEND_CMD].val.str),
	    QByteArray(latin1));
	cfg_free(r);
}

/* What the settings file cannot hold never reaches the store. */
void
TestPreferences::lineEndsDroppedLineBreaksRefused()
{
	BoxCloser boxes;
	Preferences pasted(cfg, nullptr);

	ui_of(pasted).suspendCmd->setText(QStringLiteral("\nsystemctl suspend\r\n"));
	pasted.acceptSlot();
	QCOMPARE(pasted.result(), int(QDialog::Accepted));
	QCOMPARE(cfg->vars[SLOT_SUSPEND_CMD].val.str, "systemctl suspend");
	QVERIFY(boxes.seen.isEmpty());

	const QByteArray fileBefore = configBytes();
	Snapshot before(cfg);
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);
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
	QVERIFY(Snapshot(cfg) == before);
	QCOMPARE(configBytes(), fileBefore);
}

void
TestPreferences::failedSaveReportedOnce()
{
	BoxCloser boxes;
	/* Even root cannot put a file where a directory stands. */
	QVERIFY(QDir().mkpath(configPath()));
	Preferences dlg(cfg, nullptr);

	ui_of(dlg).capacity->setValue(12);
	dlg.acceptSlot();
	QCOMPARE(dlg.result(), int(QDialog::Accepted));
	QCOMPARE(cfg->vars[SLOT_SHUTDOWN_CAP].val.integer, 12);
	QCOMPARE(boxes.seen, QStringList("Warning: " +
	    QString::fromUtf8(cfg_errstr())));
	QVERIFY(boxes.seen[0].contains(configPath()));
}

void
TestPreferences::exactlyOneRadioButton_data()
{
	QTest::addColumn<bool>("suspend");
	QTest::newRow("suspend") << true;
	QTest::newRow("shutdown") << false;
}

void
TestPreferences::exactlyOneRadioButton()
{
	QFETCH(bool, suspend);
	cfg->vars[SLOT_SUSPEND].val.boolean = suspend;
	Preferences dlg(cfg, nullptr);
	Ui ui = ui_of(dlg);

	QVERIFY(complete(ui));
	QCOMPARE(ui.suspendRb->isChecked(), suspend);
	QCOMPARE(ui.shutdownRb->isChecked(), !suspend);
	/* Auto-exclusive siblings: choosing one clears the other. */
	QRadioButton *other = suspend ? ui.shutdownRb : ui.suspendRb;
	ui.autoCb->click();
	other->click();
	QCOMPARE(ui.suspendRb->isChecked(), !suspend);
	QCOMPARE(ui.shutdownRb->isChecked(), suspend);
	dlg.acceptSlot();
	QCOMPARE(cfg->vars[SLOT_SUSPEND].val.boolean, !suspend);
}

QTEST_MAIN(TestPreferences)
#include "test_preferences.moc"
