/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The devd reader on arbitrary byte streams delivered in arbitrary chunks
 * through a real socket pair.  The first input byte holds flags (bit 0:
 * devd closes the connection at the end; bit 1: the longest line kept is
 * lowered to a length made from the upper six bits), the next four choose
 * the chunk sizes in turn; the rest is the stream.  The number of battery
 * notifications reported must equal the number of complete battery lines
 * in the stream that are not too long, and the buffer keeps its
 * invariants after every call.
 *
 * devd cannot be reached again here: a closed connection ends, after 30
 * failed reconnection steps, in the text "Connecting to devd failed.
 * Giving up.".
 */
#include <sys/socket.h>

#include <errno.h>
#include <fcntl.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "platform.h"

/* The platform of this target: no readings, and a devd that stays away. */
const platform_call_names platform_calls = { "open", "units", "battery", "acline", "levels" };

int
platform_open(void)
{
	errno = ENXIO;
	return -1;
}

void
platform_close(int fd)
{
	close(fd);
}

int
platform_battery_units(int *)
{
	errno = ENOENT;
	return -1;
}

int
platform_read_batteries(int, int, batt_reading *, int)
{
	errno = ENXIO;
	return -1;
}

int
platform_read_total(int, batt_reading *)
{
	return 0;
}

int
platform_read_levels(int, int, batt_reading *)
{
	errno = ENXIO;
	return -1;
}

int
platform_acline(int, int *)
{
	errno = ENXIO;
	return -1;
}

int
platform_events_open(bool *devd)
{
	*devd = true;
	return -1;
}

int
platform_events_take(int)
{
	errno = EOPNOTSUPP;
	return -1;
}

void
platform_events_close(int fd)
{
	close(fd);
}

int
platform_events_pause_ms(void)
{
	return 0;
}

static int quiet_fd = -1;	/* standard error while it is away */

static void
loud(int saved)
{
	fflush(stderr);
	dup2(saved, 2);
	close(saved);
	quiet_fd = -1;
}

static void
fail(const char *what, const std::string &detail)
{
	if (quiet_fd != -1)
		loud(quiet_fd);
	fprintf(stderr, "%s\n%s\n", what, detail.c_str());
	abort();
}

/* The reference: a complete line that announces a power change. */
static bool
battery_line(std::string line)
{
	size_t at = 1;

	line = line.substr(0, line.find('\0'));
	if (line.empty() || line[0] != '!')
		return false;
	while (at < line.size()) {
		size_t end = line.find(' ', at), eq;
		std::string tok;

		if (end == std::string::npos)
			end = line.size();
		tok = line.substr(at, end - at);
		at = end + 1;
		if ((eq = tok.find('=')) == std::string::npos)
			continue;
		if (tok.substr(0, eq) == "system" && tok.substr(eq + 1) != "ACPI")
			return false;
		if (tok.substr(0, eq) == "subsystem" &&
		    (tok.substr(eq + 1) == "CMBAT" || tok.substr(eq + 1) == "ACAD"))
			return true;
	}
	return false;
}

static int
expected_events(const std::string &stream)
{
	size_t start = 0, nl;
	int n = 0;

	while ((nl = stream.find('\n', start)) != std::string::npos) {
		if (nl - start <= static_cast<size_t>(devd_line_max))
			n += battery_line(stream.substr(start, nl - start));
		start = nl + 1;
	}
	return n;
}

static void
check_buffer(const batt_source *src)
{
	if (src->devd_buf == nullptr)
		return;
	if (src->devd_pos < 0 || src->devd_pos > src->devd_len ||
	    src->devd_len > src->devd_size - 1 || src->devd_size % 2048 != 0 ||
	    src->devd_size > devd_line_max + 1 + 2048 ||
	    src->devd_scanned < 0 || src->devd_pos + src->devd_scanned > src->devd_len)
		fail("devd buffer invariants broken",
		    std::to_string(src->devd_pos) + " " +
		    std::to_string(src->devd_len) + " " +
		    std::to_string(src->devd_size));
}

/* Calls the reader until it has nothing more; its last result. */
static int
drain(batt_source *src, int *events)
{
	int r;

	while ((r = read_devd_event(src)) == 1) {
		++*events;
		check_buffer(src);
	}
	check_buffer(src);
	return r;
}

/* Standard error away from the notices of the reader, and back. */
static int
quiet(void)
{
	int saved = dup(2), null = open("/dev/null", O_WRONLY);

	fflush(stderr);
	dup2(null, 2);
	close(null);
	return quiet_fd = saved;
}

/* devd closed: the loss is found, then 30 reconnection steps give up. */
static int
lose_devd(batt_source *src, int *events)
{
	int r = drain(src, events);

	if (r != 0 || !ampelwick_reconnecting(src) || src->devd_fd != -1)
		fail("a lost devd was not found", src->error);
	for (int i = 1; i < 30; i++)
		if (ampelwick_reconnect(src) != 0)
			fail("gave up before the 30th attempt", src->error);
	return ampelwick_reconnect(src);
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	batt_source src;
	int sv[2], events = 0, r = 0, saved;
	size_t sizes[4], at = 5, k = 0;

	if (size < 5)
		return 0;
	devd_line_max = (data[0] & 2) ? 1 + (data[0] >> 2) * 37 : 1024 * 1024;
	for (int i = 0; i < 4; i++)
		sizes[i] = 1 + static_cast<size_t>(data[1 + i]) * 17;
	const std::string stream(reinterpret_cast<const char *>(data) + at,
	    size - at);

	if (socketpair(AF_UNIX, SOCK_STREAM, 0, sv) != 0)
		fail("socketpair", strerror(errno));
	fcntl(sv[0], F_SETFL, fcntl(sv[0], F_GETFL) | O_NONBLOCK);
	ampelwick_clear(&src);
	src.devd_fd = sv[0];
	src.devd_stream = true;
	saved = quiet();
	for (size_t off = 0; off < stream.size() && r != -1; k++) {
		size_t n = std::min(sizes[k % 4], stream.size() - off);

		if (write(sv[1], stream.data() + off, n) != static_cast<ssize_t>(n))
			fail("write", strerror(errno));
		off += n;
		r = drain(&src, &events);
	}
	if (r != -1 && (data[0] & 1)) {
		close(sv[1]);
		sv[1] = -1;
		r = lose_devd(&src, &events);
		if (r != -1 || strcmp(src.error,
		    "Connecting to devd failed. Giving up.") != 0 ||
		    src.devd_len != 0 || src.devd_fd != -1)
			fail("a lost devd was not reported", src.error);
	}
	loud(saved);
	if (r == -1 && sv[1] != -1)
		fail("read failed on a live connection", src.error);
	if (events != expected_events(stream))
		fail("battery notifications miscounted",
		    std::to_string(events) + " reported, " +
		    std::to_string(expected_events(stream)) + " in the stream");
	if (src.devd_fd != -1)
		close(src.devd_fd);
	if (sv[1] != -1)
		close(sv[1]);
	free(src.devd_buf);
	return 0;
}
