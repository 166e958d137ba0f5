/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Preloaded into a program under test (Linux): its wall clock
 * (CLOCK_REALTIME, gettimeofday, time) runs ahead by the number of seconds
 * written in the file that CLOCKSHIFT_FILE names, read at every call, so
 * that a test may step the clock while the program runs.  The monotonic
 * clocks are left alone.
 */
#define _GNU_SOURCE
#include <sys/time.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef int (*clock_gettime_fn)(clockid_t, struct timespec *);

static long
shift(void)
{
	const char *path = getenv("CLOCKSHIFT_FILE");
	char buf[32];
	ssize_t n;
	int fd;

	if (path == NULL || (fd = open(path, O_RDONLY | O_CLOEXEC)) == -1)
		return 0;
	n = read(fd, buf, sizeof(buf) - 1);
	close(fd);
	if (n <= 0)
		return 0;
	buf[n] = '\0';
	return strtol(buf, NULL, 10);
}

int
clock_gettime(clockid_t id, struct timespec *ts)
{
	static clock_gettime_fn real;
	int r;

	if (real == NULL)
		real = (clock_gettime_fn)dlsym(RTLD_NEXT, "clock_gettime");
	r = real(id, ts);
	if (r == 0 && (id == CLOCK_REALTIME || id == CLOCK_REALTIME_COARSE))
		ts->tv_sec += shift();
	return r;
}

int
gettimeofday(struct timeval *restrict tv, void *restrict tz)
{
	struct timespec ts;

	(void)tz;
	if (clock_gettime(CLOCK_REALTIME, &ts) == -1)
		return -1;
	tv->tv_sec = ts.tv_sec;
	tv->tv_usec = ts.tv_nsec / 1000;
	return 0;
}

time_t
time(time_t *t)
{
	struct timespec ts;

	if (clock_gettime(CLOCK_REALTIME, &ts) == -1)
		return (time_t)-1;
	if (t != NULL)
		*t = ts.tv_sec;
	return ts.tv_sec;
}
