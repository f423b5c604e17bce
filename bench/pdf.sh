#!/usr/bin/env bash
# The PDF export's figure: the sample truck's load-plan report (all sections, pictures) and load-securing
# report made and converted by wkhtmltopdf, ten times, from Run in the report dialog to the last PDF ready.
# Last line: pdf_ms <median>.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
qor_install_dependencies
export QOR_BUILD_DIR="${QOR_BUILD_DIR:-$QOR_ROOT/build-bench}"
export QOR_CMAKE_ARGS="${QOR_CMAKE_ARGS:--DCMAKE_BUILD_TYPE=Release -DQOR_BUILD_TESTS=OFF -DQOR_FUZZ_TESTS=OFF}"
dir="$QOR_BUILD_DIR"
cmake -S "$QOR_ROOT" -B "$dir" -G Ninja ${QOR_CMAKE_ARGS} >/dev/null
cmake --build "$dir" -j "${QOR_JOBS:-${QOR_BENCH_JOBS:-2}}" --target bench_reports >/dev/null
out="$(mktemp)"
trap 'rm -f "$out" "$out.log"' EXIT
# The converter's own notes go to a log that is shown only when the run fails.
"$dir/bin/bench_reports" --benchmark_out="$out" --benchmark_out_format=csv >/dev/null 2>"$out.log" ||
    { cat "$out.log" >&2; exit 1; }
runs="$(grep '^"BM_PdfReports/' "$out" | grep -v '_mean\|_median\|_stddev\|_cv' | cut -d, -f3 | tr '\n' ' ')"
median="$(grep '^"BM_PdfReports/.*_median"' "$out" | cut -d, -f3)"
echo "pdf runs (ms): $runs"
printf 'pdf_ms %.0f\n' "$median"
