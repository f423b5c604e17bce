#!/usr/bin/env bash
# One short run of every benchmark of one benchmark program, for the test command: each benchmark runs
# one repetition of as few iterations as it allows, so that a benchmark that no longer runs, crashes or
# reports an error fails the test, named with its error. Speed is not looked at.
#   quick_run.sh <benchmark program> [more arguments for it]
set -euo pipefail
program="$1"
shift
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
status=0
"$program" --benchmark_min_time=0.000001 --benchmark_repetitions=1 --benchmark_out="$out" \
    --benchmark_out_format=json "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "$(basename "$program") ended with exit code $status" >&2
    python3 "$(dirname "$0")/check_results.py" "$out" || true
    exit 1
fi
python3 "$(dirname "$0")/check_results.py" "$out"
