/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The battery details window: the status as the tool tip has it, then
 * what each battery tells about itself (make, health, present figures).
 * It reads nothing itself: whoever opened it hands it each new reading
 * while it is open.  It deletes itself when closed.
 */
#ifndef AMPELWICK_DETAILSWINDOW_H
#define AMPELWICK_DETAILSWINDOW_H

#include <QList>
#include <QWidget>

#include "battery.h"
#include "history.h"

class HistoryPlot;
class QFormLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;

class BatteryDetails : public QWidget {
	Q_OBJECT

public:
	/* A window of its own, owned by parent until it is closed. */
	explicit BatteryDetails(QWidget *parent);

	void	showReading(const batt_status &status,
		    const QList<batt_details> &batteries);

	/* The charge over the day up to now; warn and critical in percent. */
	void	showHistory(const QVector<hist_sample> &samples, qint64 now,
		    int warn, int critical);

	/* The texts of one battery, in the order of the rows; for the tests. */
	static QStringList	detailTexts(const batt_details &d);

private:
	/* One battery's box: its rows, or a note that its bay is empty. */
	struct Page {
		QGroupBox	*box;
		QLabel		*empty;
		QList<QLabel *>	 labels;
		QList<QLabel *>	 values;
	};

	Page	makePage();
	void	showPage(Page &page, const batt_details &d);

	QLabel		*summary;
	HistoryPlot	*plot;
	QVBoxLayout	*pages;
	QList<Page>	 shown;
};

#endif
