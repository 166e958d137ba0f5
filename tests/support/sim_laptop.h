/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Test support: drives the simulated laptop (the battery platform "sim").
 *
 * The machine lives in <home>/.ampelwick-sim/: the file "acpi" holds the
 * readings as key=value lines and the local stream socket "devd.pipe" is
 * its devd.  Use the same home that the code under test finds through
 * getpwuid() (test_home_set() in process, nss_wrapper out of process).
 * Plain C++ without Qt or GoogleTest, usable from either.
 *
 *	test_home_set(home);
 *	SimReadings r;			// a discharging battery at 80 %
 *	r.devd_pause_ms = 0;		// do not wait between devd attempts
 *	sim_laptop_write(home, r);
 *	SimDevd devd(home);
 *	devd.start();			// before the code under test connects
 *	... ampelwick_init(&src) ...
 *	devd.accept_client();
 *	devd.notify();			// a battery notification line
 */
#ifndef AMPELWICK_SIM_LAPTOP_H
#define AMPELWICK_SIM_LAPTOP_H

#include <string>

/*
 * The readings; every field becomes one line of "acpi".  Set a has_* flag
 * to false to leave a key out.  Numbers are written as they are, so negative
 * and 32-bit-wrapping values (wcap = 4294967295) reach the code unchanged.
 */
struct SimReadings {
	long long	units = 1;	/* battery slots (sysctl) */
	bool		has_units = true; /* false: the sysctl does not exist */
	long long	cap = 80;	/* percent */
	long long	min = 150;	/* minutes left, -1 unknown */
	long long	state = 1;	/* ACPI flags: 1 discharging, 2 charging, 7 absent */
	long long	rate = 1200;
	long long	acline = 0;	/* AC line, > 0 connected */
	long long	lfcap = 50000;	/* last full charge capacity */
	long long	wcap = 5000;	/* design capacity of warning (10 %) */
	long long	lcap = 2500;	/* design capacity of low (5 %) */
	long long	dcap = 60000;	/* design capacity */
	/* Non-zero: that operation fails with this errno. */
	int		units_errno = 0;
	int		battinfo_errno = 0;
	int		acad_errno = 0;
	int		bif_errno = 0;
	int		open_errno = 0;
	/* Pause between attempts to reach devd in ms; tests use 0..20. */
	long long	devd_pause_ms = 1000;
	std::string	extra;		/* appended verbatim (other lines) */
};

/* <home>/.ampelwick-sim */
std::string	sim_laptop_dir(const char *home);
/*
 * Replaces "acpi" in one rename, creating the directory first.
 * Returns false (errno set) on failure.
 */
bool	sim_laptop_write(const char *home, const SimReadings &r);
/* The same with a text of your own. */
bool	sim_laptop_write_text(const char *home, const std::string &text);
/* Removes "acpi": every operation but the open then fails with ENXIO. */
void	sim_laptop_remove(const char *home);

/*
 * devd of the simulated laptop: a real server on <home>/.ampelwick-sim/
 * devd.pipe.  Single-threaded: a client's connect() completes against the
 * listen queue, and accept_client() picks it up when the test is ready.
 * One client at a time; accepting a new one closes the old.  All calls
 * return false on failure.  start() may be called from another thread to
 * bring devd back while the code under test is retrying.
 */
class SimDevd {
public:
	explicit SimDevd(const char *home);
	~SimDevd();			/* stop() */
	SimDevd(const SimDevd &) = delete;
	SimDevd &operator=(const SimDevd &) = delete;

	bool	start();		/* bind, listen (devd is there) */
	void	stop();			/* close all, unlink (devd is gone) */
	bool	listening() const { return listen_fd_ != -1; }
	/* Waits up to timeout_ms for a client and takes it. */
	bool	accept_client(int timeout_ms = 5000);
	bool	has_client() const { return client_fd_ != -1; }
	void	close_client();		/* devd drops the connection */

	bool	send(const std::string &bytes);	/* one write */
	bool	send_line(const std::string &line);	/* line + "\n" */
	/* bytes in two writes, split after the first `at` bytes */
	bool	send_split(const std::string &bytes, size_t at);
	/* "!system=ACPI subsystem=CMBAT type=BAT0 notify=0x80\n" */
	bool	notify();

	std::string	path() const { return path_; }

private:
	std::string	path_;
	int		listen_fd_ = -1;
	int		client_fd_ = -1;
};

#endif /* AMPELWICK_SIM_LAPTOP_H */
