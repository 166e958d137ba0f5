#!/usr/bin/python3
# SPDX-License-Identifier: BSD-2-Clause
"""Runs one group of end-to-end scenarios against the installed program.

    run.py --binary STAGED/bin/ampelwick-sim --artifacts DIR GROUP [NAMES...]

GROUP names the module test_GROUP.py beside this file; NAMES pick single
tests ("Class.test_name").  Exits 77 (skipped) when a tool of the virtual
desktop is missing, 1 when a scenario failed.
"""
import argparse
import importlib
import os
import shutil
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import harness  # noqa: E402

SKIP = 77
TOOLS = ("Xvfb", "trayer", "xdotool", "xprop", "xwininfo")


def missing_tools():
    missing = [t for t in TOOLS if shutil.which(t) is None]
    if not os.path.exists("/usr/bin/import") or \
            not os.path.exists("/usr/bin/convert"):
        missing.append("ImageMagick (/usr/bin/import, /usr/bin/convert)")
    try:
        harness.desktop.find_nss_wrapper()
    except RuntimeError:
        missing.append("libnss_wrapper.so")
    return missing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--probe", help="the program reporting its boxes, "
                        "tool tips and balloons on standard output")
    parser.add_argument("--clock-shift", help="a library to preload that "
                        "shifts the wall clock by the seconds in the file "
                        "CLOCKSHIFT_FILE names")
    parser.add_argument("group")
    parser.add_argument("names", nargs="*")
    args = parser.parse_args()

    missing = missing_tools()
    if missing:
        print("e2e.%s skipped, not installed: %s"
              % (args.group, ", ".join(missing)))
        return SKIP
    if not os.access(args.binary, os.X_OK):
        print("no installed program at %s (the e2e.install step stages it)"
              % args.binary)
        return 1

    harness.BINARY = args.binary
    harness.PROBE = args.probe
    harness.CLOCK_SHIFT = args.clock_shift
    harness.ARTIFACTS = os.path.abspath(args.artifacts)
    harness.GROUP = args.group
    module = importlib.import_module("test_" + args.group)
    # A group that needs more than the virtual desktop says what it lacks.
    missing = getattr(module, "missing_tools", list)()
    if missing:
        print("e2e.%s skipped, not installed: %s"
              % (args.group, ", ".join(missing)))
        return SKIP
    loader = unittest.TestLoader()
    if args.names:
        suite = loader.loadTestsFromNames(args.names, module)
    else:
        suite = loader.loadTestsFromModule(module)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    print("screenshots: %s" % os.path.join(harness.ARTIFACTS, args.group))
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
