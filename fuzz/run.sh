#!/usr/bin/env bash
# Runs a fuzz target over its seed corpus, then either a fixed number of inputs from a fixed seed
# (reproducible: the same inputs on every machine) or, with a time in seconds, for that long:
#   run.sh <target> <seed folder> <work folder> <runs> [<seconds>]
# New inputs go to the work folder, never to the committed seeds; a crash input is kept there too.
set -euo pipefail
target="$1" seeds="$2" work="$3" runs="$4" seconds="${5:-}"
rm -rf "$work"
mkdir -p "$work/corpus"
if [ -n "$seconds" ]; then
    limit=(-max_total_time="$seconds")
else
    limit=(-runs="$runs" -seed=1)
fi
exec "$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$seeds"
