#!/usr/bin/python3
"""The real program's operations against a phone that fails in the middle.

    operations_run.py PARLENKO PHONESIM STATE_FILE

On a private X server (Xvfb; keys and clicks with xdotool) the program runs
against the simulated phone, as a user would use it:

1. The phonebook read, and an SMS send, with the simulated phone killed in
   the middle (a pulled cable): exactly one message, "Communication error!",
   within 2 s of the loss; the program keeps running.
2. An SMS send whose phone puts a line before "+CMGS:" (HELLO), and an
   appointment upload whose phone puts RING before the packet's "OK": no
   message box, the status notice of success, and the phone got exactly one
   body.

Message boxes answer themselves (PARLENKO_TEST_AUTOANSWER) and print
"parlenko-message: caption | text" on standard error. Every wait is bounded;
every child is killed when the script ends, however it ends.
"""
import os
import signal
import subprocess
import sys
import time

from program_run import (CHAIN_SECONDS, chains_ran, check, logged_commands, make_home,
                         press_keys, read, script_main, start, start_display, start_program,
                         stop_with_sigterm, wait_for)

MESSAGE = "parlenko-message: "
LOSS_SECONDS = 2.0


def messages(stderr):
    return [line for line in read(stderr).splitlines() if line.startswith(MESSAGE)]


def bodies(log):
    return [line for line in logged_commands(log) if line.endswith("\\x1A")]


def windows(display):
    """The names of the visible top-level windows."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ".*", "getwindowname",
                            "%@"], env=dict(os.environ, DISPLAY=display), capture_output=True,
                           text=True, timeout=10)
    return found.stdout.splitlines()


def window_of(display, name):
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", name],
                           env=dict(os.environ, DISPLAY=display), capture_output=True, text=True,
                           timeout=10)
    return found.stdout.split()[0] if found.stdout.split() else None


def click(display, window, x, y):
    subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"],
                   env=dict(os.environ, DISPLAY=display), timeout=10, check=True)
    time.sleep(0.3)


def type_text(display, text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], env=dict(os.environ, DISPLAY=display),
                   timeout=20, check=True)
    time.sleep(0.3)


class Run:
    """The phone (with a fault script) and the program, connected and idle."""

    def __init__(self, parlenko, phonesim, state, tmp, display, name, script="", latency=30):
        self.name, self.display = name, display
        home = make_home(tmp, name)
        faults = os.path.join(tmp, name + ".faults")
        with open(faults, "w") as f:
            f.write(script)
        self.log = os.path.join(tmp, name + ".phonesim.log")
        self.sim = start([phonesim, "--state", state, "--link", os.path.join(home, "ports", "com2"),
                          "--log", self.log, "--faults", faults, "--latency", str(latency)],
                         stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
        self.sim.stdout.readline()
        self.proc, self.stderr = start_program(parlenko, home, "yes", name, DISPLAY=display,
                                               QT_QPA_PLATFORM="xcb")
        self.ready = chains_ran(self.proc, self.log, name)
        time.sleep(0.5)

    def menu(self, *keys):
        """Keys in the main window; again when the first came before it listened."""
        return check(press_keys(self.display, "Escape", *keys),
                     "%s: could not press keys in the main window" % self.name)

    def wait_logged(self, predicate, seconds=CHAIN_SECONDS):
        return wait_for(lambda: predicate(logged_commands(self.log)), seconds)

    def compose_and_send(self):
        """The SMS menu's "Odlazne poruke", "Nova poruka": number, text, send."""
        if not self.menu("alt+s", "Down", "Down", "Right", "Return"):
            return False
        window = window_of(self.display, "^New message")
        if not check(window, "%s: no compose window" % self.name):
            return False
        click(self.display, window, 250, 37)  # the number
        type_text(self.display, "0911234567")
        click(self.display, window, 150, 250)  # the text
        type_text(self.display, "Bok")
        click(self.display, window, 400, 393)  # "Pošalji poruku"
        return True

    def save_appointment(self):
        """The appointments are read, then "Novi podsjetnik": a title, saved."""
        if not self.menu("alt+d", "Return"):
            return False
        if not check(self.wait_logged(lambda sent: 'AT^SBNR="vcs",49' in sent),
                     "%s: the appointments were not read" % self.name):
            return False
        time.sleep(1.0)
        if not self.menu("alt+d", "Down", "Down", "Return"):
            return False
        window = window_of(self.display, "^New appointment")
        if not check(window, "%s: no appointment editor" % self.name):
            return False
        click(self.display, window, 180, 124)  # "Naziv"
        type_text(self.display, "Sastanak")
        click(self.display, window, 300, 318)  # "Snimi"
        return True

    def end(self):
        if self.proc.poll() is None:
            stop_with_sigterm(self.proc)
        if self.sim.poll() is None:
            self.sim.send_signal(signal.SIGTERM)
            self.sim.wait(timeout=5)


