#!/usr/bin/python3
"""Reads the phonebook's CSV and XML exports with Python's own readers.

Usage: read_by_csv.py EXPORT_FILES

EXPORT_FILES loads a phonebook cache with the program's reader and writes
the exports with its writers. The csv module (delimiter ";") reads the CSV,
decoded as Windows-1252: the header, the empty row its CR CR LF ending makes,
then per entry n, name, "'" + number, memory, position. xml.etree reads the
XML to the same values under ENTRY1..ENTRYn.
"""

import csv
import os
import sys
import tempfile
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from export_peers import ENTRIES, write_and_export  # noqa: E402


def main():
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        csv_path, xml_path, _ = write_and_export(sys.argv[1], folder)
        with open(csv_path, encoding="cp1252", newline="") as f:
            rows = list(csv.reader(f, delimiter=";"))
        wanted = [["NO", "NAME", "PHONE", "LOCATION", "POSITION"], []]
        wanted += [[str(n), name, "'" + number, memory, position]
                   for n, (name, number, memory, position) in enumerate(ENTRIES, 1)]
        if rows != wanted:
            problems.append(f"CSV rows {rows!r},\n expected {wanted!r}")

        root = ET.parse(xml_path).getroot()
        got = [(e.tag, [(c.tag, c.text or "") for c in e]) for e in root]
        wanted = [(f"ENTRY{n}", [("NAME", name), ("PHONE", number), ("LOCATION", memory),
                                 ("POSITION", position)])
                  for n, (name, number, memory, position) in enumerate(ENTRIES, 1)]
        if root.tag != "PHONEBOOK":
            problems.append(f"XML root {root.tag!r}")
        if got != wanted:
            problems.append(f"XML entries {got!r},\n expected {wanted!r}")
    for p in problems:
        print(p)
    print(f"{len(ENTRIES)} entries, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
