#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
source "$(dirname "$0")/common.sh"
qor_install_dependencies
qor_build
exec "$QOR_BIN_DIR/qor" "$@"
