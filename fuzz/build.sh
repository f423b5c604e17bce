#!/usr/bin/env bash
# Builds the fuzz targets with clang: build.sh <clang++> <build folder>. QOR_JOBS limits the parallel
# build jobs as it does for the main build (default: all cores).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cmake -S "$here" -B "$2" -G Ninja -DCMAKE_CXX_COMPILER="$1" >/dev/null
cmake --build "$2" -j "${QOR_JOBS:-$(nproc)}"
