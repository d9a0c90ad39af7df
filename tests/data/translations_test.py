#!/usr/bin/env python3
"""The translations against the sources.

translations_test.py template EXTRACTED COMMITTED
    The committed template is what xgettext extracts from the sources now.
translations_test.py languages TEMPLATE PO_DIR LANG...
    Every language translates every text of the template, in every plural form its header
    declares, with no sentence left in English, and msgfmt --check accepts it.
"""
import difflib
import re
import subprocess
import sys


def entries(path):
    """(msgid, msgid_plural, {index: msgstr}, flags) of each entry, the header's first."""
    found, entry, field = [], None, None
    for line in open(path, encoding="utf-8").read().splitlines() + [""]:
        if not line.strip():
            if entry:
                found.append(entry)
            entry = None
            continue
        entry = entry or {"msgid": "", "plural": None, "msgstr": {}, "flags": ""}
        if line.startswith("#,"):
            entry["flags"] += line
            continue
        if line.startswith("#"):
            continue
        match = re.match(r'(msgid_plural|msgid|msgstr)(?:\[(\d)\])? (".*")$', line)
        if match:
            field = (match[1], int(match[2] or 0))
            if field[0] == "msgid_plural":
                entry["plural"] = ""
        text = eval((match[3] if match else line.strip()))  # a C string literal
        if field[0] == "msgstr":
            entry["msgstr"][field[1]] = entry["msgstr"].get(field[1], "") + text
        else:
            key = "msgid" if field[0] == "msgid" else "plural"
            entry[key] += text
    return found


def template(extracted, committed):
    def body(path):
        return [l for l in open(path, encoding="utf-8") if not l.startswith('"POT-Creation-Date')]
    diff = list(difflib.unified_diff(body(committed), body(extracted), committed, extracted))
    if diff:
        sys.stdout.writelines(diff[:80])
        print("\npo/tonewick.pot differs from the sources: cmake --build BUILD --target "
              "tw_update_po updates it and merges it into every language")
    return not diff


def languages(template_path, folder, names):
    wanted = [(e["msgid"], e["plural"]) for e in entries(template_path)[1:]]
    ok = True
    for name in names:
        path = f"{folder}/{name}.po"
        header, *translated = entries(path)
        forms = int(re.search(r"nplurals=(\d+)", header["msgstr"][0])[1])
        by_id = {e["msgid"]: e for e in translated if "obsolete" not in e["flags"]}
        problems = []
        for msgid, plural in wanted:
            e = by_id.get(msgid)
            strings = list(e["msgstr"].values()) if e else []
            if not e or "fuzzy" in e["flags"] or not all(strings):
                problems.append(("not translated", msgid))
            elif plural is not None and len(strings) != forms:
                problems.append((f"{len(strings)} plural forms instead of {forms}", msgid))
            elif strings[0] == msgid and len(set(re.findall(r"[A-Za-z]{3,}", msgid))) >= 3:
                problems.append(("still English", msgid))
        check = subprocess.run(["msgfmt", "--check", "-o", "/dev/null", path],
                               capture_output=True, text=True)
        if check.returncode != 0:
            problems.append(("msgfmt --check", check.stderr.strip()))
        for what, msgid in problems:
            print(f"{name}: {what}: {msgid!r}")
        ok = ok and not problems
    return ok


if __name__ == "__main__":
    mode, *args = sys.argv[1:]
    sys.exit(0 if (template(*args) if mode == "template" else languages(args[0], args[1],
                                                                          args[2:])) else 1)
