/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * A token of xdg-activation-v1 asked for on a short connection of our own:
 * Qt's connection is out of reach without its private headers.  The token
 * is asked for without a surface or an input serial, which a compositor
 * may honour less (sway marks the window urgent rather than focus it).
 */
#include <stdlib.h>
#include <string.h>

#include <wayland-client.h>

#include "activation.h"
#include "xdg-activation-v1-client-protocol.h"

struct request {
	struct xdg_activation_v1 *activation;
	char	*token;
	bool	 done;
};

static void
global_added(void *data, struct wl_registry *registry, uint32_t name,
    const char *interface, uint32_t)
{
	struct request *req = static_cast<struct request *>(data);

	if (strcmp(interface, xdg_activation_v1_interface.name) == 0 &&
	    req->activation == nullptr)
		req->activation = static_cast<struct xdg_activation_v1 *>(
		    wl_registry_bind(registry, name,
		    &xdg_activation_v1_interface, 1));
}

static void
global_removed(void *, struct wl_registry *, uint32_t)
{
}

static const struct wl_registry_listener registry_listener = {
	global_added,
	global_removed,
};

static void
token_done(void *data, struct xdg_activation_token_v1 *, const char *token)
{
	struct request *req = static_cast<struct request *>(data);

	req->token = strdup(token);
	req->done = true;
}

static const struct xdg_activation_token_v1_listener token_listener = {
	token_done,
};

char *
wayland_activation_token(void)
{
	struct request req = { nullptr, nullptr, false };
	struct wl_display *display;
	struct wl_registry *registry;
	struct xdg_activation_token_v1 *token;

	if ((display = wl_display_connect(nullptr)) == nullptr)
		return nullptr;
	registry = wl_display_get_registry(display);
	wl_registry_add_listener(registry, &registry_listener, &req);
	if (wl_display_roundtrip(display) != -1 && req.activation != nullptr) {
		token = xdg_activation_v1_get_activation_token(req.activation);
		xdg_activation_token_v1_add_listener(token, &token_listener,
		    &req);
		xdg_activation_token_v1_commit(token);
		/* Answered at the commit; a few rounds for a slower one. */
		for (int round = 0; !req.done && round < 4 &&
		    wl_display_roundtrip(display) != -1; round++)
			;
		xdg_activation_token_v1_destroy(token);
		xdg_activation_v1_destroy(req.activation);
	}
	wl_registry_destroy(registry);
	wl_display_disconnect(display);
	return req.token;
}
