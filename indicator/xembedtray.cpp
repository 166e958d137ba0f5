/* SPDX-License-Identifier: BSD-2-Clause */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QSocketNotifier>

#include "xembedtray.h"

struct XEmbedWatch {
	xcb_connection_t	*conn;
	xcb_window_t		 root;
	/* _NET_SYSTEM_TRAY_S<screen>, which the tray owns. */
	xcb_atom_t		 selection;
	/* A new tray announces itself to the root window with it. */
	xcb_atom_t		 manager;
	/* The owner seen last, whose end is watched. */
	xcb_window_t		 owner;
};

static xcb_atom_t
intern_atom(xcb_connection_t *conn, const char *name)
{
	xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(conn,
	    xcb_intern_atom(conn, 0, strlen(name), name), nullptr);
	xcb_atom_t atom;

	if (reply == nullptr)
		return XCB_NONE;
	atom = reply->atom;
	free(reply);
	return atom;
}

static xcb_window_t
screen_root(xcb_connection_t *conn, int screen)
{
	xcb_screen_iterator_t it =
	    xcb_setup_roots_iterator(xcb_get_setup(conn));

	for (; it.rem > 0; xcb_screen_next(&it))
		if (screen-- == 0)
			return it.data->root;
	return XCB_NONE;
}

static void
select_structure(xcb_connection_t *conn, xcb_window_t window)
{
	const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;

	xcb_change_window_attributes(conn, window, XCB_CW_EVENT_MASK, &mask);
	xcb_flush(conn);
}

/* The display Qt uses (DISPLAY), on a connection that only listens. */
static XEmbedWatch *
watch_open(void)
{
	char name[32];
	int screen;
	xcb_connection_t *conn = xcb_connect(nullptr, &screen);
	XEmbedWatch *watch;

	if (xcb_connection_has_error(conn)) {
		xcb_disconnect(conn);
		return nullptr;
	}
	snprintf(name, sizeof(name), "_NET_SYSTEM_TRAY_S%d", screen);
	watch = new XEmbedWatch{ conn, screen_root(conn, screen),
	    intern_atom(conn, name), intern_atom(conn, "MANAGER"), XCB_NONE };
	if (watch->root == XCB_NONE || watch->selection == XCB_NONE ||
	    watch->manager == XCB_NONE) {
		xcb_disconnect(conn);
		delete watch;
		return nullptr;
	}
	/* The MANAGER message goes to the root window's structure. */
	select_structure(conn, watch->root);
	return watch;
}

/* Whether an event tells of a tray that started or ended. */
static bool
tray_news(XEmbedWatch *watch, const xcb_generic_event_t *event)
{
	switch (event->response_type & ~0x80) {
	case XCB_CLIENT_MESSAGE: {
		const xcb_client_message_event_t *message =
		    reinterpret_cast<const xcb_client_message_event_t *>(event);
		return message->type == watch->manager &&
		    message->data.data32[1] == watch->selection;
	}
	case XCB_DESTROY_NOTIFY: {
		const xcb_destroy_notify_event_t *destroyed =
		    reinterpret_cast<const xcb_destroy_notify_event_t *>(event);
		if (destroyed->window != watch->owner)
			return false;
		watch->owner = XCB_NONE;
		return true;
	}
	default:
		return false;
	}
}

/* The events at hand, from the socket or only those read already. */
static bool
read_news(XEmbedWatch *watch,
    xcb_generic_event_t *(*next)(xcb_connection_t *))
{
	bool news = false;

	while (xcb_generic_event_t *event = next(watch->conn)) {
		news = tray_news(watch, event) || news;
		free(event);
	}
	return news;
}

XEmbedTray::XEmbedTray(QObject *parent)
    : QObject(parent)
{
	if (QGuiApplication::platformName() != QLatin1String("xcb"))
		return;
	watch = watch_open();
	if (watch == nullptr)
		return;
	notifier = new QSocketNotifier(
	    xcb_get_file_descriptor(watch->conn), QSocketNotifier::Read, this);
	connect(notifier, &QSocketNotifier::activated, this,
	    &XEmbedTray::readEvents);
}

XEmbedTray::~XEmbedTray()
{
	if (watch == nullptr)
		return;
	xcb_disconnect(watch->conn);
	delete watch;
}

/*
 * Where the display could not be watched, Qt looks as it always did.  The
 * answer's round trip may have read events off the socket, which then
 * wakes nobody: they are told from the event loop.
 */
bool
XEmbedTray::present()
{
	if (watch == nullptr)
		return QGuiApplication::platformName() == QLatin1String("xcb");
	xcb_get_selection_owner_reply_t *reply =
	    xcb_get_selection_owner_reply(watch->conn,
	    xcb_get_selection_owner(watch->conn, watch->selection), nullptr);
	const xcb_window_t owner = reply != nullptr ? reply->owner : XCB_NONE;

	free(reply);
	if (owner != XCB_NONE && owner != watch->owner) {
		watch->owner = owner;
		select_structure(watch->conn, owner);
	}
	if (read_news(watch, xcb_poll_for_queued_event))
		QMetaObject::invokeMethod(this, &XEmbedTray::changed,
		    Qt::QueuedConnection);
	return owner != XCB_NONE;
}

void
XEmbedTray::readEvents()
{
	const bool news = read_news(watch, xcb_poll_for_event);

	/* The display is gone: Qt ends the program. */
	if (xcb_connection_has_error(watch->conn))
		notifier->setEnabled(false);
	if (news)
		emit changed();
}
