#!/usr/bin/env bash
# Start-up and idle figures of the program under a virtual X server:
#   startup_ms        median of 10 runs, each opening the sample truck, from process start until the main
#                     window is shown with the truck and the first idle pass has run
#                     (QOR_QUIT_AFTER_START=1: no splash time, quit after that pass),
#                     process exit included;
#   idle_cpu_percent  processor time (user + system, as getrusage counts it, read from /proc) of the
#                     program over 2 s while its main window stands idle with the truck open, in percent
#                     of one core;
#   idle_3d_tab_cpu_percent    the same with the 3D tab shown (clicked with xdotool);
#   idle_after_3d_cpu_percent  the same on the vehicle tab again, after the 3D tab was shown.
# Settings and data folders live in a temporary folder, so the user's own are never touched.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
qor_install_dependencies
export QOR_BUILD_DIR="${QOR_BUILD_DIR:-$QOR_ROOT/build-bench}"
# The same configuration as bench/all.sh, so running this script alone neither rebuilds that tree in
# another build type nor measures a different program.
export QOR_CMAKE_ARGS="${QOR_CMAKE_ARGS:--DCMAKE_BUILD_TYPE=Release -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=ON -DQOR_FUZZ_TESTS=OFF}"
qor_build >/dev/null
bin="$QOR_BIN_DIR/qor"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export QT_FONT_DPI=96 # no DPI note in an unattended run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"

xvfb-run -a -s "-screen 0 1600x1000x24" bash -s "$bin" "$work" <<'INNER'
set -euo pipefail
bin="$1"
work="$2"
# One start that writes the settings and the 3D record and copies the samples, so the runs measure an
# ordinary start.
QOR_QUIT_AFTER_START=1 "$bin" >/dev/null 2>&1 || true
truck="$(find "$XDG_DATA_HOME" -path '*/Samples/vehicles/*' -name 'Rigid truck 18 t.qor' | head -1)"
test -f "$truck"
for run in $(seq 10); do
    t0=$(date +%s%N)
    QOR_QUIT_AFTER_START=1 "$bin" "$truck" >/dev/null 2>>"$work/stderr.log"
    t1=$(date +%s%N)
    echo $(((t1 - t0) / 1000000)) >>"$work/startup.txt"
done
echo "startup runs (ms): $(tr '\n' ' ' <"$work/startup.txt")"

# Idle: start normally, let the splash (5 s) end, then count processor time over 2 s: on the vehicle tab,
# on the 3D tab once it has drawn, and on the vehicle tab again after the 3D tab was shown.
"$bin" "$truck" >/dev/null 2>>"$work/stderr.log" &
pid=$!
sleep 6.5
hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
idle() {
    local c0 c1 t0 t1
    c0=$(ticks)
    t0=$(date +%s%N)
    sleep 2
    c1=$(ticks)
    t1=$(date +%s%N)
    awk -v c="$((c1 - c0))" -v hz="$hz" -v ns="$((t1 - t0))" -v name="$1" \
        'BEGIN { printf "%s_seconds %.3f over %.3f s\n", name, c / hz, ns / 1e9 }'
    echo "$1 $((c1 - c0)) $hz $((t1 - t0))" >>"$work/idle.txt"
}
# The tabs of the document window, in the main window's own pixels (the window of a fresh start, no frame
# without a window manager).
tab() {
    local window
    window=$(xdotool search --sync --onlyvisible --name 'QOR Load Planning' | head -1)
    xdotool mousemove --window "$window" "$1" 158 click 1
    xdotool mousemove --window "$window" 700 700
}
idle idle_cpu
tab 495
sleep 4
idle idle_3d_tab_cpu
tab 49
sleep 1
idle idle_after_3d_cpu
kill "$pid"
wait "$pid" 2>/dev/null || true
INNER

median=$(sort -n "$work/startup.txt" | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }')
echo "startup_ms $median"
while read -r name ticks hz ns; do
    awk -v c="$ticks" -v hz="$hz" -v ns="$ns" -v name="$name" \
        'BEGIN { printf "%s_percent %.2f\n", name, 100 * (c / hz) / (ns / 1e9) }'
done <"$work/idle.txt"
