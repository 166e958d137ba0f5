/*
 * The devd channel: connects to devd, reads its notification lines without
 * blocking and recognises the battery driver's notifications.
 */
#include <err.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "battery_internal.h"
#include "platform.h"

static constexpr int DEVD_ATTEMPTS = 30;
static constexpr int32_t DEVD_CHUNK = 2048;	/* first size and growth step */

static const struct batt_sys libc_sys = { malloc, realloc };

struct batt_sys batt_sys = libc_sys;

void
batt_sys_reset(void)
{
	batt_sys = libc_sys;
}

int
devd_connect(void)
{
	for (int i = 0; i < DEVD_ATTEMPTS; i++) {
		int fd = platform_devd_attempt();

		if (fd != -1)
			return fd;
		platform_devd_pause();
	}
	return -1;
}

/*
 * True for a notification of the battery driver: subsystem=CMBAT before
 * any system=... other than ACPI.  strtok cuts the line in place.
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
		if (strcmp(tok, "subsystem") == 0 && strcmp(eq + 1, "CMBAT") == 0)
			return true;
	}
	return false;
}

static void
compact(batt_source *src)
{
	memmove(src->devd_buf, src->devd_buf + src->devd_pos,
	    static_cast<size_t>(src->devd_len - src->devd_pos));
	src->devd_len -= src->devd_pos;
	src->devd_pos = 0;
}

/* devd closed the connection: 0 once it is back, -1 when it stays away. */
static int
reconnect(batt_source *src)
{
	src->devd_len = src->devd_pos = 0;
	close(src->devd_fd);
	warnx("Lost connection to devd. Reconnecting ...");
	src->devd_fd = devd_connect();
	if (src->devd_fd == -1) {
		set_error(src, false, false, "Connecting to devd failed. Giving up.");
		return -1;
	}
	src->reconnected = true;
	return 0;
}

int
read_devd_event(batt_source *src)
{
	ssize_t n;
	char *nl;

	if (src->devd_buf == nullptr) {
		src->devd_buf = static_cast<char *>(batt_sys.malloc(DEVD_CHUNK));
		if (src->devd_buf == nullptr)
			return 0;
		src->devd_size = DEVD_CHUNK;
	}
	compact(src);
	for (;;) {
		nl = static_cast<char *>(memchr(src->devd_buf, '\n',
		    static_cast<size_t>(src->devd_len)));
		if (nl != nullptr) {
			*nl = '\0';
			src->devd_pos = static_cast<int32_t>(nl - src->devd_buf) + 1;
			if (battery_line(src->devd_buf))
				return 1;
			compact(src);
			continue;
		}
		if (src->devd_len == src->devd_size - 1) {
			char *grown = static_cast<char *>(batt_sys.realloc(src->devd_buf,
			    static_cast<size_t>(src->devd_size + DEVD_CHUNK)));

			if (grown == nullptr)
				err(1, "realloc()");
			src->devd_buf = grown;
			src->devd_size += DEVD_CHUNK;
		}
		n = read(src->devd_fd, src->devd_buf + src->devd_len,
		    static_cast<size_t>(src->devd_size - src->devd_len - 1));
		if (n > 0) {
			src->devd_len += static_cast<int32_t>(n);
			continue;
		}
		if (n == 0)
			return reconnect(src);
		if (errno == EAGAIN || errno == EINTR)
			return 0;
		src->devd_len = src->devd_pos = 0;
		set_error(src, true, false, "read_devd_event()");
		return -1;
	}
}

bool
ampelwick_reconnected(batt_source *src)
{
	bool was = src->reconnected;

	src->reconnected = false;
	return was;
}
