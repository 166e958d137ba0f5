/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * A simulated laptop in a fresh temporary home for each test, with its devd
 * listening, and a way to catch what the code writes to standard error.
 */
#ifndef AMPELWICK_BATTERY_SIM_FIXTURE_H
#define AMPELWICK_BATTERY_SIM_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "battery_internal.h"
#include "sim_laptop.h"

class SimLaptop : public ::testing::Test {
protected:
	void	SetUp() override;
	void	TearDown() override;

	/* Writes readings (devd_pause_ms 0 unless the test sets it). */
	void	write(const SimReadings &r);
	/* ampelwick_init with devd accepted on success. */
	int	init();
	/* init() that must succeed. */
	void	ready();
	/* Waits until devd_fd is readable, then read_devd_event. */
	int	read_event();

	std::string	home;
	SimReadings	readings;
	SimDevd		*devd = nullptr;
	batt_source	src;
};

/* Standard error of the process, caught into a file while alive. */
class StderrCatcher {
public:
	StderrCatcher();
	~StderrCatcher();
	std::string	text();		/* restores stderr, returns the text */

private:
	int		saved_ = -1;
	std::string	path_;
};

#endif
