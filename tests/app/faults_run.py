#!/usr/bin/python3
"""The whole program against a misbehaving phone and damaged data files.

    faults_run.py PARLENKO PHONESIM STATE_FILE

Each run plays one fault with `phonesim --faults FILE` (or a data folder
prepared for it) and checks what a user would see:

1. "Phonebook.dat" is a folder, a pipe nobody writes, a link to /dev/zero:
   the program starts within 2 s with one message naming the file, keeps
   running, and SIGINT ends it with status 0. A cache with junk among its
   records: one message with the count of entries left out; the temporary
   files of writes a killed program left in the data folder and of backups
   in its "Backup" folder are removed at the start, nothing else.
2. "RING" and "+CLIP:" arrive in the chunk of an answer's "OK", between a
   command's echo and its answer, and between an answer and its "OK": the
   call is shown and the general-information chain still runs to its end.
3. Line noise without a carriage return follows every answer of the
   connect chain: the chain and the general-information chain still run.
4. Nothing answers on the port: one "Communication error!" message, and
   the port is left closed (another opener may take it).
5. The phone fails inside the connect and information chains: it falls
   silent after a command, refuses "ATE1", puts a NUL byte before an "OK",
   sends lines the program does not know inside an exchange or a long run
   of noise, or a new-message notice inside the first reset while it
   answers late. Either the chains run to their end with no message, or
   exactly one "Communication error!" names the command, and the port is
   left closed. A notice waits until the chains are done.

Message boxes answer themselves (PARLENKO_TEST_AUTOANSWER). Every wait is
bounded; every child is killed when the script ends, however it ends.
"""
import errno
import fcntl
import os
import signal
import subprocess
import sys
import threading
import time

from program_run import (CONNECT_CHAIN, GENERAL_INFO_CHAIN, check, logged_commands, make_home,
                         read, script_main, start, start_program, stop_with_sigterm, wait_for)

MESSAGE = "parlenko-message: "
COMMUNICATION_ERROR = MESSAGE + "Communication error! | Cannot send data!"
OPTIONS_NO_CONNECT = "[Options]\nSerial Port=1\nAuto Connect=0\nSplash Screen=0\n"


def messages(stderr):
    return [line for line in read(stderr).splitlines() if line.startswith(MESSAGE)]


