#!/usr/bin/env bash
# Pelnor's one entry point for building, running and testing on Debian.
#   ./build.sh run    install what is missing, build, start the mascot under Wine
#   ./build.sh test   install what is missing, build, run every test
#   ./build.sh dist   build dist/Pelnor.exe only (the tests are built by `test`)
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

# build_windows [all]: Pelnor.exe into dist/; with "all", the Win32 tests too.
build_windows() {
    cmake --preset mingw >/dev/null
    if [ "${1:-}" = all ]; then cmake --build --preset mingw; else cmake --build --preset mingw --target Pelnor; fi
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

# Every Wine test and end-to-end script has a screen, a prefix and a wineserver
# of its own, so they run side by side; most of them wait on Wine and the
# tick, not on the processors.
run_tests() {
    build_native
    ctest --test-dir build/native --output-on-failure -j "$(nproc)"
    build_windows all
    _wine_template_ready
    ctest --test-dir build/mingw --output-on-failure -j "$((2 * $(nproc) + 2))"
}

# run_mascot: the mascot under Wine on DISPLAY, or on a virtual screen of its
# own that ends with it.
run_mascot() {
    wine_prefix_ready "$ROOT/build/wine-run"
    if [ -z "${DISPLAY:-}" ]; then
        PELNOR_TEST_DISPLAY="${PELNOR_TEST_DISPLAY:-:77}"
        start_test_display 1280x800 || PELNOR_TEST_DISPLAY="" start_test_display 1280x800
        trap stop_test_display EXIT
        echo "No DISPLAY: the mascot is on a virtual screen $DISPLAY (view it with a VNC/X viewer)." >&2
    fi
    wine dist/Pelnor.exe
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
        run_mascot
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
