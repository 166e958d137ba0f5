#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""Installs the build with "cmake --install --prefix DIR" and checks it.

    check_install.py --cmake CMAKE --build-dir BUILD --prefix DIR \\
        --version VERSION relocated
    check_install.py ... plist --plist PKG-PLIST --port-makefile MAKEFILE

relocated: nothing is written outside DIR, and the program installed there
answers --help in German from its own catalogue and from Qt's.
plist: the installed files are exactly those of the port's package list.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys

# The German catalogue's text for the --help option, and Qt's own German
# for "Usage:" from Qt's translations.
GERMAN_HELP = "Diese Hilfe anzeigen und beenden."
GERMAN_QT_USAGE = "Aufruf: "


def install(args):
    shutil.rmtree(args.prefix, ignore_errors=True)
    run = subprocess.run([args.cmake, "--install", args.build_dir,
                          "--prefix", args.prefix],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         universal_newlines=True)
    if run.returncode != 0:
        sys.exit(run.stdout)
    return run.stdout


def installed_files(prefix):
    files = set()
    for root, _, names in os.walk(prefix):
        for name in names:
            files.add(os.path.relpath(os.path.join(root, name), prefix))
    return files


def written_paths(output, build_dir):
    """Every path that the install says it wrote, and its manifest."""
    paths = re.findall(r"^-- (?:Installing|Up-to-date): (.*)$", output, re.M)
    with open(os.path.join(build_dir, "install_manifest.txt")) as f:
        paths += f.read().split("\n")
    return [p for p in paths if p]


def program_output(binary, *args, **env):
    """The program's answer without a display, in a given locale."""
    clean = {k: v for k, v in os.environ.items()
             if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                          "LANGUAGE") and not k.startswith("LC_")}
    clean.update(env)
    run = subprocess.run([binary] + list(args), env=clean, timeout=20,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                         universal_newlines=True)
    return run.returncode, run.stdout


def check_relocated(args, output):
    errors = []
    inside = os.path.realpath(args.prefix) + os.sep
    for path in written_paths(output, args.build_dir):
        if not os.path.realpath(path).startswith(inside):
            errors.append("written outside the prefix: " + path)
    binary = os.path.join(args.prefix, "bin", "ampelwick")
    status, out = program_output(binary, "--help", LANG="de_DE.UTF-8")
    if status != 0 or GERMAN_HELP not in out or GERMAN_QT_USAGE not in out:
        errors.append("--help in German: status %d, output:\n%s"
                      % (status, out))
    status, out = program_output(binary, "--version", LANG="C")
    if status != 0 or out != "ampelwick %s\n" % args.version:
        errors.append("--version: status %d, output %r" % (status, out))
    return errors


def expected_files(plist):
    files = set()
    with open(plist) as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("@"):
                continue
            # The ports framework compresses manual pages itself.
            if line.startswith("share/man/") and line.endswith(".gz"):
                line = line[:-3]
            files.add(line.replace("%%DATADIR%%", "share/ampelwick"))
    return files


def check_plist(args):
    errors = []
    with open(args.port_makefile) as f:
        m = re.search(r"^DISTVERSION=\s*(\S+)", f.read(), re.M)
    if not m or m.group(1) != args.version:
        errors.append("port DISTVERSION %s, project version %s"
                      % (m.group(1) if m else "missing", args.version))
    want = expected_files(args.plist)
    have = installed_files(args.prefix)
    for path in sorted(want - have):
        errors.append("listed in pkg-plist, not installed: " + path)
    for path in sorted(have - want):
        errors.append("installed, not in pkg-plist: " + path)
    for path in sorted(want & have):
        full = os.path.join(args.prefix, path)
        if os.path.getsize(full) == 0:
            errors.append("empty file: " + path)
        if path.startswith("bin/") and not os.access(full, os.X_OK):
            errors.append("not executable: " + path)
    return errors


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cmake", default="cmake")
    ap.add_argument("--build-dir", required=True)
    ap.add_argument("--prefix", required=True)
    ap.add_argument("--version", required=True)
    ap.add_argument("--plist")
    ap.add_argument("--port-makefile")
    ap.add_argument("check", choices=("relocated", "plist"))
    args = ap.parse_args()
    args.prefix = os.path.abspath(args.prefix)

    output = install(args)
    if args.check == "relocated":
        errors = check_relocated(args, output)
    else:
        errors = check_plist(args)
    if errors:
        print("\n".join(errors))
        return 1
    print("%d files installed under %s" % (len(installed_files(args.prefix)),
                                           args.prefix))
    return 0


if __name__ == "__main__":
    sys.exit(main())
