#!/usr/bin/python3
"""Reads the phonebook's vCards with python3-vobject.

Usage: read_by_vobject.py EXPORT_FILES

EXPORT_FILES loads a phonebook cache with the program's reader and writes
the exports with its writers. Every ".vcf" (one per entry, named after it)
is read by vobject as the platform's readers take it, decoded as UTF-8:
VERSION 2.1, FN the stored name, N's family part the stored name, one TEL
with the number and the HOME and VOICE parameters; a value beyond ASCII
carries CHARSET=UTF-8, and an ASCII card is plain ASCII. vobject reads every
card by vCard 3.0 rules, where "," separates values, so no name here holds
one. Exit 77 (skipped) only when python3-vobject is missing.
"""

import os
import sys
import tempfile

try:
    import vobject
except ImportError:
    print("python3-vobject is missing: skipped")
    sys.exit(77)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from export_peers import ENTRIES, write_and_export  # noqa: E402


def main():
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        _, _, cards = write_and_export(sys.argv[1], folder)
        files = sorted(os.listdir(cards))
        wanted = sorted(name + ".vcf" for name, _, _, _ in ENTRIES)
        if files != wanted:
            problems.append(f"files {files!r}, expected {wanted!r}")
        for name, number, _, _ in ENTRIES:
            path = os.path.join(cards, name + ".vcf")
            if not os.path.exists(path):
                continue
            with open(path, "rb") as f:
                raw = f.read()
            try:
                card = vobject.readOne(raw.decode("utf-8"))
            except UnicodeDecodeError as e:
                problems.append(f"{name}: not UTF-8 ({e})")
                continue

            def expect(what, got, value):
                if got != value:
                    problems.append(f"{name}: {what} {got!r}, expected {value!r}")

            expect("VERSION", card.version.value, "2.1")
            expect("FN", card.fn.value, name)
            expect("N family", card.n.value.family, name)
            charset = [] if name.isascii() else ["UTF-8"]
            expect("FN CHARSET", card.fn.params.get("CHARSET", []), charset)
            expect("N CHARSET", card.n.params.get("CHARSET", []), charset)
            if name.isascii():
                expect("ASCII bytes", raw.isascii(), True)
            tels = card.contents.get("tel", [])
            expect("TEL count", len(tels), 1)
            if tels:
                expect("TEL", tels[0].value, number)
                expect("TEL parameters", sorted(tels[0].singletonparams), ["HOME", "VOICE"])
    for p in problems:
        print(p)
    print(f"{len(ENTRIES)} cards, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
