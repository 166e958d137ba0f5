# SPDX-License-Identifier: BSD-2-Clause
"""The tray of D-Bus desktops: a StatusNotifierItem host, no XEmbed tray.

A private session bus (dbus-daemon --session) carries a small
StatusNotifierWatcher that is its own host and a small notification
server, both in this test; the virtual desktop has no XEmbed tray.  The
program must register its item there with the gauge as its icon pixmaps
(at 1x and 2x, for hosts at either scale), its tool tip and its menu (read
through com.canonical.dbusmenu), show no window of its own, and send the
warning at the battery's warning level as a desktop notification.  Clicks
that the host passes on while Preferences is open bring up that one
dialog.  A host that registers with the watcher long after the start, when
the window without a tray is up, gets the icon.  What the bus saw is kept
in recorded.txt.
"""
import os
import shutil
import signal
import subprocess
import threading
import time

import desktop
from harness import DISCHARGING, PATIENCE, GaugePicture, Scenario, \
    expected_fill

try:
    import gi
    gi.require_version("Gio", "2.0")
    from gi.repository import Gio, GLib
except (ImportError, ValueError):
    Gio = None

WATCHER = "org.kde.StatusNotifierWatcher"
NOTIFICATIONS = "org.freedesktop.Notifications"
ITEM = "org.kde.StatusNotifierItem"
CALL_MS = PATIENCE * 1000
# Long enough for a poll (every second) to have seen a change.
SETTLE = 1.6

INTERFACES = """
<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem">
   <arg name="service" type="s" direction="in"/>
  </method>
  <method name="RegisterStatusNotifierHost">
   <arg name="service" type="s" direction="in"/>
  </method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.Notifications">
  <method name="Notify">
   <arg name="app_name" type="s" direction="in"/>
   <arg name="replaces_id" type="u" direction="in"/>
   <arg name="app_icon" type="s" direction="in"/>
   <arg name="summary" type="s" direction="in"/>
   <arg name="body" type="s" direction="in"/>
   <arg name="actions" type="as" direction="in"/>
   <arg name="hints" type="a{sv}" direction="in"/>
   <arg name="expire_timeout" type="i" direction="in"/>
   <arg name="id" type="u" direction="out"/>
  </method>
  <method name="CloseNotification"><arg type="u" direction="in"/></method>
  <method name="GetCapabilities"><arg type="as" direction="out"/></method>
  <method name="GetServerInformation">
   <arg type="s" direction="out"/><arg type="s" direction="out"/>
   <arg type="s" direction="out"/><arg type="s" direction="out"/>
  </method>
 </interface>
</node>
"""
NOTIFY_FIELDS = ("app_name", "replaces_id", "app_icon", "summary", "body",
                 "actions", "hints", "expire_timeout")


def missing_tools():
    """What the group needs beyond the virtual desktop (run.py asks)."""
    missing = []
    if shutil.which("dbus-daemon") is None:
        missing.append("dbus-daemon")
    if Gio is None:
        missing.append("python3-gi")
    return missing


