#!/usr/bin/python3
"""scripts/demo never deletes what the user saved.

    demo_run.py SOURCE_DIR BUILD_DIR

The demo runs headless on the tree BUILD_DIR (as PARLENKO_BUILD_DIR) with the
simulated phone, and is ended as Ctrl-C would end it (the script passes the
signal on to the program).

1. Nothing saved: the data folder is gone when the script ends, also with the
   operator logo the logo page keeps there on its own.
2. An export and a backup saved in the data folder while it runs: the folder
   is kept, and the script names it and both files.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import program_run as run  # noqa: E402  (the whole-program run's helpers)

SAVED = ["Backup/20261207.pbb", "Export/phonebook.csv"]
# What the program writes there on its own: the logo as last read.
OWN = ["ParlenkoLogo.bmp"]


def demo_run(source, build, tmp, save):
    env = dict(os.environ, PARLENKO_BUILD_DIR=build, TMPDIR=tmp, QT_QPA_PLATFORM="offscreen",
               PARLENKO_TEST_AUTOANSWER="yes")
    for name in ("PARLENKO_HOME", "XDG_DATA_HOME"):
        env.pop(name, None)
    out_path = os.path.join(tmp, "demo-%s.out" % save)
    with open(out_path, "w") as out:
        demo = run.start([os.path.join(source, "scripts", "demo")], env=env, stdin=subprocess.DEVNULL,
                         stdout=out, stderr=subprocess.STDOUT)

    def home():
        for line in run.read(out_path).splitlines():
            if line.startswith("demo: simulated phone on ") and ", data folder " in line:
                return line.split(", data folder ", 1)[1]
        return None

    folder = run.wait_for(lambda: home() or demo.poll() is not None and "ended", 120.0)
    if not run.check(folder and folder != "ended", "demo did not start: %r" % run.read(out_path)):
        return
    started = run.wait_for(lambda: os.path.exists(os.path.join(folder, "parlenko.lock")), 20.0)
    run.check(started, "the program did not start in %s: %r" % (folder, run.read(out_path)))
    for name in OWN:
        with open(os.path.join(folder, name), "w") as f:
            f.write("written by the program\n")
    if save:
        for name in SAVED:
            os.makedirs(os.path.dirname(os.path.join(folder, name)), exist_ok=True)
            with open(os.path.join(folder, name), "w") as f:
                f.write("saved by the user\n")
    demo.send_signal(signal.SIGINT)
    try:
        status = demo.wait(timeout=20)
    except subprocess.TimeoutExpired:
        status = None
    output = run.read(out_path)
    run.check(status == 0, "demo (saved %s): status %r, %r" % (save, status, output))
    if save:
        run.check(all(os.path.isfile(os.path.join(folder, name)) for name in SAVED),
                  "the saved files are gone: %r" % output)
        run.check(("demo: kept the data folder %s" % folder) in output
                  and all(("  " + name) in output.splitlines() for name in SAVED),
                  "the demo did not say where the files are: %r" % output)
    else:
        run.check(not os.path.exists(folder), "nothing saved, and %s is still there: %r" % (folder, output))
        run.check("kept" not in output, "nothing saved, and the demo says it kept something: %r" % output)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    source, build = sys.argv[1:3]
    signal.signal(signal.SIGTERM, run.on_signal)
    tmp = tempfile.mkdtemp(prefix="parlenko-demo-run-")
    try:
        demo_run(source, build, tmp, save=False)
        demo_run(source, build, tmp, save=True)
    finally:
        run.kill_children()
        shutil.rmtree(tmp, ignore_errors=True)
    for f in run.failures:
        print("FAIL:", f)
    return 1 if run.failures else 0


if __name__ == "__main__":
    sys.exit(main())
