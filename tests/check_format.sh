#!/usr/bin/env bash
# Checks that every C++ source of the project's own folders is formatted with the root .clang-format:
#   check_format.sh <clang-format> <source folder>
# Build folders and anything else outside these folders are not looked at.
set -euo pipefail
format="$1" root="$2"
cd "$root"
folders=(app bench fuzz model platform tests tools ui)
mapfile -d '' files < <(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
bad=()
for f in "${files[@]}"; do
    "$format" --style=file --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "Not formatted with .clang-format (run: clang-format -i <file>):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "${#files[@]} sources formatted"
