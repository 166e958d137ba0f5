/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The preferences dialog: edits a copy of the settings.  Ok takes every
 * widget into the copy and accepts; the caller takes the copy back with
 * settings().  Cancel, Escape and closing the window leave it untouched.
 */
#ifndef AMPELWICK_PREFERENCES_H
#define AMPELWICK_PREFERENCES_H

#include <QDialog>

#include <optional>
#include <string>

#include "settings.h"

class QCheckBox;
class QFrame;
class QLayout;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class Preferences : public QDialog
{
	Q_OBJECT

public:
	Preferences(const Settings &settings, QWidget *parent);

	/* The settings as shown, and after Ok as edited. */
	const Settings &settings() const { return edited; }

	/*
	 * What Ok stores for a command field: the stored bytes while the text
	 * is still the one shown for them, else the text in UTF-8 without line
	 * ends at either end.  Nothing when a line break is left inside, which
	 * the settings file cannot hold.
	 */
	static std::optional<std::string> commandToStore(
			    const std::string &stored, const QString &text);

	/* Says beside the suspend choice that the machine cannot suspend. */
	void	noteCannotSuspend();

public slots:
	void	catchCbStateChanged(int state);
	void	acceptSlot();

private:
	Settings	 edited;
	QWidget		*autoWidget;
	QSpinBox	*capacitySb;
	QSpinBox	*pollIntervalSb;
	QSpinBox	*warnLevelSb;
	QSpinBox	*criticalLevelSb;
	QCheckBox	*autoShutdownCb;
	QCheckBox	*themeIconsCb;
	QCheckBox	*iconDigitsCb;
	QCheckBox	*notifyFullCb;
	QCheckBox	*notifyChargerCb;
	QLineEdit	*shutdownCmdEdit;
	QLineEdit	*suspendCmdEdit;
	QRadioButton	*shutdownRb;
	QRadioButton	*suspendRb;

	void	 layOut();
	void	 keptNote(const Settings &settings);
	QLayout	*buttonRow();
	QFrame	*createSeparator(QWidget *parent);
	QSpinBox *levelBox(int level);
	bool	 takeCommand(QLineEdit *edit, std::string *command,
		    const QString &refusal);
};

#endif /* AMPELWICK_PREFERENCES_H */
