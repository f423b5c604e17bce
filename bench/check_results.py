#!/usr/bin/env python3
"""The errors that Google Benchmark JSON outputs report.

    check_results.py <output.json>...

Prints one line "benchmark error: <benchmark>: <message>" to the error output for every benchmark that
reported an error (SkipWithError: "error_occurred" in the output), once per benchmark and message, and
one for an output that is missing or cannot be read. Exits 1 when it printed any, else 0.
"""
import json
import sys


def errors_of(path):
    try:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
    except (OSError, ValueError) as e:
        return [f"{path}: no benchmark output ({e})"]
    found = []
    for run in data.get("benchmarks", []):
        if not run.get("error_occurred"):
            continue
        line = f"{run.get('run_name') or run.get('name')}: {run.get('error_message', '')}"
        if line not in found:
            found.append(line)
    return found


def main(paths):
    if not paths:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    errors = [e for path in paths for e in errors_of(path)]
    for e in errors:
        print(f"benchmark error: {e}", file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
