/*
 * The devd reader on arbitrary byte streams delivered in arbitrary chunks
 * through a real socket pair.  The first input byte holds flags (bit 0:
 * devd closes the connection at the end), the next four choose the chunk
 * sizes in turn; the rest is the stream.  The number of battery
 * notifications reported must equal the number of complete battery lines
 * in the stream, and the buffer keeps its invariants after every call.
 *
 * devd cannot be reached again here: a closed connection ends in 30
 * failed attempts without pauses and the text "Connecting to devd failed.
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

#include "battery_internal.h"
#include "platform.h"

/* The platform of this target: no ACPI, and a devd that stays away. */
int
platform_acpi_open(void)
{
	errno = ENXIO;
	return -1;
}

int
platform_battery_units(int *)
{
	errno = ENOENT;
	return -1;
}

int
platform_acpi_ioctl(int, unsigned long, void *)
{
	errno = ENOTTY;
	return -1;
}

int
platform_devd_attempt(void)
{
	return -1;
}

void
platform_devd_pause(void)
{
}

static void
fail(const char *what, const std::string &detail)
{
	fprintf(stderr, "%s\n%s\n", what, detail.c_str());
	abort();
}

/* The reference: a complete line that announces a battery change. */
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
		if (tok.substr(0, eq) == "subsystem" && tok.substr(eq + 1) == "CMBAT")
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
	    src->devd_len > src->devd_size - 1 || src->devd_size % 2048 != 0)
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

/* drain() without the notice of the lost connection on standard error. */
static int
quietly(batt_source *src, int *events)
{
	int saved = dup(2), null = open("/dev/null", O_WRONLY), r;

	fflush(stderr);
	dup2(null, 2);
	r = drain(src, events);
	fflush(stderr);
	dup2(saved, 2);
	close(saved);
	close(null);
	return r;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	batt_source src;
	int sv[2], events = 0, r = 0;
	size_t sizes[4], at = 5, k = 0;

	if (size < 5)
		return 0;
	for (int i = 0; i < 4; i++)
		sizes[i] = 1 + static_cast<size_t>(data[1 + i]) * 17;
	const std::string stream(reinterpret_cast<const char *>(data) + at,
	    size - at);

	if (socketpair(AF_UNIX, SOCK_STREAM, 0, sv) != 0)
		fail("socketpair", strerror(errno));
	fcntl(sv[0], F_SETFL, fcntl(sv[0], F_GETFL) | O_NONBLOCK);
	ampelwick_clear(&src);
	src.devd_fd = sv[0];
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
		r = quietly(&src, &events);
		if (r != -1 || strcmp(src.error,
		    "Connecting to devd failed. Giving up.") != 0 ||
		    src.devd_len != 0 || src.devd_fd != -1)
			fail("a lost devd was not reported", src.error);
	}
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
