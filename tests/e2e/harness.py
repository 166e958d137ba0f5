# SPDX-License-Identifier: BSD-2-Clause
"""The harness of the end-to-end scenarios.

Every scenario runs the installed ampelwick-sim as a user would: on its own
virtual X server with a real XEmbed tray (trayer), in a temporary home that
the password database reports for the current user (nss_wrapper), over a
simulated laptop whose readings and devd the scenario changes while the
program runs.  Checks go through the X server (window names, classes and
types, pixels of screenshots) and through the files the program writes.

Screenshots are kept under <artifacts>/<group>/<test>/, with the program's
standard output and error and its settings file; a failed check names what
it expected and what it saw.
"""
import collections
import os
import shutil
import signal
import socket
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import desktop  # noqa: E402
import simlaptop  # noqa: E402

PROGRAM_CLASS = "ampelwick-sim"

# A bound for things that must happen, never a measure of how fast: a
# loaded machine takes its time, a broken program never gets there.
PATIENCE = 30

# Set by run.py before the scenarios load.
BINARY = None
PROBE = None
CLOCK_SHIFT = None
ARTIFACTS = None
GROUP = "e2e"

GAUGE_COLOURS = collections.OrderedDict([
    ("green", (96, 255, 96)),
    ("yellow", (239, 239, 92)),
    ("red", (255, 0, 0)),
])

# The drawn gauge: a 10 x 24 picture, terminal row on top, body below with
# 21 inner rows between its top and bottom edges; at twice the pixels
# each of these is two pixels.
GAUGE_SIZE = (10, 24)
GAUGE_INNER_ROWS = 21

# A laptop discharging at 50 % whose battery reports warning and low
# levels of 10 % and 5 % of the last full charge.
BATTERY = dict(units=1, cap=50, min=120, state=1, rate=1000, acline=0,
               lfcap=50000, wcap=5000, lcap=2500, dcap=60000,
               devd_pause_ms=20)
DISCHARGING = dict(state=1, acline=0)
CHARGING = dict(state=2, acline=1)

# The settings file as the program writes its defaults.  The simulated
# laptop is a Linux build, whose commands are systemd's.
DEFAULT_SETTINGS = [
    "autoshutdown = false",
    "shutdown_cap = 5",
    'shutdown_cmd = "systemctl poweroff"',
    'suspend_cmd = "systemctl suspend"',
    "suspend = true",
    "use_icon_theme = true",
    "poll_interval = 5",
]

# Variables of the user's own desktop session that would reach the program
# (its Qt settings, its session bus, its tray protocol) and so are not
# passed to a program on the virtual desktop.
SESSION_VARIABLES = ("DBUS_SESSION_BUS_ADDRESS", "DESKTOP_SESSION",
                     "SESSION_MANAGER", "WAYLAND_DISPLAY", "DISPLAY")
SESSION_PREFIXES = ("QT_", "XDG_", "GNOME_", "KDE_", "GTK_", "GDK_")


NOTHING = object()


def session_free_environment():
    env = {}
    for key, value in os.environ.items():
        if key in SESSION_VARIABLES or key.startswith(SESSION_PREFIXES):
            continue
        env[key] = value
    return env


# ---------------------------------------------------------------- pictures

def matches(pixel, colour, tolerance=8):
    return all(abs(pixel[i] - colour[i]) <= tolerance for i in range(3))


