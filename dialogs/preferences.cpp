/* SPDX-License-Identifier: BSD-2-Clause */
#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QStyle>

#include <algorithm>
#include <climits>
#include <vector>

#include "icons.h"
#include "msgbox.h"
#include "preferences.h"

static Qt::CheckState
check_state(bool on)
{
	return on ? Qt::Checked : Qt::Unchecked;
}

Preferences::Preferences(const Settings &settings, QWidget *parent)
	: QDialog(parent), edited(settings)
{
	capacitySb = new QSpinBox;
	pollIntervalSb = new QSpinBox;
	warnLevelSb = levelBox(settings.warnLevel);
	criticalLevelSb = levelBox(settings.criticalLevel);
	autoShutdownCb = new QCheckBox(tr("Auto suspend/shutdown"));
	themeIconsCb = new QCheckBox(tr("Use theme icons for tray"));
	iconDigitsCb = new QCheckBox(tr("Show the charge in the icon"));
	notifyFullCb = new QCheckBox(tr("Notify when fully charged"));
	notifyChargerCb = new QCheckBox(
	    tr("Notify when the charger is connected or disconnected"));
	autoWidget = new QWidget;
	shutdownCmdEdit = new QLineEdit;
	suspendCmdEdit = new QLineEdit;
	suspendRb = new QRadioButton(tr("Suspend"));
	shutdownRb = new QRadioButton(tr("Shutdown"));

	pollIntervalSb->setRange(POLL_INTERVAL_MIN, POLL_INTERVAL_MAX);
	capacitySb->setRange(SHUTDOWN_CAP_MIN, SHUTDOWN_CAP_MAX);
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
	shutdownCmdEdit->insert(QString::fromStdString(settings.shutdownCmd));
	suspendCmdEdit->insert(QString::fromStdString(settings.suspendCmd));
	autoShutdownCb->setCheckState(check_state(settings.autoShutdown));
	/* The spin boxes clamp stored values into their ranges. */
	capacitySb->setValue(settings.shutdownCap);
	pollIntervalSb->setValue(settings.pollInterval);
	autoWidget->setEnabled(autoShutdownCb->checkState() != Qt::Unchecked);
	themeIconsCb->setCheckState(check_state(settings.useIconTheme));
	iconDigitsCb->setChecked(settings.iconDigits);
	notifyFullCb->setChecked(settings.notifyFull);
	notifyChargerCb->setChecked(settings.notifyCharger);
	/* The critical level stays below a set warning level. */
	const auto keepBelow = [this](int warn) {
		criticalLevelSb->setMaximum(warn > 0 ? warn - 1 : 99);
	};
	keepBelow(warnLevelSb->value());
	connect(warnLevelSb, QOverload<int>::of(&QSpinBox::valueChanged), this,
	    keepBelow);

	layOut();
	keptNote(settings);
	/* Siblings now: Qt's auto-exclusivity keeps exactly one checked. */
	suspendRb->setChecked(settings.suspend);
	shutdownRb->setChecked(!settings.suspend);
	setWindowIcon(load_theme_icon("preferences-system", nullptr));
	setWindowTitle(tr("Preferences"));

	/*
	 * Only now: the initial state was applied to autoWidget above.  The
	 * box has two states, so a toggle is a change of state.
	 */
	connect(autoShutdownCb, &QCheckBox::toggled, this, [this] {
		catchCbStateChanged(autoShutdownCb->checkState());
	});
}

void
Preferences::layOut()
{
	QFormLayout *commandForm = new QFormLayout;
	QFormLayout *pollForm = new QFormLayout;
	QHBoxLayout *actionRow = new QHBoxLayout;
	QVBoxLayout *optionsLayout = new QVBoxLayout(autoWidget);
	QVBoxLayout *mainLayout = new QVBoxLayout(this);

	mainLayout->setContentsMargins(15, 15, 15, 15);
	/* Its natural size, which tiling compositors float. */
	mainLayout->setSizeConstraint(QLayout::SetFixedSize);
	mainLayout->addWidget(autoWidget, 0);
	autoWidget->setContentsMargins(5, 5, 5, 5);
	optionsLayout->setContentsMargins(0, 0, 0, 0);

	optionsLayout->addLayout(actionRow, 0);
	actionRow->addWidget(suspendRb, 0, Qt::AlignLeft);
	actionRow->addWidget(new QLabel(QStringLiteral("/")), 0, Qt::AlignCenter);
	actionRow->addWidget(shutdownRb, 0, Qt::AlignLeft);
	actionRow->addWidget(new QLabel(tr("if battery capacity drops below")),
	    1, Qt::AlignLeft);
	actionRow->addWidget(capacitySb, 1, Qt::AlignRight);

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
	pollForm->addRow(new QLabel(tr("Warn at:")), warnLevelSb);
	pollForm->addRow(new QLabel(tr("Critical at:")), criticalLevelSb);
	pollForm->addRow(createSeparator(this));
	mainLayout->addWidget(themeIconsCb, 0);
	mainLayout->addWidget(iconDigitsCb, 0);
	mainLayout->addWidget(notifyFullCb, 0);
	mainLayout->addWidget(notifyChargerCb, 0);
	mainLayout->addLayout(buttonRow(), 0);
}

