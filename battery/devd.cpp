/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The event channel: connects to devd (or the platform's own event
 * source), reads devd's notification lines without blocking, recognises
 * the battery driver's notifications, and reconnects one attempt at a time
 * when devd goes away.
 */
#include <err.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "battery_internal.h"
#include "platform.h"

static constexpr int DEVD_ATTEMPTS = 30;
static constexpr int32_t DEVD_CHUNK = 2048;	/* first size and growth step */

int32_t devd_line_max = 1024 * 1024;

static const struct batt_sys libc_sys = { malloc, realloc };

struct batt_sys batt_sys = libc_sys;

void
batt_sys_reset(void)
{
	batt_sys = libc_sys;
}

static void
pause_ms(int ms)
{
	struct timespec ts;

	if (ms <= 0)
		return;
	ts.tv_sec = ms / 1000;
	ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
	while (nanosleep(&ts, &ts) == -1 && errno == EINTR)
		;
}

/* Up to 30 attempts a pause apart; the descriptor or -1. */
static int
connect_blocking(bool *devd)
{
	int saved = 0;

	for (int i = 0; i < DEVD_ATTEMPTS; i++) {
		int fd = platform_events_open(devd);

		if (fd != -1)
			return fd;
		saved = errno;
		pause_ms(platform_events_pause_ms());
	}
	/* The last attempt's reason, for the caller's message. */
	errno = saved;
	return -1;
}

int
devd_connect(void)
{
	bool devd;

	return connect_blocking(&devd);
}

int
events_connect(batt_source *src)
{
	bool devd = true;

	src->devd_fd = connect_blocking(&devd);
	src->devd_stream = devd;
	return src->devd_fd == -1 ? -1 : 0;
}

/*
 * True for a notification of the battery driver or the AC adapter
 * (subsystem=CMBAT or ACAD) before any system=... other than ACPI.  strtok
 * cuts the line in place.
 */
static bool
battery_line(char *line)
{
	char *tok, *eq;

	if (line[0] != '!')
		return false;
	for (tok = strtok(line + 1, " \n"); tok != nullptr; tok = strtok(nullptr, " \n")) {
		if ((eq = strchr(tok, '=')) == nullptr)
			continue;
		*eq = '\0';
		if (strcmp(tok, "system") == 0 && strcmp(eq + 1, "ACPI") != 0)
			return false;
		if (strcmp(tok, "subsystem") == 0 &&
		    (strcmp(eq + 1, "CMBAT") == 0 || strcmp(eq + 1, "ACAD") == 0))
			return true;
	}
	return false;
}

static void
empty(batt_source *src)
{
	src->devd_len = src->devd_pos = src->devd_scanned = 0;
	src->devd_skipping = false;
}

static void
dropped_line(void)
{
	warnx("Dropped a devd line longer than %d bytes.", devd_line_max);
}

/*
 * Examines the complete lines held, searching each byte once: 1 at a
 * battery notification, 0 when no complete line is left.  A line longer
 * than devd_line_max is dropped up to its newline.
 */
static int
next_line(batt_source *src)
{
	char *buf = src->devd_buf, *nl;
	int32_t from, end;

	for (;;) {
		from = src->devd_pos + src->devd_scanned;
		nl = static_cast<char *>(memchr(buf + from, '\n',
		    static_cast<size_t>(src->devd_len - from)));
		if (nl == nullptr)
			break;
		end = static_cast<int32_t>(nl - buf);
		from = src->devd_pos;
		src->devd_pos = end + 1;
		src->devd_scanned = 0;
		if (src->devd_skipping) {
			src->devd_skipping = false;
			continue;
		}
		if (end - from > devd_line_max) {
			dropped_line();
			continue;
		}
		*nl = '\0';
		if (battery_line(buf + from))
			return 1;
	}
	src->devd_scanned = src->devd_len - src->devd_pos;
	if (!src->devd_skipping && src->devd_scanned > devd_line_max) {
		dropped_line();
		src->devd_skipping = true;
	}
	if (src->devd_skipping) {
		src->devd_pos = src->devd_len;
		src->devd_scanned = 0;
	}
	return 0;
}

/* Moves the unconsumed bytes to the front; grows a full block. */
static void
make_room(batt_source *src)
{
	if (src->devd_pos > 0) {
		memmove(src->devd_buf, src->devd_buf + src->devd_pos,
		    static_cast<size_t>(src->devd_len - src->devd_pos));
		src->devd_len -= src->devd_pos;
		src->devd_pos = 0;
	}
	if (src->devd_len == src->devd_size - 1) {
		char *grown = static_cast<char *>(batt_sys.realloc(src->devd_buf,
		    static_cast<size_t>(src->devd_size + DEVD_CHUNK)));

		if (grown == nullptr)
			err(1, "realloc()");
		src->devd_buf = grown;
		src->devd_size += DEVD_CHUNK;
	}
}

/* devd closed the connection: watch nothing until a reconnection. */
static int
lost(batt_source *src)
{
	empty(src);
	platform_events_close(src->devd_fd);
	src->devd_fd = -1;
	src->devd_attempts = 0;
	warnx("Lost connection to devd. Reconnecting ...");
	return 0;
}

static int
read_lines(batt_source *src)
{
	int32_t budget = DEVD_CALL_BUDGET;
	ssize_t n;

	for (;;) {
		if (next_line(src) == 1)
			return 1;
		/* A steady stream must not hold the caller's event loop. */
		if (budget <= 0)
			return 0;
		make_room(src);
		n = read(src->devd_fd, src->devd_buf + src->devd_len,
		    static_cast<size_t>(src->devd_size - src->devd_len - 1));
		if (n > 0) {
			src->devd_len += static_cast<int32_t>(n);
			budget -= static_cast<int32_t>(n);
			continue;
		}
		if (n == 0)
			return lost(src);
		if (errno == EAGAIN || errno == EINTR)
			return 0;
		empty(src);
		set_error(src, true, false, "read_devd_event()");
		return -1;
	}
}

int
read_devd_event(batt_source *src)
{
	int r;

	if (src->devd_fd == -1)
		return 0;
	if (!src->devd_stream) {
		if ((r = platform_events_take(src->devd_fd)) == -1)
			set_error(src, true, false, "read_devd_event()");
		return r;
	}
	if (src->devd_buf == nullptr) {
		src->devd_buf = static_cast<char *>(batt_sys.malloc(DEVD_CHUNK));
		if (src->devd_buf == nullptr)
			return 0;
		src->devd_size = DEVD_CHUNK;
		empty(src);
	}
	return read_lines(src);
}

bool
ampelwick_reconnecting(const batt_source *src)
{
	return src->devd_attempts >= 0;
}

int
ampelwick_reconnect(batt_source *src)
{
	bool devd = true;
	int fd;

	if (src->devd_attempts < 0)
		return 0;
	if ((fd = platform_events_open(&devd)) != -1) {
		src->devd_fd = fd;
		src->devd_stream = devd;
		src->devd_attempts = -1;
		src->reconnected = true;
		return 1;
	}
	if (++src->devd_attempts < DEVD_ATTEMPTS)
		return 0;
	src->devd_attempts = -1;
	set_error(src, false, false, "Connecting to devd failed. Giving up.");
	return -1;
}

int
ampelwick_reconnect_interval(void)
{
	return platform_events_pause_ms();
}

bool
ampelwick_reconnected(batt_source *src)
{
	bool was = src->reconnected;

	src->reconnected = false;
	return was;
}
