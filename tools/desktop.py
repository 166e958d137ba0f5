# SPDX-License-Identifier: BSD-2-Clause
"""A virtual desktop for running ampelwick as a user would.

A virtual X server (Xvfb) with a real XEmbed system tray (trayer), a
temporary home directory that the password database reports for the current
user (nss_wrapper), screenshots and window lookups through the X server.
Used by the end-to-end tests and by the demo; standard library only.
"""

import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import tempfile
import time

NSS_WRAPPER = "/usr/lib/x86_64-linux-gnu/libnss_wrapper.so"


def find_nss_wrapper():
    for path in (NSS_WRAPPER, "/usr/lib/libnss_wrapper.so",
                 "/usr/lib64/libnss_wrapper.so"):
        if os.path.exists(path):
            return path
    out = subprocess.run(["sh", "-c", "ldconfig -p | grep libnss_wrapper.so"],
                         capture_output=True, text=True).stdout
    for word in out.split():
        if word.startswith("/") and os.path.exists(word):
            return word
    raise RuntimeError("libnss_wrapper.so not found (Debian package libnss-wrapper)")


def wait_for(predicate, timeout=10.0, interval=0.05):
    """Polls predicate until it returns a true value or the time is up."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return value
        time.sleep(interval)


class FakeHome:
    """A temporary home directory that getpwuid() reports for this user."""

    def __init__(self, root=None):
        self.dir = tempfile.mkdtemp(prefix="ampelwick-home-", dir=root)
        self.home = os.path.join(self.dir, "home")
        os.mkdir(self.home, 0o700)
        uid, gid = os.getuid(), os.getgid()
        self.passwd = os.path.join(self.dir, "passwd")
        self.group = os.path.join(self.dir, "group")
        with open(self.passwd, "w") as f:
            f.write(f"tester:x:{uid}:{gid}:ampelwick tester:{self.home}:/bin/sh\n")
        with open(self.group, "w") as f:
            f.write(f"testers:x:{gid}:\n")

    @property
    def config_path(self):
        return os.path.join(self.home, ".config", "Qor", "ampelwick", "config")

    def write_config(self, text):
        os.makedirs(os.path.dirname(self.config_path), 0o700, exist_ok=True)
        with open(self.config_path, "w") as f:
            f.write(text)

    def read_config(self):
        with open(self.config_path) as f:
            return f.read()

    def env(self, base=None):
        env = dict(os.environ if base is None else base)
        preload = find_nss_wrapper()
        if env.get("LD_PRELOAD"):
            preload = env["LD_PRELOAD"] + ":" + preload
        env.update({
            "LD_PRELOAD": preload,
            "NSS_WRAPPER_PASSWD": self.passwd,
            "NSS_WRAPPER_GROUP": self.group,
            # RTLD_DEEPBIND, nss_wrapper's default, breaks sanitizer builds.
            "NSS_WRAPPER_DISABLE_DEEPBIND": "1",
            # A sanitizer build must accept the wrapper before its runtime.
            "ASAN_OPTIONS": env.get("ASAN_OPTIONS", "") + ":verify_asan_link_order=0",
            "HOME": self.home,
        })
        # The charge history goes to the temporary home's state directory.
        env.pop("XDG_STATE_HOME", None)
        return env

    def cleanup(self):
        shutil.rmtree(self.dir, ignore_errors=True)


def rewrite_attribute(testbed, dev, name, value):
    """Rewrites a file of an umockdev test bed's sysfs in place, as the
    kernel's figures change.

    ampelwick keeps its attribute files open and reads them again;
    umockdev's own setter would put a new file in the old one's place.
    The new text goes in one write and ends in a newline, so a read
    between the write and the truncation still finds it whole.
    """
    fd = os.open(testbed.get_root_dir() + dev + "/" + name, os.O_WRONLY)
    try:
        text = (value + "\n").encode()
        os.pwrite(fd, text, 0)
        os.ftruncate(fd, len(text))
    finally:
        os.close(fd)


def settings_text(autoshutdown=False, shutdown_cap=5,
                  shutdown_cmd="systemctl poweroff",
                  suspend_cmd="systemctl suspend", suspend=True,
                  use_icon_theme=True, poll_interval=5):
    """A settings file as the program writes it."""
    def b(v):
        return "true" if v else "false"

    def q(s):
        return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'
    return (f"autoshutdown = {b(autoshutdown)}\n"
            f"shutdown_cap = {shutdown_cap}\n"
            f"shutdown_cmd = {q(shutdown_cmd)}\n"
            f"suspend_cmd = {q(suspend_cmd)}\n"
            f"suspend = {b(suspend)}\n"
            f"use_icon_theme = {b(use_icon_theme)}\n"
            f"poll_interval = {poll_interval}\n\n")


class VirtualDesktop:
    """Xvfb with an optional trayer system tray; a context manager."""

    def __init__(self, tray=True, width=800, height=600, tray_height=24,
                 log_dir=None):
        self.tray = tray
        self.size = (width, height)
        self.tray_height = tray_height
        self.log_dir = log_dir      # trayer's output goes here when given
        self.tray_starts = 0
        self.procs = []
        self.display = None

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        rfd, wfd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(wfd), "-screen", "0",
             f"{self.size[0]}x{self.size[1]}x24", "-nolisten", "tcp",
             # A server that resets when its last client leaves refuses
             # one that connects meanwhile (trayer, after a probe).
             "-noreset"],
            pass_fds=(wfd,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(wfd)
        self.procs.append(xvfb)
        with os.fdopen(rfd) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        if self.tray:
            self.start_tray()

    def _tray_log(self):
        if self.log_dir is None:
            return subprocess.DEVNULL
        return open(os.path.join(self.log_dir, "trayer-%d.log"
                                 % self.tray_starts), "w")

    def start_tray(self):
        """Starts trayer; a tray that does not come up is started again."""
        for _ in range(3):
            self.tray_starts += 1
            log = self._tray_log()
            tray = subprocess.Popen(
                ["trayer", "--edge", "bottom", "--align", "right",
                 "--widthtype", "pixel", "--width", "160",
                 "--heighttype", "pixel", "--height", str(self.tray_height),
                 "--SetDockType", "true", "--transparent", "false",
                 "--tint", "0x303030"],
                env=self.env(), stdout=log, stderr=subprocess.STDOUT)
            if log is not subprocess.DEVNULL:
                log.close()
            self.procs.append(tray)
            up = wait_for(lambda: self.windows(cls="trayer"), timeout=10)
            time.sleep(0.3)
            if up and tray.poll() is None:
                return
            if tray.poll() is None:
                tray.kill()
            tray.wait()
        raise RuntimeError("trayer does not start")

    def stop(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        self.procs = []

    def env(self, base=None):
        env = dict(os.environ if base is None else base)
        env["DISPLAY"] = self.display
        env.pop("WAYLAND_DISPLAY", None)
        env["QT_QPA_PLATFORM"] = "xcb"
        return env

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env(),
                              capture_output=True, text=True)

    def windows(self, name=None, cls=None, visible=True):
        args = ["search"]
        if visible:
            args.append("--onlyvisible")
        if name is not None:
            args += ["--name", name]
        elif cls is not None:
            args += ["--class", cls]
        out = self.xdotool(*args).stdout
        return [int(w) for w in out.split()]

    def close_window(self, wid):
        """Asks a window to close as a window manager's close button does:
        a WM_DELETE_WINDOW message (the virtual desktop has no manager)."""
        x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p,
                                    ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                   ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int),
                        ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong),
                        ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int),
                        ("data", ctypes.c_long * 5),
                        # The rest of the XEvent union.
                        ("pad", ctypes.c_long * 12)]
        display = x11.XOpenDisplay(self.display.encode())
        if not display:
            raise RuntimeError("cannot open display " + self.display)
        try:
            event = ClientMessage(type=33, display=display, window=wid,
                                  format=32)
            event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
            event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
            x11.XSendEvent(display, wid, 0, 0, ctypes.byref(event))
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)

    def window_name(self, wid):
        return self.xdotool("getwindowname", str(wid)).stdout.strip()

    def geometry(self, wid):
        out = subprocess.run(["xwininfo", "-id", str(wid)], env=self.env(),
                             capture_output=True, text=True).stdout
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y",
                        "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values.get("Absolute upper-left X"),
                values.get("Absolute upper-left Y"),
                values.get("Width"), values.get("Height"))

    def screenshot(self, path, wid=None):
        """Saves a PNG of the whole screen or of one window."""
        target = "root" if wid is None else str(wid)
        subprocess.run(["/usr/bin/import", "-window", target, path],
                       env=self.env(), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def pixels(self, wid=None):
        """The screen or a window as (width, height, rows of RGB tuples)."""
        target = "root" if wid is None else str(wid)
        data = subprocess.run(
            ["sh", "-c", f"/usr/bin/import -window {target} ppm:- "
                         "| /usr/bin/convert ppm:- -depth 8 ppm:-"],
            env=self.env(), check=True, capture_output=True).stdout
        return parse_ppm(data)

    def tray_icon_window(self, program_class):
        """The window that the tray embedded for the program's icon."""
        for wid in self.windows(cls=program_class, visible=True):
            x, y, w, h = self.geometry(wid)
            if w is not None and w <= 64 and h <= 64 and \
                    y >= self.size[1] - self.tray_height - 1:
                return wid
        return None


