#!/usr/bin/python3
"""The program as `cmake --install` leaves it, started from its prefix.

    installed_run.py PREFIX VERSION PHONESIM STATE_FILE

1. The prefix holds the program, its pictures and country list, the desktop
   file, the icon in the hicolor theme, the AppStream metadata (whose newest
   release is this version) and the manual page.
2. `parlenko --version`, `--help` (which names the files and the environment)
   and `--help-all` (which adds the toolkit's options) answer on standard
   output and end, with no display to open; a toolkit option with its value
   is taken; an unknown option or a stray argument ends with status 2 and a
   short message naming --help.
3. Started headless against the simulated phone, the installed program finds
   its pictures in the prefix (nothing "missing") and runs the connect and
   general-information chains; SIGTERM ends it.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app"))
import program_run as run  # noqa: E402  (the whole-program run's helpers)

APP_ID = "org.example.parlenko"
INSTALLED = ["bin/parlenko",
             "share/parlenko/ParlenkoImages/S45.jpg",
             "share/parlenko/ParlenkoImages/engGeneralBar.jpg",
             "share/parlenko/CountryList.dat",
             "share/applications/%s.desktop" % APP_ID,
             "share/metainfo/%s.metainfo.xml" % APP_ID,
             "share/icons/hicolor/48x48/apps/%s.png" % APP_ID,
             "share/icons/hicolor/256x256/apps/%s.png" % APP_ID,
             "share/man/man1/parlenko.1"]


def answers(parlenko, version):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}

    def ask(*arguments):
        return subprocess.run([parlenko, *arguments], env=env, capture_output=True, text=True, timeout=10)

    done = ask("--version")
    run.check(done.returncode == 0 and done.stdout == "Parlenko %s\n" % version,
              "--version: status %d, %r %r" % (done.returncode, done.stdout, done.stderr))
    done = ask("--help")
    named = ["Usage:", "--version", "--help-all", "Parlenko.ini", "Phonebook.dat", "ports/comN",
             "PARLENKO_HOME", "XDG_DATA_HOME", "PARLENKO_MIDI_PLAYER"]
    missing = [word for word in named if word not in done.stdout]
    run.check(done.returncode == 0 and not missing and "-platform" not in done.stdout,
              "--help: status %d, lacks %r: %r %r" % (done.returncode, missing, done.stdout, done.stderr))
    help_all = ask("--help-all")
    run.check(help_all.returncode == 0 and all(word in help_all.stdout for word in named)
              and "-platform <platformName[:options]>" in help_all.stdout and "-style <style>" in help_all.stdout,
              "--help-all: status %d, %r %r" % (help_all.returncode, help_all.stdout, help_all.stderr))
    done = ask("-style", "Fusion", "-platform=offscreen", "--version")  # the toolkit's, then ours
    run.check(done.returncode == 0 and done.stdout == "Parlenko %s\n" % version,
              "a toolkit option before --version: status %d, %r %r" % (done.returncode, done.stdout, done.stderr))
    for arguments, word in ((["--no-such-option"], "no-such-option"), (["stray"], "stray")):
        done = ask(*arguments)
        run.check(done.returncode == 2 and done.stdout == "" and word in done.stderr
                  and "--help" in done.stderr and len(done.stderr.splitlines()) <= 2,
                  "%r: status %d, %r %r" % (arguments, done.returncode, done.stdout, done.stderr))


def newest_release(prefix):
    """The version of the AppStream metadata's newest release entry."""
    root = ElementTree.parse(os.path.join(prefix, "share/metainfo/%s.metainfo.xml" % APP_ID)).getroot()
    releases = root.findall("./releases/release")
    return releases[0].get("version") if releases else None


def runs_against_the_phone(parlenko, phonesim, state, tmp):
    home = run.make_home(tmp, "installed")
    log = os.path.join(tmp, "phonesim.log")
    sim = run.start([phonesim, "--state", state, "--link", os.path.join(home, "ports", "com2"), "--log", log],
                    stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
    device = sim.stdout.readline().decode().strip()  # the link exists once this line is out
    if not run.check(device.startswith("/dev/"), "phonesim printed no device: %r" % device):
        return
    proc, stderr = run.start_program(parlenko, home, "yes", "installed")
    expected = run.CONNECT_CHAIN + run.GENERAL_INFO_CHAIN
    run.wait_for(lambda: len(run.logged_commands(log)) >= len(expected) or proc.poll() is not None,
                 run.CHAIN_SECONDS)
    sent = run.logged_commands(log)
    run.check(sent[:len(expected)] == expected, "chains: expected %r, got %r" % (expected, sent))
    run.check("missing" not in run.read(stderr) and "Cannot open picture" not in run.read(stderr),
              "the installed program did not find its pictures: %r" % run.read(stderr))
    if run.check(proc.poll() is None, "the program ended by itself (status %s)" % proc.poll()):
        status = run.stop_with_sigterm(proc)
        run.check(status == 0, "SIGTERM: exit status %r" % status)
    sim.send_signal(signal.SIGTERM)
    sim.wait(timeout=run.EXIT_SECONDS)


def main():
    if len(sys.argv) != 5:
        print(__doc__)
        return 2
    prefix, version, phonesim, state = sys.argv[1:5]
    signal.signal(signal.SIGTERM, run.on_signal)
    signal.signal(signal.SIGINT, run.on_signal)
    os.environ.pop("PARLENKO_IMAGES_DIR", None)  # the program must find its own
    for path in INSTALLED:
        run.check(os.path.isfile(os.path.join(prefix, path)), "not installed: %s" % path)
    parlenko = os.path.join(prefix, "bin", "parlenko")
    tmp = tempfile.mkdtemp(prefix="parlenko-installed-")
    try:
        answers(parlenko, version)
        release = newest_release(prefix)
        run.check(release == version, "metainfo: newest release %r, the program is %s" % (release, version))
        runs_against_the_phone(parlenko, phonesim, state, tmp)
    finally:
        run.kill_children()
        if run.failures:
            for name in sorted(os.listdir(tmp)):
                path = os.path.join(tmp, name)
                if os.path.isfile(path):
                    print("--- %s\n%s" % (name, run.read(path).rstrip()))
        shutil.rmtree(tmp, ignore_errors=True)
    for f in run.failures:
        print("FAIL:", f)
    return 1 if run.failures else 0


if __name__ == "__main__":
    sys.exit(main())
