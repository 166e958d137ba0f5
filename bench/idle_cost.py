#!/usr/bin/python3
# SPDX-License-Identifier: BSD-2-Clause
"""What ampelwick costs in the tray, next to the least a tray monitor does.

Builds ampelwick (the Linux build) and bench/minimal_tray.cpp, a Qt program
that only shows a drawn tray icon and reads BAT0's capacity every 5 s.
Starts both side by side on one virtual desktop (Xvfb with a trayer system
tray) over a Linux laptop made by umockdev (BAT0 and AC), in a temporary
home; lets them idle for a measured window, then sends uevents for the
charger and the battery in turn.  Prints the machine and a table of both;
docs/performance.md explains the figures.

    bench/idle_cost.py [--qt 5|6] [--window SECONDS] [--events N]
                       [--ampelwick PATH] [--minimal PATH]

What has no path is built in build-bench/ (build-bench-qt5/ with --qt 5),
a release build with debug information and without sanitizers, with the
Qt that --qt names or else the one the build takes.  The script installs its packages (tools/deps.sh), builds,
and runs itself again under umockdev-wrapper, as a process that sends
umockdev's uevents must.
"""
import argparse
import contextlib
import datetime
import os
import platform
import select
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tools"))
import desktop  # noqa: E402

try:
    import gi
    gi.require_version("UMockdev", "1.0")
    from gi.repository import UMockdev
    from Xlib import X, Xatom, display, error
    from Xlib.ext import damage
except (ImportError, ValueError):
    UMockdev = None     # main() installs the packages and starts again

SETTLE_S = 3            # after both icons are up, before the idle window
START_POLL_S = 0.005    # pause between two looks for a starting icon
EVENT_GAP_S = 0.25      # between two uevents
EVENT_TIMEOUT_S = 2.0
TRAY_START_S = 10
MEMORY_TMP = "/dev/shm"

SESSION_VARIABLES = ("DBUS_SESSION_BUS_ADDRESS", "DESKTOP_SESSION",
                     "SESSION_MANAGER", "WAYLAND_DISPLAY", "DISPLAY")
SESSION_PREFIXES = ("QT_", "XDG_", "GNOME_", "KDE_", "GTK_", "GDK_")


# ------------------------------------------------------------ building

def build(args):
    """Builds what no path was given for; fills in the paths."""
    build_dir = os.path.join(ROOT, "build-bench" +
                             ("-qt%s" % args.qt if args.qt == "5" else ""))
    targets = []
    if args.ampelwick is None:
        targets.append("ampelwick")
        args.ampelwick = os.path.join(build_dir, "app", "ampelwick")
    if args.minimal is None:
        targets.append("minimal_tray")
        args.minimal = os.path.join(build_dir, "bench", "minimal_tray")
    if not targets:
        return
    print("building %s in %s" % (" and ".join(targets), build_dir),
          file=sys.stderr)
    for command in (["cmake", "-S", ROOT, "-B", build_dir,
                     "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                     "-DAMPELWICK_PLATFORM=linux",
                     "-DAMPELWICK_QT=" + (args.qt or ""),
                     "-DAMPELWICK_SANITIZE=OFF", "-DBUILD_TESTING=OFF"],
                    ["cmake", "--build", build_dir, "-j2",
                     "--target", *targets]):
        run = subprocess.run(command, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, text=True)
        if run.returncode != 0:
            sys.exit(run.stdout + "\nidle_cost: the build failed")


# ------------------------------------------------------------ /proc

def read(path):
    with open(path) as f:
        return f.read()


def cpu_ticks(pid):
    """utime + stime of all the process's threads, in clock ticks."""
    fields = read("/proc/%d/stat" % pid).rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def threads(pid):
    """Each thread's name, run time (ns) and context switches."""
    result = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        base = "/proc/%d/task/%s/" % (pid, tid)
        try:
            status = dict(line.split(":", 1)
                          for line in read(base + "status").splitlines())
            result[tid] = {
                "name": read(base + "comm").strip(),
                "run_ns": int(read(base + "schedstat").split()[0]),
                "voluntary": int(status["voluntary_ctxt_switches"]),
                "involuntary": int(status["nonvoluntary_ctxt_switches"])}
        except (FileNotFoundError, ProcessLookupError):
            pass    # the thread ended in between
    return result


def memory_kb(pid):
    values = {}
    for line in read("/proc/%d/smaps_rollup" % pid).splitlines():
        key, _, value = line.partition(":")
        if key in ("Rss", "Pss"):
            values[key] = int(value.split()[0])
    return values


# ------------------------------------------------------------ X server

def window_image(window):
    g = window.get_geometry()
    return window.get_image(0, 0, g.width, g.height, X.ZPixmap,
                            0xffffffff).data


