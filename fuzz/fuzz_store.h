/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * What the configuration store's fuzz targets share: a definition table
 * of every type (and a slot that carries no value), a text form of a list
 * of sections for comparisons, and the checks every result must pass.
 */
#ifndef AMPELWICK_FUZZ_STORE_H
#define AMPELWICK_FUZZ_STORE_H

#include <string>

#include "cfg_internal.h"

/* Table order is not slot order; slot 4 has a type without a value. */
extern const cfg_vardef fuzz_defs[6];
constexpr int FUZZ_NDEFS = 6;

/* Every section, slot by slot, in a form that shows every byte. */
std::string	fuzz_dump(const cfg_section *list);
/* Aborts unless the list is well formed for a table of n slots. */
void		fuzz_check_list(const cfg_section *list, const cfg_vardef *defs,
		    int n);
/* Aborts unless a failure left a known code and a message. */
void		fuzz_check_failure(void);
/* Aborts unless the reader state is back at rest. */
void		fuzz_check_at_rest(void);
/* Prints why and aborts, so that the fuzzer keeps the input. */
[[noreturn]] void fuzz_fail(const char *what, const std::string &detail);

#endif
