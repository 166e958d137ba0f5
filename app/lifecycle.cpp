/* SPDX-License-Identifier: BSD-2-Clause */
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <QSocketNotifier>

#include "lifecycle.h"
#include "msgbox.h"

static volatile sig_atomic_t watched;
static int signal_pipe[2] = { -1, -1 };

static void
termination_handler(int signo)
{
	const int saved_errno = errno;
	const char byte = static_cast<char>(signo);

	/* Nobody to save anything yet, or any more: end at once. */
	if (!watched)
		_exit(0);
	/* The store allocates and uses stdio: the event loop does the saving. */
	if (write(signal_pipe[1], &byte, 1) == -1) {
		/* A full pipe already holds a pending request. */
	}
	errno = saved_errno;
}

static void
set_cloexec_nonblock(int fd)
{
	fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
	fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

void
install_termination_signals()
{
	/* Without the pipe a signal can still end the process unsaved. */
	if (pipe(signal_pipe) == 0) {
		set_cloexec_nonblock(signal_pipe[0]);
		set_cloexec_nonblock(signal_pipe[1]);
	}
	signal(SIGINT, termination_handler);
	signal(SIGTERM, termination_handler);
	signal(SIGQUIT, termination_handler);
	signal(SIGHUP, termination_handler);
}

/* Only a regular file is a lock: a FIFO or a device would hold the start. */
[[noreturn]] static void
not_a_lock(const char *path)
{
	gui_errx(nullptr, 1, QT_TRANSLATE_NOOP("Messages",
	    "open(%s):\nNot a regular file\n"), path);
}

void
take_instance_lock()
{
	char path[1024];
	struct passwd *pw;
	struct stat sb;
	int fd;

	errno = 0;
	if ((pw = getpwuid(getuid())) == nullptr)
		gui_err(nullptr, 1, "getpwuid()");
	snprintf(path, sizeof(path), "%s/%s", pw->pw_dir, ".ampelwick.lock");
	endpwent();

	/*
	 * Held, never closed: the descriptor is the lock for the process's
	 * life, and for no other process's: close-on-exec, so that nothing
	 * the suspend command leaves running keeps it.  The open does not wait
	 * (a FIFO without a reader fails at once, with ENXIO), nor follow a
	 * symlink, which could lock or create another user's file.
	 */
	if ((fd = open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY |
	    O_CLOEXEC | O_NOFOLLOW, 0600)) == -1) {
		int saved = errno;

		if (lstat(path, &sb) == 0 && !S_ISREG(sb.st_mode))
			not_a_lock(path);
		errno = saved;
		gui_err(nullptr, 1, "open(%s)", path);
	}
	if (fstat(fd, &sb) == -1)
		gui_err(nullptr, 1, "fstat()");
	if (!S_ISREG(sb.st_mode))
		not_a_lock(path);
	if (flock(fd, LOCK_EX | LOCK_NB) == -1) {
		/* Before anything runs: nothing to save or to close. */
		if (errno == EWOULDBLOCK)
			exit(0);
		gui_err(nullptr, 1, "flock()");
	}
}

TerminationWatcher::TerminationWatcher(QObject *parent)
    : QObject(parent)
{
	if (signal_pipe[0] == -1)
		return;
	QSocketNotifier *notifier = new QSocketNotifier(signal_pipe[0],
	    QSocketNotifier::Read, this);
	connect(notifier, &QSocketNotifier::activated, this, [this] {
		char byte;

		while (read(signal_pipe[0], &byte, 1) == 1)
			;
		emit arrived();
	});
	watched = 1;
}

TerminationWatcher::~TerminationWatcher()
{
	watched = 0;
}
