#!/usr/bin/env bash
# Runs check_layering.sh over copies of model/, each with one wrong include planted, and fails unless the
# check rejects every one of them and accepts the unchanged copy.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
root="${1:-$here/..}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# file under model/ | line planted at its end
cases=(
    'archive/ArchiveReader.cpp|#include "model/text/TextFormat.h"'
    'archive/ArchiveWriter.h|#include "model/vehicle/CFahrzeug.h"'
    'text/TextFormat.cpp|#include "model/plan/CQOR.h"'
    'base/FileHelpers.cpp|#include "model/files/VehicleFiles.h"'
    'base/AngleMath.h|#include "model/securing/CLgspReport.h"'
    'vehicle/CFahrzeug.cpp|#include "model/files/CImpExp.h"'
    'plan/CQOR.cpp|#include "model/document/CQOR1Doc.h"'
    'securing/CLgspReportHtml.cpp|  #  include "model/document/CQOR1Doc.h"'
    'files/VehicleFiles.cpp|#include <unistd.h>'
    'vehicle/CZusLast.cpp|#include <sys/stat.h>'
    'document/CQOR1Doc.cpp|#include <QString>'
)

fresh() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    cp -r "$root/model" "$work/tree/model"
}

failed=0
fresh
if ! "$here/check_layering.sh" "$work/tree" >"$work/out" 2>&1; then
    echo "the unchanged model/ is rejected:"
    cat "$work/out"
    failed=1
fi
for c in "${cases[@]}"; do
    file="${c%%|*}"
    line="${c#*|}"
    fresh
    if [ ! -f "$work/tree/model/$file" ]; then
        echo "missing model/$file: the case list needs updating"
        failed=1
        continue
    fi
    printf '%s\n' "$line" >>"$work/tree/model/$file"
    if "$here/check_layering.sh" "$work/tree" >"$work/out" 2>&1; then
        echo "not rejected: '$line' in model/$file"
        failed=1
    elif ! grep -q "model/$file:" "$work/out"; then
        echo "rejected without naming model/$file:"
        cat "$work/out"
        failed=1
    fi
done
# The locked-file source may include operating-system headers.
fresh
printf '%s\n' '#include <sys/types.h>' >>"$work/tree/model/base/LockedFile.cpp"
if ! "$here/check_layering.sh" "$work/tree" >"$work/out" 2>&1; then
    echo "an operating-system header in model/base/LockedFile.cpp is rejected:"
    cat "$work/out"
    failed=1
fi
[ "$failed" -eq 0 ] && echo "every planted include was rejected"
exit "$failed"
