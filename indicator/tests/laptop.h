/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The simulated laptop in a temporary home, with its devd listening: the
 * readings and the notifications of the indicator's tests.
 */
#ifndef AMPELWICK_TEST_LAPTOP_H
#define AMPELWICK_TEST_LAPTOP_H

#include <QTemporaryDir>

#include "sim_laptop.h"
#include "test_home.h"

/* A bound for things that must happen, never a measure of how fast. */
static constexpr int PATIENCE = 30000;

/* Discharging at 80 % with 150 minutes left until set() says otherwise. */
struct Laptop {
	QTemporaryDir	home;
	SimReadings	readings;
	SimDevd		devd;

	Laptop() : devd(qPrintable(home.path()))
	{
		test_home_set(qPrintable(home.path()));
		readings.devd_pause_ms = 0;
		sim_laptop_write(qPrintable(home.path()), readings);
		devd.start();
	}

	bool set(int cap, int state, int min = -1, int acline = 0)
	{
		readings.cap = cap;
		readings.state = state;
		readings.min = min;
		readings.acline = acline;
		return sim_laptop_write(qPrintable(home.path()), readings);
	}

	QString path(const char *name) const { return home.filePath(name); }
	QString configPath() const
	{
		return path(".config/Qor/ampelwick/config");
	}
};

#endif