class SessionBus:
    """A private session bus with the watcher and the notification
    server on it, answering from a GLib main loop of their own."""

    def __init__(self, env, log_path, host=True):
        with open(log_path, "w") as log:
            # Its own process group: services it starts end with it.
            self.daemon = subprocess.Popen(
                ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                env=env, stdout=subprocess.PIPE, stderr=log,
                start_new_session=True)
        self.address = self.daemon.stdout.readline().decode().strip()
        if not self.address:
            raise RuntimeError("dbus-daemon gave no address")
        self.items = []
        self.notifications = []
        self.host = host
        self.changed = threading.Condition()
        self.conn = Gio.DBusConnection.new_for_address_sync(
            self.address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        node = Gio.DBusNodeInfo.new_for_xml(INTERFACES)
        self.conn.register_object("/StatusNotifierWatcher",
                                  node.lookup_interface(WATCHER),
                                  self._watcher_call, self._watcher_property)
        self.conn.register_object("/org/freedesktop/Notifications",
                                  node.lookup_interface(NOTIFICATIONS),
                                  self._notifications_call)
        # Calls arrive in the default main context: its loop runs apart.
        self.loop = GLib.MainLoop()
        threading.Thread(target=self.loop.run, daemon=True).start()
        for name in (WATCHER, NOTIFICATIONS):
            self.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                      "org.freedesktop.DBus", "RequestName",
                      GLib.Variant("(su)", (name, 4)))

    def stop(self):
        self.loop.quit()
        self.conn.close_sync(None)
        os.killpg(self.daemon.pid, signal.SIGTERM)
        self.daemon.wait()
        self.daemon.stdout.close()

    def call(self, service, path, interface, method, args=None):
        return self.conn.call_sync(service, path, interface, method, args,
                                   None, Gio.DBusCallFlags.NONE, CALL_MS,
                                   None).unpack()

    def _watcher_call(self, conn, sender, path, interface, method, args,
                      invocation):
        if method == "RegisterStatusNotifierItem":
            # A bus name (the item at its usual path) or a path of the
            # caller's.
            (arg,) = args.unpack()
            item = (sender, arg) if arg.startswith("/") else \
                (arg, "/StatusNotifierItem")
            with self.changed:
                self.items.append((sender,) + item)
                self.changed.notify_all()
            conn.emit_signal(None, path, WATCHER,
                             "StatusNotifierItemRegistered",
                             GLib.Variant("(s)", (arg,)))
        invocation.return_value(None)

    def _watcher_property(self, conn, sender, path, interface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", [i[1] for i in self.items])
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", self.host)
        return GLib.Variant("i", 0)

    def _notifications_call(self, conn, sender, path, interface, method,
                            args, invocation):
        if method == "Notify":
            with self.changed:
                self.notifications.append(dict(zip(NOTIFY_FIELDS,
                                                   args.unpack())))
                self.changed.notify_all()
                number = len(self.notifications)
            invocation.return_value(GLib.Variant("(u)", (number,)))
        elif method == "GetCapabilities":
            invocation.return_value(GLib.Variant("(as)", (["body"],)))
        elif method == "GetServerInformation":
            invocation.return_value(GLib.Variant(
                "(ssss)", ("ampelwick-tests", "ampelwick", "1", "1.2")))
        else:
            invocation.return_value(None)

    def register_host(self):
        """A host comes to the watcher that was there without one."""
        self.host = True
        self.conn.emit_signal(None, "/StatusNotifierWatcher", WATCHER,
                              "StatusNotifierHostRegistered", None)

    # -- the item, as a host reads it

    def item(self):
        """(sender, service, path) of the last registered item, or None."""
        with self.changed:
            return self.items[-1] if self.items else None

    def properties(self, item):
        _, service, path = item
        (props,) = self.call(service, path, "org.freedesktop.DBus.Properties",
                             "GetAll", GLib.Variant("(s)", (ITEM,)))
        return props

    def menu(self, item, path):
        """The labels of the menu's entries, in their order."""
        _, service, _ = item
        _, (_, _, children) = self.call(
            service, path, "com.canonical.dbusmenu", "GetLayout",
            GLib.Variant("(iias)", (0, -1, [])))
        return [c[1].get("label") for c in children
                if c[1].get("visible", True) and
                c[1].get("type") != "separator"]


def picture(pixmap):
    """(width, height, rows of RGB over black) of one of the ARGB32
    pictures of a StatusNotifierItem (bytes in network order)."""
    width, height, data = pixmap
    data = bytes(data)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            a, r, g, b = data[4 * (y * width + x):4 * (y * width + x) + 4]
            row.append((r * a // 255, g * a // 255, b * a // 255))
        rows.append(row)
    return width, height, rows


def save_picture(path, width, height, rows):
    """Keeps a picture as a PNG, eight times its size."""
    ppm = path + ".ppm"
    with open(ppm, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (width, height))
        f.write(bytes(c for row in rows for p in row for c in p))
    subprocess.run(["/usr/bin/convert", ppm, "-scale", "800%", path],
                   check=False)
    os.unlink(ppm)


class OnTheBus(Scenario):
    """A desktop with the private bus and no XEmbed tray."""

    tray = False
    host = True

    def setUp(self):
        super().setUp()
        self.bus = SessionBus(self.environment(),
                              os.path.join(self.dir, "dbus-daemon.log"),
                              self.host)
        self.addCleanup(self.bus.stop)
        self.recorded = open(os.path.join(self.dir, "recorded.txt"), "w")
        self.addCleanup(self.recorded.close)

    def record(self, what, value):
        self.recorded.write("%s: %r\n" % (what, value))
        self.recorded.flush()


class StatusNotifierItem(OnTheBus):

    def wait_gauge(self, item, colour, capacity):
        """Waits until the icon pixmaps of 24 and 48 pixels show the gauge
        in colour at capacity, the larger painted at twice the pixels; the
        pictures are kept."""
        def gauges():
            pixmaps = self.bus.properties(item)["IconPixmap"]
            return {s: GaugePicture(picture(p)[2], s) for p in pixmaps
                    for s in (1, 2) if p[1] == 24 * s}

        def shown():
            seen = gauges()
            return all(s in seen and seen[s].is_gauge(
                colour, expected_fill(capacity, s)) for s in (1, 2))
        ok = desktop.wait_for(shown, PATIENCE, interval=0.2)
        for p in self.bus.properties(item)["IconPixmap"]:
            save_picture(os.path.join(self.dir, "icon-%s-%d-%dpx.png"
                                      % (colour, capacity, p[1])),
                         *picture(p))
        self.check(ok, "the icon pixmaps of 24 and 48 pixels: a %s gauge "
                   "at %d %%" % (colour, capacity),
                   "\n".join(str(g) for g in gauges().values()))

    def start_item(self):
        """Starts the program on the bus; its registered item."""
        settings = desktop.settings_text(use_icon_theme=False,
                                         poll_interval=1)
        run = self.start(settings,
                         {"DBUS_SESSION_BUS_ADDRESS": self.bus.address})
        self.wait_devd_client()
        item = desktop.wait_for(self.bus.item, PATIENCE)
        self.check(item, "the program registers its item with the watcher")
        self.record("registered (sender, service, path)", item)
        return run, item

    def test_item_icon_tool_tip_menu_and_warning(self):
        run, item = self.start_item()

        tip = "Status: Discharging\nCapacity: 50%\nTime remaining: 02:00"
        desktop.wait_for(
            lambda: self.bus.properties(item)["ToolTip"][2] == tip, PATIENCE)
        props = self.bus.properties(item)
        for name in ("Id", "Title", "Status", "Category", "IconName", "Menu"):
            self.record(name, props.get(name))
        self.record("ToolTip (icon name, title, text)",
                    (props["ToolTip"][0],) + tuple(props["ToolTip"][2:]))
        sizes = [(w, h) for w, h, _ in props["IconPixmap"]]
        self.record("IconPixmap sizes", sizes)
        self.check(max(h for w, h in sizes) >= 44,
                   "pixmaps for a host at twice the scale", sizes)
        self.check(props["ToolTip"][2] == tip, "the tool tip %r" % tip,
                   props["ToolTip"])
        self.check(props["Status"] == "Active", "an active item",
                   props["Status"])
        self.wait_gauge(item, "yellow", 50)

        labels = self.bus.menu(item, props["Menu"])
        self.record("menu labels", labels)
        # dbusmenu marks the mnemonic with "_" where Qt has "&".
        self.check(labels == ["Battery _details…", "_Preferences", "_Quit"],
                   "the menu: details, Preferences, Quit", labels)
        self.check(self.program_windows() == [],
                   "no window of the program on the X display",
                   self.describe_windows())

        # The battery's levels come with a devd notification: warning 10 %.
        self.devd.notify()
        time.sleep(SETTLE)
        self.battery(cap=11, min=33, **DISCHARGING)
        time.sleep(SETTLE)
        self.check(self.bus.notifications == [],
                   "no notification above the warning level",
                   self.bus.notifications)
        self.battery(cap=10, min=30, **DISCHARGING)
        with self.bus.changed:
            self.bus.changed.wait_for(lambda: self.bus.notifications,
                                      PATIENCE)
        for n in self.bus.notifications:
            self.record("notification", n)
        self.check(len(self.bus.notifications) == 1,
                   "one notification at 10 %", self.bus.notifications)
        note = self.bus.notifications[0]
        self.check((note["summary"], note["body"]) ==
                   ("Battery low", "Charge: 10%, time left: 00:30"),
                   "the warning's title and text", note)
        self.check(note["app_icon"] == "ampelwick" and
                   note["hints"].get("urgency") == 1,
                   "the program's icon at normal urgency", note)
        self.wait_gauge(item, "red", 10)
        self.check(run.alive(), "the program runs on")

    def test_clicks_bring_up_one_preferences_dialog(self):
        run, item = self.start_item()
        _, service, path = item

        def activate():
            self.bus.call(service, path, ITEM, "Activate",
                          GLib.Variant("(ii)", (0, 0)))
        for _ in range(3):
            activate()
        self.window("Preferences")
        # Time for the later clicks to have come through.
        time.sleep(SETTLE)
        dialogs = self.windows(name="^Preferences$")
        self.shot("preferences")
        self.check(len(dialogs) == 1, "one Preferences dialog after three "
                   "clicks", self.describe_windows())

        # Closed, the next click opens it anew.
        self.key(dialogs[0], "Escape")
        self.check(self.gone("Preferences"), "Escape closes the dialog")
        activate()
        self.window("Preferences")
        self.check(run.alive(), "the program runs on")


class LateHost(OnTheBus):
    """The watcher is there at the start, its host registers only after the
    tray checks are spent: the window stands in until then, and the icon
    goes to the host without a restart."""

    host = False

    def test_a_host_after_the_window(self):
        self.start(desktop.settings_text(use_icon_theme=False),
                   {"DBUS_SESSION_BUS_ADDRESS": self.bus.address})
        window = self.fallback_window()
        self.check(self.bus.item() is None, "no item while there is no host",
                   self.bus.items)
        self.bus.register_host()
        item = desktop.wait_for(self.bus.item, PATIENCE)
        self.check(item, "the item goes to the host that came late")
        self.check(desktop.wait_for(
            lambda: window not in self.windows(cls=self.program_class()),
            PATIENCE), "the window closes when the host takes the icon")
