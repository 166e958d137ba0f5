/*
 * The preferences dialog: edits the settings section in place.  Ok copies
 * every widget into the section and saves the settings file; Cancel,
 * Escape and closing the window leave both untouched.
 */
#ifndef AMPELWICK_PREFERENCES_H
#define AMPELWICK_PREFERENCES_H

#include <QByteArray>
#include <QDialog>

#include <optional>

#include "cfg.h"

class QCheckBox;
class QFrame;
class QLineEdit;
class QRadioButton;
class QSpinBox;

class Preferences : public QDialog
{
	Q_OBJECT

public:
	/* cfg is borrowed and must outlive the dialog. */
	Preferences(cfg_section *cfg, QWidget *parent);

	/*
	 * What Ok stores for a command field: the stored bytes while the text
	 * is still the one shown for them, else the text in UTF-8 without line
	 * ends at either end.  Nothing when a line break is left inside, which
	 * the settings file cannot hold.
	 */
	static std::optional<QByteArray> commandToStore(const char *stored,
			    const QString &text);

public slots:
	void	catchCbStateChanged(int state);
	void	acceptSlot();

private:
	cfg_section	*cfg;
	QWidget		*autoWidget;
	QSpinBox	*capacitySb;
	QSpinBox	*pollIntervalSb;
	QCheckBox	*autoShutdownCb;
	QCheckBox	*themeIconsCb;
	QLineEdit	*shutdownCmdEdit;
	QLineEdit	*suspendCmdEdit;
	QRadioButton	*shutdownRb;
	QRadioButton	*suspendRb;

	QFrame	*createSeparator(QWidget *parent);
	bool	 takeCommand(QLineEdit *edit, int slot, const QString &refusal,
		    QByteArray *bytes);
};

#endif /* AMPELWICK_PREFERENCES_H */
