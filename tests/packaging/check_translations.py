#!/usr/bin/env python3
"""Checks the translation sources.

Every catalogue must hold exactly the program's texts (messages.txt), all
finished, with the placeholders, line breaks and menu mnemonics of the
English text.  When the program's sources are all there, a run of lupdate
over them must not add a text that the catalogues lack.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SKIP = 77


def read_messages(path):
    msgs = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            ctx, text = line.split("\t", 1)
            msgs.append((ctx, text.replace("\\n", "\n")))
    return msgs


def entries(ts_path):
    """(context, source, translation, type) for every message of a file."""
    root = ET.parse(ts_path).getroot()
    out = []
    for ctx in root.iter("context"):
        name = ctx.findtext("name")
        for msg in ctx.iter("message"):
            tr = msg.find("translation")
            out.append((name, msg.findtext("source"),
                        tr.text or "" if tr is not None else "",
                        tr.get("type", "") if tr is not None else "missing"))
    return root, out


def mnemonic(text):
    """The letter after the one '&' marker, None without, '' if several."""
    marks = re.findall(r"&(.)", text.replace("&&", ""))
    if not marks:
        return None
    return marks[0].lower() if len(marks) == 1 else ""


def show(text):
    return '"%s"' % text.replace("\n", "\\n")


def check_catalogue(ts_path, expected):
    errors = []
    lang = os.path.basename(ts_path)[len("ampelwick_"):-len(".ts")]
    root, items = entries(ts_path)
    if not root.get("language", "").startswith(lang):
        errors.append("language attribute %r does not match the file name"
                      % root.get("language"))
    seen = {}
    for ctx, src, tr, kind in items:
        key = (ctx, src)
        if key in seen:
            errors.append("%s %s: listed twice" % (ctx, show(src)))
        seen[key] = tr
        if kind:
            errors.append("%s %s: entry is %s" % (ctx, show(src), kind))
            continue
        if key not in expected:
            errors.append("%s %s: not a text of the program" % (ctx, show(src)))
        if not tr.strip():
            errors.append("%s %s: empty translation" % (ctx, show(src)))
            continue
        if sorted(re.findall(r"%\d", src)) != sorted(re.findall(r"%\d", tr)):
            errors.append("%s %s: placeholders differ in %s"
                          % (ctx, show(src), show(tr)))
        if src.count("\n") != tr.count("\n"):
            errors.append("%s %s: line breaks differ in %s"
                          % (ctx, show(src), show(tr)))
        if (mnemonic(src) is None) != (mnemonic(tr) is None) or mnemonic(tr) == "":
            errors.append("%s %s: needs exactly one mnemonic, has %s"
                          % (ctx, show(src), show(tr)))
    for ctx, src in expected:
        if (ctx, src) not in seen:
            errors.append("%s %s: missing" % (ctx, show(src)))
    # Mnemonics shown together (one menu, one dialog) must differ.
    by_ctx = {}
    for (ctx, _), tr in seen.items():
        m = mnemonic(tr)
        if m:
            by_ctx.setdefault(ctx, []).append(m)
    for ctx, marks in by_ctx.items():
        if len(marks) != len(set(marks)):
            errors.append("%s: mnemonics clash: %s" % (ctx, ", ".join(marks)))
    return ["%s: %s" % (os.path.basename(ts_path), e) for e in errors]


def check_sources(lupdate, source_root, ts_files, expected):
    """None when lupdate adds nothing, a list of problems otherwise, or
    SKIP while the sources do not yet carry every text."""
    dirs = [d for d in ("app", "gui", "indicator", "dialogs")
            if os.path.isdir(os.path.join(source_root, d))]
    if not dirs:
        return SKIP, "no program sources yet"
    tmp = tempfile.mkdtemp(prefix="ampelwick-ts.")
    try:
        copies = []
        for ts in ts_files:
            copy = os.path.join(tmp, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            copies.append(copy)
        run = subprocess.run(
            [lupdate, "-locations", "none", "-extensions", "cpp,h"]
            + dirs + ["-ts"] + copies,
            cwd=source_root, stdout=subprocess.PIPE,
            stderr=subprocess.STDOUT, universal_newlines=True)
        if run.returncode != 0:
            return 1, "lupdate failed:\n" + run.stdout
        found = [int(n) for n in re.findall(r"Found (\d+) source text", run.stdout)]
        problems = []
        vanished = set()
        for copy in copies:
            _, items = entries(copy)
            for ctx, src, tr, kind in items:
                if kind == "unfinished" and not tr:
                    problems.append("%s: lupdate found a new text: %s %s"
                                    % (os.path.basename(copy), ctx, show(src)))
                elif kind in ("vanished", "obsolete"):
                    vanished.add((ctx, src))
        if problems:
            return 1, "\n".join(problems)
        if not found or min(found) < len(expected):
            missing = ", ".join("%s %s" % (c, show(s)) for c, s in sorted(vanished))
            return SKIP, ("sources carry %s of %d texts; not yet in the "
                          "sources: %s" % (min(found) if found else 0,
                                           len(expected), missing or "?"))
        return 0, "lupdate adds nothing"
    finally:
        shutil.rmtree(tmp)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--messages", required=True)
    ap.add_argument("--lupdate")
    ap.add_argument("--source-root")
    ap.add_argument("ts", nargs="+")
    args = ap.parse_args()

    expected = read_messages(args.messages)
    errors = []
    for ts in args.ts:
        errors += check_catalogue(ts, set(expected))
    if errors:
        print("\n".join(errors))
        return 1
    print("%d catalogues complete, %d texts each" % (len(args.ts), len(expected)))
    if not args.lupdate:
        return 0
    status, text = check_sources(args.lupdate, args.source_root, args.ts, expected)
    print(("SKIPPED: " if status == SKIP else "") + text)
    return status


if __name__ == "__main__":
    sys.exit(main())
