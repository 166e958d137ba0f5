/*
 * The preferences dialog: edits the settings section in place.  Ok copies
 * every widget into the section and saves the settings file; Cancel,
 * Escape and closing the window leave both untouched.
 */
#ifndef AMPELWICK_PREFERENCES_H
#define AMPELWICK_PREFERENCES_H

#include <QDialog>

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
};

#endif /* AMPELWICK_PREFERENCES_H */
