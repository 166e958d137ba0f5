/* SPDX-License-Identifier: BSD-2-Clause */
#include <sys/stat.h>

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "history.h"
#include "trust.h"

static const char HEADER[] = "# ampelwick charge history 1\n";
/* A week of samples is some 200 KiB; a file far beyond it is no history. */
static constexpr off_t FILE_MAX = 4 * 1024 * 1024;
/* Old samples go once they are a day past the week, not at every sample. */
static constexpr int64_t TRIM_SLACK = 24 * 60 * 60;

bool
history_default_path(char *buf, size_t size)
{
	const char *state = getenv("XDG_STATE_HOME");
	struct passwd *pw;
	int n;

	/* A relative path is invalid there and ignored. */
	if (state != nullptr && state[0] == '/')
		n = snprintf(buf, size, "%s/ampelwick/history", state);
	else if ((pw = getpwuid(getuid())) != nullptr && pw->pw_dir != nullptr)
		n = snprintf(buf, size, "%s/.local/state/ampelwick/history",
		    pw->pw_dir);
	else
		return false;
	return n > 0 && static_cast<size_t>(n) < size;
}

bool
history_gap(int64_t prev, int64_t now, int spacing)
{
	const int64_t step = spacing > HIST_SPACING ? spacing : HIST_SPACING;

	/* Polls come late on a loaded machine; a sleep lasts longer. */
	return now < prev || now - prev > 2 * step + HIST_SPACING;
}

/* One line without its newline: "time percent state gap". */
static bool
parse(const char *line, hist_sample *s)
{
	long long v[4];
	char *end;

	for (int i = 0; i < 4; i++) {
		errno = 0;
		v[i] = strtoll(line, &end, 10);
		if (end == line || errno != 0 || (*end != ' ' && *end != '\0') ||
		    (*end == '\0' && i < 3))
			return false;
		line = end;
	}
	if (*line != '\0' || v[0] < 0 || v[1] < 0 || v[1] > 100 ||
	    v[2] < -1 || v[2] > 3 || (v[3] != 0 && v[3] != 1))
		return false;
	s->time = v[0];
	s->percent = static_cast<int32_t>(v[1]);
	s->state = static_cast<int32_t>(v[2]);
	s->gap = v[3] != 0;
	return true;
}

/* The whole file, terminated; null when it cannot be read or is too big. */
static char *
slurp(int fd, size_t *len)
{
	struct stat sb;
	char *buf;
	ssize_t n;

	if (fstat(fd, &sb) == -1 || sb.st_size > FILE_MAX ||
	    (buf = static_cast<char *>(malloc(sb.st_size + 1))) == nullptr)
		return nullptr;
	n = pread(fd, buf, sb.st_size, 0);
	if (n < 0) {
		free(buf);
		return nullptr;
	}
	buf[n] = '\0';
	*len = static_cast<size_t>(n);
	return buf;
}

/*
 * Calls take for each sample of buf: false when a complete line is not
 * one.  *whole is where the last complete line ends.
 */
template <typename F>
static bool
each_sample(char *buf, size_t len, size_t *whole, F take)
{
	size_t at = sizeof(HEADER) - 1;
	hist_sample s;

	*whole = 0;
	if (len < at || memcmp(buf, HEADER, at) != 0)
		return false;
	*whole = at;
	for (char *nl; at < len && (nl = static_cast<char *>(
	    memchr(buf + at, '\n', len - at))) != nullptr; at = *whole) {
		*nl = '\0';
		if (!parse(buf + at, &s))
			return false;
		take(s);
		*whole = nl + 1 - buf;
	}
	return true;
}

/* The directories down to the file, the user's alone where made. */
static void
make_dirs(const char *path)
{
	char dir[PATH_MAX];

	snprintf(dir, sizeof(dir), "%s", path);
	for (char *p = dir + 1; (p = strchr(p, '/')) != nullptr; p++) {
		*p = '\0';
		mkdir(dir, 0700);
		*p = '/';
	}
}

