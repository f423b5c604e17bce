#!/usr/bin/env bash
# The PDF export's figure: the sample truck's load-plan report (all sections, pictures) and load-securing
# report made and converted by wkhtmltopdf, ten times, from Run in the report dialog to the last PDF ready.
# Last line: pdf_ms <median>. When the benchmark reports an error (no figure), the script fails with the
# benchmark's own words instead.
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
"$dir/bin/bench_reports" --benchmark_repetitions=10 --benchmark_display_aggregates_only=true \
    --benchmark_out="$out" --benchmark_out_format=json >/dev/null 2>"$out.log" ||
    { cat "$out.log" >&2; echo "bench_reports failed" >&2; exit 1; }
# A benchmark that reported an error gives no figure: the script fails naming the error.
python3 "$QOR_ROOT/bench/check_results.py" "$out" || { cat "$out.log" >&2; exit 1; }
python3 - "$out" <<'PY'
import json
import sys

runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if b["name"].startswith("BM_PdfReports")]
times = [b["real_time"] for b in runs if b.get("run_type") == "iteration"]
median = [b["real_time"] for b in runs if b.get("aggregate_name") == "median"]
if not times or not median:
    sys.exit("no PDF figure in the benchmark's output")
print("pdf runs (ms): " + " ".join(f"{t:.0f}" for t in times))
print(f"pdf_ms {median[0]:.0f}")
PY
