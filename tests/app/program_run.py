#!/usr/bin/python3
"""The whole program over a pseudo-terminal, as a user runs it.

    program_run.py PARLENKO PHONESIM STATE_FILE

1. The simulated phone serves "COM2" (the link ports/com2 in a fresh data
   folder); the options say COM2, automatic connect, no splash window. The
   program, started headless, must connect by itself and send the connect
   chain and then the general-information chain, in order. SIGTERM (what a
   desktop sends at logout) must end it without asking anything:
   "AT+CNMI=0,0,0,0" is the last command the phone receives, the program
   exits 0 and the options file is saved.
2. ports/com2 is a dangling link (no phone): the program reports
   "Error connecting to COM2", keeps running, and ends on SIGTERM.
3. The same with the error box left open, waiting for a user who is not
   there: SIGTERM still ends the program at once, options saved.
4. The images folder is missing and the start-up's error box is left open:
   SIGTERM closes it and ends the program at once with status 0, no close
   query, the options file as it was.
5. On a private X server (Xvfb; keys pressed with xdotool) the phonebook is
   read from a phone answering 60 ms late, and SIGTERM, SIGINT or SIGHUP
   arrives during the read: the program ends within 3 s with status 0, the
   read's last command gets its answer before "AT+CNMI=0,0,0,0", which is
   the last command the phone receives.
6. The same read to its end: "Phonebook.dat" holds "Servis @ auta", whose
   "@" the phone sends as the NUL byte of its GSM code.

Message boxes answer themselves (PARLENKO_TEST_AUTOANSWER) and print
"parlenko-message: caption | text" on standard error. Every wait is bounded
and polls; every child is killed when the script ends, however it ends.
"""
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.parse

CONNECT_CHAIN = ["ATZ", "ATZ", "ATE1", "AT+CMEE=1", "AT+CSCA?", "AT+CSMS=1", "AT+CNMI=1,1,0,2",
                 "AT^SMGO=1", "AT+CLIP=1", "AT^SBNR=?", "AT+CMGF=0"]
GENERAL_INFO_CHAIN = ["AT+CGMI", "AT+CGMM", "AT+CGMR", "AT+CPAS", "AT+CGSN", "AT+CIMI", "AT^SCID",
                      "AT+CCLK?", "AT+CBC", "AT+COPS=0,0", "AT+COPS?", "AT+CREG=2", "AT+CREG?", "AT+CSQ"]
NOTICES_OFF = "AT+CNMI=0,0,0,0"
CONNECT_ERROR = ("parlenko-message: Error connecting to COM2 | "
                 "Could not connect to serial port!\\r\\n\\r\\nCheck settings and try again!"
                 "\\r\\n\\r\\n%s/ports/com2: no such device.")  # % the data folder
CLOSE_QUERY = "parlenko-message: Close Parlenko | Do you really want to exit?"
IMAGES_MISSING = "parlenko-message: Error | Folder 'ParlenkoImages' is missing!"
OPTIONS = "[Options]\nSerial Port=1\nAuto Connect=1\nSplash Screen=0\n"

CHAIN_SECONDS = 20.0
EXIT_SECONDS = 3.0

_libc = ctypes.CDLL(None, use_errno=True)
_children = []
failures = []


def die_with_parent():
    # PR_SET_PDEATHSIG: a child must not outlive this script even when it is
    # killed outright (a test time-out).
    _libc.prctl(1, signal.SIGKILL)


def start(args, env=None, **kw):
    proc = subprocess.Popen(args, env=env, preexec_fn=die_with_parent, **kw)
    _children.append(proc)
    return proc


def kill_children():
    for proc in _children:
        if proc.poll() is None:
            proc.kill()
            proc.wait()


def on_signal(signum, _frame):
    kill_children()
    sys.exit(128 + signum)


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def wait_for(predicate, seconds, step=0.05):
    deadline = time.monotonic() + seconds
    while True:
        result = predicate()
        if result or time.monotonic() >= deadline:
            return result
        time.sleep(step)


def read(path):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    except FileNotFoundError:
        return ""


def logged_commands(log):
    """The command lines phonesim received, in order (milliseconds cut off)."""
    return [line.split("\t", 1)[1] for line in read(log).splitlines() if "\t" in line]


def options_values(path):
    values = {}
    for line in read(path).splitlines():
        if "=" in line:
            key, value = line.split("=", 1)
            values[urllib.parse.unquote(key.strip())] = value.strip()  # QSettings writes "Serial%20Port"
    return values


def make_home(tmp, name):
    home = os.path.join(tmp, name)
    os.makedirs(os.path.join(home, "ports"))
    with open(os.path.join(home, "Parlenko.ini"), "w") as f:
        f.write(OPTIONS)
    return home


