#!/usr/bin/env bash
# Pictures of the windows as a person sees them, for review:
#   tests/ui/screenshots.sh OUTDIR
# builds the window tests (in $PARLENKO_BUILD_DIR, default build/) and runs
# their screenshot cases under Xvfb with a window manager (openbox, when it is
# installed; each window is taken with the title bar it shows there). It writes main.png (the main window
# connected to the simulated phone, its general page filled), advanced.png
# (the advanced page's tab bar), melodies.png and logo.png (its melody and
# logo sub-pages), logo-read.png (the logo page after reading the simulated
# S45's operator logo), savenet.png (naming the cell), menu.png (the
# "&Parlenko" menu open), options.png (the options window; options-comm.png
# its second tab, options-ports.png its port list open on two USB cables),
# settings.png (the settings page read from the simulated
# phone), diverts.png, barrings.png and locks.png (the advanced sub-pages
# after their checks against the simulated phone), divert.png, barring.png,
# lock.png and code.png (their dialogs), splash.png, about.png, progress.png,
# status.png, message.png, unsupported.png (the question before text the phone
# cannot store whole is written),
# balloon.png (a validation balloon beside a line edit, and an ordinary
# tooltip), calls.png (the call lists page after the read), dial.png,
# talking.png, newcall.png, balance.png, appointments.png (the appointments
# page after a read), appointment-editor.png (the editor open on a phone
# call), appointments-off.png (a meeting whose alarm is off), the backup
# wizard's backup-start.png, backup-noname.png (the location page without a
# name: no way on), restore-list.png,
# restore-progress.png and restore-end.png (the entries the phone refused), phonebook.png (the phonebook page after a read),
# export.png (its export button's menu open), entry.png (the entry dialog
# with the balloon of a name the phone cannot store), countries.png (the
# country-code picker), sms.png (the SMS page read from the simulated S45),
# compose.png (the compose window), compose-notice.png (the compose window's
# balloon inside it, the new-message notice in front of both), smsmem.png (the recipient of a stored
# message), newsms.png (the new-message notice) and outlook-calendar.png (the
# calendar exchange over a store of three appointments), phonebook-menu.png
# (the phonebook menu with its sub-menus open), and the whole screen as the
# window manager shows it: wm-progress.png and wm-status.png (the progress and
# status windows with their own captions), wm-contacts-entry.png and
# wm-contacts-folders.png (the entry dialog and the folder choice in front of
# the contacts exchange), wm-already-active.png (the box of a second start in
# front of the running copy) into OUTDIR.
set -euo pipefail
out="${1:?usage: tests/ui/screenshots.sh OUTDIR}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${PARLENKO_BUILD_DIR:-$root/build}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja
cmake --build "$build" --target ui_tests parlenko_images
PARLENKO_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/tests/ui/with_window_manager.sh" \
    "$build/tests/ui_tests" --gtest_filter='Screenshots*:WindowManager*'
ls -1 "$out"/*.png
