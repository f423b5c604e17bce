#!/usr/bin/env bash
# Runs check_format.sh over a small tree outside git: 250 formatted sources (more than one batch of
# clang-format) accepted, then the same tree with a misformatted file in the first and in the last
# batch, which the check must reject, naming exactly those files.
#   check_format_test.sh <clang-format> <source folder>
set -u
format="$1" root="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
check="$root/tests/check_format.sh"
cp "$root/.clang-format" "$work/"
mkdir -p "$work/src"
for i in $(seq -w 1 250); do
    printf 'int Value%s()\n{\n    return %d;\n}\n' "$i" "$((10#$i))" >"$work/src/f$i.cpp"
done
fail=0
if ! bash "$check" "$format" "$work" >"$work/out" 2>&1; then
    echo "a formatted tree was rejected:" >&2
    cat "$work/out" >&2
    fail=1
fi
printf 'int   Bad ( ) {return 1;}\n' >"$work/src/f001.cpp"
printf 'int   Bad2 ( ) {return 2;}\n' >"$work/src/f250.cpp"
if bash "$check" "$format" "$work" >"$work/out" 2>&1; then
    echo "misformatted files were accepted" >&2
    fail=1
fi
named="$(grep -oE 'src/f[0-9]+\.cpp' "$work/out" | sort -u | tr '\n' ' ')"
if [ "$named" != "src/f001.cpp src/f250.cpp " ]; then
    echo "the check named '$named' instead of the two misformatted files:" >&2
    cat "$work/out" >&2
    fail=1
fi
exit "$fail"
