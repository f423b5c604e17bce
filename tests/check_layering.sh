#!/usr/bin/env bash
# Fails when a file under model/ includes a Qt header or a header of a layer above the model.
set -u
root="${1:-$(dirname "$0")/..}"
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt|qt|platform/|ui/|app/|draw2d/|views/|loadsecuring/|view3d/|catalogue/|reports/)' \
    "$root/model" --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.inl' || true)
if [ -n "$hits" ]; then
    echo "model/ includes headers outside the standard library and the model:"
    echo "$hits"
    exit 1
fi
echo "model/ includes only the standard library and its own headers."