/* A fresh file with the samples from keep on (all when buf is null). */
static int
rewrite(history *h, char *buf, size_t len, int64_t keep)
{
	char tmp[PATH_MAX + 16];
	size_t whole;
	FILE *fp;
	int fd;

	snprintf(tmp, sizeof(tmp), "%s.XXXXXX", h->path);
	if ((fd = mkstemp(tmp)) == -1)
		return -1;
	if ((fp = fdopen(fd, "w")) == nullptr) {
		close(fd);
		unlink(tmp);
		return -1;
	}
	fputs(HEADER, fp);
	h->oldest = -1;
	if (buf != nullptr) {
		bool first = true;

		each_sample(buf, len, &whole, [&](const hist_sample &s) {
			if (s.time < keep)
				return;
			fprintf(fp, "%lld %d %d %d\n", static_cast<long long>(s.time),
			    s.percent, s.state, first || s.gap);
			if (first)
				h->oldest = s.time;
			first = false;
		});
	}
	if (fflush(fp) != 0 || fsync(fileno(fp)) != 0 || fclose(fp) != 0 ||
	    rename(tmp, h->path) == -1) {
		unlink(tmp);
		return -1;
	}
	if (h->fd != -1)
		close(h->fd);
	h->fd = open(h->path, O_RDWR | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
	return h->fd == -1 ? -1 : 0;
}

static int
off(history *h, const char *what)
{
	snprintf(h->error, sizeof(h->error), "%s: %s: %s", h->path, what,
	    strerror(errno));
	history_close(h);
	return -1;
}

int
history_open(history *h, const char *path)
{
	char why[PATH_MAX + 128], *buf;
	size_t len, whole;
	bool fine;

	h->fd = -1;
	h->last = h->oldest = -1;
	h->error[0] = '\0';
	snprintf(h->path, sizeof(h->path), "%s", path);
	make_dirs(path);
	if (settings_trusted(path, why, sizeof(why)) == -1) {
		if (errno != ENOENT) {
			snprintf(h->error, sizeof(h->error),
			    "%s: not used, another user could change it", why);
			return -1;
		}
		if ((h->fd = open(path, O_RDWR | O_APPEND | O_CREAT | O_EXCL |
		    O_CLOEXEC, 0600)) == -1 ||
		    write(h->fd, HEADER, sizeof(HEADER) - 1) !=
		    static_cast<ssize_t>(sizeof(HEADER) - 1))
			return off(h, "cannot be made");
		return 0;
	}
	if ((h->fd = open(path, O_RDWR | O_APPEND | O_CLOEXEC | O_NOFOLLOW)) == -1)
		return off(h, "cannot be opened");
	if ((buf = slurp(h->fd, &len)) == nullptr) {
		fine = false;
		len = 0;
	} else
		fine = each_sample(buf, len, &whole, [h](const hist_sample &s) {
			if (h->oldest == -1)
				h->oldest = s.time;
		});
	if (!fine) {
		free(buf);
		snprintf(h->error, sizeof(h->error),
		    "%s: damaged, started anew", path);
		return rewrite(h, nullptr, 0, 0) == -1 ? off(h, "cannot be made") : 0;
	}
	/* A sample torn by a crash goes; the next is appended after it. */
	if (whole < len && ftruncate(h->fd, whole) == -1) {
		free(buf);
		return off(h, "cannot be mended");
	}
	free(buf);
	return 0;
}

void
history_close(history *h)
{
	if (h->fd != -1)
		close(h->fd);
	h->fd = -1;
}

static int
trim(history *h, int64_t now)
{
	size_t len;
	char *buf = slurp(h->fd, &len);
	int rc;

	if (buf == nullptr)
		return -1;
	rc = rewrite(h, buf, len, now - HIST_KEEP);
	free(buf);
	return rc;
}

int
history_add(history *h, int64_t now, int32_t percent, int32_t state, int spacing)
{
	char line[96];
	bool gap;
	int n;

	if (h->fd == -1 || percent < 0 || percent > 100)
		return 0;
	if (h->last != -1 && now >= h->last && now - h->last < HIST_SPACING)
		return 0;
	gap = h->last == -1 || history_gap(h->last, now, spacing);
	n = snprintf(line, sizeof(line), "%lld %d %d %d\n",
	    static_cast<long long>(now), percent, state < -1 || state > 3 ? -1 :
	    state, gap);
	/* One write: a crash leaves the line whole or torn, never mixed. */
	if (write(h->fd, line, n) != n)
		return off(h, "cannot be written");
	h->last = now;
	if (h->oldest == -1)
		h->oldest = now;
	if (now - h->oldest > HIST_KEEP + TRIM_SLACK && trim(h, now) == -1)
		return off(h, "cannot be trimmed");
	return 1;
}

int
history_load(const history *h, int64_t since, hist_sample *out, int max)
{
	size_t len, whole;
	char *buf;
	int n = 0;

	if (h->fd == -1 || max <= 0 || (buf = slurp(h->fd, &len)) == nullptr)
		return -1;
	each_sample(buf, len, &whole, [&](const hist_sample &s) {
		if (s.time < since)
			return;
		/* The newest are kept where there are too many. */
		if (n == max) {
			memmove(out, out + 1, sizeof(*out) * (max - 1));
			n--;
		}
		out[n++] = s;
	});
	free(buf);
	return n;
}
