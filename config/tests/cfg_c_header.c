/* SPDX-License-Identifier: BSD-2-Clause */
/* The public header of the configuration store, compiled as C. */
#include <stddef.h>

#include "cfg.h"

static const cfg_vardef defs[] = {
	{ "answer", CFG_INTEGER, 0, { .integer = 42 } },
	{ "loud", CFG_BOOLEAN, 1, { .boolean = true } },
};

int
main(void)
{
	cfg_section *s = cfg_new("c", defs, 2);
	int ok = s != NULL && s->vars[0].val.integer == 42 &&
	    s->vars[1].val.boolean && cfg_errstr()[0] == '\0';

	cfg_free(s);
	return ok ? 0 : 1;
}
