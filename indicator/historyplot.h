/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The charge over the last day as a plot: time across, percent up, the
 * periods of charging shaded, no line across a gap (a suspend, a time the
 * program did not run), the warning and critical levels as lines.  Drawn
 * in the window's palette at the screen's pixel ratio.
 */
#ifndef AMPELWICK_HISTORYPLOT_H
#define AMPELWICK_HISTORYPLOT_H

#include <QVector>
#include <QWidget>

#include "history.h"

class HistoryPlot : public QWidget {
	Q_OBJECT

public:
	explicit HistoryPlot(QWidget *parent);

	/* The samples of the day up to now (seconds since the epoch). */
	void	setSamples(const QVector<hist_sample> &samples, qint64 now,
		    int warn, int critical);

	QSize	sizeHint() const override;

protected:
	void	paintEvent(QPaintEvent *event) override;

private:
	QVector<hist_sample>	samples;
	qint64			now = 0;
	int			warn = 0;
	int			critical = 0;
};

#endif
