"""khard reads the contacts the store writes, and the store reads the
contacts khard writes as vCard 3.0 and 4.0.

Usage: khard_check.py STORE_TOOL. Exit 77 when khard is not installed."""
import os
import shutil
import subprocess
import sys
import tempfile


def run(*args):
    done = subprocess.run(args, capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        sys.exit(f"{' '.join(args)} failed ({done.returncode}):\n{done.stdout}{done.stderr}")
    return done.stdout


def main():
    if shutil.which("khard") is None:
        print("khard is not installed")
        return 77
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="parlenko-khard-") as work:
        contacts = os.path.join(work, "contacts")
        calendars = os.path.join(work, "calendars")
        store = [tool, contacts, calendars]
        run(*store, "add-contact", "Ana Horvat", "mobile", "+385911234567")
        config = os.path.join(work, "khard.conf")
        with open(config, "w", encoding="utf-8") as f:
            f.write(f"[addressbooks]\n[[parlenko]]\npath = {contacts}/default/\n"
                    "[general]\neditor = /bin/true\nmerge_editor = /bin/true\n")
        khard = ["khard", "-c", config]

        listed = run(*khard, "list")
        if "Ana Horvat" not in listed:
            sys.exit(f"khard list does not show the contact:\n{listed}")
        phones = [line.split("\t") for line in run(*khard, "phone", "--parsable").splitlines()]
        # vCard types ignore case; khard shows them as the card has them.
        if ["+385911234567", "Ana Horvat", "cell"] not in [p[:2] + [p[2].lower()] for p in phones]:
            sys.exit(f"khard phone --parsable: {phones}")

        for version, name, number in (("3.0", "Ivo Kralj", "+38512345678"),
                                      ("4.0", "Eva Novak", "+38598765432")):
            template = os.path.join(work, f"{version}.yaml")
            with open(template, "w", encoding="utf-8") as f:
                first, last = name.split()
                f.write(f"First name : {first}\nLast name : {last}\n"
                        f"Phone :\n    cell : {number}\n    home : 01 {version}\n"
                        f"    work : 02 {version}\n")
            run(*khard, "new", "-a", "parlenko", "-i", template, "--vcard-version", version)
        read = run(*store, "list-contacts").splitlines()
        for expected in ("Ana Horvat||+385911234567|||",
                         "Ivo Kralj|01 3.0|+38512345678|02 3.0||",
                         "Eva Novak|01 4.0|+38598765432|02 4.0||"):
            if expected not in read:
                sys.exit(f"the store does not read {expected!r}:\n" + "\n".join(read))
    print("khard check: 1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
