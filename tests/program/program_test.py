# SPDX-License-Identifier: BSD-2-Clause
"""The program's start-up, exits and error boxes, run as a process.

ampelwick-probe is the program on the simulated laptop with one addition: it
prints every message box it shows ("BOX<TAB>title<TAB>icon<TAB>text") and
closes it.  Each test runs it in a temporary home (nss_wrapper) with its own
simulated battery and devd, on Qt's offscreen platform.

    program_test.py PROBE [unittest arguments]
"""
import fcntl
import os
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import desktop  # noqa: E402
import simlaptop  # noqa: E402

PROBE = None

# A bound for things that must happen, never a measure of how fast.
PATIENCE = 30

BATTERY = dict(units=1, cap=50, min=120, state=1, rate=1000, acline=0,
               lfcap=50000, wcap=5000, lcap=2500, dcap=60000,
               devd_pause_ms=0)


class Run:
    """One run of the probe with its boxes and standard error collected;
    its standard output is read as it comes."""

    def __init__(self, home, extra_env=None, args=()):
        env = home.env()
        env["QT_QPA_PLATFORM"] = "offscreen"
        env["XDG_RUNTIME_DIR"] = home.dir
        env.update(extra_env or {})
        self.err = tempfile.TemporaryFile(mode="w+")
        self.proc = subprocess.Popen([PROBE] + list(args), env=env,
                                     stdout=subprocess.PIPE,
                                     stderr=self.err, text=True)
        self.lines = []
        self.changed = threading.Condition()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.proc.stdout:
            with self.changed:
                self.lines.append(line.rstrip("\n"))
                self.changed.notify_all()

    def ready(self, timeout=PATIENCE):
        """Waits until the program's event loop runs."""
        with self.changed:
            return self.changed.wait_for(lambda: "READY" in self.lines,
                                         timeout)

    def finish(self, timeout=PATIENCE * 2):
        self.proc.wait(timeout=timeout)
        self.reader.join()
        self.status = self.proc.returncode
        self.boxes = [line.split("\t")[1:] for line in self.lines
                      if line.startswith("BOX\t")]
        self.err.seek(0)
        self.stderr = self.err.read()
        self.err.close()
        return self

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


class ProgramCase(unittest.TestCase):

    def setUp(self):
        self.home = desktop.FakeHome()
        self.addCleanup(self.home.cleanup)
        simlaptop.write(self.home.home, **BATTERY)
        self.devd = simlaptop.Devd(self.home.home)
        self.devd.start()
        self.addCleanup(self.devd.stop)
        self.runs = []

    def tearDown(self):
        for r in self.runs:
            r.kill()

    def start(self, *args, **env):
        with self.devd.lock:
            self.clients_before = len(self.devd.clients)
        r = Run(self.home, env, args)
        self.runs.append(r)
        return r

    def running(self, r):
        """Waits until the program has connected to devd and runs."""
        with self.devd.lock:
            ok = self.devd.changed.wait_for(
                lambda: len(self.devd.clients) > self.clients_before,
                PATIENCE)
        self.assertTrue(ok, "never reached devd")
        self.assertTrue(r.ready(), "never came to its event loop")
        return r

    def set_battery(self, **readings):
        simlaptop.update(self.home.home, **readings)

    def expect_box(self, r, title, icon, text, status=1, startswith=False):
        r.finish()
        self.assertEqual(r.status, status, r.stderr)
        self.assertEqual(len(r.boxes), 1, r.boxes)
        self.assertEqual(r.boxes[0][:2], [title, icon])
        if startswith:
            self.assertTrue(r.boxes[0][2].startswith(text), r.boxes[0][2])
        else:
            self.assertEqual(r.boxes[0][2], text)

    def config_files(self):
        d = os.path.dirname(self.home.config_path)
        return sorted(os.listdir(d)) if os.path.isdir(d) else []


