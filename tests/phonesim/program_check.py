#!/usr/bin/python3
"""The phonesim program on its own (no other client needed).

    program_check.py PHONESIM

Starts it on a temporary link with a command log, talks to it through the link
(echo, an answer, a body after the prompt, closing and reopening the device),
stops it with SIGINT and checks that the link is gone and the log holds one
line per command: milliseconds, a tab, the line with control characters
escaped. Also checks that a missing state file is refused.
"""
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import time
import tty


def read_until(fd, end, timeout=5.0):
    out = b""
    deadline = time.time() + timeout
    while not out.endswith(end) and time.time() < deadline:
        ready, _, _ = select.select([fd], [], [], 0.1)
        if ready:
            out += os.read(fd, 4096)
    return out


def main():
    simulator = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        bad = subprocess.run([simulator, "--state", os.path.join(tmp, "none.state"), "--link", os.path.join(tmp, "x")],
                             capture_output=True, timeout=20)
        if bad.returncode == 0 or b"cannot open" not in bad.stderr or os.path.lexists(os.path.join(tmp, "x")):
            failures.append("a missing state file was not refused: %r" % bad.stderr)

        link, log = os.path.join(tmp, "com2"), os.path.join(tmp, "log")
        proc = subprocess.Popen([simulator, "--link", link, "--log", log, "--latency", "10"], stdout=subprocess.PIPE)
        try:
            device = proc.stdout.readline().decode().strip()
            if os.path.realpath(link) != device:
                failures.append("link %s does not name %s" % (link, device))
            for attempt in range(2):  # the second time after closing the device
                fd = os.open(link, os.O_RDWR | os.O_NOCTTY)
                tty.setraw(fd)
                os.write(fd, b"at+cgmm\r")
                got = read_until(fd, b"OK\r\n")
                if got != b"at+cgmm\r\r\nS45\r\n\r\nOK\r\n":
                    failures.append("answer %d: %r" % (attempt, got))
                os.close(fd)
            fd = os.open(link, os.O_RDWR | os.O_NOCTTY)
            tty.setraw(fd)
            os.write(fd, b"AT+CMGS=12\r")
            got = read_until(fd, b"> ")
            os.write(fd, b"001100039121F30000FF02E834\x1a")
            got += read_until(fd, b"OK\r\n")
            if not got.endswith(b"\x1a\r\n+CMGS: 1\r\n\r\nOK\r\n"):
                failures.append("send: %r" % got)
            os.close(fd)
        finally:
            proc.send_signal(signal.SIGINT)
            proc.wait(timeout=10)
        if proc.returncode != 0:
            failures.append("exit status %s" % proc.returncode)
        if os.path.lexists(link):
            failures.append("the link was left behind")
        with open(log, encoding="utf-8") as f:
            lines = f.read().splitlines()
        texts = [l.split("\t", 1)[1] if "\t" in l else None for l in lines]
        if texts != ["at+cgmm", "at+cgmm", "AT+CMGS=12", "001100039121F30000FF02E834\\x1A"]:
            failures.append("log: %r" % lines)
        if not all(re.match(r"^\d+\t", l) for l in lines):
            failures.append("log lines without milliseconds: %r" % lines)
    for f in failures:
        print("FAIL:", f)
    print("program checks: %d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
