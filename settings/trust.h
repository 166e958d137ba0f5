/* SPDX-License-Identifier: BSD-2-Clause */
#ifndef AMPELWICK_TRUST_H
#define AMPELWICK_TRUST_H

#include <stddef.h>

/*
 * 0 when no other user can change the file at path or put another in its
 * place; -1 with the reason, and what to do about it, in why, and errno
 * EPERM, or the errno of a path that cannot be followed (ENOENT: no file).
 */
int	settings_trusted(const char *path, char *why, size_t size);

#endif /* AMPELWICK_TRUST_H */
