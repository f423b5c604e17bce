#!/usr/bin/env bash
# Starts the real program once, unattended: with QOR_QUIT_AFTER_START=1 it shows its main window, runs
# one idle pass and must exit 0. Settings, data and home live in a temporary folder; a second start
# then opens the sample truck the first one copied.
set -euo pipefail
bin="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_FONT_DPI=96 QOR_QUIT_AFTER_START=1
# The graphics driver is unloaded before a sanitizer build's leak check runs, so its allocations show
# without a module name and no suppression can name them; the in-process tests check our own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
run() {
    if command -v xvfb-run >/dev/null; then
        QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1000x24" "$bin" "$@"
    else
        QT_QPA_PLATFORM=offscreen "$bin" "$@"
    fi
}
run
root="$(find "$XDG_DATA_HOME" -type d -name 'QOR Load Planning' | head -1)"
test -n "$root" || { echo "no per-user folder was made"; exit 1; }
truck="$(find "$root" -path '*/Samples/vehicles/*' -name '*.qor' | head -1)"
test -f "$truck" || { echo "no sample vehicle was copied"; exit 1; }
run "$truck"
# The lock is given back at exit.
test ! -e "$root/lock.tmp" || { echo "lock.tmp left behind"; exit 1; }
echo "started and ended twice"
