#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""Mutation check: do the tests catch small faults in the decision code?

Each mutant of tools/mutants.txt changes one line of the program.  The tool
copies the source tree into a scratch directory (build-mutate/ by default,
reused and updated between runs), builds it once, then for each mutant
writes the changed line into the copy, builds only the targets of the
tests that cover it, runs those tests and puts the line back.  A mutant
that makes a test fail is killed; one that passes them all survived, which
means a missing check unless the list shows why it is equivalent.

    nice -n 19 tools/mutate.py                 every mutant
    nice -n 19 tools/mutate.py countdown-30    those named (or a prefix*)
    tools/mutate.py --list                     names and covering tests

A developer's tool, run on demand, not in CI: the first run builds the copy,
then each mutant takes seconds (half a minute for the tray's tests), about
ten minutes in all on two cores.  The kill rate is the last line it prints.
"""

import argparse
import fnmatch
import json
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LIST = os.path.join(ROOT, "tools", "mutants.txt")
FIELDS = ("name", "file", "from", "to", "tests", "after", "equivalent")


class Mutant:
    def __init__(self, fields, where):
        self.where = where
        missing = [f for f in FIELDS[:5] if f not in fields]
        if missing:
            sys.exit("%s: mutant without %s" % (where, ", ".join(missing)))
        self.name = fields["name"]
        self.file = fields["file"]
        self.old = unescape(fields["from"])
        self.new = unescape(fields["to"])
        self.tests = fields["tests"]
        self.after = unescape(fields["after"]) if "after" in fields else None
        self.equivalent = fields.get("equivalent")


def unescape(text):
    return text.replace("\\t", "\t").replace("\\\\", "\\")


def mutate(text, m):
    """text with the mutant's line changed: the first "from" after "after"."""
    start = text.index(m.after) + len(m.after) if m.after else 0
    at = text.index(m.old, start)
    return text[:at] + m.new + text[at + len(m.old):]


def read_list(path):
    """Blocks of "key: value" lines, separated by blank lines; # comments."""
    mutants, fields, where = [], {}, None
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, line in enumerate(lines + [""], 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            if fields:
                mutants.append(Mutant(fields, where))
            fields = {}
            continue
        key, sep, value = line.partition(":")
        if not sep or key not in FIELDS:
            sys.exit("%s:%d: expected one of %s" % (path, number,
                                                    ", ".join(FIELDS)))
        if not fields:
            where = "%s:%d" % (os.path.basename(path), number)
        fields[key] = value[1:] if value.startswith(" ") else value
    names = [m.name for m in mutants]
    dups = {n for n in names if names.count(n) > 1}
    if dups:
        sys.exit("%s: names used twice: %s" % (path, ", ".join(sorted(dups))))
    return mutants


def run(cmd, cwd, log, timeout=None):
    """Runs cmd with its output appended to log; True when it exits 0."""
    with open(log, "a", encoding="utf-8") as out:
        out.write("$ %s\n" % " ".join(cmd))
        out.flush()
        try:
            return subprocess.run(cmd, cwd=cwd, stdout=out,
                                  stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode == 0
        except subprocess.TimeoutExpired:
            out.write("timed out after %s s\n" % timeout)
            return False


def sync_tree(src):
    """Copies the tracked and new files into src where they differ."""
    files = subprocess.run(
        ["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        cwd=ROOT, check=True, capture_output=True).stdout.decode().split("\0")
    for rel in filter(None, files):
        origin = os.path.join(ROOT, rel)
        copy = os.path.join(src, rel)
        if not os.path.isfile(origin) or os.path.islink(origin):
            continue
        with open(origin, "rb") as f:
            data = f.read()
        try:
            with open(copy, "rb") as f:
                if f.read() == data:
                    continue
        except FileNotFoundError:
            os.makedirs(os.path.dirname(copy), exist_ok=True)
        with open(copy, "wb") as f:
            f.write(data)
        shutil.copymode(origin, copy)


def check_snippets(mutants, src):
    """The reasons a mutant no longer fits the code, by name."""
    stale = {}
    for m in mutants:
        path = os.path.join(src, m.file)
        if not os.path.isfile(path):
            stale[m.name] = "no file %s" % m.file
            continue
        with open(path, encoding="utf-8") as f:
            text = f.read()
        if m.after and text.count(m.after) != 1:
            stale[m.name] = "%s holds the text of after: %d times" % (
                m.file, text.count(m.after))
        elif m.after and m.old not in text[text.index(m.after):]:
            stale[m.name] = "%s holds the text nowhere after it" % m.file
        elif not m.after and text.count(m.old) != 1:
            stale[m.name] = "%s holds the text %d times" % (
                m.file, text.count(m.old))
        elif "\n" in m.old or "\n" in m.new or m.old == m.new:
            stale[m.name] = "not a change of one line"
    return stale


def build_targets(build):
    """The targets the build knows (the Makefile and Ninja generators)."""
    out = subprocess.run(["cmake", "--build", build, "--target", "help"],
                         capture_output=True, text=True).stdout
    targets = set()
    for line in out.splitlines():
        line = line.strip()
        if line.startswith("... "):
            targets.add(line[4:].split()[0])
        elif line.endswith(": phony"):
            targets.add(line[:-len(": phony")])
    return targets


def covering_tests(build, regex):
    out = subprocess.run(
        ["ctest", "--test-dir", build, "-N", "-R", regex,
         "--show-only=json-v1"], capture_output=True, text=True)
    if out.returncode != 0:
        return []
    return json.loads(out.stdout).get("tests", [])


def targets_of(tests, build, known):
    """The targets whose programs the tests run; None: build everything."""
    targets = set()
    for test in tests:
        found = False
        for arg in test.get("command", []):
            name = os.path.basename(arg)
            if arg.startswith(build) and name in known:
                targets.add(name)
                found = True
        if not found:
            return None
    return sorted(targets)


def ctest(build, regex, jobs, timeout, log):
    return run(["ctest", "--test-dir", build, "-R", regex, "-j", str(jobs),
                "--timeout", str(timeout), "--output-on-failure"],
               build, log)


def build(build_dir, targets, jobs, log):
    cmd = ["cmake", "--build", build_dir, "-j", str(jobs)]
    if targets:
        cmd += ["--target"] + targets
    return run(cmd, build_dir, log)


def configure(src, build_dir, log):
    args = ["cmake", "-S", src, "-B", build_dir, "-DAMPELWICK_QT=6",
            "-DBUILD_TESTING=ON", "-DCMAKE_BUILD_TYPE=RelWithDebInfo"]
    if shutil.which("ccache"):
        args += ["-DCMAKE_C_COMPILER_LAUNCHER=ccache",
                 "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
    return run(args, src, log)


def main():
    parser = argparse.ArgumentParser(
        description="Runs the mutants of tools/mutants.txt against the "
        "tests that cover them.")
    parser.add_argument("names", nargs="*",
                        help="mutants to run, by name or shell pattern")
    parser.add_argument("--list", action="store_true",
                        help="print the mutants and their tests, run none")
    parser.add_argument("-j", "--jobs", type=int, default=1,
                        help="build and test jobs (default 1)")
    parser.add_argument("--scratch", default=os.path.join(ROOT, "build-mutate"),
                        help="the copy, with its build in build/ (default "
                        "build-mutate/)")
    parser.add_argument("--timeout", type=int, default=300,
                        help="seconds for one test before it counts as failed")
    parser.add_argument("--mutants", default=LIST, help="the list to read")
    opts = parser.parse_args()

    mutants = read_list(opts.mutants)
    if opts.names:
        chosen = [m for m in mutants
                  if any(fnmatch.fnmatchcase(m.name, p) for p in opts.names)]
        if not chosen:
            sys.exit("no mutant is named %s" % " ".join(opts.names))
        mutants = chosen
    if opts.list:
        stale = check_snippets(mutants, ROOT)
        for m in mutants:
            mark = "  (equivalent)" if m.equivalent else ""
            if m.name in stale:
                mark += "  STALE: " + stale[m.name]
            print("%-28s %-28s %s%s" % (m.name, m.file, m.tests, mark))
        print("%d mutants" % len(mutants))
        return 0

    src = os.path.abspath(opts.scratch)
    build_dir = os.path.join(src, "build")
    log = os.path.join(src, "mutate.log")
    os.makedirs(src, exist_ok=True)
    # The copy's build lies where the tree's own does, so that ccache finds
    # the objects of the tree's build for every file no mutant changed.
    os.environ.setdefault("CCACHE_BASEDIR", os.path.dirname(ROOT))
    os.environ.setdefault("CCACHE_NOHASHDIR", "1")
    open(log, "w").close()
    print("scratch copy in %s, output of every step in %s" % (src, log))
    sync_tree(src)
    stale = check_snippets(mutants, src)

    # The unchanged program must build and pass every covering test, else a
    # failure would say nothing about a mutant.
    started = time.time()
    if not configure(src, build_dir, log) or \
            not build(build_dir, None, opts.jobs, log):
        sys.exit("the unchanged copy does not build; see %s" % log)
    live = [m for m in mutants if m.name not in stale]
    everything = "|".join("(%s)" % m.tests for m in live)
    if live and not ctest(build_dir, everything, opts.jobs, opts.timeout, log):
        sys.exit("the unchanged copy fails covering tests; see %s" % log)
    print("unchanged copy built and tested in %d s" % (time.time() - started))

    known = build_targets(build_dir)
    counts = {"killed": 0, "survived": 0, "build failed": 0, "stale": 0,
              "no tests": 0}
    survivors = []
    for m in mutants:
        started = time.time()
        path = os.path.join(src, m.file)
        if m.name in stale:
            outcome, why = "stale", stale[m.name]
        else:
            tests = covering_tests(build_dir, m.tests)
            with open(path, encoding="utf-8") as f:
                original = f.read()
            with open(log, "a", encoding="utf-8") as out:
                out.write("\n=== %s: %s\n" % (m.name, m.file))
            try:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(mutate(original, m))
                why = ""
                if not tests:
                    outcome, why = "no tests", "no test matches " + m.tests
                elif not build(build_dir, targets_of(tests, build_dir, known),
                               opts.jobs, log):
                    outcome = "build failed"
                elif ctest(build_dir, m.tests, opts.jobs, opts.timeout, log):
                    outcome = "survived"
                    why = "equivalent: " + m.equivalent if m.equivalent else \
                        "no test failed"
                    survivors.append(m)
                else:
                    outcome = "killed"
                    if m.equivalent:
                        why = "listed as equivalent, yet a test failed"
            finally:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original)
        counts[outcome] += 1
        print("%-13s %-28s %4d s  %s" % (outcome, m.name,
                                         time.time() - started, why),
              flush=True)

    ran = counts["killed"] + counts["survived"]
    explained = sum(1 for m in survivors if m.equivalent)
    print("; ".join("%d %s" % (n, k) for k, n in counts.items() if n))
    if ran == 0:
        print("kill rate: no mutant ran")
        return 1
    print("kill rate: %.1f %% (%d of %d killed; %d survived, %d of them "
          "equivalent)" % (100.0 * counts["killed"] / ran, counts["killed"],
                           ran, counts["survived"], explained))
    unexplained = counts["survived"] - explained
    return 1 if unexplained or counts["stale"] or counts["no tests"] else 0


if __name__ == "__main__":
    sys.exit(main())