def start_program(parlenko, home, answer, name, **more_env):
    env = dict(os.environ, PARLENKO_HOME=home, QT_QPA_PLATFORM="offscreen", PARLENKO_TEST_AUTOANSWER=answer)
    env.update(more_env)
    env.pop("XDG_DATA_HOME", None)
    stderr = os.path.join(os.path.dirname(home), name + ".stderr")
    with open(stderr, "w") as err:
        proc = start([parlenko], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=err)
    return proc, stderr


def stop_with_sigterm(proc):
    proc.send_signal(signal.SIGTERM)
    try:
        return proc.wait(timeout=EXIT_SECONDS)
    except subprocess.TimeoutExpired:
        return None


def connected_run(parlenko, phonesim, state, tmp):
    home = make_home(tmp, "connected")
    link = os.path.join(home, "ports", "com2")
    log = os.path.join(tmp, "phonesim.log")
    sim = start([phonesim, "--state", state, "--link", link, "--log", log],
                stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
    device = sim.stdout.readline().decode().strip()  # the link exists once this line is out
    if not check(device.startswith("/dev/"), "phonesim printed no device: %r" % device):
        return
    ini = os.path.join(home, "Parlenko.ini")
    proc, stderr = start_program(parlenko, home, "yes", "connected")

    expected = CONNECT_CHAIN + GENERAL_INFO_CHAIN
    wait_for(lambda: len(logged_commands(log)) >= len(expected) or proc.poll() is not None, CHAIN_SECONDS)
    sent = logged_commands(log)
    if not check(sent[:len(expected)] == expected,
                 "connect and general-information chains: expected %r, got %r" % (expected, sent)):
        return
    if not check(proc.poll() is None, "the program ended by itself (status %s)" % proc.poll()):
        return

    status = stop_with_sigterm(proc)
    check(status == 0, "SIGTERM: exit status %r, expected 0 within %g s" % (status, EXIT_SECONDS))
    check(CLOSE_QUERY not in read(stderr).splitlines(), "SIGTERM asked the close query")
    # The phone may log the last line a moment after the program has gone.
    wait_for(lambda: NOTICES_OFF in logged_commands(log), 2.0)
    sent = logged_commands(log)
    check(sent[-1:] == [NOTICES_OFF], "last command: %r, expected %r" % (sent[-3:], NOTICES_OFF))
    # Nothing else in between: no second chain, no stray command.
    check(sent == expected + [NOTICES_OFF], "whole command log: %r" % sent)
    values = options_values(ini)
    # The program writes all sixteen values; the file only held three.
    check(values.get("Device Check") == "1" and values.get("Refresh Interval") == "30",
          "the options were not saved: %r" % values)
    check(values.get("Serial Port") == "1" and values.get("Auto Connect") == "1" and
          values.get("Splash Screen") == "0", "the saved options lost the chosen values: %r" % values)

    sim.send_signal(signal.SIGTERM)
    check(sim.wait(timeout=EXIT_SECONDS) == 0, "phonesim did not end cleanly")
    check(not os.path.lexists(link), "phonesim left its link behind")


def no_phone_run(parlenko, tmp, answer):
    home = make_home(tmp, "nophone-" + answer)
    os.symlink(os.path.join(tmp, "no-such-device"), os.path.join(home, "ports", "com2"))
    ini = os.path.join(home, "Parlenko.ini")
    proc, stderr = start_program(parlenko, home, answer, "nophone-" + answer)

    error = CONNECT_ERROR % home
    shown = wait_for(lambda: error in read(stderr).splitlines() or proc.poll() is not None, CHAIN_SECONDS)
    if not check(error in read(stderr).splitlines(),
                 "no phone (%s): no connect error; stderr %r" % (answer, read(stderr))):
        return
    # The error box is answered (or left open); the program stays up, disconnected.
    check(shown and not wait_for(lambda: proc.poll() is not None, 0.5),
          "no phone (%s): the program ended after the connect error (status %s)" % (answer, proc.poll()))
    if proc.poll() is not None:
        return

    status = stop_with_sigterm(proc)
    check(CLOSE_QUERY not in read(stderr).splitlines(), "no phone (%s): SIGTERM asked the close query" % answer)
    check(status == 0, "no phone (%s): exit status %r, expected 0 within %g s" % (answer, status, EXIT_SECONDS))
    check("Device Check" in options_values(ini), "no phone (%s): the options were not saved: %r" % (answer, read(ini)))


def start_up_box_run(parlenko, tmp):
    home = make_home(tmp, "startup-box")
    ini = os.path.join(home, "Parlenko.ini")
    proc, stderr = start_program(parlenko, home, "wait", "startup-box",
                                 PARLENKO_IMAGES_DIR=os.path.join(tmp, "no-such-images"))
    shown = wait_for(lambda: any(line.startswith(IMAGES_MISSING) for line in read(stderr).splitlines())
                     or proc.poll() is not None, CHAIN_SECONDS)
    if not check(shown and proc.poll() is None,
                 "start-up box: not shown and waiting (status %s); stderr %r" % (proc.poll(), read(stderr))):
        return
    status = stop_with_sigterm(proc)
    check(status == 0, "start-up box: exit status %r, expected 0 within %g s" % (status, EXIT_SECONDS))
    check(CLOSE_QUERY not in read(stderr).splitlines(), "start-up box: SIGTERM asked the close query")
    check(read(ini) == OPTIONS, "start-up box: the options file changed: %r" % read(ini))


def start_x_server():
    """A private X server for the runs that press keys; its display name."""
    read_end, write_end = os.pipe()
    start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
          pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
          stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    return ":" + number if number else None


def press_keys(display, *keys):
    """Focuses the main window and presses keys as a user would; False when
    the window was not found."""
    env = dict(os.environ, DISPLAY=display)
    try:
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Parlenko$"],
                               env=env, capture_output=True, text=True, timeout=10)
        window = found.stdout.split()[0] if found.stdout.split() else None
        if window is None:
            return False
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, timeout=10, check=True)
        time.sleep(0.5)  # the window takes the focus in its own time
        for key in keys:
            subprocess.run(["xdotool", "key", key], env=env, timeout=10, check=True)
            time.sleep(0.3)
    except (subprocess.SubprocessError, OSError):
        return False
    return True


