#!/usr/bin/env bash
# Runs a fuzz target over its seed corpus and then for a bounded time:
#   run.sh <target> <seed folder> <work folder> <seconds>
# New inputs go to the work folder, never to the committed seeds; a crash input is kept there too.
set -euo pipefail
target="$1" seeds="$2" work="$3" seconds="$4"
rm -rf "$work"
mkdir -p "$work/corpus"
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$seeds"
