# Shared by the run and test scripts: Debian packages, configure and build.
# shellcheck shell=bash

KELVARA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What building and running Kelvara needs from Debian 12.
KELVARA_BUILD_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-serialport-dev
    qt6-charts-dev libqt6opengl6-dev qt6-multimedia-dev qt6-qpa-plugins
    libcurl4-openssl-dev
)
# What the tests need on top: the test framework, a display server, PDF text, a local SMTP server.
KELVARA_TEST_PACKAGES=(
    googletest libgtest-dev libgmock-dev clang-format
    xvfb xauth poppler-utils python3-aiosmtpd
)

# What the fuzz targets need: clang and its libFuzzer runtime.
KELVARA_FUZZ_PACKAGES=(clang libclang-rt-dev)

kelvara_ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# kelvara_build BUILD_DIR [cmake options...]: configure once, then build everything.
kelvara_build() {
    local dir="$1"
    shift
    cmake -S "$KELVARA_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
