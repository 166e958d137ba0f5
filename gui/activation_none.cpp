/* SPDX-License-Identifier: BSD-2-Clause */
/* Built without the Wayland client library: no tokens. */
#include "activation.h"

char *
wayland_activation_token(void)
{
	return nullptr;
}