def embedded_icon(xd, pid):
    """The program's window that the tray holds, once it is shown; the
    window's _NET_WM_PID tells whose it is."""
    root = xd.screen().root
    wm_pid = xd.intern_atom("_NET_WM_PID")
    stack = [root]
    while stack:
        window = stack.pop()
        try:
            stack.extend(window.query_tree().children)
            if window == root:
                continue
            prop = window.get_full_property(wm_pid, Xatom.CARDINAL)
            if prop is None or prop.value[0] != pid:
                continue
            if window.query_tree().parent != root and \
                    window.get_attributes().map_state == X.IsViewable:
                return window
        except error.XError:
            pass    # gone in between
    return None


def drawn(window):
    """True once the window shows more than one colour."""
    data = window_image(window)
    return len({data[i:i + 4] for i in range(0, len(data), 4)}) > 1


# ------------------------------------------------------------ the programs

class Program:
    def __init__(self, name, command):
        self.name = name
        self.command = command
        self.proc = None
        self.icon = None
        self.figures = {}

    def start(self, xd, env):
        """Starts the program and measures the time until its icon is
        drawn in the tray."""
        started = time.monotonic()
        self.proc = subprocess.Popen(self.command, env=env,
                                     stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        while time.monotonic() - started < TRAY_START_S:
            if self.proc.poll() is not None:
                sys.exit("idle_cost: %s exited with %d"
                         % (self.name, self.proc.returncode))
            self.icon = embedded_icon(xd, self.proc.pid)
            if self.icon is not None and drawn(self.icon):
                self.figures["start"] = (time.monotonic() - started) * 1000
                return
            time.sleep(START_POLL_S)
        sys.exit("idle_cost: no tray icon of %s in %d s"
                 % (self.name, TRAY_START_S))

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def program_env(desk, home, testbed):
    """The user's environment without their desktop session, on the
    virtual desktop, in the temporary home, over the umockdev laptop."""
    base = {k: v for k, v in os.environ.items()
            if k not in SESSION_VARIABLES and not k.startswith(SESSION_PREFIXES)}
    env = home.env(desk.env(base))
    runtime = os.path.join(home.dir, "runtime")
    os.makedirs(runtime, 0o700, exist_ok=True)
    env.update({
        "LANG": "C", "LC_ALL": "C",
        "XDG_RUNTIME_DIR": runtime,
        # No session bus: the tray is XEmbed, as on most FreeBSD desktops.
        "DBUS_SESSION_BUS_ADDRESS":
            "unix:path=" + os.path.join(home.dir, "no-session-bus"),
        # The testbed set it with setenv(), which os.environ does not show.
        "UMOCKDEV_DIR": testbed.get_root_dir(),
    })
    return env


class Laptop:
    """BAT0 at 50 %, discharging, and a mains adapter that is off."""

    def __init__(self):
        self.testbed = UMockdev.Testbed.new()
        self.battery = self.testbed.add_device(
            "power_supply", "BAT0", None,
            ["type", "Battery", "scope", "System", "present", "1",
             "status", "Discharging", "capacity", "50",
             "energy_now", "25000000", "energy_full", "50000000",
             "energy_full_design", "60000000", "power_now", "12500000"],
            ["POWER_SUPPLY_TYPE", "Battery"])
        self.mains = self.testbed.add_device(
            "power_supply", "AC", None, ["type", "Mains", "online", "0"],
            ["POWER_SUPPLY_TYPE", "Mains"])
        self.online = False
        self.capacity = 50

    def change(self, kind):
        """Plugs or unplugs the charger, or moves the battery between 50
        and 80 % (each changes the drawn gauge); returns the device whose
        uevent tells it."""
        write = desktop.rewrite_attribute
        if kind == "charger":
            self.online = not self.online
            write(self.testbed, self.mains, "online",
                  "1" if self.online else "0")
            write(self.testbed, self.battery, "status",
                  "Charging" if self.online else "Discharging")
            return self.mains
        self.capacity = 80 if self.capacity == 50 else 50
        write(self.testbed, self.battery, "capacity", str(self.capacity))
        write(self.testbed, self.battery, "energy_now",
              str(self.capacity * 500000))
        return self.battery


# ------------------------------------------------------------ measuring

def measure_idle(programs, window):
    """Counters over the window, per minute; a thread that ends within
    the window takes its counts along (an idle program starts none)."""
    ticks = {p: cpu_ticks(p.proc.pid) for p in programs}
    before = {p: threads(p.proc.pid) for p in programs}
    time.sleep(window)
    per_minute = 60.0 / window
    for p in programs:
        after = threads(p.proc.pid)

        def delta(tid, key):
            return after[tid][key] - before[p].get(tid, {}).get(key, 0)

        def rate(key):
            return sum(delta(tid, key) for tid in after) * per_minute
        p.figures.update({
            "cpu_ticks": (cpu_ticks(p.proc.pid) - ticks[p]) * per_minute
            * 1000.0 / os.sysconf("SC_CLK_TCK"),
            "cpu_run": rate("run_ns") / 1e6,
            "voluntary": rate("voluntary"),
            "involuntary": rate("involuntary"),
            "threads": ["%s %d" % (after[tid]["name"], delta(tid, "voluntary"))
                        for tid in sorted(after, key=int)],
        })
        p.figures.update(memory_kb(p.proc.pid))


def uevent_latencies(xd, laptop, icon, count):
    """Uevent to changed icon pixels, in ms, for charger and battery
    changes in turn; None where no change came."""
    xd.damage_query_version()
    icon.damage_create(damage.DamageReportRawRectangles)
    xd.sync()
    results = {"charger": [], "battery": []}
    for i in range(count):
        kind = "charger" if i % 2 == 0 else "battery"
        time.sleep(EVENT_GAP_S)
        while xd.pending_events():
            xd.next_event()
        before = window_image(icon)
        device = laptop.change(kind)
        sent = time.monotonic()
        laptop.testbed.uevent(device, "change")
        results[kind].append(wait_for_change(xd, icon, before, sent))
    return results


def wait_for_change(xd, icon, before, sent):
    """The X server's DAMAGE extension reports each drawing into the
    icon's window; the change is the first after which its pixels differ
    from before.  Its time is when the event is read, before the pixels
    are fetched."""
    deadline = sent + EVENT_TIMEOUT_S
    while True:
        while xd.pending_events():
            event = xd.next_event()
            if event.type != xd.extension_event.DamageNotify:
                continue
            seen = time.monotonic()
            if window_image(icon) != before:
                return (seen - sent) * 1000
        left = deadline - time.monotonic()
        if left <= 0:
            return None
        select.select([xd], [], [], left)


# ------------------------------------------------------------ reporting

def qt_of(program):
    """The version of the Qt that program is linked with."""
    libs = subprocess.run(["ldd", program], capture_output=True,
                          text=True).stdout
    for major in ("6", "5"):
        if "libQt%sCore" % major in libs:
            return subprocess.run(
                ["pkg-config", "--modversion", "Qt%sCore" % major],
                capture_output=True, text=True).stdout.strip() or major
    return "unknown"


def machine(amp, minimal):
    cpu = "unknown"
    for line in read("/proc/cpuinfo").splitlines():
        if line.startswith("model name"):
            cpu = line.split(":", 1)[1].strip()
            break
    mem_kb = int(read("/proc/meminfo").split()[1])
    qt = qt_of(amp.command[0])
    if qt_of(minimal.command[0]) != qt:
        qt += ", the minimal program %s" % qt_of(minimal.command[0])
    return ["date:    %s" % datetime.datetime.now().strftime("%Y-%m-%d %H:%M"),
            "CPU:     %s, %d cores" % (cpu, os.cpu_count()),
            "memory:  %.1f GiB" % (mem_kb / 1024 / 1024),
            "kernel:  %s %s" % (platform.system(), platform.release()),
            "Qt:      %s" % qt]


def load():
    return " ".join(read("/proc/loadavg").split()[:3])


def fmt(value, digits=0):
    return "-" if value is None else "%.*f" % (digits, value)


def summary(values):
    """Median, worst and how many saw no change."""
    seen = [v for v in values if v is not None]
    if not seen:
        return None, None, len(values)
    return statistics.median(seen), max(seen), len(values) - len(seen)


def verdict(ok):
    return "met" if ok else "MISSED"


def table(amp, minimal, latencies):
    a, m = amp.figures, minimal.figures
    median, worst, missed = summary(latencies["charger"] +
                                    latencies["battery"])
    rows = [
        ("start to embedded icon (ms)", fmt(a["start"]), fmt(m["start"]), ""),
        ("RSS (kB)", fmt(a["Rss"]), fmt(m["Rss"]), ""),
        ("PSS (kB)", fmt(a["Pss"]), fmt(m["Pss"]),
         "<= +5 %%: %s (%+.1f %%)" % (verdict(a["Pss"] <= m["Pss"] * 1.05),
                                      100.0 * (a["Pss"] / m["Pss"] - 1))),
        ("CPU ms/min, utime+stime", fmt(a["cpu_ticks"]), fmt(m["cpu_ticks"]),
         "<= minimal: " + verdict(a["cpu_ticks"] <= m["cpu_ticks"])),
        ("CPU ms/min, run time", fmt(a["cpu_run"], 2), fmt(m["cpu_run"], 2),
         "<= minimal: " + verdict(a["cpu_run"] <= m["cpu_run"])),
        ("voluntary switches/min", fmt(a["voluntary"]), fmt(m["voluntary"]),
         "<= minimal: " + verdict(a["voluntary"] <= m["voluntary"])),
        ("involuntary switches/min", fmt(a["involuntary"]),
         fmt(m["involuntary"]), ""),
        ("threads when idle", str(len(a["threads"])), str(len(m["threads"])),
         "<= 3: " + verdict(len(a["threads"]) <= 3)),
        ("uevent to icon, median (ms)", fmt(median, 1), "-",
         "< 20: " + verdict(median is not None and median < 20)),
        ("uevent to icon, worst (ms)", fmt(worst, 1), "-",
         "< 50: " + verdict(worst is not None and worst < 50 and not missed)),
    ]
    row = "| %-28s | %9s | %12s | %-27s |"
    lines = [row % ("", "ampelwick", "minimal_tray", "target"),
             "|%s|%s:|%s:|%s|" % ("-" * 30, "-" * 10, "-" * 13, "-" * 29)]
    lines += [row % r for r in rows]
    lines.append("")
    for kind in ("charger", "battery"):
        k_median, k_worst, k_missed = summary(latencies[kind])
        lines.append("%s uevents: %d, median %s ms, worst %s ms%s"
                     % (kind, len(latencies[kind]), fmt(k_median, 1),
                        fmt(k_worst, 1), ", %d without a change" % k_missed
                        if k_missed else ""))
    lines.append("voluntary switches of each thread in the window:")
    for p in (amp, minimal):
        lines.append("  %s: %s" % (p.name, ", ".join(p.figures["threads"])))
    return lines


# ------------------------------------------------------------ main

def measure(args):
    laptop = Laptop()
    amp = Program("ampelwick", [args.ampelwick])
    minimal = Program("minimal_tray", [args.minimal])
    load_before = load()
    with contextlib.ExitStack() as stack:
        home = desktop.FakeHome()
        stack.callback(home.cleanup)
        home.write_config(desktop.settings_text(use_icon_theme=False,
                                                poll_interval=5))
        desk = stack.enter_context(desktop.VirtualDesktop(width=320,
                                                          height=200))
        xd = display.Display(desk.display)
        env = program_env(desk, home, laptop.testbed)
        for p in (minimal, amp):
            stack.callback(p.stop)
            p.start(xd, env)
        time.sleep(SETTLE_S)
        print("idling for %d s ..." % args.window, file=sys.stderr)
        measure_idle((amp, minimal), args.window)
        latencies = uevent_latencies(xd, laptop, amp.icon, args.events)
    print("\n".join(machine(amp, minimal)))
    print("load:    %s before, %s after (1, 5 and 15 min averages)"
          % (load_before, load()))
    print("run:     idle window %d s, poll interval 5 s, %d uevents, "
          "icon changes seen through X DAMAGE events"
          % (args.window, args.events))
    print()
    print("\n".join(table(amp, minimal, latencies)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--qt", choices=("5", "6"),
                        help="the Qt to build with (default: the newest "
                        "installed)")
    parser.add_argument("--window", type=int, default=60,
                        help="idle seconds measured (default 60)")
    parser.add_argument("--events", type=int, default=20,
                        help="uevents sent, charger and battery in turn "
                             "(default 20)")
    parser.add_argument("--ampelwick", help="the program to measure "
                        "(default: built in build-bench/)")
    parser.add_argument("--minimal", help="the minimal tray program "
                        "(default: built in build-bench/)")
    args = parser.parse_args()
    if args.window < 1 or args.events < 1:
        parser.error("the window and the number of events must be positive")
    if "umockdev" in os.environ.get("LD_PRELOAD", ""):
        if UMockdev is None:
            sys.exit("idle_cost: python3-gi, umockdev's typelib or "
                     "python3-xlib is missing (tools/deps.sh test bench)")
        measure(args)
        return
    subprocess.run(["sh", os.path.join(ROOT, "tools", "deps.sh"),
                    "build", "lib", "demo", "test", "bench"], check=True)
    build(args)
    # sysfs lives in memory: so does the test bed that stands in for it,
    # where there is a memory file system, lest a directory block read
    # from disk count as a wake-up of the program.
    if os.path.isdir(MEMORY_TMP) and os.access(MEMORY_TMP, os.W_OK):
        os.environ["TMPDIR"] = MEMORY_TMP
    os.execvp("umockdev-wrapper", [
        "umockdev-wrapper", "/usr/bin/python3", os.path.abspath(__file__),
        "--window", str(args.window), "--events", str(args.events),
        "--ampelwick", os.path.abspath(args.ampelwick),
        "--minimal", os.path.abspath(args.minimal)])


if __name__ == "__main__":
    main()
