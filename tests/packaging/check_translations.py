#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-2-Clause
"""Checks the translation sources.

Every catalogue must hold exactly the program's texts (messages.txt), all
finished, with the placeholders, line breaks and menu mnemonics of the
English text, the plural forms that its language has, the printf
conversions of the message boxes' formats, and in French the no-break
space before ':', ';', '!', '?' and '%'.  The English catalogue holds the
plural texts only.  When the program's sources are all there, a run of
lupdate over them must not add a text that the catalogues lack.
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

# The number of plural forms that Qt's lrelease gives each language.  A new
# catalogue needs its language here.
PLURAL_FORMS = {"cs": 3, "de": 2, "en": 2, "es": 2, "fr": 2, "it": 2,
                "ja": 1, "nl": 2, "pl": 3, "pt_BR": 2, "ru": 3, "uk": 3,
                "zh_CN": 1}

# The catalogue of the language the sources are written in: plurals only.
SOURCE_LANGUAGE = "en"

# printf conversions (as the message boxes accept them) and
# "%%"; anything else after a '%' is malformed.
PRINTF = re.compile(r"%%|%[-+ #0']*[0-9*]*(?:\.[0-9*]*)?[hljztLq]*"
                    r"[diouxXeEfFgGaAcsp]")

NBSP = "\u00a0"


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
    """(context, source, translations, type) for every message of a file:
    the plural forms of a plural text, else the one translation."""
    root = ET.parse(ts_path).getroot()
    out = []
    for ctx in root.iter("context"):
        name = ctx.findtext("name")
        for msg in ctx.iter("message"):
            tr = msg.find("translation")
            if tr is None:
                forms = [""]
            elif msg.get("numerus") == "yes":
                forms = [f.text or "" for f in tr.iter("numerusform")]
            else:
                forms = [tr.text or ""]
            out.append((name, msg.findtext("source"), forms,
                        tr.get("type", "") if tr is not None else "missing"))
    return root, out


def is_plural(text):
    return "%n" in text


def printf_conversions(text):
    """The conversions in order, or None when a '%' starts none."""
    out = []
    pos = 0
    while True:
        pos = text.find("%", pos)
        if pos < 0:
            return out
        m = PRINTF.match(text, pos)
        if not m:
            return None
        if m.group() != "%%":
            out.append(m.group())
        pos = m.end()


def french_spacing(text, printf):
    """Where French typography's no-break space is missing, or is not the
    one (U+00A0) that every French text uses."""
    bad = ["U+202F where the others have U+00A0"] if "\u202f" in text else []
    for m in re.finditer(r"(.?)([:;!?])(?=\s|$)", text):
        if m.group(1) != NBSP:
            bad.append("no U+00A0 before %r" % m.group(2))
    # A percent sign: neither a placeholder (%1, %n) nor a printf one.
    signs = re.finditer(r"(.?)(%%)" if printf else r"(.?)(%)(?![0-9n])", text)
    for m in signs:
        if m.group(1) != NBSP:
            bad.append("no U+00A0 before %r" % m.group(2))
    return bad


def mnemonic(text):
    """The letter after the one '&' marker, None without, '' if several."""
    marks = re.findall(r"&(.)", text.replace("&&", ""))
    if not marks:
        return None
    return marks[0].lower() if len(marks) == 1 else ""


def show(text):
    return '"%s"' % text.replace("\n", "\\n")


def check_text(ctx, src, tr, lang):
    """What is wrong with one translation (one plural form) of src."""
    errors = []
    if not tr.strip():
        return ["%s %s: empty translation" % (ctx, show(src))]
    if sorted(re.findall(r"%[\dn]", src)) != sorted(re.findall(r"%[\dn]", tr)):
        errors.append("%s %s: placeholders differ in %s"
                      % (ctx, show(src), show(tr)))
    if ctx == "Messages" and printf_conversions(tr) != printf_conversions(src):
        errors.append("%s %s: printf conversions differ in %s"
                      % (ctx, show(src), show(tr)))
    if src.count("\n") != tr.count("\n"):
        errors.append("%s %s: line breaks differ in %s"
                      % (ctx, show(src), show(tr)))
    if (mnemonic(src) is None) != (mnemonic(tr) is None) or mnemonic(tr) == "":
        errors.append("%s %s: needs exactly one mnemonic, has %s"
                      % (ctx, show(src), show(tr)))
    if lang == "fr":
        for fault in french_spacing(tr, ctx == "Messages"):
            errors.append("%s %s: %s in %s" % (ctx, show(src), fault, show(tr)))
    return errors


def check_catalogue(ts_path, expected):
    errors = []
    lang = os.path.basename(ts_path)[len("ampelwick_"):-len(".ts")]
    root, items = entries(ts_path)
    if not root.get("language", "").startswith(lang):
        errors.append("language attribute %r does not match the file name"
                      % root.get("language"))
    plurals = PLURAL_FORMS.get(lang)
    if plurals is None:
        errors.append("no number of plural forms known for %r" % lang)
    if lang == SOURCE_LANGUAGE:
        expected = {(c, t) for c, t in expected if is_plural(t)}
    seen = {}
    for ctx, src, forms, kind in items:
        key = (ctx, src)
        if key in seen:
            errors.append("%s %s: listed twice" % (ctx, show(src)))
        seen[key] = forms[0]
        if kind:
            errors.append("%s %s: entry is %s" % (ctx, show(src), kind))
            continue
        if key not in expected:
            errors.append("%s %s: not a text of the program" % (ctx, show(src)))
        if is_plural(src) and plurals and len(forms) != plurals:
            errors.append("%s %s: %d plural forms, the language has %d"
                          % (ctx, show(src), len(forms), plurals))
        for tr in forms:
            errors += check_text(ctx, src, tr, lang)
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
        # As tools/update-translations.sh runs it: the English catalogue
        # takes the plural texts only.
        english = [c for c in copies if os.path.basename(c)
                   == "ampelwick_%s.ts" % SOURCE_LANGUAGE]
        others = [c for c in copies if c not in english]
        output = ""
        for options, files in (([], others), (["-pluralonly"], english)):
            if not files:
                continue
            run = subprocess.run(
                [lupdate, "-locations", "none", "-extensions", "cpp,h"]
                + options + dirs + ["-ts"] + files,
                cwd=source_root, stdout=subprocess.PIPE,
                stderr=subprocess.STDOUT, universal_newlines=True)
            if run.returncode != 0:
                return 1, "lupdate failed:\n" + run.stdout
            output += run.stdout
        found = [int(n) for n in re.findall(r"Found (\d+) source text", output)]
        problems = []
        vanished = set()
        for copy in copies:
            _, items = entries(copy)
            for ctx, src, tr, kind in items:
                if kind == "unfinished" and not any(tr):
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
    print("%d catalogues complete, %d texts each (the English one: the %d "
          "plural texts)" % (len(args.ts), len(expected),
                             len([t for _, t in expected if is_plural(t)])))
    if not args.lupdate:
        return 0
    status, text = check_sources(args.lupdate, args.source_root, args.ts, expected)
    print(("SKIPPED: " if status == SKIP else "") + text)
    return status


if __name__ == "__main__":
    sys.exit(main())