class ProgramTest(ProgramCase):

    # Start-up

    def test_defaults_without_file_and_nothing_written_at_start(self):
        r = self.running(self.start())
        time.sleep(0.3)
        self.assertIsNone(r.proc.poll())
        self.assertFalse(os.path.exists(self.home.config_path))
        lock = os.path.join(self.home.home, ".ampelwick.lock")
        self.assertEqual(stat.S_IMODE(os.stat(lock).st_mode), 0o600)

    def test_second_instance_ends_at_once_silently(self):
        first = self.running(self.start())
        second = self.start().finish()
        self.assertEqual(second.status, 0)
        self.assertEqual(second.boxes, [])
        self.assertEqual(second.stderr.strip(), "")
        self.assertIsNone(first.proc.poll())

    def test_missing_translation_is_silent(self):
        r = self.running(self.start(LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8"))
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual(r.status, 0)
        self.assertEqual(r.boxes, [])

    def test_broken_settings_file(self):
        broken = "autoshutdown = true\nAutoshutdown = false\n"
        self.home.write_config(broken)
        r = self.start()
        self.expect_box(r, "Error", "critical",
                        "Syntax error: Unknown variable, in file %s, line 2\\n"
                        % self.home.config_path)
        self.assertEqual(self.home.read_config(), broken)

    def test_read_only_settings_file(self):
        # Read and used; the save at the end fails, said once.
        self.home.write_config(desktop.settings_text())
        os.chmod(self.home.config_path, 0o400)
        if os.getuid() == 0:
            self.skipTest("root opens any file")
        r = self.running(self.start())
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual((r.status, r.boxes), (0, []))
        failed = [line for line in r.stderr.splitlines()
                  if "Permission denied" in line]
        self.assertEqual(len(failed), 1, r.stderr)
        self.assertIn(self.home.config_path, failed[0])

    def test_number_that_cannot_be_said_once_and_kept(self):
        self.home.write_config(desktop.settings_text().replace(
            "poll_interval = 5", "poll_interval = 1e9"))
        r = self.running(self.start())
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual((r.status, r.boxes), (0, []))
        self.assertEqual(r.stderr.count("poll_interval = 1e9 is not a number"
                                        " in its range"), 1, r.stderr)
        self.assertIn('poll_interval = "1e9"\n', self.home.read_config())

    def test_settings_not_a_regular_file(self):
        os.makedirs(os.path.dirname(self.home.config_path), 0o700)
        os.mkfifo(self.home.config_path, 0o600)
        self.expect_box(self.start(), "Error", "critical",
                        "%s: Not a regular file\\n" % self.home.config_path)

    def test_settings_others_can_change(self):
        self.home.write_config(desktop.settings_text())
        store = os.path.dirname(self.home.config_path)
        os.chmod(store, 0o770)
        # The group holds the user alone, as a user private group does.
        r = self.running(self.start())
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual((r.status, r.boxes), (0, []), r.stderr)
        # Another member of the group could plant a command.
        with open(self.home.group, "w") as f:
            f.write("testers:x:%d:other\n" % os.getgid())
        self.expect_box(self.start(), "Error", "critical",
                        "%s is writable by group testers, which is not yours "
                        "alone (fix: chmod g-w %s): Unsafe ownership or "
                        "permissions\\n" % (store, store))

    def test_lock_not_a_regular_file(self):
        lock = os.path.join(self.home.home, ".ampelwick.lock")
        os.mkfifo(lock, 0o600)
        self.expect_box(self.start(), "Error", "critical",
                        "open(%s):\\nNot a regular file\\n" % lock)
        # A symlink is not followed: its target is neither made nor locked.
        os.unlink(lock)
        target = os.path.join(self.home.home, "someone-elses")
        os.symlink(target, lock)
        self.expect_box(self.start(), "Error", "critical",
                        "open(%s):\\nNot a regular file\\n" % lock)
        self.assertFalse(os.path.exists(target))

    def test_no_battery_slot(self):
        simlaptop.update(self.home.home, units=0)
        r = self.start().finish()
        self.assertEqual(r.status, 1)
        self.assertEqual(r.boxes, [])
        self.assertTrue(any(line.endswith(": No battery slot installed.")
                            for line in r.stderr.splitlines()), r.stderr)

    def test_battery_source_failures_at_start(self):
        simlaptop.update(self.home.home, open_errno=13)
        self.expect_box(self.start(), "Error", "critical",
                        "ampelwick_init(): open(/dev/acpi):Permission "
                        "denied")
        simlaptop.update(self.home.home, open_errno=0, battinfo_errno=5)
        self.expect_box(self.start(), "Error", "critical",
                        "ampelwick_init(): ampelwick_poll():poll_acpi():"
                        "ioctl(ACPIIO_BATT_GET_BATTINFO):Input/output "
                        "error")
        # The battery's levels are read at the start too.
        simlaptop.update(self.home.home, battinfo_errno=0, bif_errno=5)
        self.expect_box(self.start(), "Error", "critical",
                        "ampelwick_get_batt_info(): ioctl(ACPIIO_BATT_GET_BIF"
                        "):Input/output error")

    def test_devd_absent_at_start(self):
        self.devd.stop()
        self.expect_box(self.start(), "Error", "critical",
                        "ampelwick_init(): devd_connect():No such file or "
                        "directory")

    # Later failures of the battery source

    def test_poll_failure(self):
        self.home.write_config(desktop.settings_text(poll_interval=1))
        r = self.running(self.start())
        self.set_battery(battinfo_errno=5)
        self.expect_box(r, "Error", "critical",
                        "ampelwick_poll(): poll_acpi():ioctl("
                        "ACPIIO_BATT_GET_BATTINFO):Input/output error")

    def test_reload_failures_after_devd_event(self):
        r = self.running(self.start())
        self.set_battery(acad_errno=5)
        self.devd.notify()
        self.expect_box(r, "Error", "critical",
                        "poll_acpi():ioctl(ACPIIO_ACAD_GET_STATUS):"
                        "Input/output error")

        self.set_battery(acad_errno=0)
        r = self.running(self.start())
        self.set_battery(bif_errno=5)
        self.devd.notify()
        self.expect_box(r, "Error", "critical",
                        "ampelwick_get_batt_info(): ioctl(ACPIIO_BATT_GET_BIF"
                        "):Input/output error")

    def test_machine_without_an_ac_adapter_device(self):
        # The AC request refused because there is no such device: run on.
        for errno_ in (1, 6, 25):       # EPERM, ENXIO, ENOTTY
            with self.subTest(errno=errno_):
                self.set_battery(acad_errno=errno_)
                r = self.running(self.start())
                self.devd.notify()
                time.sleep(0.5)
                r.proc.send_signal(signal.SIGTERM)
                r.finish()
                self.assertEqual((r.status, r.boxes), (0, []), r.stderr)
        # Any other failure is an error, as before.
        self.set_battery(acad_errno=5)  # EIO
        self.expect_box(self.start(), "Error", "critical",
                        "ampelwick_init(): ampelwick_poll():poll_acpi():"
                        "ioctl(ACPIIO_ACAD_GET_STATUS):Input/output "
                        "error")

    def test_devd_that_closes_at_once(self):
        # devd accepts and closes each connection: at most one
        # reconnection a second, each found once.
        self.set_battery(devd_pause_ms=1000)
        r = self.running(self.start())
        self.devd.drop()
        for _ in range(30):
            time.sleep(0.1)
            self.devd.drop()
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual(r.status, 0)
        lost = r.stderr.count("Lost connection to devd. Reconnecting ...")
        self.assertTrue(2 <= lost <= 5, r.stderr)

    def test_endless_devd_line(self):
        # 64 MiB without a newline: dropped once past 1 MiB, and the
        # program still answers a signal.
        r = self.running(self.start())
        self.devd.send(b"!" + b"x" * (64 << 20))
        self.devd.notify()
        r.proc.send_signal(signal.SIGTERM)
        r.finish(timeout=60)
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(r.stderr.count("Dropped a devd line"), 1, r.stderr)

    def test_devd_gone_for_good(self):
        r = self.running(self.start())
        self.devd.stop()
        self.expect_box(r, "Error", "critical",
                        "Connecting to devd failed. Giving up.")
        self.assertIn(": Lost connection to devd. Reconnecting ...",
                      r.stderr)

    # Signals

    def test_termination_signals_save_and_exit_0(self):
        for signo in (signal.SIGINT, signal.SIGTERM, signal.SIGQUIT,
                      signal.SIGHUP):
            with self.subTest(signal=signo):
                if os.path.exists(self.home.config_path):
                    os.unlink(self.home.config_path)
                r = self.running(self.start())
                r.proc.send_signal(signo)
                r.finish()
                self.assertEqual(r.status, 0, r.stderr)
                self.assertEqual(self.home.read_config(),
                                 desktop.settings_text())
                self.assertEqual(self.config_files(), ["config"])

    def test_failed_save_on_a_signal_reported_on_standard_error(self):
        r = self.running(self.start())
        # Even root cannot put the file where a directory stands.
        os.makedirs(self.home.config_path)
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(r.boxes, [])
        self.assertIn(": Fatal: %s: Fatal error: Is a directory\n"
                      % self.home.config_path, r.stderr)

    def test_signal_before_settings_are_loaded_writes_nothing(self):
        # A FIFO as the password database holds the program in its first
        # look-up of the user, before the lock and the settings.
        fifo = os.path.join(self.home.dir, "passwd-fifo")
        os.mkfifo(fifo, 0o600)
        r = self.start(NSS_WRAPPER_PASSWD=fifo)
        time.sleep(1.0)
        self.assertIsNone(r.proc.poll())
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual(r.status, 0)
        self.assertEqual(self.config_files(), [])


class CommandLineTest(ProgramCase):

    def answer(self, *args):
        """Output and status of a run without a display."""
        env = self.home.env()
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            env.pop(name, None)
        env["LC_ALL"] = "C"
        run = subprocess.run([PROBE] + list(args), env=env, text=True,
                             capture_output=True, timeout=20)
        return run.stdout, run.returncode

    def test_help_and_version_answer_without_a_display(self):
        for args in (["--help"], ["-h"], ["-help"], ["--bogus", "--help"]):
            out, status = self.answer(*args)
            self.assertEqual(status, 0, args)
            self.assertTrue(out.startswith("Usage: "), out)
            self.assertIn("-h, --help", out)
            self.assertIn("-v, --version", out)
        for args in (["--version"], ["-v"], ["-platform", "xcb", "-v"]):
            out, status = self.answer(*args)
            self.assertEqual(status, 0, args)
            self.assertRegex(out, r"^ampelwick \d+\.\d+\.\d+\n$")
        self.assertFalse(os.path.exists(
            os.path.join(self.home.home, ".ampelwick.lock")))

    def test_other_arguments_are_ignored(self):
        # -reverse is Qt's; read as letters it would hold a v.
        r = self.running(self.start("-reverse", "--bogus", "file"))
        self.assertIsNone(r.proc.poll())
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual(r.status, 0, r.stderr)
        self.assertEqual(r.boxes, [])


class ShutdownTest(ProgramCase):
    """Apart from the rest: the countdown takes its full 30 seconds."""

    @staticmethod
    def recorded(path):
        """A line that a command wrote, once it is whole."""
        try:
            with open(path) as f:
                text = f.read()
        except FileNotFoundError:
            return ""
        return text if text.endswith("\n") else ""

    def test_shutdown_replaces_the_process(self):
        record = os.path.join(self.home.home, "shutdown-ran")
        command = ('test -s "%s" && echo $$ saved >"%s"'
                   % (self.home.config_path, record))
        self.home.write_config(desktop.settings_text(
            autoshutdown=True, suspend=False, shutdown_cap=5,
            shutdown_cmd=command, poll_interval=1))
        r = self.running(self.start())
        # At 4 % the countdown starts and its 30 seconds run; the loop
        # only waits for the end.
        minutes = 12
        while r.proc.poll() is None and minutes > -60:
            self.set_battery(cap=4, min=minutes)
            minutes -= 1
            time.sleep(1)
        r.finish()
        self.assertEqual(r.status, 0, r.stderr)
        with open(record) as f:
            self.assertEqual(f.read().split(), [str(r.proc.pid), "saved"])

    def test_suspend_command_leaves_nothing_holding_the_lock(self):
        record = os.path.join(self.home.home, "sleeper")
        command = ('sleep 120 </dev/null >/dev/null 2>&1 & echo $! >"%s"'
                   % record)
        self.home.write_config(desktop.settings_text(
            autoshutdown=True, suspend=True, shutdown_cap=5,
            suspend_cmd=command, poll_interval=1))
        r = self.running(self.start())
        time.sleep(1.5)
        self.set_battery(cap=4)
        deadline = time.monotonic() + 60
        while not self.recorded(record) and time.monotonic() < deadline:
            time.sleep(0.2)
        sleeper = int(self.recorded(record))
        self.addCleanup(lambda: subprocess.run(["kill", str(sleeper)]))
        r.proc.send_signal(signal.SIGTERM)
        r.finish()
        self.assertEqual(r.status, 0, r.stderr)
        fds = os.path.join("/proc", str(sleeper), "fd")
        held = [os.readlink(os.path.join(fds, fd)) for fd in os.listdir(fds)]
        lock = os.path.join(self.home.home, ".ampelwick.lock")
        self.assertEqual([h for h in held if h == lock or
                          h.startswith("pipe:")], [])
        with open(lock, "w") as f:
            fcntl.flock(f, fcntl.LOCK_EX | fcntl.LOCK_NB)


if __name__ == "__main__":
    PROBE = sys.argv.pop(1)
    unittest.main()
