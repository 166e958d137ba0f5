/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * A temporary home for the fuzz targets of the configuration store, made
 * once per process and removed when it ends, so that no input ever reaches
 * the home directory of the person running them.
 */
#ifndef AMPELWICK_FUZZ_HOME_H
#define AMPELWICK_FUZZ_HOME_H

#include <string>

/* The home, with ~/.config/Qor/<name> made; test_home points at it. */
const std::string	&fuzz_home(const char *name);
/* Writes bytes as a whole file. */
void			 fuzz_put(const std::string &path, const void *data,
			    size_t size);

#endif
