/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The program's short name, as err(3) and warnx(3) print it.  The one place
 * where the C libraries differ in how a test asks for it: glibc has only
 * its own variable, the BSDs have getprogname().
 */
#ifndef AMPELWICK_PROGNAME_H
#define AMPELWICK_PROGNAME_H

#include <errno.h>
#include <stdlib.h>

static inline const char *
test_progname(void)
{
#if defined(__GLIBC__)
	return program_invocation_short_name;
#else
	return getprogname();
#endif
}

#endif