def parse_ppm(data):
    """Parses a binary PPM (P6) with a maximum value of 255."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError("not an 8-bit PPM")
    width, height = int(fields[1]), int(fields[2])
    rows = []
    for y in range(height):
        start = pos + y * width * 3
        row = data[start:start + width * 3]
        rows.append([tuple(row[i:i + 3]) for i in range(0, len(row), 3)])
    return width, height, rows


def count_colour(rows, colour, tolerance=24):
    """Pixels within tolerance of an RGB colour."""
    n = 0
    for row in rows:
        for p in row:
            if all(abs(p[i] - colour[i]) <= tolerance for i in range(3)):
                n += 1
    return n


class Program:
    """The program running in a desktop with a home; a context manager."""

    def __init__(self, binary, desktop, home, env=None):
        self.binary = binary
        self.desktop = desktop
        self.home = home
        self.extra_env = env or {}
        self.proc = None

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.kill()

    def start(self):
        env = self.home.env(self.desktop.env() if self.desktop else None)
        env.update(self.extra_env)
        self.proc = subprocess.Popen([self.binary], env=env,
                                     stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, text=True)
        return self.proc

    def wait(self, timeout):
        try:
            out, err = self.proc.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None, None, None
        return self.proc.returncode, out, err

    def signal(self, signo=signal.SIGTERM):
        self.proc.send_signal(signo)

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.communicate()
