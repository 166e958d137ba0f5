#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""The package list (packaging/packages.txt) against those who name it.

- The FreeBSD port: every FreeBSD package of the build, lib and run
  purposes is a USES or USE_QT entry of the port (qtN-NAME of build is
  NAME:build, of lib NAME, of run NAME:run, with USES qt:N) or the origin
  of a dependency of its purpose (category/NAME in BUILD_DEPENDS,
  LIB_DEPENDS or RUN_DEPENDS), and the port names no other.
- The README: each install command after a "<!-- packages: SYSTEM
  PURPOSE... -->" mark installs exactly those packages; both systems have
  one.
- tools/deps.sh --list prints this system's packages of the file.

    check_packages.py SOURCE_ROOT
"""
import os
import platform
import re
import subprocess
import sys

# Ports framework features that stand for a package.
USES_PACKAGES = {"cmake": "cmake", "pkgconfig": "pkgconf", "gl": "libglvnd"}
QT_SUFFIX = {"build": ":build", "lib": "", "run": ":run"}
DEPENDS = {"build": "BUILD_DEPENDS", "lib": "LIB_DEPENDS",
           "run": "RUN_DEPENDS"}
PROGRAM_PURPOSES = ("build", "lib", "run")


def read_packages(path):
    lists = {}
    with open(path) as f:
        for line in f:
            words = line.split()
            if len(words) < 3 or words[0].startswith("#"):
                continue
            lists.setdefault((words[0], words[1]), []).extend(words[2:])
    return lists


def packages(lists, system, purposes):
    return [p for purpose in purposes for p in lists.get((system, purpose), [])]


def make_variables(path):
    with open(path) as f:
        text = re.sub(r"\\\n", " ", f.read())
    return {m.group(1): m.group(2).split("#")[0].split()
            for m in re.finditer(r"^([A-Z_]+)=\s*(.*)$", text, re.M)}


def check_port(lists, makefile):
    errors = []
    variables = make_variables(makefile)
    uses = variables.get("USES", [])
    use_qt = set(variables.get("USE_QT", []))
    want_qt = set()
    qt_uses = set()
    depends = {purpose: {d.split("/")[-1] for d in variables.get(v, [])}
               for purpose, v in DEPENDS.items()}
    for purpose in PROGRAM_PURPOSES:
        for p in lists.get(("freebsd", purpose), []):
            m = re.match(r"qt(\d)-(.+)$", p)
            if m:
                qt_uses.add("qt:" + m.group(1))
                want_qt.add(m.group(2) + QT_SUFFIX[purpose])
            elif p in depends[purpose]:
                depends[purpose].discard(p)
            elif p not in USES_PACKAGES.values():
                errors.append("no port equivalent for the package " + p)
            elif not any(USES_PACKAGES.get(u) == p for u in uses):
                errors.append("port USES lacks the package " + p)
    for u in uses:
        p = USES_PACKAGES.get(u)
        if p and p not in packages(lists, "freebsd", PROGRAM_PURPOSES):
            errors.append("port USES %s, not in the package list" % u)
    if {u for u in uses if u.startswith("qt:")} != qt_uses:
        errors.append("port USES %s; the list's Qt packages are of %s"
                      % (" ".join(u for u in uses if u.startswith("qt:")),
                         " ".join(sorted(qt_uses))))
    for purpose, names in depends.items():
        for p in sorted(names):
            errors.append("port %s has %s, not in the package list"
                          % (DEPENDS[purpose], p))
    for q in sorted(want_qt - use_qt):
        errors.append("port USE_QT lacks " + q)
    for q in sorted(use_qt - want_qt):
        errors.append("port USE_QT has %s, not in the package list" % q)
    return errors


def readme_commands(path):
    """(system, purposes, packages) of each install command after a mark:
    the first command of the code block that follows it."""
    with open(path) as f:
        lines = f.read().split("\n")
    for i, line in enumerate(lines):
        m = re.match(r"<!-- packages: (\S+) (.+) -->$", line.strip())
        if not m:
            continue
        command = ""
        for code in lines[i + 1:]:
            if not code.strip() and not command:
                continue
            command += code.strip() + " "
            if not code.endswith("\\"):
                break
        words = command.replace("\\", " ").split()
        names = words[words.index("install") + 1:] if "install" in words else []
        yield m.group(1), m.group(2).split(), [w for w in names
                                               if not w.startswith("-")]


def check_readme(lists, readme):
    errors = []
    seen = set()
    for system, purposes, names in readme_commands(readme):
        seen.add(system)
        want = packages(lists, system, purposes)
        if sorted(names) != sorted(want):
            errors.append("README installs %s for %s %s; the list has %s"
                          % (" ".join(names), system, " ".join(purposes),
                             " ".join(want)))
    for system in sorted({s for s, _ in lists} - seen):
        errors.append("README has no install command for " + system)
    return errors


def check_deps_script(lists, root):
    system = "freebsd" if platform.system() == "FreeBSD" else "debian"
    purposes = ("build", "lib", "run", "demo", "test")
    run = subprocess.run(["sh", os.path.join(root, "tools", "deps.sh"),
                          "--list"], stdout=subprocess.PIPE,
                         universal_newlines=True)
    want = packages(lists, system, purposes)
    if run.returncode != 0 or run.stdout.split() != want:
        return ["tools/deps.sh --list prints %s; the list has %s"
                % (run.stdout.split(), want)]
    return []


def main():
    root = sys.argv[1]
    lists = read_packages(os.path.join(root, "packaging", "packages.txt"))
    errors = check_port(lists, os.path.join(root, "packaging", "freebsd",
                                            "Makefile"))
    errors += check_readme(lists, os.path.join(root, "README.md"))
    errors += check_deps_script(lists, root)
    if errors:
        print("\n".join(errors))
        return 1
    print("the port, the README and tools/deps.sh name the listed packages")
    return 0


if __name__ == "__main__":
    sys.exit(main())