/* Ok and Cancel together at the right: Ok's cell takes the spare width. */
QLayout *
Preferences::buttonRow()
{
	QHBoxLayout *row = new QHBoxLayout;
	QPushButton *okButton = new QPushButton(load_standard_icon(
	    QStyle::SP_DialogOkButton, nullptr), tr("&Ok"));
	QPushButton *cancelButton = new QPushButton(load_standard_icon(
	    QStyle::SP_DialogCancelButton, nullptr), tr("&Cancel"));

	row->addWidget(okButton, 1, Qt::AlignRight);
	row->addWidget(cancelButton, 0, Qt::AlignRight);
	connect(okButton, &QPushButton::clicked, this, &Preferences::acceptSlot);
	connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
	return row;
}

/*
 * Numbers the file holds that cannot be: named above the buttons, kept as
 * written until their field is changed.
 */
void
Preferences::keptNote(const Settings &settings)
{
	const std::vector<std::string> kept = settings_kept_texts(settings);
	QStringList lines;

	if (kept.empty())
		return;
	for (const std::string &k : kept)
		lines.append(QString::fromStdString(k));
	//: Lines of "name = value" from the settings file follow.
	QLabel *note = new QLabel(tr("Not valid in the settings file, so the "
	    "default is used until you change it:\n%1").arg(
	    lines.join(QLatin1Char('\n'))));
	note->setObjectName(QStringLiteral("keptNote"));
	note->setTextFormat(Qt::PlainText);
	note->setWordWrap(true);
	static_cast<QBoxLayout *>(layout())->insertWidget(
	    layout()->count() - 1, note);
}

/* Under the choice of action, with the other choice at hand. */
void
Preferences::noteCannotSuspend()
{
	QHBoxLayout *row = new QHBoxLayout;
	QLabel *note = new QLabel(tr("This machine cannot suspend."));
	QPushButton *instead = new QPushButton(tr("Shut down instead"));

	note->setObjectName(QStringLiteral("cannotSuspendNote"));
	row->addWidget(note, 1, Qt::AlignLeft);
	row->addWidget(instead, 0, Qt::AlignRight);
	connect(instead, &QPushButton::clicked, this, [this] {
		shutdownRb->setChecked(true);
	});
	static_cast<QBoxLayout *>(autoWidget->layout())->insertLayout(1, row);
}

/* A warning level: 1-99 %, or 0 shown as the battery's own. */
QSpinBox *
Preferences::levelBox(int level)
{
	QSpinBox *box = new QSpinBox;

	box->setRange(0, 99);
	box->setSuffix(tr(" %"));
	box->setSpecialValueText(tr("as the battery reports"));
	box->setValue(level >= 0 && level <= 99 ? level : 0);
	return box;
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

static bool
is_line_end(QChar c)
{
	return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

std::optional<std::string>
Preferences::commandToStore(const std::string &stored, const QString &text)
{
	/* Bytes that are not UTF-8 were shown as U+FFFD: keep them unedited. */
	if (text == QString::fromStdString(stored))
		return stored;
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
	return command.toStdString();
}

/* A refused command keeps the dialog open, with the field to mend. */
bool
Preferences::takeCommand(QLineEdit *edit, std::string *command,
    const QString &refusal)
{
	const std::optional<std::string> taken =
	    commandToStore(*command, edit->text());

	if (taken) {
		*command = *taken;
		return true;
	}
	gui_warnx(this, "%s", refusal.toUtf8().constData());
	edit->setFocus();
	return false;
}

void
Preferences::acceptSlot()
{
	Settings s = edited;

	if (!takeCommand(suspendCmdEdit, &s.suspendCmd,
	    tr("The suspend command must be a single line.")) ||
	    !takeCommand(shutdownCmdEdit, &s.shutdownCmd,
	    tr("The shutdown command must be a single line.")))
		return;
	s.autoShutdown = autoShutdownCb->checkState() == Qt::Checked;
	/* A kept text goes only when its field was changed. */
	if (capacitySb->value() != s.shutdownCap)
		s.shutdownCapText.clear();
	s.shutdownCap = capacitySb->value();
	s.suspend = suspendRb->isChecked();
	if (pollIntervalSb->value() != s.pollInterval)
		s.pollIntervalText.clear();
	s.pollInterval = pollIntervalSb->value();
	s.useIconTheme = themeIconsCb->checkState() == Qt::Checked;
	s.warnLevel = warnLevelSb->value();
	s.criticalLevel = criticalLevelSb->value();
	s.iconDigits = iconDigitsCb->isChecked();
	s.notifyFull = notifyFullCb->isChecked();
	s.notifyCharger = notifyChargerCb->isChecked();
	edited = s;
	accept();
}
