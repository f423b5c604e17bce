#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers and runs every test.
source "$(dirname "$0")/common.sh"
qor_install_dependencies
export QOR_SANITIZE="${QOR_SANITIZE:-1}"
export QOR_BUILD_DIR="${QOR_BUILD_DIR:-$QOR_ROOT/build-test}"
# Warnings are errors in the test build; the benchmarks are only compiled, as cheaply as test code.
export QOR_CMAKE_ARGS="-DQOR_WERROR=ON -DQOR_BENCH_AS_TEST_CODE=ON ${QOR_CMAKE_ARGS:-}"
qor_build
export QT_QPA_PLATFORM=offscreen
# Freed memory is filled (0x55), so that a read of a freed object inside Qt, which is built without the
# sanitizers, crashes here as it would in a build without them instead of finding the old bytes.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:max_free_fill_size=4096}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$QOR_ROOT/tests/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# The model built and tested once more in a build folder of its own, with Qt not even searched for.
# Its build folder lies beside the full one, at the same depth: ccache sees the paths relative to the
# build folder, so after the full build it supplies the model's objects.
sanitize=OFF
[ "$QOR_SANITIZE" = "1" ] && sanitize=ON
bash "$QOR_ROOT/tests/check_model_without_qt.sh" "$QOR_ROOT" "${QOR_BUILD_DIR}-model-without-qt" "$sanitize"
cd "$QOR_BUILD_DIR"
# The long fuzz runs are left out (ctest -L fuzz_long runs them).
ctest --output-on-failure -j "$(nproc)" --timeout 600 -LE fuzz_long "$@"
