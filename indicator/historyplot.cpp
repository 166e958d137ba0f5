/* SPDX-License-Identifier: BSD-2-Clause */
#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include "battery.h"
#include "detailswindow.h"
#include "historyplot.h"

static constexpr qint64 DAY = 24 * 60 * 60;

HistoryPlot::HistoryPlot(QWidget *parent)
    : QWidget(parent)
{
	setMinimumSize(240, 120);
	setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize
HistoryPlot::sizeHint() const
{
	return QSize(480, 180);
}

void
HistoryPlot::setSamples(const QVector<hist_sample> &newSamples, qint64 at,
    int warnLevel, int criticalLevel)
{
	samples = newSamples;
	now = at;
	warn = warnLevel;
	critical = criticalLevel;
	update();
}

void
HistoryPlot::paintEvent(QPaintEvent *)
{
	QPainter p(this);
	const QPalette &pal = palette();
	const QFontMetrics fm = fontMetrics();
	const QString widest = BatteryDetails::tr("%1%").arg(100);
	const QRectF area(fm.horizontalAdvance(widest) + 6, fm.height() / 2.0,
	    width() - fm.horizontalAdvance(widest) - 12,
	    height() - fm.height() * 2.0);
	const qint64 start = now - DAY;
	auto x = [&](qint64 t) {
		return area.left() + area.width() * (t - start) / DAY;
	};
	auto y = [&](int percent) {
		return area.bottom() - area.height() * percent / 100.0;
	};
	QColor shade = pal.color(QPalette::Highlight);
	QColor grid = pal.color(QPalette::WindowText);

	p.setRenderHint(QPainter::Antialiasing);
	p.fillRect(area, pal.color(QPalette::Base));
	shade.setAlphaF(0.25);
	grid.setAlphaF(0.3);

	/* Charging: from each charging sample to the next one joined to it. */
	for (int i = 1; i < samples.size(); i++)
		if (!samples[i].gap && samples[i - 1].state == BATT_CHARGING)
			p.fillRect(QRectF(QPointF(x(samples[i - 1].time), area.top()),
			    QPointF(x(samples[i].time), area.bottom())), shade);

	/* The percent scale and the hours. */
	p.setPen(QPen(grid, 1));
	for (int percent = 0; percent <= 100; percent += 50) {
		p.drawLine(QPointF(area.left(), y(percent)),
		    QPointF(area.right(), y(percent)));
		p.setPen(pal.color(QPalette::WindowText));
		p.drawText(QRectF(0, y(percent) - fm.height() / 2.0,
		    area.left() - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
		    BatteryDetails::tr("%1%").arg(percent));
		p.setPen(QPen(grid, 1));
	}
	/* Hours and minutes: some locales' short format has seconds too. */
	QString format = QLocale().timeFormat(QLocale::ShortFormat);
	format.remove(QLatin1String(":ss"));
	for (qint64 t = (start / 21600 + 1) * 21600; t < now; t += 21600) {
		const QString label = QLocale().toString(
		    QDateTime::fromSecsSinceEpoch(t).time(), format);

		p.setPen(QPen(grid, 1));
		p.drawLine(QPointF(x(t), area.top()), QPointF(x(t), area.bottom()));
		p.setPen(pal.color(QPalette::WindowText));
		p.drawText(QRectF(x(t) - 50, area.bottom() + 2, 100, fm.height()),
		    Qt::AlignHCenter | Qt::AlignTop, label);
	}

	/* The warning and critical levels. */
	p.setPen(QPen(pal.color(QPalette::WindowText), 1, Qt::DashLine));
	p.drawLine(QPointF(area.left(), y(warn)), QPointF(area.right(), y(warn)));
	p.setPen(QPen(pal.color(QPalette::WindowText), 1, Qt::DotLine));
	p.drawLine(QPointF(area.left(), y(critical)),
	    QPointF(area.right(), y(critical)));

	/* The charge, broken at every gap; a lone sample is a dot. */
	QPainterPath path;
	for (const hist_sample &s : samples) {
		const QPointF at(x(s.time), y(s.percent));

		if (s.gap || path.elementCount() == 0) {
			path.moveTo(at);
			path.addEllipse(at, 1, 1);
			path.moveTo(at);
		} else
			path.lineTo(at);
	}
	p.setPen(QPen(pal.color(QPalette::Highlight), 2));
	p.drawPath(path);
	p.setPen(QPen(grid, 1));
	p.setBrush(Qt::NoBrush);
	p.drawRect(area);
}
