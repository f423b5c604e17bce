#!/usr/bin/env bash
# Fails when a file under model/ includes a header it may not:
#  - Qt or a layer above the model (platform/, ui/, app/, ...);
#  - from archive/: anything of the model outside archive/;
#  - from text/, base/ or mesh/ (3D model files): anything of the model above archive/, text/ and base/;
#  - from vehicle/, plan/ or securing/: files/ or document/;
#  - an operating-system (POSIX) header anywhere but model/base/LockedFile.cpp.
# Usage: check_layering.sh [source root]; the root's model/ folder is checked.
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

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "model/ includes keep their layers: archive, text and base below vehicle, plan and securing, below files and document."
