/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Saves the two versions of the settings in turn, for ever, in the home
 * given as the first argument (test_home replaces the password lookup).
 * Writes one byte to the descriptor given as the second argument after
 * its first complete save.  Ends only when it is killed.
 */
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "saved_versions.h"
#include "test_home.h"

int
main(int argc, char **argv)
{
	cfg_section *version[2];

	if (argc != 3) {
		fprintf(stderr, "usage: settings_saver home ready-fd\n");
		return 2;
	}
	test_home_set(argv[1]);
	version[0] = saved_version(0);
	version[1] = saved_version(1);
	if (version[0] == nullptr || version[1] == nullptr)
		return 1;
	for (unsigned long i = 0;; i++) {
		if (cfg_write("ampelwick", "config", version[i % 2]) != 0) {
			cfg_perror();
			return 1;
		}
		if (i == 0) {
			int fd = atoi(argv[2]);

			if (write(fd, "r", 1) != 1)
				return 1;
			close(fd);
		}
	}
}
