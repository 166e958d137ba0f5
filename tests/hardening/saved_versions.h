/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The two versions of the settings that the kill test saves in turn: the
 * program's seven settings, the second with commands long enough that the
 * file takes several writes.
 */
#ifndef AMPELWICK_SAVED_VERSIONS_H
#define AMPELWICK_SAVED_VERSIONS_H

#include <string>

#include "cfg.h"

constexpr int SAVED_NVARS = 7;
extern const cfg_vardef saved_defs[SAVED_NVARS];

/* Version 0 or 1 as a section of the settings table. */
cfg_section	*saved_version(int which);
/* The values of a section, one line each, for comparing what was read. */
std::string	 saved_dump(const cfg_section *s);

#endif
