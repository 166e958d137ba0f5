/* SPDX-License-Identifier: BSD-2-Clause */
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "sim_laptop.h"

std::string
sim_laptop_dir(const char *home)
{
	return std::string(home) + "/.ampelwick-sim";
}

static void
put(std::string &text, const char *key, long long value)
{
	text += key;
	text += '=';
	text += std::to_string(value);
	text += '\n';
}

bool
sim_laptop_write(const char *home, const SimReadings &r)
{
	std::string t;

	if (r.has_units)
		put(t, "units", r.units);
	put(t, "cap", r.cap);
	put(t, "min", r.min);
	put(t, "state", r.state);
	put(t, "rate", r.rate);
	put(t, "acline", r.acline);
	put(t, "lfcap", r.lfcap);
	put(t, "wcap", r.wcap);
	put(t, "lcap", r.lcap);
	put(t, "dcap", r.dcap);
	put(t, "units_errno", r.units_errno);
	put(t, "battinfo_errno", r.battinfo_errno);
	put(t, "acad_errno", r.acad_errno);
	put(t, "bif_errno", r.bif_errno);
	put(t, "open_errno", r.open_errno);
	put(t, "devd_pause_ms", r.devd_pause_ms);
	t += r.extra;
	return sim_laptop_write_text(home, t);
}

/* Readers see the old or the new file, never a part of one. */
bool
sim_laptop_write_text(const char *home, const std::string &text)
{
	std::string dir = sim_laptop_dir(home);
	std::string tmp = dir + "/.acpi.XXXXXX";
	bool ok;
	int fd;

	if (mkdir(dir.c_str(), 0700) == -1 && errno != EEXIST)
		return false;
	if ((fd = mkstemp(&tmp[0])) == -1)
		return false;
	ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
	ok = close(fd) == 0 && ok;
	if (ok && rename(tmp.c_str(), (dir + "/acpi").c_str()) == 0)
		return true;
	unlink(tmp.c_str());
	return false;
}

void
sim_laptop_remove(const char *home)
{
	unlink((sim_laptop_dir(home) + "/acpi").c_str());
}

SimDevd::SimDevd(const char *home)
    : path_(sim_laptop_dir(home) + "/devd.pipe")
{
}

SimDevd::~SimDevd()
{
	stop();
}

bool
SimDevd::start()
{
	struct sockaddr_un sun;
	std::string dir = path_.substr(0, path_.rfind('/'));

	if (listening())
		return true;
	memset(&sun, 0, sizeof(sun));
	sun.sun_family = AF_LOCAL;
	if (path_.size() >= sizeof(sun.sun_path)) {
		errno = ENAMETOOLONG;
		return false;
	}
	memcpy(sun.sun_path, path_.c_str(), path_.size());
	if (mkdir(dir.c_str(), 0700) == -1 && errno != EEXIST)
		return false;
	unlink(path_.c_str());
	if ((listen_fd_ = socket(PF_LOCAL, SOCK_STREAM | SOCK_CLOEXEC, 0)) == -1)
		return false;
	if (bind(listen_fd_, reinterpret_cast<struct sockaddr *>(&sun), sizeof(sun)) == -1 ||
	    listen(listen_fd_, 64) == -1) {
		close(listen_fd_);
		listen_fd_ = -1;
		return false;
	}
	return true;
}

void
SimDevd::stop()
{
	close_client();
	if (listen_fd_ != -1) {
		close(listen_fd_);
		listen_fd_ = -1;
		unlink(path_.c_str());
	}
}

bool
SimDevd::accept_client(int timeout_ms)
{
	struct pollfd pfd = { listen_fd_, POLLIN, 0 };
	int fd;

	if (!listening() || poll(&pfd, 1, timeout_ms) != 1)
		return false;
	if ((fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC)) == -1)
		return false;
	close_client();
	client_fd_ = fd;
	return true;
}

void
SimDevd::close_client()
{
	if (client_fd_ != -1) {
		close(client_fd_);
		client_fd_ = -1;
	}
}

bool
SimDevd::send(const std::string &bytes)
{
	size_t done = 0;

	while (client_fd_ != -1 && done < bytes.size()) {
		ssize_t n = ::send(client_fd_, bytes.data() + done,
		    bytes.size() - done, MSG_NOSIGNAL);

		if (n == -1 && errno == EINTR)
			continue;
		if (n <= 0)
			return false;
		done += static_cast<size_t>(n);
	}
	return client_fd_ != -1;
}

bool
SimDevd::send_line(const std::string &line)
{
	return send(line + "\n");
}

bool
SimDevd::send_split(const std::string &bytes, size_t at)
{
	return send(bytes.substr(0, at)) && send(bytes.substr(at));
}

bool
SimDevd::notify()
{
	return send_line("!system=ACPI subsystem=CMBAT type=BAT0 notify=0x80");
}
