#!/usr/bin/env bash
# Installs what is missing, builds the program with what it loads (the language modules, the samples and the
# 3D models, all dependencies of the target qor; no test or benchmark) and starts it.
source "$(dirname "$0")/common.sh"
qor_install_dependencies
# Optimised without debug information: a cold build in a few minutes (a later argument overrides this).
export QOR_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release ${QOR_CMAKE_ARGS:-}"
qor_build qor
exec "$QOR_BIN_DIR/qor" "$@"