def start_on_display(parlenko, phonesim, state, tmp, display, name, phone_options):
    """The simulated phone (with phone_options) and the program on display;
    returns the program's home, the phone's log, the program and its standard
    error file."""
    home = make_home(tmp, name)
    log = os.path.join(tmp, name + ".phonesim.log")
    start([phonesim, "--state", state, "--link", os.path.join(home, "ports", "com2"), "--log", log]
          + phone_options, stdout=subprocess.PIPE, stdin=subprocess.DEVNULL).stdout.readline()
    proc, stderr = start_program(parlenko, home, "yes", name, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    return home, log, proc, stderr


def chains_ran(proc, log, name):
    """Waits for the connect and general-information chains; False (a failure
    said) when the phone did not get them or the program ended."""
    expected = CONNECT_CHAIN + GENERAL_INFO_CHAIN
    wait_for(lambda: len(logged_commands(log)) >= len(expected) or proc.poll() is not None, CHAIN_SECONDS)
    return check(logged_commands(log)[:len(expected)] == expected and proc.poll() is None,
                 "%s: the chains did not run: %r" % (name, logged_commands(log)))


def signal_during_read_run(parlenko, phonesim, state, tmp, display, signum):
    """The phonebook read runs (the menu "Telefonski imenik", "Prikaži
    podatke", on a phone answering 60 ms late) when the signal comes: the
    read ends first, "AT+CNMI=0,0,0,0" waits for the answer of the command in
    flight and is the last command; the program ends within 3 s."""
    name = "read-" + signal.Signals(signum).name
    latency = 60
    home, log, proc, stderr = start_on_display(parlenko, phonesim, state, tmp, display, name,
                                               ["--latency", str(latency)])
    if not chains_ran(proc, log, name):
        return
    if not start_phonebook_read(display, log, name):
        return
    if not check(wait_for(lambda: "AT+CPBR=3" in logged_commands(log), CHAIN_SECONDS),
                 "%s: the phonebook read did not start: %r" % (name, logged_commands(log)[-5:])):
        return
    proc.send_signal(signum)
    try:
        status = proc.wait(timeout=EXIT_SECONDS)
    except subprocess.TimeoutExpired:
        status = None
    check(status == 0, "%s: exit status %r, expected 0 within %g s" % (name, status, EXIT_SECONDS))
    check(CLOSE_QUERY not in read(stderr).splitlines(), "%s: the close query was asked" % name)
    time.sleep(0.5)  # the phone logs the last line a moment after the program has gone
    lines = [line.split("\t", 1) for line in read(log).splitlines() if "\t" in line]
    sent = [text for _, text in lines]
    if not check(sent[-1:] == [NOTICES_OFF], "%s: last commands %r, expected %r last" % (name, sent[-3:], NOTICES_OFF)):
        return
    # The closing command follows the read's last command, after its answer
    # came back; no command of the read after it.
    before_ms, before = lines[-2]
    check(before.startswith("AT+CPBR=") and int(lines[-1][0]) - int(before_ms) >= latency - 10,
          "%s: the closing command did not wait for the read's answer: %r" % (name, lines[-3:]))
    check(sent.count(NOTICES_OFF) == 1, "%s: %s written %d times" % (name, NOTICES_OFF, sent.count(NOTICES_OFF)))


def start_phonebook_read(display, log, name):
    """Presses the menu "Telefonski imenik", "Prikaži podatke" (again when the
    first keys came before the window listened); False when the read did not
    start."""
    for _ in range(3):
        if not check(press_keys(display, "Escape", "alt+t", "Return"),
                     "%s: could not press keys in the main window" % name):
            return False
        if wait_for(lambda: 'AT+CPBS="SM"' in logged_commands(log), 3.0):
            return True
    return check(False, "%s: the phonebook read did not start: %r" % (name, logged_commands(log)[-5:]))


def whole_read_run(parlenko, phonesim, state, tmp, display):
    """The phonebook read to its end keeps every letter in the cache."""
    name = "whole-read"
    home, log, proc, stderr = start_on_display(parlenko, phonesim, state, tmp, display, name, [])
    if not chains_ran(proc, log, name):
        return
    if not start_phonebook_read(display, log, name):
        return
    cache = os.path.join(home, "Phonebook.dat")
    wait_for(lambda: os.path.exists(cache) and b"Servis @ auta" in open(cache, "rb").read(), 60.0)
    held = open(cache, "rb").read() if os.path.exists(cache) else b""
    check(b"\x0dServis @ auta" in held, "%s: Phonebook.dat does not hold \"Servis @ auta\"" % name)
    check(not [l for l in read(stderr).splitlines() if l.startswith("parlenko-message:")],
          "%s: messages %r" % (name, read(stderr)))
    status = stop_with_sigterm(proc)
    check(status == 0, "%s: exit status %r, expected 0 within %g s" % (name, status, EXIT_SECONDS))


def start_display():
    """An X server for the runs that click, or None (a failure said) when it
    cannot start."""
    # Both come with the test packages of scripts/deps.
    missing = [tool for tool in ("Xvfb", "xdotool") if shutil.which(tool) is None]
    check(not missing, "missing %s (scripts/deps installs it)" % " and ".join(missing))
    display = start_x_server() if not missing else None
    check(missing or display is not None, "Xvfb did not start")
    return display


def run_scenarios(scenarios):
    """Runs each (name, run) and prints whether it added a failure."""
    for name, run in scenarios:
        before = len(failures)
        started = time.monotonic()
        run()
        print("%s: %s (%.1f s)" % ("ok" if len(failures) == before else "FAILED", name,
                                   time.monotonic() - started))
        sys.stdout.flush()


def end_runs(tmp):
    """Stops what the runs left running and, after a failure, prints the end
    of every file they left in tmp (the programs' logs) before removing it."""
    kill_children()
    if failures:
        for name in sorted(os.listdir(tmp)):
            path = os.path.join(tmp, name)
            if os.path.isfile(path):
                print("--- %s\n%s" % (name, read(path).rstrip()[-3000:]))
    shutil.rmtree(tmp, ignore_errors=True)


def report():
    """Prints every failure; the exit status of the run."""
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


def script_main(doc, prefix, scenarios_for):
    """The body of a run script: PARLENKO PHONESIM STATE_FILE from the command
    line, the scenarios scenarios_for(parlenko, phonesim, state, tmp) lists,
    everything started stopped at the end; the exit status."""
    if len(sys.argv) != 4:
        print(doc)
        return 2
    parlenko, phonesim, state = sys.argv[1:4]
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)
    tmp = tempfile.mkdtemp(prefix=prefix)
    try:
        run_scenarios(scenarios_for(parlenko, phonesim, state, tmp))
    finally:
        end_runs(tmp)
    return report()


def scenarios(parlenko, phonesim, state, tmp):
    listed = [("connected, SIGTERM", lambda: connected_run(parlenko, phonesim, state, tmp)),
              ("no phone, SIGTERM", lambda: no_phone_run(parlenko, tmp, "yes")),
              ("no phone, its box left open, SIGTERM", lambda: no_phone_run(parlenko, tmp, "wait")),
              ("start-up box left open, SIGTERM", lambda: start_up_box_run(parlenko, tmp))]
    display = start_display()
    listed.append(("a whole phonebook read keeps every letter",
                   lambda: display and whole_read_run(parlenko, phonesim, state, tmp, display)))
    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        listed.append(("a phonebook read, %s" % signal.Signals(signum).name,
                       lambda signum=signum: display and signal_during_read_run(
                           parlenko, phonesim, state, tmp, display, signum)))
    return listed


if __name__ == "__main__":
    sys.exit(script_main(__doc__, "parlenko-run-", scenarios))
