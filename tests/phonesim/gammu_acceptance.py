#!/usr/bin/python3
"""Acceptance of the simulated phone by an independent AT client, Gammu.

    gammu_acceptance.py PHONESIM STATE_FILE

Starts PHONESIM with STATE_FILE on a temporary link, points a temporary
gammurc at it (connection at19200), and checks that `gammu identify` shows the
seeded manufacturer, model and IMEI, that `gammu getallmemory SM` lists
every seeded SIM entry with its name and number, and that `gammu getallsms`
finds every seeded message with its status. Exits 77 (skipped) when gammu is
not installed.
"""
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile

SKIP = 77


def parse_state(path):
    phone, sim, sms, section = {}, {}, {}, None
    entry = re.compile(r'^(\d+),"([^"]*)",(\d+),"(.*)"$')
    message = re.compile(r"^(\d+),([0-3]),[0-9A-Fa-f]+$")
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("["):
                section = line[1:-1].strip()
                continue
            if section == "phone" and "=" in line:
                key, value = (s.strip() for s in line.split("=", 1))
                phone[key] = value
            elif section == "phonebook SM":
                m = entry.match(line)
                if m:
                    sim[int(m.group(1))] = (m.group(2), m.group(4))
            elif section in ("sms SM", "sms ME"):
                m = message.match(line)
                if m:
                    # Gammu numbers the phone memory's messages from 100000.
                    location = int(m.group(1)) + (100000 if section == "sms ME" else 0)
                    sms[location] = ["UnRead", "Read", "UnSent", "Sent"][int(m.group(2))]
    return phone, sim, sms


def run_gammu(rc, *args):
    env = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8")
    p = subprocess.run(["gammu", "-c", rc] + list(args), capture_output=True, timeout=240, env=env)
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


def field(text, label):
    m = re.search(r"^" + re.escape(label) + r"\s*:\s*(.*)$", text, re.M)
    return m.group(1).strip() if m else None


def parse_memory(text):
    entries, current = {}, None
    for line in text.splitlines():
        m = re.match(r"^Memory SM, Location (\d+)", line)
        if m:
            current = entries.setdefault(int(m.group(1)), {"numbers": [], "name": None})
            continue
        m = re.match(r'^(.*?)\s*:\s*"(.*)"$', line)
        if current is not None and m:
            label, value = m.group(1).strip(), m.group(2)
            if label == "Name":
                current["name"] = value
            elif "number" in label.lower():
                current["numbers"].append(value)
    return entries


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    simulator, state = sys.argv[1], sys.argv[2]
    if shutil.which("gammu") is None:
        print("gammu is not installed: skipped")
        return SKIP
    phone, sim, sms = parse_state(state)
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        link = os.path.join(tmp, "phone")
        log = os.path.join(tmp, "commands.log")
        proc = subprocess.Popen([simulator, "--state", state, "--link", link, "--log", log],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        try:
            ready, _, _ = select.select([proc.stdout], [], [], 20)
            device = proc.stdout.readline().decode().strip() if ready else ""
            if not device.startswith("/dev/") or os.path.realpath(link) != os.path.realpath(device):
                print("phonesim did not start: %r %s" % (device, proc.stderr.read1(4096) if proc.poll() is not None else ""))
                return 1
            rc = os.path.join(tmp, "gammurc")
            with open(rc, "w") as f:
                f.write("[gammu]\ndevice = %s\nconnection = at19200\n" % link)

            code, out, err = run_gammu(rc, "identify")
            if code != 0:
                failures.append("gammu identify failed (%d): %s" % (code, err.strip()))
            if (field(out, "Manufacturer") or "").lower() != phone["manufacturer"].lower():
                failures.append("manufacturer: %r" % field(out, "Manufacturer"))
            if phone["model"] not in (field(out, "Model") or ""):
                failures.append("model: %r" % field(out, "Model"))
            if field(out, "IMEI") != phone["imei"]:
                failures.append("IMEI: %r" % field(out, "IMEI"))

            code, out, err = run_gammu(rc, "getallmemory", "SM")
            if code != 0:
                failures.append("gammu getallmemory SM failed (%d): %s" % (code, err.strip()))
            listed = parse_memory(out)
            for position, (number, name) in sorted(sim.items()):
                got = listed.get(position)
                if got is None:
                    failures.append("SM %d missing" % position)
                elif got["name"] != name or number not in got["numbers"]:
                    failures.append("SM %d: %r %r, expected %r %r" % (position, got["name"], got["numbers"], name, number))
            extra = sorted(set(listed) - set(sim))
            if extra:
                failures.append("SM positions listed but not seeded: %s" % extra)

            code, out, err = run_gammu(rc, "getallsms")
            if code != 0:
                failures.append("gammu getallsms failed (%d): %s" % (code, err.strip()))
            statuses = {int(m.group(1)): m.group(2) for m in
                        re.finditer(r"^Location (\d+), folder .*?\n(?:.*\n)*?Status\s*:\s*(\w+)", out, re.M)}
            if statuses != sms:
                failures.append("messages listed %s, seeded %s" % (sorted(statuses.items()), sorted(sms.items())))

            with open(log, encoding="utf-8", errors="replace") as f:
                logged = [line.rstrip("\n").split("\t", 1) for line in f]
            if not any(len(l) == 2 and l[1] == "AT+CGSN" and l[0].isdigit() for l in logged):
                failures.append("the command log has no line 'ms<TAB>AT+CGSN'")
        finally:
            proc.send_signal(signal.SIGTERM)
            try:
                proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                proc.kill()
                failures.append("phonesim did not stop on SIGTERM")
        if proc.returncode not in (0, None):
            failures.append("phonesim exited with %s" % proc.returncode)
        if os.path.lexists(link):
            failures.append("the link was not removed")

    for f in failures:
        print("FAIL:", f)
    print("%d SIM entries and %d messages checked; %d failures" % (len(sim), len(sms), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