def killed_phone_run(parlenko, phonesim, state, tmp, display, what):
    """The phone killed while the read or the send waits for its answer."""
    name = "killed-" + what
    run = Run(parlenko, phonesim, state, tmp, display, name,
              # The send's prompt comes late: the phone dies with it on the way.
              "after AT+CMGS delay 1500\n" if what == "send" else "", latency=60)
    try:
        if not run.ready:
            return
        if what == "read":
            run.menu("alt+t", "Return")
            waited = run.wait_logged(lambda sent: "AT+CPBR=3" in sent)
        else:
            run.compose_and_send()
            waited = run.wait_logged(lambda sent: any(c.startswith("AT+CMGS=") for c in sent))
        if not check(waited, "%s: the operation did not start: %r"
                     % (name, logged_commands(run.log)[-5:])):
            return
        run.sim.kill()
        killed = time.monotonic()
        run.sim.wait(timeout=5)
        shown = wait_for(lambda: messages(run.stderr), LOSS_SECONDS + 3)
        took = time.monotonic() - killed
        time.sleep(3.0)  # a second message would follow
        got = messages(run.stderr)
        check(shown and took <= LOSS_SECONDS,
              "%s: no message within %g s of the loss (%.1f s)" % (name, LOSS_SECONDS, took))
        check(len(got) == 1 and got[0].startswith(MESSAGE + "Communication error!"),
              "%s: expected one communication error, got %r" % (name, got))
        check(run.proc.poll() is None, "%s: the program ended (status %r)" % (name, run.proc.poll()))
    finally:
        run.end()


def line_in_answer_run(parlenko, phonesim, state, tmp, display, what):
    """A line of the phone's own between a body and its answer: the write
    is reported done and the phone got one body."""
    name = "line-in-" + what
    script = ("after AT+CMGS before-answer HELLO\n" if what == "send"
              else "after AT^SBNW before-answer RING\n")
    run = Run(parlenko, phonesim, state, tmp, display, name, script)
    try:
        if not run.ready:
            return
        before = len(bodies(run.log))
        if not (run.compose_and_send() if what == "send" else run.save_appointment()):
            return
        done = wait_for(lambda: any(w.startswith("Statusne poruke") for w in windows(display)), 10.0)
        time.sleep(2.0)  # a message box would follow at once
        check(done, "%s: no status notice of success; windows %r" % (name, windows(display)))
        check(not messages(run.stderr), "%s: messages %r" % (name, messages(run.stderr)))
        check(len(bodies(run.log)) - before == 1,
              "%s: the phone got %d bodies" % (name, len(bodies(run.log)) - before))
        check(not any(w.startswith("New message") for w in windows(display)),
              "%s: the compose window stayed open" % name)
    finally:
        run.end()


def scenarios(parlenko, phonesim, state, tmp):
    display = start_display()
    if display is None:
        return []
    return [("the phone killed in a phonebook read", lambda: killed_phone_run(
                 parlenko, phonesim, state, tmp, display, "read")),
            ("the phone killed in an SMS send", lambda: killed_phone_run(
                 parlenko, phonesim, state, tmp, display, "send")),
            ("a line before the SMS send's answer", lambda: line_in_answer_run(
                 parlenko, phonesim, state, tmp, display, "send")),
            ("RING before an upload's OK", lambda: line_in_answer_run(
                 parlenko, phonesim, state, tmp, display, "upload"))]


if __name__ == "__main__":
    sys.exit(script_main(__doc__, "parlenko-operations-", scenarios))
