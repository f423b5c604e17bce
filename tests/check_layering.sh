#!/usr/bin/env bash
# Fails when a file under model/ includes a header it may not:
#  - Qt or a layer above the model (platform/, ui/, app/, ...);
#  - from archive/: anything of the model outside archive/;
#  - from text/, base/ or mesh/ (3D model files): anything of the model above archive/, text/ and base/;
#  - from vehicle/, plan/ or securing/: files/ or document/;
#  - an operating-system (POSIX) header anywhere but model/base/LockedFile.cpp.
# and when a product folder includes a folder at its own level or above it in the order
#   model < platform < ui < draw2d < views < catalogue, reports, view3d < loadsecuring < app
# (ui may include draw2d/core/, the Qt-free bitmap below it).
# It also fails on a vehicle kind compared with a bare number instead of its FahrzeugArt name.
# Usage: check_layering.sh [source root].
set -u
root="${1:-$(dirname "$0")/..}"
model="$root/model"
if [ ! -d "$model" ]; then
    echo "no model/ folder under $root"
    exit 2
fi
include='^\s*#\s*include\s*[<"]'
failed=0

# Lists the include lines of the files under model/$1 (or all of model/ for "") that match $2.
includes() {
    grep -rnE "$include($2)" "$model${1:+/$1}" --include='*.h' --include='*.hpp' --include='*.cpp' \
        --include='*.inl' || true
}

report() {
    if [ -n "$2" ]; then
        echo "$1"
        echo "$2"
        failed=1
    fi
}

report "model/ includes headers outside the standard library and the model:" \
    "$(includes "" 'Q[A-Za-z]|Qt|qt|platform/|ui/|app/|draw2d/|views/|loadsecuring/|view3d/|catalogue/|reports/')"

report "model/archive/ includes other parts of the model:" \
    "$(includes archive 'model/(text|base|vehicle|plan|securing|files|document)/')"

for lower in text base mesh; do
    report "model/$lower/ includes a part of the model above it:" \
        "$(includes $lower 'model/(vehicle|plan|securing|files|document)/')"
done

for middle in vehicle plan securing; do
    report "model/$middle/ includes the files or the document layer:" \
        "$(includes $middle 'model/(files|document)/')"
done

posix='unistd\.h|fcntl\.h|sys/|dirent\.h|pwd\.h|grp\.h|pthread\.h|poll\.h|termios\.h|dlfcn\.h|syslog\.h|spawn\.h|sched\.h|semaphore\.h|netdb\.h|netinet/|arpa/|glob\.h|fnmatch\.h|libgen\.h|utime\.h|strings\.h|wordexp\.h|regex\.h'
report "model/ includes operating-system headers outside model/base/LockedFile.cpp:" \
    "$(includes "" "($posix)[^>\"]*[>\"]" | grep -v "^$model/base/LockedFile\.cpp:")"

# The product folders by level: a folder includes only folders of a lower level.
declare -A level=([model]=0 [platform]=1 [ui]=2 [draw2d]=3 [views]=4 [catalogue]=5 [reports]=5 [view3d]=5
    [loadsecuring]=6 [app]=7)
for folder in "${!level[@]}"; do
    [ -d "$root/$folder" ] || continue
    above=""
    for other in "${!level[@]}"; do
        if [ "$other" != "$folder" ] && [ "${level[$other]}" -ge "${level[$folder]}" ]; then
            above="${above:+$above|}$other"
        fi
    done
    [ -n "$above" ] || continue
    found="$(grep -rnE "$include($above)/" "$root/$folder" --include='*.h' --include='*.hpp' --include='*.cpp' \
        --include='*.inl' || true)"
    if [ "$folder" = ui ]; then
        found="$(printf '%s\n' "$found" | grep -vE ':[0-9]+:\s*#\s*include\s*[<"]draw2d/core/' || true)"
    fi
    report "$folder/ includes a folder at its level or above it:" "$found"
done

# A vehicle's kind is compared with its name (model/vehicle/FahrzeugArt.h), never with a bare number; in the
# vehicle and document code the stored kind m_nArt as well.
kinds="$(grep -rnE '(GetArt|GetFahrzeugTyp)\(\)\s*(==|!=|<=|>=|<|>)\s*-?[0-9]' \
    $(for f in model platform ui draw2d views catalogue reports view3d loadsecuring app; do
        [ -d "$root/$f" ] && echo "$root/$f"
    done) --include='*.h' --include='*.cpp' || true)
$(grep -rnE '(^|[^.>A-Za-z_])m_nArt\s*(==|!=|<=|>=|<|>)\s*-?[0-9]' "$model/vehicle" "$model/document" \
    --include='*.h' --include='*.cpp' || true)"
report "a vehicle kind compared with a bare number (name it with FahrzeugArt):" "$(printf '%s' "$kinds" | grep -v '^$' || true)"

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "model/ includes keep their layers: archive, text and base below vehicle, plan and securing, below files and document."
echo "the product folders include only the folders below them."
echo "vehicle kinds are compared by name."
