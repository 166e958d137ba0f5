#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "icons.h"
#include "msgbox.h"
#include "preferences.h"
#include "settings.h"

static Qt::CheckState
check_state(bool on)
{
	return on ? Qt::Checked : Qt::Unchecked;
}

/* A command without a stored string always counts as changed. */
static bool
same_command(const char *stored, const QByteArray &text)
{
	return stored != nullptr && strcmp(stored, text.constData()) == 0;
}

Preferences::Preferences(cfg_section *cfg, QWidget *parent)
	: QDialog(parent), cfg(cfg)
{
	QIcon windowIcon = load_theme_icon("preferences-system", nullptr);
	QIcon okIcon = load_standard_icon(QStyle::SP_DialogOkButton, nullptr);
	QIcon cancelIcon = load_standard_icon(QStyle::SP_DialogCancelButton,
	    nullptr);
	const cfg_var *vars = cfg->vars;

	capacitySb = new QSpinBox;
	pollIntervalSb = new QSpinBox;
	autoShutdownCb = new QCheckBox(tr("Auto suspend/shutdown"));
	themeIconsCb = new QCheckBox(tr("Use theme icons for tray"));
	autoWidget = new QWidget;
	shutdownCmdEdit = new QLineEdit;
	suspendCmdEdit = new QLineEdit;
	suspendRb = new QRadioButton(tr("Suspend"));
	shutdownRb = new QRadioButton(tr("Shutdown"));

	QFormLayout *commandForm = new QFormLayout;
	QFormLayout *pollForm = new QFormLayout;
	QHBoxLayout *actionRow = new QHBoxLayout;
	QHBoxLayout *buttonRow = new QHBoxLayout;
	QVBoxLayout *optionsLayout = new QVBoxLayout(autoWidget);
	QVBoxLayout *mainLayout = new QVBoxLayout(this);

	QPushButton *okButton = new QPushButton(okIcon, tr("&Ok"));
	QPushButton *cancelButton = new QPushButton(cancelIcon, tr("&Cancel"));
	QLabel *capacityLabel = new QLabel(tr("if battery capacity drops below"));
	QLabel *slashLabel = new QLabel(QStringLiteral("/"));

	pollIntervalSb->setMinimum(1);
	/*
	 * A suffix has one form for every number: the unit is a symbol or an
	 * abbreviation, never a word with plural forms.
	 */
	//: The unit after the poll interval: the symbol of seconds.
	pollIntervalSb->setSuffix(tr(" s"));
	//: The percent sign after the capacity, spaced as the language wants.
	capacitySb->setSuffix(tr(" %"));

	/* The store holds commands of any length; the default cuts at 32767. */
	shutdownCmdEdit->setMaxLength(INT_MAX);
	suspendCmdEdit->setMaxLength(INT_MAX);
	/* Commands are byte strings in UTF-8, shown and stored as such. */
	shutdownCmdEdit->insert(QString::fromUtf8(vars[SLOT_SHUTDOWN_CMD].val.str));
	suspendCmdEdit->insert(QString::fromUtf8(vars[SLOT_SUSPEND_CMD].val.str));
	autoShutdownCb->setCheckState(
	    check_state(vars[SLOT_AUTOSHUTDOWN].val.boolean));
	/* The spin boxes clamp stored values into their ranges. */
	capacitySb->setValue(vars[SLOT_SHUTDOWN_CAP].val.integer);
	pollIntervalSb->setValue(vars[SLOT_POLL_INTERVAL].val.integer);
	autoWidget->setEnabled(autoShutdownCb->checkState() != Qt::Unchecked);
	themeIconsCb->setCheckState(
	    check_state(vars[SLOT_USE_ICON_THEME].val.boolean));

	mainLayout->setContentsMargins(15, 15, 15, 15);
	mainLayout->addWidget(autoWidget, 0);
	autoWidget->setContentsMargins(5, 5, 5, 5);
	optionsLayout->setContentsMargins(0, 0, 0, 0);

	optionsLayout->addLayout(actionRow, 0);
	actionRow->addWidget(suspendRb, 0, Qt::AlignLeft);
	actionRow->addWidget(slashLabel, 0, Qt::AlignCenter);
	actionRow->addWidget(shutdownRb, 0, Qt::AlignLeft);
	actionRow->addWidget(capacityLabel, 1, Qt::AlignLeft);
	actionRow->addWidget(capacitySb, 1, Qt::AlignRight);
	/* Siblings now: Qt's auto-exclusivity keeps exactly one checked. */
	suspendRb->setChecked(vars[SLOT_SUSPEND].val.boolean);
	shutdownRb->setChecked(!vars[SLOT_SUSPEND].val.boolean);

	optionsLayout->addLayout(commandForm, 0);
	commandForm->setLabelAlignment(Qt::AlignLeft);
	commandForm->setContentsMargins(0, 0, 0, 0);
	commandForm->addRow(new QLabel(tr("Suspend command:")), suspendCmdEdit);
	commandForm->addRow(new QLabel(tr("Shutdown command:")),
	    shutdownCmdEdit);
	optionsLayout->addStretch(1);

	/* The switch stands below the group it switches. */
	mainLayout->addWidget(autoShutdownCb, 0);
	mainLayout->addWidget(createSeparator(this), 0);
	mainLayout->addLayout(pollForm, 0);
	pollForm->addRow(new QLabel(tr("ACPI poll interval:")), pollIntervalSb);
	pollForm->addRow(createSeparator(this));
	mainLayout->addWidget(themeIconsCb, 0);
	mainLayout->addLayout(buttonRow, 0);
	/* Ok's cell takes the spare width, so both buttons sit at the right. */
	buttonRow->addWidget(okButton, 1, Qt::AlignRight);
	buttonRow->addWidget(cancelButton, 0, Qt::AlignRight);

	setWindowIcon(windowIcon);
	setWindowTitle(tr("Preferences"));

	connect(okButton, SIGNAL(clicked()), this, SLOT(acceptSlot()));
	connect(cancelButton, SIGNAL(clicked()), this, SLOT(reject()));
	/* Only now: the initial state was applied to autoWidget above. */
	connect(autoShutdownCb, SIGNAL(stateChanged(int)), this,
	    SLOT(catchCbStateChanged(int)));
}

