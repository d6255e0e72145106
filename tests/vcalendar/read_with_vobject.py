#!/usr/bin/python3
"""Reads .vcs files we build with independent vCalendar readers.

Usage: read_with_vobject.py VCS_WRITE

VCS_WRITE is the test tool that writes one appointment as a file. For every
case below the file is written, read with python3-vobject (Debian's, seen
only by /usr/bin/python3), and its structure (one VCALENDAR of version 1.0
holding one VEVENT) and its DTSTART, CATEGORIES and SUMMARY values are
compared with what was asked for (decoded as UTF-8, a SUMMARY beyond ASCII
carrying CHARSET=UTF-8); the alarm and the rule are checked as the
raw values this reader keeps. vobject takes a comma in the SUMMARY for a list
and keeps what stands before the first; gammu's reader (python3-gammu, when
installed) reads the text whole, and the start, alarm and rule as it keeps
them. Exit 77 (skipped) only when python3-vobject is missing.
"""

import datetime
import os
import subprocess
import sys
import tempfile

try:
    import vobject
except ImportError:
    print("python3-vobject is missing: skipped")
    sys.exit(77)
try:
    import gammu
except ImportError:
    gammu = None

CATEGORIES = ["MISCELLANEOUS", "PHONE CALL", "MEETING", "ANNIVERSARY"]
RULES = [None, "D1", "D7", "MD1 {day:02d}", "YD1"]

# category, repeat, alarm, start, text (Windows-1252)
CASES = [
    (2, 3, True, datetime.datetime(2002, 5, 17, 18, 30, 0), "Sastanak"),
    (0, 0, False, datetime.datetime(1999, 12, 31, 23, 59, 59), "Memo: kupi kruh"),
    (1, 1, True, datetime.datetime(2003, 1, 2, 3, 4, 5), "+385911234567"),
    (3, 4, False, datetime.datetime(2004, 2, 29, 0, 0, 0), "Rođendan ÄÖÜ €"),
    (2, 2, False, datetime.datetime(2026, 12, 7, 9, 0, 0), "Line\r\nbreak"),
    (2, 0, True, datetime.datetime(2005, 3, 20, 10, 0, 0),
     "Sastanak u uredu, donijeti izvjestaj; i ostalo"),
]
# How gammu names the repeat rules: frequency and what repeats.
GAMMU_RULES = [None, (1, None), (7, None), (1, "REPEAT_DAY"), (1, "REPEAT_MONTH")]


def check(tool, folder, n, case):
    category, repeat, alarm, start, text = case
    path = os.path.join(folder, f"case{n}.vcs")
    seconds = start.hour * 3600 + start.minute * 60 + start.second
    subprocess.run([tool, path, str(category), str(repeat), "1" if alarm else "0",
                    str(start.year), str(start.month), str(start.day), str(seconds),
                    text.encode("cp1252", errors="replace").hex()], check=True)
    with open(path, "rb") as f:
        raw = f.read()
    problems = []
    try:
        cal = vobject.readOne(raw.decode("utf-8"))
    except UnicodeDecodeError as e:
        return [f"not UTF-8 ({e})"]

    def expect(what, got, wanted):
        if got != wanted:
            problems.append(f"{what}: {got!r}, expected {wanted!r}")

    expect("object", cal.name, "VCALENDAR")
    expect("version", cal.version.value, "1.0")
    expect("children", [c.name for c in cal.getChildren()], ["VERSION", "VEVENT"])
    event = cal.vevent
    expect("DTSTART", event.dtstart.value, start)
    expect("CATEGORIES", event.categories.value, [CATEGORIES[category]])
    # A line break cannot stand in a value: it is taken out. Beyond ASCII the
    # value is UTF-8 and says so; an ASCII file is plain ASCII.
    summary = text.encode("cp1252", errors="replace").decode("cp1252")
    summary = summary.replace("\r", "").replace("\n", "")
    expect("SUMMARY", event.summary.value, summary.split(",")[0])
    expect("SUMMARY CHARSET", event.summary.params.get("CHARSET", []),
           [] if summary.isascii() else ["UTF-8"])
    if summary.isascii():
        expect("ASCII bytes", raw.isascii(), True)
    stamp = start.strftime("%Y%m%dT%H%M%S")
    expect("DALARM", event.dalarm.value if hasattr(event, "dalarm") else None,
           stamp if alarm else None)
    rule = RULES[repeat]
    expect("RRULE", event.rrule.value if hasattr(event, "rrule") else None,
           rule.format(day=start.day) if rule else None)
    if gammu is not None:
        problems += read_with_gammu(path, case, summary)
    return problems


def read_with_gammu(path, case, summary):
    """The same file through gammu's reader: the text whole, start, alarm, rule."""
    _, repeat, alarm, start, _ = case
    entries = {}
    for entry in gammu.ReadBackup(path)["Calendar"][0]["Entries"]:
        entries.setdefault(entry["Type"], entry["Value"])
    problems = []

    def expect(what, got, wanted):
        if got != wanted:
            problems.append(f"gammu {what}: {got!r}, expected {wanted!r}")

    expect("TEXT", entries.get("TEXT"), summary)
    expect("START_DATETIME", entries.get("START_DATETIME"), start)
    expect("alarm", entries.get("SILENT_ALARM_DATETIME"), start if alarm else None)
    rule = GAMMU_RULES[repeat]
    expect("REPEAT_FREQUENCY", entries.get("REPEAT_FREQUENCY"), rule[0] if rule else None)
    if rule and rule[1]:
        expect(rule[1], rule[1] in entries, True)
    return problems


def main():
    tool = sys.argv[1]
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for n, case in enumerate(CASES):
            problems = check(tool, folder, n, case)
            for p in problems:
                print(f"case {n}: {p}")
            failures += bool(problems)
    print(f"{len(CASES) - failures} of {len(CASES)} files read as built")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
