# Shared by the start and test scripts: installs what is missing and builds.
# QOR_BUILD_DIR (default build) and QOR_CMAKE_ARGS choose the build; QOR_SANITIZE=1 adds the sanitizers;
# QOR_JOBS limits the parallel build jobs (default: all cores). qor_build builds the targets it is given,
# or everything without any.
set -euo pipefail
QOR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

QOR_PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n
    xvfb xauth xdg-utils libgl1-mesa-dri xdotool openbox libxcb1-dev
    fonts-dejavu-core fonts-dejavu-extra
    wkhtmltopdf poppler-utils qtkeychain-qt6-dev
    python3
)

qor_install_dependencies() {
    local missing=()
    for p in "${QOR_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

qor_build() {
    local dir="${QOR_BUILD_DIR:-$QOR_ROOT/build}"
    local args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    [ "${QOR_SANITIZE:-0}" = "1" ] && args+=(-DQOR_SANITIZE=ON)
    # shellcheck disable=SC2206
    args+=(${QOR_CMAKE_ARGS:-})
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
    # Paths relative to the checkout, so clones and work trees in other folders share cached objects.
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$QOR_ROOT}" CCACHE_NOHASHDIR=1
    cmake -S "$QOR_ROOT" -B "$dir" "${args[@]}" >/dev/null
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$dir" -j "${QOR_JOBS:-$(nproc)}" "${targets[@]}"
    QOR_BIN_DIR="$dir/bin"
}
