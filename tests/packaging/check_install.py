#!/usr/bin/env python3
"""Installs the build into a staging directory and compares the installed
files with the FreeBSD port's package list, whose paths are relative to the
prefix; --dir maps their leading directories to this build's directories."""
import argparse
import os
import re
import shutil
import subprocess
import sys


def expected_files(plist, dirs):
    files = set()
    with open(plist) as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("@"):
                continue
            # The ports framework compresses manual pages itself.
            if line.startswith("share/man/") and line.endswith(".gz"):
                line = line[:-3]
            for prefix, target in dirs:
                if line.startswith(prefix):
                    rest = line[len(prefix):].lstrip("/")
                    files.add(os.path.join(target, rest))
                    break
            else:
                sys.exit("no --dir for %s" % line)
    return files


def installed_files(stage):
    files = set()
    for root, _, names in os.walk(stage):
        for name in names:
            files.add("/" + os.path.relpath(os.path.join(root, name), stage))
    return files


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cmake", default="cmake")
    ap.add_argument("--build-dir", required=True)
    ap.add_argument("--stage", required=True)
    ap.add_argument("--plist", required=True)
    ap.add_argument("--port-makefile", required=True)
    ap.add_argument("--version", required=True)
    ap.add_argument("--dir", action="append", default=[])
    args = ap.parse_args()
    # Longest prefix first: share/man/ before share/.
    dirs = sorted((d.split("=", 1) for d in args.dir),
                  key=lambda d: -len(d[0]))

    errors = []
    with open(args.port_makefile) as f:
        m = re.search(r"^DISTVERSION=\s*(\S+)", f.read(), re.M)
    if not m or m.group(1) != args.version:
        errors.append("port DISTVERSION %s, project version %s"
                      % (m.group(1) if m else "missing", args.version))

    shutil.rmtree(args.stage, ignore_errors=True)
    env = dict(os.environ, DESTDIR=args.stage)
    run = subprocess.run([args.cmake, "--install", args.build_dir], env=env,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         universal_newlines=True)
    if run.returncode != 0:
        print(run.stdout)
        return 1

    want = expected_files(args.plist, dirs)
    have = installed_files(args.stage)
    for path in sorted(want - have):
        errors.append("listed in pkg-plist, not installed: " + path)
    for path in sorted(have - want):
        errors.append("installed, not in pkg-plist: " + path)
    for path in sorted(want & have):
        full = args.stage + path
        if os.path.getsize(full) == 0:
            errors.append("empty file: " + path)
        if "/bin/" in path and not os.access(full, os.X_OK):
            errors.append("not executable: " + path)
    if errors:
        print("\n".join(errors))
        return 1
    print("%d files installed as listed" % len(have))
    return 0


if __name__ == "__main__":
    sys.exit(main())