def start_phone(phonesim, state, home, tmp, name, script):
    faults = os.path.join(tmp, name + ".faults")
    with open(faults, "w") as f:
        f.write(script)
    link = os.path.join(home, "ports", "com2")
    log = os.path.join(tmp, name + ".phonesim.log")
    sim = start([phonesim, "--state", state, "--link", link, "--log", log, "--faults", faults],
                stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
    device = sim.stdout.readline().decode().strip()
    check(device.startswith("/dev/"), "%s: phonesim printed no device: %r" % (name, device))
    return sim, device, log


def port_is_free(device):
    """Whether another opener could take the port the program opened."""
    try:
        fd = os.open(device, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
    except OSError as e:
        return e.errno not in (errno.EBUSY, errno.EAGAIN)
    try:
        fcntl.flock(fd, fcntl.LOCK_EX | fcntl.LOCK_NB)
        return True
    except OSError:
        return False
    finally:
        os.close(fd)


def unreadable_cache_runs(parlenko, tmp):
    makers = [("folder", os.mkdir), ("pipe", os.mkfifo),
              ("device link", lambda path: os.symlink("/dev/zero", path))]
    for kind, make in makers:
        name = "cache-" + kind.replace(" ", "-")
        home = make_home(tmp, name)
        with open(os.path.join(home, "Parlenko.ini"), "w") as f:
            f.write(OPTIONS_NO_CONNECT)
        make(os.path.join(home, "Phonebook.dat"))
        started = time.monotonic()
        proc, stderr = start_program(parlenko, home, "yes", name)
        shown = wait_for(lambda: messages(stderr) or proc.poll() is not None, 2.0)
        check(shown and time.monotonic() - started <= 2.0 and proc.poll() is None,
              "cache %s: no message within 2 s, or the program ended (status %r); stderr %r"
              % (kind, proc.poll(), read(stderr)))
        wait_for(lambda: proc.poll() is not None, 0.5)
        got = messages(stderr)
        check(len(got) == 1 and "Phonebook.dat" in got[0],
              "cache %s: expected one message naming the file, got %r" % (kind, got))
        proc.send_signal(signal.SIGINT)
        try:
            status = proc.wait(timeout=3.0)
        except subprocess.TimeoutExpired:
            status = None
        check(status == 0, "cache %s: SIGINT gave status %r, expected 0" % (kind, status))


def damaged_cache_run(parlenko, tmp):
    """A cache with two sound records among junk, and the temporary files of
    writes a killed program left: one message with the count, the temporary
    files gone, everything else kept."""
    home = make_home(tmp, "cache-damaged")
    with open(os.path.join(home, "Parlenko.ini"), "w") as f:
        f.write(OPTIONS_NO_CONNECT)

    def record(name, number):
        def field(text, width):
            return bytes([len(text)]) + text + bytes(width - len(text))
        return field(name, 16) + field(number, 32) + field(b"SIM card", 20) + field(b"001", 4)

    junk = b"\xff" * (3 * 76)
    with open(os.path.join(home, "Phonebook.dat"), "wb") as f:
        f.write(record(b"Ana", b"0911") + junk + record(b"Ivo", b"0922") + b"\x05tail")
    os.makedirs(os.path.join(home, "Backup"))
    stale = ["Phonebook.dat.tmp4242_0", "Locations.dat.tmp17_3", "ParlenkoLogo.bmp.tmp9_1",
             os.path.join("Backup", "Imenik.pbb.tmp4242_1")]
    kept = ["Phonebook.dat.tmp", "Phonebook.dat.tmp12_x", "notes.txt.tmp1_1", "notes.txt",
            os.path.join("Backup", "Imenik.pbb")]
    for name in stale + kept:
        with open(os.path.join(home, name), "w") as f:
            f.write("x")
    proc, stderr = start_program(parlenko, home, "yes", "cache-damaged")
    wait_for(lambda: messages(stderr) or proc.poll() is not None, 5.0)
    wait_for(lambda: proc.poll() is not None, 0.5)  # a second message would come at once
    got = messages(stderr)
    check(len(got) == 1 and got[0].startswith(MESSAGE + "Error | Phonebook file is damaged!")
          and "4 entries could not be read" in got[0],
          "damaged cache: expected one message counting 4 entries, got %r" % got)
    left = os.listdir(home) + [os.path.join("Backup", name) for name in os.listdir(os.path.join(home, "Backup"))]
    check(not any(name in left for name in stale), "damaged cache: stale temporary files left: %r" % left)
    check(all(name in left for name in kept), "damaged cache: other files removed: %r" % left)
    check(proc.poll() is None, "damaged cache: the program ended (status %r)" % proc.poll())
    status = stop_with_sigterm(proc)
    check(status == 0, "damaged cache: SIGTERM gave status %r, expected 0" % status)


def chain_run(parlenko, phonesim, state, tmp, name, script):
    """Runs the program against a phone with the fault script; returns the
    commands the phone received and the program's messages."""
    home = make_home(tmp, name)
    sim, device, log = start_phone(phonesim, state, home, tmp, name, script)
    proc, stderr = start_program(parlenko, home, "yes", name)
    expected = CONNECT_CHAIN + GENERAL_INFO_CHAIN
    wait_for(lambda: len(logged_commands(log)) >= len(expected) or proc.poll() is not None, 20.0)
    sent = logged_commands(log)
    shown = messages(stderr)
    check(proc.poll() is None, "%s: the program ended (status %r)" % (name, proc.poll()))
    stop_with_sigterm(proc)
    sim.send_signal(signal.SIGTERM)
    sim.wait(timeout=5)
    return sent[:len(expected)] == expected, sent, shown


def call_in_an_answer_run(parlenko, phonesim, state, tmp):
    script = ("# A call comes in just as the software version is answered, and inside\n"
              "# the exchanges of the serial number and the subscriber identity.\n"
              "after AT+CGMR unsolicited RING\n"
              "after AT+CGMR unsolicited +CLIP: \"+385911234567\",145\n"
              "after AT+CGSN before-answer RING\n"
              "after AT+CGSN before-answer +CLIP: \"+385911234567\",145\n"
              "after AT+CIMI before-result RING\n")
    whole, sent, shown = chain_run(parlenko, phonesim, state, tmp, "call", script)
    check(whole, "call in an answer: the chain stopped: %r" % sent)
    check(not shown, "call in an answer: messages %r" % shown)


def noise_after_an_answer_run(parlenko, phonesim, state, tmp):
    script = "".join("after %s raw \\x7f~#\\x00\n" % command for command in CONNECT_CHAIN[2:])
    whole, sent, shown = chain_run(parlenko, phonesim, state, tmp, "noise", script)
    check(whole, "noise after an answer: the chain stopped: %r" % sent)
    check(not shown, "noise after an answer: messages %r" % shown)


def nothing_answers_run(parlenko, phonesim, state, tmp):
    home = make_home(tmp, "silent")
    sim, device, log = start_phone(phonesim, state, home, tmp, "silent", "at 0 silent 600000\n")
    proc, stderr = start_program(parlenko, home, "yes", "silent")
    wait_for(lambda: messages(stderr) or proc.poll() is not None, 15.0)
    wait_for(lambda: proc.poll() is not None, 1.0)  # a second message would come at once
    got = messages(stderr)
    check(got and all(m.startswith(COMMUNICATION_ERROR) for m in got) and len(got) == 1,
          "nothing answers: expected one communication error, got %r" % got)
    check(proc.poll() is None, "nothing answers: the program ended (status %r)" % proc.poll())
    check(port_is_free(device), "nothing answers: the program still holds the port")
    stop_with_sigterm(proc)
    sim.send_signal(signal.SIGTERM)
    sim.wait(timeout=5)


NO_ANSWER = MESSAGE + "Communication error! | Mobile stopped answering!"
CHAINS = CONNECT_CHAIN + GENERAL_INFO_CHAIN


def failing_phone_run(parlenko, phonesim, state, tmp, name, script, expect, latency=None):
    """One fault script; expect is "whole" (the chains run to their end, no
    message) or the command the one message must name."""
    home = make_home(tmp, name)
    faults = os.path.join(tmp, name + ".faults")
    with open(faults, "w") as f:
        f.write(script)
    link = os.path.join(home, "ports", "com2")
    log = os.path.join(tmp, name + ".phonesim.log")
    args = [phonesim, "--state", state, "--link", link, "--log", log, "--faults", faults]
    if latency:
        args += ["--latency", str(latency)]
    sim = start(args, stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
    device = sim.stdout.readline().decode().strip()
    proc, stderr = start_program(parlenko, home, "yes", name)
    if expect == "whole":
        wait_for(lambda: len(logged_commands(log)) >= len(CHAINS) or proc.poll() is not None, 30.0)
        time.sleep(1.0)  # a message would follow at once
    else:
        wait_for(lambda: messages(stderr) or proc.poll() is not None, 25.0)
        time.sleep(1.0)  # a second message would follow at once
    sent = logged_commands(log)
    shown = messages(stderr)
    check(proc.poll() is None, "%s: the program ended (status %r)" % (name, proc.poll()))
    if expect == "whole":
        check(sent[:len(CHAINS)] == CHAINS, "%s: the chains stopped: %r" % (name, sent))
        check(not shown, "%s: messages %r" % (name, shown))
    else:
        check(len(shown) == 1 and shown[0].startswith(MESSAGE + "Communication error!")
              and '"%s"' % expect in shown[0],
              "%s: expected one communication error naming %s, got %r" % (name, expect, shown))
        check(port_is_free(device), "%s: the program still holds the port" % name)
    stop_with_sigterm(proc)
    sim.send_signal(signal.SIGTERM)
    sim.wait(timeout=5)
    return sent


def failing_chain_runs(parlenko, phonesim, state, tmp):
    runs = [("silent " + c, "after %s silent\n" % c, c)
            for c in ["ATE1", "AT+CMEE=1", "AT+CNMI=1,1,0,2", "AT+CMGF=0", "AT+CGMI", "AT+CCLK?",
                      "AT+COPS?"]]
    runs += [("echo refused", "after ATE1 answer ERROR\n", "ATE1"),
             ("nul before ok", "after AT+CGSN answer \\x00OK\n", "whole"),
             ("unknown lines", "after AT+CGMI before-result HELLO\n"
              "after AT+CREG? before-result ^SBC: Undervoltage\n"
              "after AT+CPAS before-answer +CUSD: 0,\"Stanje\",15\n", "whole"),
             ("long noise", "after AT+CGMM raw " + "#" * 24000 + "\n", "whole")]
    threads = []
    for name, script, expect in runs:
        key = name.replace(" ", "-").replace("+", "").replace("?", "").replace("=", "-")
        t = threading.Thread(target=failing_phone_run,
                             args=(parlenko, phonesim, state, tmp, key, script, expect))
        t.start()
        threads.append(t)
    # A notice inside the first reset of a phone that answers late waits for
    # the chains: nothing is written between them.
    late = failing_phone_run(parlenko, phonesim, state, tmp, "notice-in-reset",
                             "after ATZ before-result +CMTI: \"SM\",4\n", "whole", latency=60)
    check(late[len(CHAINS):len(CHAINS) + 2] == ["AT+CPMS=\"SM\",\"SM\",\"SM\"", "AT+CMGR=4"],
          "notice in the reset: expected the message read after the chains, got %r" % late)
    for t in threads:
        t.join()


def scenarios(parlenko, phonesim, state, tmp):
    return [("unreadable caches", lambda: unreadable_cache_runs(parlenko, tmp)),
            ("a damaged cache, stale temporary files", lambda: damaged_cache_run(parlenko, tmp)),
            ("a call in an answer", lambda: call_in_an_answer_run(parlenko, phonesim, state, tmp)),
            ("noise after an answer", lambda: noise_after_an_answer_run(parlenko, phonesim, state, tmp)),
            ("nothing answers", lambda: nothing_answers_run(parlenko, phonesim, state, tmp)),
            ("a phone failing inside the chains",
             lambda: failing_chain_runs(parlenko, phonesim, state, tmp))]


if __name__ == "__main__":
    sys.exit(script_main(__doc__, "parlenko-faults-", scenarios))
