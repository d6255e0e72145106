#!/usr/bin/env bash
# Runs a command under a window manager on the current X display (Xvfb):
#   tests/ui/with_window_manager.sh COMMAND [ARGS...]
# openbox manages the windows while the command runs (the windows' titles,
# stacking and activation are then the window manager's, as on a desktop);
# without openbox the command runs alone.
set -u
wm=""
if command -v openbox >/dev/null 2>&1; then
    openbox --sm-disable --config-file "$(dirname "$0")/openbox-rc.xml" >/dev/null 2>&1 &
    wm=$!
fi
"$@"
status=$?
if [ -n "$wm" ]; then
    kill "$wm" 2>/dev/null
    wait "$wm" 2>/dev/null
fi
exit "$status"
