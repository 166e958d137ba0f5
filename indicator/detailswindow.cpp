/* SPDX-License-Identifier: BSD-2-Clause */
#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>

#include "detailswindow.h"
#include "historyplot.h"
#include "pictures.h"

/* The rows of a battery's box; the cycle count hides where unknown. */
enum { ROW_MODEL, ROW_MAKER, ROW_SERIAL, ROW_TECH, ROW_DESIGN, ROW_FULL,
    ROW_HEALTH, ROW_VOLTS_DESIGN, ROW_CYCLES, ROW_RATE, ROW_VOLTS, ROW_CHARGE,
    ROW_STATE, ROW_COUNT };

BatteryDetails::BatteryDetails(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
	QVBoxLayout *layout = new QVBoxLayout(this);

	setAttribute(Qt::WA_DeleteOnClose);
	setWindowTitle(tr("Battery details"));
	summary = new QLabel(this);
	plot = new HistoryPlot(this);
	pages = new QVBoxLayout;
	layout->addWidget(summary);
	layout->addWidget(new QLabel(tr("Charge over the last 24 hours:"), this));
	layout->addWidget(plot, 1);
	layout->addLayout(pages);
}

static QString
text_or_unknown(const char *s)
{
	return s[0] != '\0' ? QString::fromUtf8(s) :
	    BatteryDetails::tr("unknown");
}

/* value in thousandths (mW, mA, mV) as units with decimals. */
static QString
milli(int64_t v, int decimals, const QString &format)
{
	if (v < 0)
		return BatteryDetails::tr("unknown");
	return format.arg(QLocale().toString(v / 1000.0, 'f', decimals));
}

static QString
capacity(int64_t v, bool charge)
{
	if (v < 0)
		return BatteryDetails::tr("unknown");
	const QString n = QLocale().toString(static_cast<qlonglong>(v));
	return charge ? BatteryDetails::tr("%1 mAh").arg(n) :
	    BatteryDetails::tr("%1 mWh").arg(n);
}

static QString
percent(int64_t v)
{
	return v < 0 ? BatteryDetails::tr("unknown") :
	    BatteryDetails::tr("%1%").arg(v);
}

QStringList
BatteryDetails::detailTexts(const batt_details &d)
{
	QStringList t;

	t << text_or_unknown(d.model) << text_or_unknown(d.manufacturer)
	  << text_or_unknown(d.serial) << text_or_unknown(d.technology)
	  << capacity(d.design, d.charge) << capacity(d.full, d.charge)
	  << percent(batt_health(d.full, d.design))
	  << milli(d.design_voltage, 1, tr("%1 V"))
	  << (d.cycles < 0 ? tr("unknown") : QLocale().toString(
	      static_cast<qlonglong>(d.cycles)))
	  << milli(d.rate, 1, d.charge ? tr("%1 A") : tr("%1 W"))
	  << milli(d.voltage, 2, tr("%1 V")) << percent(d.capacity)
	  << (d.state == BATT_DISCHARGING ? tr("Discharging") :
	      d.state == BATT_CHARGING ? tr("Charging") : tr("Idle"));
	return t;
}

BatteryDetails::Page
BatteryDetails::makePage()
{
	const QString names[ROW_COUNT] = {
		tr("Model:"), tr("Manufacturer:"), tr("Serial number:"),
		tr("Technology:"), tr("Design capacity:"),
		tr("Last full capacity:"), tr("Health:"), tr("Design voltage:"),
		tr("Cycle count:"), tr("Rate:"), tr("Voltage:"), tr("Charge:"),
		tr("State:"),
	};
	Page page;
	QFormLayout *form;

	page.box = new QGroupBox(this);
	form = new QFormLayout(page.box);
	page.empty = new QLabel(tr("No battery in this bay."), page.box);
	form->addRow(page.empty);
	for (const QString &name : names) {
		page.labels.append(new QLabel(name, page.box));
		page.values.append(new QLabel(page.box));
		page.values.last()->setTextInteractionFlags(
		    Qt::TextSelectableByMouse);
		form->addRow(page.labels.last(), page.values.last());
	}
	pages->addWidget(page.box);
	return page;
}

void
BatteryDetails::showPage(Page &page, const batt_details &d)
{
	const QStringList texts = d.present ? detailTexts(d) : QStringList();

	page.box->setTitle(QString::fromUtf8(d.name));
	page.empty->setVisible(!d.present);
	for (int i = 0; i < ROW_COUNT; i++) {
		const bool visible = d.present &&
		    (i != ROW_CYCLES || d.cycles >= 0) &&
		    (i != ROW_VOLTS_DESIGN || d.charge);

		page.labels[i]->setVisible(visible);
		page.values[i]->setVisible(visible);
		if (visible)
			page.values[i]->setText(texts[i]);
	}
}

void
BatteryDetails::showReading(const batt_status &status,
    const QList<batt_details> &batteries)
{
	const QString text = Pictures::toolTipFor(status);

	if (!text.isNull())
		summary->setText(text);
	while (shown.size() > batteries.size())
		delete shown.takeLast().box;
	while (shown.size() < batteries.size())
		shown.append(makePage());
	for (int i = 0; i < batteries.size(); i++)
		showPage(shown[i], batteries[i]);
}

void
BatteryDetails::showHistory(const QVector<hist_sample> &samples, qint64 now,
    int warn, int critical)
{
	plot->setSamples(samples, now, warn, critical);
}
