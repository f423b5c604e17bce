#!/usr/bin/env bash
# Checks that every C++ source of the project is formatted with the root .clang-format:
#   check_format.sh <clang-format> <source folder>
# The sources are the files git tracks (so build folders are never looked at); outside a git checkout,
# every source below the folder except build folders. clang-format runs over batches of files on every
# core, not once per file; each misformatted place is reported as "<file>:<line>:<col>: error: ...".
set -euo pipefail
format="$1" root="$2"
cd "$root"
list="$(mktemp)" report="$(mktemp)"
trap 'rm -f "$list" "$report"' EXIT
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z -- '*.cpp' '*.h' >"$list"
else
    find . -path ./.git -prune -o -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) \
        -print0 | sort -z >"$list"
fi
# A file git still lists but the work tree has deleted is not checked.
mapfile -d '' files <"$list"
existing=()
for f in "${files[@]}"; do
    [ -f "$f" ] && existing+=("$f")
done
[ ${#existing[@]} -gt 0 ] || { echo "no sources found" >&2; exit 1; }
status=0
printf '%s\0' "${existing[@]}" |
    xargs -0 -n 100 -P "$(nproc)" "$format" --style=file --dry-run --Werror 2>"$report" >/dev/null ||
    status=$?
if [ "$status" -ne 0 ]; then
    bad="$(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' "$report" | cut -d: -f1 | sort -u || true)"
    if [ -z "$bad" ]; then
        echo "clang-format failed:" >&2
        cat "$report" >&2
        exit 1
    fi
    echo "Not formatted with .clang-format (run: clang-format -i <file>):" >&2
    sed 's/^/  /' <<<"$bad" >&2
    exit 1
fi
echo "${#existing[@]} sources formatted"