class GaugePicture:
    """What of the drawn gauge a picture of the tray icon shows, painted
    at a scale (2: twice the pixels)."""

    def __init__(self, rows, scale=1):
        self.rows = rows
        self.scale = scale
        self.counts = {name: sum(1 for row in rows for p in row
                                 if matches(p, colour))
                       for name, colour in GAUGE_COLOURS.items()}
        self.colour = max(self.counts, key=self.counts.get)
        if self.counts[self.colour] == 0:
            self.colour = None
        self.size = None
        self.filled = None
        self.fill_from_bottom = False
        if self.colour is not None:
            self._measure(GAUGE_COLOURS[self.colour])

    def _measure(self, colour):
        points = [(x, y) for y, row in enumerate(self.rows)
                  for x, p in enumerate(row) if matches(p, colour)]
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
        width, height = x1 - x0 + 1, y1 - y0 + 1
        self.size = (width, height)
        # Inner rows lie between the body's top edge (below the terminal)
        # and its bottom edge; a filled row is coloured across the body.
        s = self.scale
        inner = range(y0 + 2 * s, y1 - s + 1)
        full = [y for y in inner
                if sum(1 for x in range(x0, x1 + 1)
                       if matches(self.rows[y][x], colour)) == width]
        self.filled = len(full)
        self.fill_from_bottom = full == list(range(inner.stop - len(full),
                                                   inner.stop))

    def is_gauge(self, colour, filled):
        size = (GAUGE_SIZE[0] * self.scale, GAUGE_SIZE[1] * self.scale)
        return (self.colour == colour and self.size == size
                and self.filled == filled and self.fill_from_bottom)

    def has_gauge_colours(self):
        return any(self.counts.values())

    def foreground(self):
        """Pixels that differ from the picture's background colour."""
        every = collections.Counter(p for row in self.rows for p in row)
        background = every.most_common(1)[0][0]
        return sum(n for p, n in every.items()
                   if max(abs(p[i] - background[i]) for i in range(3)) > 24)

    def __str__(self):
        marks = {name: name[0].upper() for name in GAUGE_COLOURS}
        art = []
        for row in self.rows:
            line = ""
            for p in row:
                mark = "."
                for name, colour in GAUGE_COLOURS.items():
                    if matches(p, colour):
                        mark = marks[name]
                line += mark
            art.append("    " + line)
        return ("gauge colour %s, pixels %s, size %s, filled inner rows %s"
                " (from the bottom: %s)\n%s"
                % (self.colour, self.counts, self.size, self.filled,
                   self.fill_from_bottom, "\n".join(art)))


def expected_fill(capacity, scale=1):
    """Inner rows the gauge fills at a capacity (rows 22 - h .. 22), in
    pixels of a scale: at 2 the fill steps by half rows, so that an odd
    count tells the gauge painted at twice the pixels from a scaled copy."""
    h = abs(capacity) * GAUGE_INNER_ROWS * scale // 100
    return min(h + scale, GAUGE_INNER_ROWS * scale)


# ---------------------------------------------------------------- program

class Run:
    """One run of the installed program; output goes to files."""

    def __init__(self, scenario, env, name):
        self.name = name
        self.out_path = os.path.join(scenario.dir, name + ".stdout")
        self.err_path = os.path.join(scenario.dir, name + ".stderr")
        with open(self.out_path, "w") as out, open(self.err_path, "w") as err:
            self.proc = subprocess.Popen(scenario.command(), env=env,
                                         stdout=out,
                                         stderr=err, stdin=subprocess.DEVNULL,
                                         preexec_fn=scenario.preexec)
        self.status = None

    def alive(self):
        return self.proc.poll() is None

    def wait(self, timeout):
        """The exit status, or None while it still runs after timeout."""
        try:
            self.status = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None
        return self.status

    def signal(self, signo=signal.SIGTERM):
        self.proc.send_signal(signo)

    def stderr(self):
        with open(self.err_path, errors="replace") as f:
            return f.read()

    def reports(self, kind):
        """What a probe reported: the fields of its lines of one kind."""
        with open(self.out_path, errors="replace") as f:
            return [line.rstrip("\n").split("\t")[1:] for line in f
                    if line.startswith(kind + "\t")]

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


