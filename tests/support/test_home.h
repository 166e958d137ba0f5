/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Test support: a temporary home directory for the code under test.
 *
 * Linking test_home into a test executable replaces getpwuid() for the
 * whole process, so every lookup of the user's home (the configuration
 * store, the lock file, the simulated laptop) lands in a directory the test
 * chose, never in the home of the person running the tests.
 */
#ifndef AMPELWICK_TEST_HOME_H
#define AMPELWICK_TEST_HOME_H

#ifdef __cplusplus
extern "C" {
#endif

/* Home directory that getpwuid() reports from now on. */
void	test_home_set(const char *dir);
/* Make getpwuid() find no entry, with errno set to err. */
void	test_home_fail(int err);
/* Number of getpwuid() calls so far. */
int	test_home_lookups(void);

#ifdef __cplusplus
}
#endif

#endif
