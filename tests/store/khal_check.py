"""khal lists the appointments the store writes (a phone call with its number
in the description) and python3-icalendar reads their rules; the store reads
the repeating events khal writes.

Usage: khal_check.py STORE_TOOL. Exit 77 when khal is not installed."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

# One appointment per repetition: subject, date, time, repetition, FREQ.
WRITTEN = [("Jednom", "14.12.2026", "08:00:00", "Once", None),
           ("Svaki dan", "15.12.2026", "09:15:00", "Daily", "DAILY"),
           ("Tjedno", "16.12.2026", "10:30:00", "Weekly", "WEEKLY"),
           ("Mjesečno", "17.12.2026", "11:45:00", "Monthly", "MONTHLY"),
           ("Godišnje", "18.12.2026", "12:00:00", "Annualy", "YEARLY")]


def run(*args):
    done = subprocess.run(args, capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        sys.exit(f"{' '.join(args)} failed ({done.returncode}):\n{done.stdout}{done.stderr}")
    return done.stdout


def main():
    if shutil.which("khal") is None:
        print("khal is not installed")
        return 77
    import icalendar  # python3-icalendar, a test package like khal

    tool = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="parlenko-khal-") as work:
        store = [tool, os.path.join(work, "contacts"), os.path.join(work, "calendars")]
        for subject, date, time, repetition, _ in WRITTEN:
            run(*store, "add-appointment", subject, "Meeting", date, time, repetition, "1")
        run(*store, "add-appointment", "Servis @ auta", "Phone Call", "19.12.2026", "13:00:00",
            "Once", "1", "+385919990000")
        collection = os.path.join(work, "calendars", "default")
        config = os.path.join(work, "khal.conf")
        with open(config, "w", encoding="utf-8") as f:
            f.write(f"[calendars]\n[[home]]\npath = {collection}\n"
                    "[locale]\ntimeformat = %H:%M\ndateformat = %d.%m.%Y\n"
                    "longdateformat = %d.%m.%Y\ndatetimeformat = %d.%m.%Y %H:%M\n"
                    "longdatetimeformat = %d.%m.%Y %H:%M\n"
                    "local_timezone = Europe/Zagreb\ndefault_timezone = Europe/Zagreb\n"
                    f"[sqlite]\npath = {os.path.join(work, 'khal.db')}\n")
        khal = ["khal", "-c", config]

        listed = run(*khal, "list", "--format", "{start} {title}", "14.12.2026", "5d")
        for subject, date, time, _, _ in WRITTEN:
            if f"{date} {time[:5]} {subject}" not in listed:
                sys.exit(f"khal list does not show {subject} at {date} {time[:5]}:\n{listed}")
        call = run(*khal, "list", "--format", "{start} {title} {description}", "19.12.2026", "1d")
        if "19.12.2026 13:00 Servis @ auta +385919990000" not in call:
            sys.exit(f"khal list does not show the phone call with its number:\n{call}")

        rules = {}
        for path in glob.glob(os.path.join(collection, "*.ics")):
            with open(path, "rb") as f:
                event = icalendar.Calendar.from_ical(f.read()).walk("VEVENT")[0]
            rrule = event.get("RRULE")
            rules[str(event["SUMMARY"])] = rrule["FREQ"][0] if rrule else None
        expected = {subject: freq for subject, _, _, _, freq in WRITTEN}
        expected["Servis @ auta"] = None
        if rules != expected:
            sys.exit(f"python3-icalendar reads {rules}, expected {expected}")

        for name in os.listdir(collection):
            if name.endswith(".ics"):
                os.remove(os.path.join(collection, name))
        for repeat in ("daily", "weekly", "monthly", "yearly"):
            run(*khal, "new", "-a", "home", "-r", repeat, "21.12.2026", "10:00", "1h",
                f"khal {repeat}")
        read = run(*store, "list-appointments").splitlines()
        for repeat, shown in (("daily", "Daily"), ("weekly", "Weekly"), ("monthly", "Monthly"),
                              ("yearly", "Annualy")):
            if f"khal {repeat}||21.12.2026|10:00:00|{shown}|Not active" not in read:
                sys.exit(f"the store does not read khal's {repeat} event:\n" + "\n".join(read))
    print("khal check: 1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
