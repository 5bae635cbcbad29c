#!/usr/bin/env bash
# Pelnor's one entry point for building, running and testing on Debian.
#   ./build.sh run    install what is missing, build, start the mascot under Wine
#   ./build.sh test   install what is missing, build, run every test
#   ./build.sh dist   build dist/Pelnor.exe only
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$ROOT"
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev googletest
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xdotool x11-utils x11-xserver-utils imagemagick
          fonts-ipafont-gothic fonts-wine libx11-dev)

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_native() {
    cmake --preset native >/dev/null
    cmake --build --preset native
}

build_windows() {
    cmake --preset mingw >/dev/null
    cmake --build --preset mingw
    mkdir -p dist
    cp build/mingw/Pelnor.exe dist/Pelnor.exe
}

run_tests() {
    build_native
    ctest --test-dir build/native --output-on-failure
    build_windows
    wine_prefix_ready "$ROOT/build/wine-test"
    start_test_display
    trap 'stop_test_display; wine_server_stop' EXIT
    wine_server_start
    ctest --test-dir build/mingw --output-on-failure
}

case "${1:-}" in
    dist)
        install_packages
        build_windows
        ;;
    run)
        install_packages
        build_windows
        wine_prefix_ready "$ROOT/build/wine-run"
        if [ -z "${DISPLAY:-}" ]; then
            echo "No DISPLAY: starting the mascot on a virtual screen :77 (view it with a VNC/X viewer)." >&2
            Xvfb :77 -screen 0 1280x800x24 -noreset >/dev/null 2>&1 &
            export DISPLAY=:77
            sleep 1
        fi
        exec wine dist/Pelnor.exe
        ;;
    test)
        install_packages
        run_tests
        ;;
    *)
        echo "usage: $0 run|test|dist" >&2
        exit 2
        ;;
esac
