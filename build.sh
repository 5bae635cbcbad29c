#!/usr/bin/env bash
# Pelnor's one entry point for building, running and testing on Debian.
#   ./build.sh run    install what is missing, build, start the mascot under Wine
#   ./build.sh test   install what is missing, build, run every test
#   ./build.sh dist   build dist/Pelnor.exe only
#   ./build.sh fuzz   fuzz the help reader for a bounded number of inputs
#                     (PELNOR_FUZZ_RUNS, default 100000), with clang's libFuzzer
#   ./build.sh release  build dist/Pelnor-VERSION-win-x64.zip from the checked-out commit
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$ROOT"
# shellcheck source=tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev googletest
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xdotool x11-utils x11-xserver-utils imagemagick
          fonts-ipafont-gothic fonts-wine libx11-dev zip unzip)

FUZZ_PACKAGES=(cmake ninja-build clang libclang-rt-dev)

# Installs those of the given packages (default: PACKAGES) that are missing.
install_packages() {
    local wanted=("$@")
    [ ${#wanted[@]} -gt 0 ] || wanted=("${PACKAGES[@]}")
    local missing=()
    for p in "${wanted[@]}"; do
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

# The zip a Windows user downloads. The same commit gives the same bytes in any
# folder on any day: the compiler and linker write no paths or times (see
# CMakeLists.txt), and every file in the zip gets the commit's time.
build_release() {
    local version epoch name stage
    version="$(sed -n 's/^project(Pelnor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
    # Only this folder's own history counts, not that of a repository around it.
    if [ "$(git rev-parse --show-toplevel 2>/dev/null)" != "$(pwd -P)" ] ||
        ! epoch="$(git log -1 --format=%ct 2>/dev/null)" || [ -z "$epoch" ]; then
        echo "release: not a git checkout with a commit, so nothing says what this release is" >&2
        exit 1
    fi
    name="Pelnor-$version-win-x64"
    if [ -n "$(git status --porcelain --untracked-files=normal)" ]; then
        # Never a zip that passes for the commit it was not built from.
        name="Pelnor-$version-dirty-win-x64"
        echo "release: the work tree differs from commit $(git rev-parse --short HEAD): $name" >&2
    fi
    export SOURCE_DATE_EPOCH="$epoch"

    cmake --preset release >/dev/null
    cmake --build --preset release

    stage="build/release/zip/$name"
    rm -rf "build/release/zip"
    mkdir -p "$stage" dist
    cp build/release/Pelnor.exe "$stage/"
    # Notepad on every Windows reads UTF-8 with a byte-order mark and CRLF.
    { printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/g; s/\$/\r/" app/readme.txt; } >"$stage/readme.txt"
    sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
    (cd "$stage" && sha256sum Pelnor.exe >SHA256SUMS)
    chmod 0644 "$stage"/*
    touch -d "@$epoch" "$stage"/*
    rm -f "dist/$name.zip"
    # -X: no owner or extra time fields; DOS times are local, so fix the zone.
    (cd "$stage" && TZ=UTC zip -X -D -q -9 "$ROOT/dist/$name.zip" Pelnor.exe readme.txt LICENSE.txt SHA256SUMS)
    echo "dist/$name.zip"
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

# Not part of `test`: a fuzz run takes minutes and finds new inputs each time.
run_fuzz() {
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DPELNOR_TESTS=OFF -DPELNOR_FUZZ=ON >/dev/null
    cmake --build build/fuzz
    local corpus=build/fuzz/corpus
    mkdir -p "$corpus"
    cp app/help/Pelnor-help.txt "$corpus/carried-help.txt"
    build/fuzz/tests/fuzz/help_text_fuzz -runs="${PELNOR_FUZZ_RUNS:-100000}" -max_len=70000 \
        -print_final_stats=1 -artifact_prefix=build/fuzz/ "$corpus" tests/fuzz/seeds
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
    fuzz)
        install_packages "${FUZZ_PACKAGES[@]}"
        run_fuzz
        ;;
    release)
        install_packages
        build_release
        ;;
    *)
        echo "usage: $0 run|test|dist|fuzz|release" >&2
        exit 2
        ;;
esac
