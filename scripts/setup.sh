#!/usr/bin/env bash
# Shared set-up of ./play and ./test: install what Debian must provide,
# then configure and build the game and its run folder in Release.
#   scripts/setup.sh --install PACKAGE...   only installs what is missing of
#       PACKAGES and the packages named (the fuzzers' clang, the outside test
#       models), and builds nothing.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(
    build-essential cmake pkg-config ccache clang-format git
    libglfw3-dev libglew-dev libglm-dev libgl1-mesa-dri libglx-mesa0
    libopenal-dev libsndfile1-dev libsoundtouch-dev libstb-dev
    libgtest-dev libbenchmark-dev libtinyobjloader-dev libfreetype-dev fonts-dejavu-core
    libaubio-dev libsqlite3-dev libssl-dev sqlite3
    xvfb xauth xdotool imagemagick sox locales
    desktop-file-utils appstream man-db xdg-user-dirs
)

# Two set-ups at once (two fuzzers starting together, ./play beside ./test)
# would race for apt's lock and the loser would fail, so they take turns; the
# second then finds nothing left to install.
install_missing_packages() (
    exec 9>"${TMPDIR:-/tmp}/cueflight-setup.lock"
    flock 9
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing Debian packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    # Any other apt user (an unattended upgrade) is waited for, not failed on.
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
        "${missing[@]}"
)

# The settings writer's test runs under a locale that writes decimals with a
# comma; Debian ships the definitions but generates none of them.
generate_test_locale() (
    locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && return 0
    exec 9>"${TMPDIR:-/tmp}/cueflight-setup.lock"
    flock 9
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Generating the locale de_DE.UTF-8 for the tests"
    $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    $sudo locale-gen >/dev/null
)

build_game() {
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$BUILD" -j "$(nproc)"
}

if [ "${1:-}" = "--install" ]; then
    shift
    install_missing_packages "$@"
    exit 0
fi
install_missing_packages
generate_test_locale
build_game