QFrame *
Preferences::createSeparator(QWidget *parent)
{
	QFrame *line = new QFrame(parent);

	line->setFrameShape(QFrame::HLine);
	line->setFrameShadow(QFrame::Sunken);
	return line;
}

void
Preferences::catchCbStateChanged(int state)
{
	if (state == Qt::Checked)
		autoWidget->setEnabled(true);
	else if (state == Qt::Unchecked)
		autoWidget->setEnabled(false);
}

/*
 * An unchanged command keeps its string, so whoever holds a pointer to it
 * stays valid; a changed one is replaced by a fresh copy.
 */
static void
store_command(cfg_var *var, const QByteArray &text)
{
	if (same_command(var->val.str, text))
		return;
	char *copy = strdup(text.constData());
	if (copy == nullptr)
		gui_err(nullptr, 1, "strdup()");
	free(var->val.str);
	var->val.str = copy;
}

static bool
is_line_end(QChar c)
{
	return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

std::optional<QByteArray>
Preferences::commandToStore(const char *stored, const QString &text)
{
	/* Bytes that are not UTF-8 were shown as U+FFFD: keep them unedited. */
	if (text == QString::fromUtf8(stored))
		return QByteArray(stored != nullptr ? stored : "");
	int begin = 0;
	int end = text.size();
	/* A pasted command often brings its line end along. */
	while (begin < end && is_line_end(text[begin]))
		begin++;
	while (end > begin && is_line_end(text[end - 1]))
		end--;
	const QString command = text.mid(begin, end - begin);
	if (std::any_of(command.begin(), command.end(), is_line_end))
		return std::nullopt;
	return command.toUtf8();
}

/* A refused command keeps the dialog open, with the field to mend. */
bool
Preferences::takeCommand(QLineEdit *edit, int slot, const QString &refusal,
    QByteArray *bytes)
{
	const std::optional<QByteArray> command =
	    commandToStore(cfg->vars[slot].val.str, edit->text());

	if (command) {
		*bytes = *command;
		return true;
	}
	gui_warnx(this, "%s", refusal.toUtf8().constData());
	edit->setFocus();
	return false;
}

void
Preferences::acceptSlot()
{
	QByteArray suspendCmd;
	QByteArray shutdownCmd;
	cfg_var *vars = cfg->vars;

	if (!takeCommand(suspendCmdEdit, SLOT_SUSPEND_CMD,
	    tr("The suspend command must be a single line."), &suspendCmd) ||
	    !takeCommand(shutdownCmdEdit, SLOT_SHUTDOWN_CMD,
	    tr("The shutdown command must be a single line."), &shutdownCmd))
		return;

	vars[SLOT_AUTOSHUTDOWN].val.boolean =
	    autoShutdownCb->checkState() == Qt::Checked;
	vars[SLOT_SHUTDOWN_CAP].val.integer = capacitySb->value();
	vars[SLOT_SUSPEND].val.boolean = suspendRb->isChecked();
	vars[SLOT_POLL_INTERVAL].val.integer = pollIntervalSb->value();
	vars[SLOT_USE_ICON_THEME].val.boolean =
	    themeIconsCb->checkState() == Qt::Checked;
	store_command(&vars[SLOT_SUSPEND_CMD], suspendCmd);
	store_command(&vars[SLOT_SHUTDOWN_CMD], shutdownCmd);
	/* A failed save is reported; the new values stay in force. */
	save_settings(cfg, SaveReport::Box);
	accept();
}
