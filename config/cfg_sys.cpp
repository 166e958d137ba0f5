/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The store's calls into the C library that can fail in ways a test cannot
 * provoke with real files alone: allocations, writes, syncs and renames.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "cfg_internal.h"

static char *
sys_strdup(const char *s)
{
	return strdup(s);
}

static const struct cfg_sys libc_sys = {
	malloc, calloc, realloc, sys_strdup,
	fwrite, fflush, fsync, fclose, rename, mkstemp, fdopen,
};

struct cfg_sys cfg_sys = libc_sys;

void
cfg_sys_reset(void)
{
	cfg_sys = libc_sys;
}
