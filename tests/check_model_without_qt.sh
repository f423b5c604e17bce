#!/usr/bin/env bash
# Configures, builds and tests the model alone, with Qt not even searched for (QOR_MODEL_ONLY):
#   check_model_without_qt.sh <source folder> <build folder> <sanitize ON|OFF>
# QOR_JOBS limits the parallel build jobs (default: all cores). The model's objects are compiled with the
# same flags as in the full build, so after it ccache supplies them.
set -euo pipefail
src="$1" dir="$2" sanitize="${3:-OFF}"
cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_MODEL_ONLY=ON -DQOR_WERROR=ON \
    -DQOR_SANITIZE="$sanitize" -DQOR_FUZZ_TESTS=OFF -DQOR_BUILD_BENCH=OFF >/dev/null
if grep -q "^Qt6_DIR:" "$dir/CMakeCache.txt"; then
    echo "the model-only configuration looked for Qt" >&2
    exit 1
fi
cmake --build "$dir" -j "${QOR_JOBS:-$(nproc)}"
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600
