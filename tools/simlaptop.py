#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""Drive ampelwick's simulated laptop from outside the program.

The machine is the directory <home>/.ampelwick-sim: the file "acpi" holds
the readings as key=value lines (re-read by every operation of the
program), the local stream socket "devd.pipe" is its devd.  The home is the
user's home from the password database, as the program finds it (run under
nss_wrapper to point both at a temporary home), or --home.

Command line:
  simlaptop.py [--home DIR] write key=value ...   replace all readings
  simlaptop.py [--home DIR] set key=value ...     change some, keep the rest
  simlaptop.py [--home DIR] show                  print the readings
  simlaptop.py [--home DIR] devd                  serve devd; commands on stdin:
      notify          a battery notification line to every client
      line TEXT       TEXT and a newline to every client
      raw TEXT        TEXT as it stands (\\n, \\t and \\\\ decoded)
      drop            close the clients (devd restarted)
      stop            close everything, remove the socket (devd gone)
      start           listen again (devd back)
      clients         print the number of connected clients
      quit
    It prints "ready" once listening and "ok" (or "clients N") after each
    command, so a script can wait for both.

As a module: write(), update(), read() and the Devd class below.

Keys: units acline units_errno battinfo_errno acad_errno bif_errno
open_errno devd_pause_ms, and for battery unit 0 cap min state rate lfcap
wcap lcap dcap, the details dvol (design mV) volt (present mV) cycles mah
(1: capacities in mAh) and the texts model serial type oem; unit N has the
same with the prefix "N." (1.cap, 1.state, ...).  devd_pause_ms is the
pause between two attempts to reach devd.
"""
import os
import pwd
import socket
import sys
import tempfile
import threading

NOTIFY = "!system=ACPI subsystem=CMBAT type=BAT0 notify=0x80\n"


def machine_dir(home=None):
    if home is None:
        home = pwd.getpwuid(os.getuid()).pw_dir
    return os.path.join(home, ".ampelwick-sim")


def read(home=None):
    """The readings as a dict of strings; empty when there are none."""
    out = {}
    try:
        with open(os.path.join(machine_dir(home), "acpi")) as f:
            for line in f:
                key, sep, value = line.rstrip("\n").partition("=")
                if sep:
                    out[key] = value
    except FileNotFoundError:
        pass
    return out


def write(home=None, **readings):
    """Replaces the readings in one rename (readers never see half a file)."""
    d = machine_dir(home)
    os.makedirs(d, mode=0o700, exist_ok=True)
    fd, tmp = tempfile.mkstemp(dir=d, prefix=".acpi.")
    try:
        with os.fdopen(fd, "w") as f:
            for key, value in readings.items():
                f.write("%s=%s\n" % (key, value))
        os.rename(tmp, os.path.join(d, "acpi"))
    except BaseException:
        os.unlink(tmp)
        raise


def update(home=None, **readings):
    merged = read(home)
    merged.update({k: str(v) for k, v in readings.items()})
    write(home, **merged)


class Devd:
    """devd of the simulated laptop; accepts clients in a background thread."""

    def __init__(self, home=None):
        self.path = os.path.join(machine_dir(home), "devd.pipe")
        self.listener = None
        self.clients = []
        self.lock = threading.Lock()
        self.changed = threading.Condition(self.lock)

    def start(self):
        if self.listener:
            return
        os.makedirs(os.path.dirname(self.path), mode=0o700, exist_ok=True)
        if os.path.exists(self.path):
            os.unlink(self.path)
        s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        s.bind(self.path)
        s.listen(16)
        self.listener = s
        threading.Thread(target=self._accept, args=(s,), daemon=True).start()

    def _accept(self, s):
        while True:
            try:
                c, _ = s.accept()
            except OSError:
                return          # stopped
            with self.lock:
                self.clients.append(c)
                self.changed.notify_all()

    def wait_client(self, timeout=10.0):
        with self.lock:
            return self.changed.wait_for(lambda: self.clients, timeout)

    def send(self, data):
        if isinstance(data, str):
            data = data.encode()
        with self.lock:
            for c in list(self.clients):
                try:
                    c.sendall(data)
                except OSError:
                    self.clients.remove(c)
                    c.close()

    def line(self, text):
        self.send(text + "\n")

    def notify(self):
        self.send(NOTIFY)

    def drop(self):
        with self.lock:
            for c in self.clients:
                c.close()
            self.clients = []

    def stop(self):
        # The listener goes first: a client dropped while it still listens
        # would reconnect at once and never find devd gone.
        if self.listener:
            self.listener.shutdown(socket.SHUT_RDWR)
            self.listener.close()
            self.listener = None
            os.unlink(self.path)
        self.drop()


def _decode(text):
    return text.encode().decode("unicode_escape")


def serve(home):
    devd = Devd(home)
    devd.start()
    print("ready", flush=True)
    for cmd in sys.stdin:
        word, _, arg = cmd.rstrip("\n").partition(" ")
        if word == "quit":
            break
        elif word == "notify":
            devd.notify()
        elif word == "line":
            devd.line(arg)
        elif word == "raw":
            devd.send(_decode(arg))
        elif word == "drop":
            devd.drop()
        elif word == "stop":
            devd.stop()
        elif word == "start":
            devd.start()
        elif word == "clients":
            with devd.lock:
                print("clients %d" % len(devd.clients), flush=True)
            continue
        else:
            print("unknown command: " + word, file=sys.stderr, flush=True)
        print("ok", flush=True)
    devd.stop()


def main(argv):
    home = None
    if len(argv) > 2 and argv[1] == "--home":
        home = argv[2]
        argv = argv[:1] + argv[3:]
    if len(argv) < 2:
        sys.exit(__doc__)
    cmd, pairs = argv[1], argv[2:]
    readings = dict(p.split("=", 1) for p in pairs if "=" in p)
    if cmd == "write":
        write(home, **readings)
    elif cmd == "set":
        update(home, **readings)
    elif cmd == "show":
        for key, value in read(home).items():
            print("%s=%s" % (key, value))
    elif cmd == "devd":
        serve(home)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
