# SPDX-License-Identifier: BSD-2-Clause
"""A Wayland desk: a headless sway with waybar as the tray host and mako as
the notification server, on a private session bus, the program on Qt's
Wayland platform.  The desk runs as an unprivileged user (sway refuses
root).  Screenshots (grim) are kept with the other artifacts; clicks go
through the item's D-Bus methods, as the headless seat has no pointer."""
import json
import os
import shutil
import subprocess
import time

import desktop
import simlaptop
from desktop import settings_text
from harness import PATIENCE, Scenario

TOOLS = ("sway", "swaymsg", "waybar", "mako", "makoctl", "grim", "gdbus",
         "dbus-daemon")
WATCHER = "org.kde.StatusNotifierWatcher"
WAYBAR = ('{"layer": "top", "position": "top", "height": 30,'
          ' "modules-right": ["tray"], "tray": {"icon-size": 22}}')


def missing_tools():
    return [t for t in TOOLS if shutil.which(t) is None]


def desk_user():
    """Who runs the desk: the caller, or nobody in place of root."""
    if os.getuid() != 0:
        return os.getuid(), os.getgid()
    return 65534, 65534


class Wayland(Scenario):

    probe = True
    tray = False

    def setUp(self):
        super().setUp()
        self.uid, self.gid = desk_user()
        with open(self.home.passwd, "w") as f:
            f.write("tester:x:%d:%d:tester:%s:/bin/sh\n"
                    % (self.uid, self.gid, self.home.home))
        self.runtime = os.path.join(self.home.dir, "wayland")
        os.mkdir(self.runtime, 0o700)
        self.own(self.home.dir)
        self.bus = "unix:path=" + os.path.join(self.runtime, "bus")
        self.procs = {}
        self.addCleanup(self.stop_desk)
        self.daemon("dbus", ["dbus-daemon", "--session", "--nofork",
                             "--address=" + self.bus])
        config = os.path.join(self.runtime, "sway.config")
        with open(config, "w") as f:
            f.write("output HEADLESS-1 mode 1280x720\nxwayland disable\n")
        self.daemon("sway", ["sway", "-c", config],
                    WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                    WLR_RENDERER="pixman")
        sockets = desktop.wait_for(lambda: [
            n for n in os.listdir(self.runtime)
            if n.startswith("wayland-") and not n.endswith(".lock")],
            PATIENCE)
        if not sockets or self.procs["sway"].poll() is not None:
            self.skipTest("sway cannot run here")
        self.display = sockets[0]
        self.sway = desktop.wait_for(lambda: [
            n for n in os.listdir(self.runtime) if n.startswith("sway-ipc")],
            PATIENCE)[0]
        self.waybar_config = os.path.join(self.runtime, "waybar.json")
        with open(self.waybar_config, "w") as f:
            f.write(WAYBAR)
        self.own(self.runtime)
        # Urgencies told apart by colour: mako 1.7 lists no urgency.
        mako = os.path.join(self.runtime, "mako.config")
        with open(mako, "w") as f:
            f.write("[urgency=normal]\nbackground-color=#00ff00\n"
                    "[urgency=critical]\nbackground-color=#ff00ff\n")
        self.own(self.runtime)
        self.daemon("mako", ["mako", "-c", mako])

    def own(self, top):
        for root, dirs, files in os.walk(top):
            for name in [root] + [os.path.join(root, n) for n in dirs + files]:
                os.lchown(name, self.uid, self.gid)

    def battery(self, **readings):
        """Changes readings in one rename of a file the user can read."""
        merged = simlaptop.read(self.home.home)
        merged.update({k: str(v) for k, v in readings.items()})
        path = os.path.join(simlaptop.machine_dir(self.home.home), "acpi")
        with open(path + ".new", "w") as f:
            f.write("".join("%s=%s\n" % kv for kv in merged.items()))
        os.chown(path + ".new", self.uid, self.gid)
        os.rename(path + ".new", path)

    def desk_env(self, **extra):
        env = self.home.env(dict(os.environ))
        for key in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
            env.pop(key, None)
        env.update(XDG_RUNTIME_DIR=self.runtime,
                   DBUS_SESSION_BUS_ADDRESS=self.bus, LANG="C", LC_ALL="C",
                   NO_AT_BRIDGE="1", GTK_A11Y="none")
        if hasattr(self, "display"):
            env.update(WAYLAND_DISPLAY=self.display,
                       SWAYSOCK=os.path.join(self.runtime, self.sway))
        env.update(extra)
        return env

    def preexec(self):
        if os.getuid() != self.uid:
            os.setgroups([])
            os.setgid(self.gid)
            os.setuid(self.uid)

    def spawn(self, command, env, out, err):
        return subprocess.Popen(command, env=env, stdout=out, stderr=err,
                                stdin=subprocess.DEVNULL, cwd=self.home.dir,
                                preexec_fn=self.preexec)

    def daemon(self, name, command, **extra):
        log = open(os.path.join(self.dir, name + ".log"), "a")
        self.procs[name] = self.spawn(command, self.desk_env(**extra), log,
                                      subprocess.STDOUT)
        log.close()

    def stop(self, name):
        proc = self.procs.pop(name)
        proc.terminate()
        proc.wait(PATIENCE)

    def stop_desk(self):
        for name in reversed(list(self.procs)):
            self.stop(name)

    def tool(self, *command):
        """Runs a tool of the desk as its user; its standard output."""
        proc = self.spawn(command, self.desk_env(), subprocess.PIPE,
                          subprocess.PIPE)
        out, err = proc.communicate(timeout=PATIENCE)
        return out

    # -- the program and what the desk sees of it

    def environment(self, extra=None):
        env = self.desk_env(QT_QPA_PLATFORM="wayland",
                            QT_QPA_PLATFORMTHEME=self.platform_theme,
                            XDG_CONFIG_HOME=os.path.join(self.home.home,
                                                         ".config"))
        env.update(extra or {})
        return env

    def start(self, settings=None, env=None):
        if settings is not None:
            self.home.write_config(settings)
        self.own(self.home.home)
        return super().start(None, env)

    def shot(self, label, wid=None):
        self.shots += 1
        picture = self.tool("grim", "-o", "HEADLESS-1", "-")
        path = os.path.join(self.dir, "%02d-%s.png" % (self.shots, label))
        with open(path, "wb") as f:
            f.write(picture)
        return path

    def describe_windows(self):
        return "sway tree: %s" % json.dumps(self.nodes())

    def describe_desktop(self):
        return "desk: %s" % ", ".join(
            "%s %s" % (name, "running" if p.poll() is None else p.returncode)
            for name, p in self.procs.items())

    def nodes(self):
        """The windows of the sway tree as (name, floating, whether it is
        focused or urgent)."""
        found = []

        def walk(node, floats):
            if node.get("pid") is not None:
                found.append((node.get("name"), floats,
                              node.get("focused") or node.get("urgent")))
            for child in node.get("nodes", []):
                walk(child, False)
            for child in node.get("floating_nodes", []):
                walk(child, True)
        out = self.tool("swaymsg", "-r", "-t", "get_tree")
        if out:
            walk(json.loads(out), False)
        return found

    def items(self):
        """The items registered with waybar's watcher."""
        out = self.tool("gdbus", "call", "--session", "--dest", WATCHER,
                        "--object-path", "/StatusNotifierWatcher", "--method",
                        "org.freedesktop.DBus.Properties.Get", WATCHER,
                        "RegisteredStatusNotifierItems").decode()
        return [i for i in out.split("'")[1::2]]

    def activate(self, item):
        service, _, path = item.partition("/")
        self.tool("gdbus", "call", "--session", "--dest", service,
                  "--object-path", "/" + (path or "StatusNotifierItem"),
                  "--method", "org.kde.StatusNotifierItem.Activate", "0", "0")

    def gauge_in_bar(self):
        bar = desktop.parse_ppm(self.tool(
            "grim", "-t", "ppm", "-g", "1120,0 160x30", "-"))[2]
        return desktop.count_colour(bar, (239, 239, 92), 8) > 20

    def wait_item(self, what):
        """The icon in waybar's tray, its yellow gauge drawn by waybar."""
        shown = desktop.wait_for(self.gauge_in_bar, PATIENCE)
        self.shot(what)
        self.check(shown and len(self.items()) == 1,
                   "one item in waybar's tray: " + what, self.items())

    def notifications(self):
        return self.tool("makoctl", "list").decode()

    def test_tray_notification_dialogs_and_a_late_restarted_host(self):
        run = self.start(settings_text(use_icon_theme=False,
                                       poll_interval=1))
        self.wait_devd_client()
        self.daemon("waybar", ["waybar", "-c", self.waybar_config])
        self.wait_item("waybar-started-after")
        self.stop("waybar")
        self.daemon("waybar", ["waybar", "-c", self.waybar_config])
        self.wait_item("waybar-restarted")

        # The battery's levels come with a devd notification.
        self.devd.notify()
        time.sleep(1.6)
        self.battery(cap=9, min=20)
        shown = desktop.wait_for(lambda: "Battery low" in
                                 self.notifications(), PATIENCE)
        self.check(shown, "the warning shown by mako", self.notifications())
        self.shot("notification")
        corner = desktop.parse_ppm(self.tool(
            "grim", "-t", "ppm", "-g", "880,0 400x200", "-"))[2]
        self.check(desktop.count_colour(corner, (0, 255, 0), 8) > 1000,
                   "at normal urgency (green)")
        # The same notification, replaced in place, at critical urgency.
        self.battery(cap=4, min=9)
        shown = desktop.wait_for(lambda: "Battery critical" in
                                 self.notifications(), PATIENCE)
        self.check(shown and "Battery low" not in self.notifications(),
                   "the critical warning in place of the low one",
                   self.notifications())
        self.shot("notification-critical")
        corner = desktop.parse_ppm(self.tool(
            "grim", "-t", "ppm", "-g", "880,0 400x200", "-"))[2]
        self.check(desktop.count_colour(corner, (255, 0, 255), 8) > 1000,
                   "at critical urgency (magenta)")

        # Clicks until the dialog is up (the item may be registering anew
        # under a new name), then more: one dialog all the same.
        def click():
            for item in self.items():
                self.activate(item)
            return [n for n in self.nodes() if n[0] == "Preferences"]
        desktop.wait_for(click, PATIENCE, interval=0.5)
        for _ in range(5):
            click()
        time.sleep(1)
        dialogs = [n for n in self.nodes() if n[0] == "Preferences"]
        self.shot("preferences")
        self.check(len(dialogs) == 1 and dialogs[0][1],
                   "one floating Preferences", dialogs)

        # From another workspace a click brings it or marks it urgent.
        self.tool("swaymsg", "workspace", "2")
        click()
        self.check(desktop.wait_for(lambda: [
            n for n in self.nodes() if n[0] == "Preferences" and n[2]],
            PATIENCE, interval=0.5), "Preferences focused or urgent",
            self.nodes())

        self.check(run.alive(), "the program keeps running")
