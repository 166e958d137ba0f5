/* SPDX-License-Identifier: BSD-2-Clause */
#include <sys/stat.h>

#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "cfg_internal.h"
#include "fuzz_home.h"
#include "test_home.h"

static std::string home;

static int
remove_entry(const char *path, const struct stat *, int, struct FTW *)
{
	return remove(path);
}

static void
remove_home(void)
{
	nftw(home.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
}

/* Syncing to disk only slows the search; nothing here must survive. */
static int
no_fsync(int)
{
	return 0;
}

const std::string &
fuzz_home(const char *name)
{
	if (home.empty()) {
		const char *tmp = getenv("TMPDIR");
		std::string tmpl = std::string(tmp != nullptr && *tmp ? tmp :
		    "/tmp") + "/ampelwick-fuzz.XXXXXX";

		if (mkdtemp(&tmpl[0]) == nullptr) {
			perror("mkdtemp");
			abort();
		}
		home = tmpl;
		test_home_set(home.c_str());
		atexit(remove_home);
		mkdir((home + "/.config").c_str(), 0700);
		mkdir((home + "/.config/Qor").c_str(), 0700);
		cfg_sys.fsync = no_fsync;
	}
	mkdir((home + "/.config/Qor/" + name).c_str(), 0700);
	return home;
}

void
fuzz_put(const std::string &path, const void *data, size_t size)
{
	FILE *fp = fopen(path.c_str(), "w");

	if (fp == nullptr || fwrite(data, 1, size, fp) != size ||
	    fclose(fp) != 0) {
		perror(path.c_str());
		abort();
	}
}
