#!/usr/bin/env bash
# Shared set-up of ./play and ./test: install what Debian must provide,
# then configure and build the game and its run folder in Release.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(
    build-essential cmake pkg-config ccache clang-format git
    libglfw3-dev libglew-dev libglm-dev libgl1-mesa-dri libglx-mesa0
    libopenal-dev libsndfile1-dev libstb-dev
    libgtest-dev libbenchmark-dev libtinyobjloader-dev libfreetype-dev fonts-dejavu-core
    libaubio-dev
    xvfb xauth xdotool imagemagick sox
)

install_missing_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build_game() {
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$BUILD" -j "$(nproc)"
}

install_missing_packages
build_game