class Scenario(unittest.TestCase):
    """A virtual desktop, a home with a simulated laptop, the program."""

    tray = True
    tray_height = 32
    screen = (800, 600)
    # Qt's own themes only: "generic" (no icon theme with battery icons)
    # or "gnome" (the Adwaita icon theme), never the user's.
    platform_theme = "generic"

    def setUp(self):
        self.dir = os.path.join(ARTIFACTS, GROUP, self.id().split(".", 1)[-1])
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        self.shots = 0
        self.runs = []
        self.home = desktop.FakeHome()
        self.addCleanup(self.home.cleanup)
        simlaptop.write(self.home.home, **BATTERY)
        self.devd = simlaptop.Devd(self.home.home)
        self.devd.start()
        self.addCleanup(self.devd.stop)
        self.desk = desktop.VirtualDesktop(tray=self.tray,
                                            width=self.screen[0],
                                            height=self.screen[1],
                                            tray_height=self.tray_height,
                                            log_dir=self.dir)
        self.addCleanup(self.desk.stop)
        self.desk.start()

    def tearDown(self):
        self.shot("end")
        for run in self.runs:
            run.kill()
        if os.path.isfile(self.home.config_path):
            shutil.copy(self.home.config_path,
                        os.path.join(self.dir, "config"))

    # -- the machine

    def battery(self, **readings):
        """Changes some readings of the laptop, keeping the rest."""
        simlaptop.update(self.home.home, **readings)

    def devd_away(self):
        """devd goes away for good: it stops listening, then drops its
        clients.  (The other order lets a client reconnect in between.)"""
        devd = self.devd
        with devd.lock:
            listener, devd.listener = devd.listener, None
        if listener is not None:
            listener.shutdown(socket.SHUT_RDWR)
            listener.close()
            os.unlink(devd.path)
        devd.drop()

    def clients(self):
        with self.devd.lock:
            return len(self.devd.clients)

    def wait_devd_client(self, count=1, timeout=PATIENCE):
        with self.devd.lock:
            ok = self.devd.changed.wait_for(
                lambda: len(self.devd.clients) >= count, timeout)
        self.check(ok, "the program connects to devd",
                   "%d client(s)" % self.clients())

    # -- the program

    def environment(self, extra=None):
        env = self.home.env(self.desk.env(session_free_environment()))
        runtime = os.path.join(self.home.dir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env.update({
            "LANG": "C", "LC_ALL": "C",
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.home.home, ".config"),
            "XDG_CACHE_HOME": os.path.join(self.home.home, ".cache"),
            "XDG_DATA_HOME": os.path.join(self.home.home, ".local", "share"),
            "XDG_STATE_HOME": os.path.join(self.home.home, ".local", "state"),
            # No session bus on this desktop: the tray is XEmbed and
            # balloons are Qt's own windows.
            "DBUS_SESSION_BUS_ADDRESS":
                "unix:path=" + os.path.join(self.home.dir, "no-session-bus"),
            "QT_QPA_PLATFORMTHEME": self.platform_theme,
        })
        env.update(extra or {})
        return env

    # True: the probe build, which reports its tool tips and balloons.
    probe = False
    # Run in the program's child before it starts (another user, say).
    preexec = None

    def command(self):
        """How the program is started: the installed binary itself."""
        if self.probe:
            if PROBE is None:
                self.skipTest("no probe build")
            return [PROBE]
        return [BINARY]

    def program_class(self):
        """The X window class of the program: its file name."""
        return PROGRAM_CLASS if not self.probe else os.path.basename(PROBE)

    def start(self, settings=None, env=None):
        """Starts the program; settings text is written first when given."""
        if settings is not None:
            self.home.write_config(settings)
        run = Run(self, self.environment(env), "program-%d" % len(self.runs))
        self.runs.append(run)
        return run

    def start_monitoring(self, settings=None, env=None):
        """Starts the program and waits for its tray icon."""
        before = self.clients()
        run = self.start(settings, env)
        self.wait_devd_client(before + 1)
        return run, self.tray_icon()

    def settings_lines(self):
        try:
            with open(self.home.config_path) as f:
                return [line for line in f.read().splitlines() if line]
        except FileNotFoundError:
            return None

    # -- the desktop

    def shot(self, label, wid=None):
        """Keeps a screenshot of the screen or a window; None if it failed."""
        self.shots += 1
        path = os.path.join(self.dir, "%02d-%s.png" % (self.shots, label))
        try:
            return self.desk.screenshot(path, wid)
        except (subprocess.CalledProcessError, OSError):
            return None

    def windows(self, name=None, cls=None):
        """Visible windows by name (a regular expression) or class.

        A window destroyed while xdotool walks the tree makes the search
        fail with an X error and list nothing: such a search is repeated.
        """
        args = ["search", "--onlyvisible"]
        args += ["--name", name] if name is not None else ["--class", cls]
        for _ in range(5):
            out = self.desk.xdotool(*args)
            if "error" not in out.stderr.lower():
                break
            time.sleep(0.05)
        return [int(w) for w in out.stdout.split()]

    def program_windows(self):
        """(id, name, geometry, types) of every visible program window."""
        out = []
        for wid in self.windows(cls=self.program_class()):
            out.append((wid, self.desk.window_name(wid),
                        self.desk.geometry(wid), self.window_types(wid)))
        return out

    def describe_windows(self):
        lines = ["windows of class %s:" % self.program_class()]
        for wid, name, geometry, types in self.program_windows():
            lines.append("  %d %r at %s %s" % (wid, name, geometry,
                                               ",".join(types)))
        return "\n".join(lines)

    def describe_desktop(self):
        states = ["%s %s" % (os.path.basename(p.args[0]),
                             "running" if p.poll() is None
                             else "ended with %s" % p.returncode)
                  for p in self.desk.procs]
        return "desktop %s: %s; tray windows %s" % (
            self.desk.display, ", ".join(states),
            self.windows(cls="trayer"))

    def xprop(self, wid, name):
        return subprocess.run(["xprop", "-id", str(wid), name],
                              env=self.desk.env(), capture_output=True,
                              text=True).stdout

    def window_types(self, wid):
        out = self.xprop(wid, "_NET_WM_WINDOW_TYPE")
        _, _, atoms = out.partition("=")
        return [a.strip() for a in atoms.split(",") if a.strip()]

    def window_class(self, wid):
        out = subprocess.run(["xprop", "-id", str(wid), "WM_CLASS"],
                             env=self.desk.env(), capture_output=True,
                             text=True).stdout
        _, _, names = out.partition("=")
        return [n.strip().strip('"') for n in names.split(",") if n.strip()]

    def tray_icon_window(self):
        """The window the tray embedded for the program's icon, or None."""
        for wid in self.windows(cls=self.program_class()):
            x, y, w, h = self.desk.geometry(wid)
            if w is not None and w <= 64 and h <= 64 and \
                    y >= self.desk.size[1] - self.desk.tray_height - 1:
                return wid
        return None

    def tray_icon(self, timeout=PATIENCE):
        wid = desktop.wait_for(self.tray_icon_window, timeout)
        self.check(wid, "the tray embeds the program's icon")
        return wid

    def fallback_window(self):
        """Waits for the window shown after the tray checks, which begin
        when the program has connected to devd: never before 28 s (timers
        do not come early), within 30.5 s and the patience."""
        self.wait_devd_client()
        started = time.monotonic()
        time.sleep(max(0.0, started + 28.0 - time.monotonic()))
        early = self.program_windows()
        self.check(early == [], "no window of the program at 28 s", early)
        shown = desktop.wait_for(
            lambda: self.windows(cls=self.program_class()),
            max(0.0, started + 30.5 + PATIENCE - time.monotonic()))
        self.check(len(shown) == 1, "one window after the tray checks",
                   shown)
        self.check(self.window_class(shown[0]) == [self.program_class()] * 2,
                   "the window has the program's class",
                   self.window_class(shown[0]))
        return shown[0]

    def window(self, name, timeout=PATIENCE):
        """The first visible window whose name is exactly name."""
        pattern = "^" + name + "$"
        found = desktop.wait_for(lambda: self.windows(name=pattern),
                                 timeout)
        self.check(found, "a window named %r appears" % name)
        return found[0]

    def gone(self, name, timeout=PATIENCE):
        pattern = "^" + name + "$"

        def absent():
            # Twice in a row: a search can miss a window being mapped.
            if self.windows(name=pattern):
                return False
            time.sleep(0.1)
            return not self.windows(name=pattern)
        return desktop.wait_for(absent, timeout)

    def balloons(self):
        """Ids of the program's balloon windows (tool-tip windows)."""
        return [wid for wid in self.windows(cls=self.program_class())
                if "_NET_WM_WINDOW_TYPE_TOOLTIP" in self.window_types(wid)]

    def key(self, wid, *keys):
        """Gives the window the keyboard focus and types keys into it."""
        self.desk.xdotool("windowfocus", "--sync", str(wid))
        self.desk.xdotool("key", "--delay", "60", *keys)

    def click(self, wid, button=1):
        x, y, w, h = self.desk.geometry(wid)
        # No --sync: xdotool would wait for a move that never comes when
        # the pointer already stands there.
        self.desk.xdotool("mousemove", str(x + w // 2), str(y + h // 2),
                          "sleep", "0.1", "click", str(button))

    def picture(self, wid):
        return self.desk.pixels(wid)[2]

    def gauge(self, wid, scale=1):
        return GaugePicture(self.picture(wid), scale)

    def wait_gauge(self, wid, colour, capacity, what, timeout=PATIENCE,
                   scale=1):
        """Waits until the window shows the gauge in colour at capacity,
        painted at a scale."""
        filled = expected_fill(capacity, scale)
        deadline = time.monotonic() + timeout
        while True:
            seen = self.gauge(wid, scale)
            if seen.is_gauge(colour, filled) or time.monotonic() >= deadline:
                break
            time.sleep(0.1)
        self.shot("gauge-%s-%d%s" % (colour, capacity,
                                      "" if scale == 1 else "-at-%dx" % scale),
                  wid)
        self.check(seen.is_gauge(colour, filled),
                   "%s: a %s gauge with %d filled rows" % (what, colour,
                                                           filled),
                   str(seen))
        return seen

    # -- checks

    def check(self, ok, expected, seen=NOTHING):
        """Fails with what was expected and what was seen, screen kept."""
        if ok:
            return
        self.shot("failed")
        message = ["expected: " + expected]
        if seen is not NOTHING:
            message.append("saw: " + str(seen))
        message.append(self.describe_windows())
        message.append(self.describe_desktop())
        for run in self.runs:
            message.append("%s: status %s, stderr:\n%s"
                           % (run.name, run.proc.poll(), run.stderr()))
        message.append("screenshots in " + self.dir)
        self.fail("\n".join(message))
