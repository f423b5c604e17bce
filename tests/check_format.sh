#!/usr/bin/env bash
# Checks that every C++ source of the project is formatted with the root .clang-format:
#   check_format.sh <clang-format> <source folder>
# The sources are the files git tracks (so build folders are never looked at); outside a git checkout,
# every source below the folder except build folders.
set -euo pipefail
format="$1" root="$2"
cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
else
    mapfile -d '' files < <(find . -path ./.git -prune -o -path './build*' -prune -o -type f \
        \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi
bad=()
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    "$format" --style=file --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "Not formatted with .clang-format (run: clang-format -i <file>):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "${#files[@]} sources formatted"
