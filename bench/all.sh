#!/usr/bin/env bash
# Every speed figure of the project in one run: builds a release tree (build-bench/), runs each benchmark
# program and the start-up (and, where present, PDF) scripts, and prints one "name value" line per figure.
# The unit is the last part of the name (_us, _ms, _fps, _percent). The first line, "cores N", gives the
# cores the machine has; the figures that the table in bench/README.md marks "1 core" run pinned to one
# of them with taskset, the others may use them all.
#
#   bash bench/all.sh            10 repetitions each, the median printed
#   bash bench/all.sh --quick    3 short repetitions each (a look, not a measurement)
#
# QOR_JOBS sets the build's parallel jobs (default: all cores); QOR_BENCH_CPU the core of the one-core
# figures (default: the last core this shell may use). The raw output of each program stays in
# build-bench/bench-out/. A program that fails, a benchmark that reports an error (its figure then reads
# "n/a") and a script that fails are named at the end, and the run then ends with exit code 1.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"

reps=10
min_time=0.5
if [ "${1:-}" = "--quick" ]; then
    reps=3
    min_time=0.05
elif [ $# -gt 0 ]; then
    echo "usage: bash bench/all.sh [--quick]" >&2
    exit 2
fi

qor_install_dependencies
export QOR_BUILD_DIR="${QOR_BUILD_DIR:-$QOR_ROOT/build-bench}"
export QOR_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release -DQOR_BUILD_TESTS=OFF -DQOR_BUILD_BENCH=ON -DQOR_FUZZ_TESTS=OFF"
unset QOR_SANITIZE
mkdir -p "$QOR_BUILD_DIR"
echo "building $QOR_BUILD_DIR ..." >&2
qor_build >"$QOR_BUILD_DIR/build.log" 2>&1 || {
    tail -30 "$QOR_BUILD_DIR/build.log" >&2
    exit 1
}
bin="$QOR_BUILD_DIR/bin"
out="$QOR_BUILD_DIR/bench-out"
rm -rf "$out"
mkdir -p "$out"

allowed="$(taskset -pc $$ | sed 's/.*: //')"
cpu="${QOR_BENCH_CPU:-$(echo "$allowed" | tr ',' '\n' | tail -1 | sed 's/.*-//')}"
export QT_FONT_DPI=96

echo "cores $(nproc)"
# What else the machine was doing: the figures are upper bounds when this is high.
echo "load_average $(cut -d' ' -f1 /proc/loadavg)"

# Prints the median of every benchmark of one program's JSON output: the time as <name>_<unit>, and the
# counters that are figures of their own (frames per second, processor share, UI time per picture).
medians() {
    awk '
        /"benchmarks": \[/ { inside = 1; next }
        !inside { next }
        /^ *\{/ { delete f; next }
        /^ *\}/ {
            if (f["aggregate_name"] != "median") next
            name = f["run_name"]
            gsub(/\/(real_time|iterations:[0-9]+)/, "", name)
            if (f["error_occurred"] == "true") { print name " n/a"; next }
            if (name !~ /^BM_View3DIdle/) printf "%s_%s %.4g\n", name, f["time_unit"], f["real_time"]
            if ("fps" in f) printf "%s_fps %.4g\n", name, f["fps"]
            if ("cpu_percent" in f) printf "%s_cpu_percent %.3g\n", name, f["cpu_percent"]
            if ("ui_us_per_picture" in f) printf "%s_ui_us_per_picture %.4g\n", name, f["ui_us_per_picture"]
            next
        }
        {
            line = $0
            if (!match(line, /"[^"]+": /)) next
            key = substr(line, RSTART + 1, RLENGTH - 4)
            value = substr(line, RSTART + RLENGTH)
            sub(/,$/, "", value)
            gsub(/"/, "", value)
            f[key] = value
        }' "$1"
}

failures=()

# run <program> <one-core|all-cores|display> [<output name> <benchmark filter>]
# Only the aggregates are shown; the JSON output keeps every repetition, so that an error of a single
# repetition is seen too.
run() {
    local program="$1" mode="$2" name="${3:-$1}"
    local args=(--benchmark_repetitions="$reps" --benchmark_display_aggregates_only=true
        --benchmark_min_time="$min_time" --benchmark_out="$out/$name.json" --benchmark_out_format=json)
    [ -n "${4:-}" ] && args+=(--benchmark_filter="$4")
    if [ ! -x "$bin/$program" ]; then
        echo "$program missing" >&2
        failures+=("$program missing")
        return 0
    fi
    case "$mode" in
    one-core) QT_QPA_PLATFORM=offscreen taskset -c "$cpu" "$bin/$program" "${args[@]}" ;;
    all-cores) QT_QPA_PLATFORM=offscreen "$bin/$program" "${args[@]}" ;;
    display) xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "$bin/$program" "${args[@]}" ;;
    esac >"$out/$name.txt" 2>&1 || {
        echo "$program failed (see $out/$name.txt)" >&2
        failures+=("$program failed (see $out/$name.txt)")
    }
    [ -s "$out/$name.json" ] && medians "$out/$name.json"
    local errors
    if ! errors="$(python3 "$QOR_ROOT/bench/check_results.py" "$out/$name.json" 2>&1)"; then
        while IFS= read -r line; do
            failures+=("$name: $line")
        done <<<"$errors"
    fi
    return 0
}

run bench_model one-core
run bench_views one-core
run bench_loadsecuring one-core
run bench_view3d one-core
run bench_mail one-core
run bench_catalogue one-core bench_catalogue_files 'BM_(Catalogue|FileTree|VehicleTree)'
# The tile strip loads its pictures on worker threads.
run bench_catalogue all-cores bench_catalogue_strip 'BM_(PaintStrip|Load200Pictures)'
# The software rasteriser draws with threads.
run bench_view3d_gl display

# The scripts build what they need in the same tree (nothing, by now) and end with their figures.
if QOR_CMAKE_ARGS="$QOR_CMAKE_ARGS" bash "$QOR_ROOT/bench/startup.sh" >"$out/startup.txt" 2>&1; then
    tail -4 "$out/startup.txt"
else
    echo "startup.sh failed (see $out/startup.txt)" >&2
    failures+=("startup.sh failed: $(tail -1 "$out/startup.txt")")
fi
if QOR_CMAKE_ARGS="$QOR_CMAKE_ARGS" bash "$QOR_ROOT/bench/pdf.sh" >"$out/pdf.txt" 2>&1; then
    tail -1 "$out/pdf.txt"
else
    echo "pdf.sh failed (see $out/pdf.txt)" >&2
    while IFS= read -r line; do
        failures+=("pdf.sh: $line")
    done < <(grep '^benchmark error: ' "$out/pdf.txt" || tail -1 "$out/pdf.txt")
fi

if [ ${#failures[@]} -gt 0 ]; then
    echo "FAILED: these figures could not be measured:" >&2
    printf '  %s\n' "${failures[@]}" >&2
    exit 1
fi
