#!/usr/bin/env bash
# Runs check_layering.sh over copies of the product folders, each with one wrong include planted, and fails
# unless the check rejects every one of them and accepts the unchanged copy.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
root="${1:-$here/..}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# file | line planted at its end
cases=(
    'model/archive/ArchiveReader.cpp|#include "model/text/TextFormat.h"'
    'model/archive/ArchiveWriter.h|#include "model/vehicle/CFahrzeug.h"'
    'model/text/TextFormat.cpp|#include "model/plan/CQOR.h"'
    'model/base/FileHelpers.cpp|#include "model/files/VehicleFiles.h"'
    'model/base/AngleMath.h|#include "model/securing/CLgspReport.h"'
    'model/vehicle/CFahrzeug.cpp|#include "model/files/CImpExp.h"'
    'model/plan/CQOR.cpp|#include "model/document/CQOR1Doc.h"'
    'model/securing/CLgspReportHtml.cpp|  #  include "model/document/CQOR1Doc.h"'
    'model/files/VehicleFiles.cpp|#include <unistd.h>'
    'model/vehicle/CZusLast.cpp|#include <sys/stat.h>'
    'model/document/CQOR1Doc.cpp|#include <QString>'
    'platform/ResourceModule.cpp|#include "ui/CDlgBase.h"'
    'ui/CDlgBase.cpp|#include "draw2d/FontTable.h"'
    'draw2d/FontTable.cpp|#include "views/CQOR2View.h"'
    'views/CQOR2View.cpp|#include "catalogue/CLaderampe3.h"'
    'catalogue/CLaderampe3.cpp|#include "reports/PlanReport.h"'
    'reports/PlanReport.cpp|#include "loadsecuring/CPshLgSichgWizard.h"'
    'view3d/CFahrzeug3D.cpp|#include "app/CMainFrame.h"'
    'view3d/C3DViewport.cpp|#include "catalogue/CLaderampe3.h"'
    'loadsecuring/CPshLgSichgWizard.cpp|#include "app/CMainFrame.h"'
    'app/CQOR2StatusBar.cpp|static bool IstSzm(const CFahrzeug& f) { return f.GetArt() == 4; }'
    'views/CQOR2View.cpp|static bool IstLkw(const CFahrzeug* f) { return f->GetFahrzeugTyp() != 0; }'
    'model/vehicle/CFahrzeug.cpp|static bool IstAuflieger(int m_nArt) { return m_nArt == 3; }'
)

fresh() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    for folder in model platform ui draw2d views catalogue reports view3d loadsecuring app; do
        cp -r "$root/$folder" "$work/tree/$folder"
    done
}

failed=0
fresh
if ! "$here/check_layering.sh" "$work/tree" >"$work/out" 2>&1; then
    echo "the unchanged folders are rejected:"
    cat "$work/out"
    failed=1
fi
for c in "${cases[@]}"; do
    file="${c%%|*}"
    line="${c#*|}"
    fresh
    if [ ! -f "$work/tree/$file" ]; then
        echo "missing $file: the case list needs updating"
        failed=1
        continue
    fi
    printf '%s\n' "$line" >>"$work/tree/$file"
    if "$here/check_layering.sh" "$work/tree" >"$work/out" 2>&1; then
        echo "not rejected: '$line' in $file"
        failed=1
    elif ! grep -q "$file:" "$work/out"; then
        echo "rejected without naming $file:"
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
