#!/usr/bin/env bash
# Rebuilds the shipped pictures and icons in assets/ from the text sources in
# assets/src. With --check, builds them into a scratch directory instead and
# fails if any committed file differs from what its source produces.
set -euo pipefail

assets_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$assets_dir/src"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

check=false
case "${1:-}" in
    --check) check=true ;;
    "") ;;
    *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

"${CXX:-g++}" -std=c++17 -O2 -Wall -Wextra -o "$work/assetgen" \
    "$assets_dir/tools/assetgen.cpp" "$assets_dir/tools/assetlib.cpp"
assetgen="$work/assetgen"

out="$assets_dir"
if $check; then
    out="$work/out"
    mkdir -p "$out"
fi

# Refuse to ship a picture that paints outside the window outline.
if ! report="$("$assetgen" check "$src/mascot.txt")"; then
    echo "$report" >&2
    exit 1
fi
"$assetgen" bmp "$src/mascot.txt" "$out/mascot.bmp"
"$assetgen" bmp "$src/mascot.txt" "$out/notice.bmp" --palette0 ffb6b6
for menu in menu0_explorer menu1_letter menu2_room menu3_help menu4_about menu5_exit; do
    "$assetgen" ico "$out/$menu.ico" "$src/$menu.txt"
done
# Every size Windows asks for at 100-300 %; the art centred where no whole
# factor fills the size.
p16="$src/program16.txt" p32="$src/program32.txt"
"$assetgen" ico32 "$out/Pelnor.ico" 16="$p16" 20="$p16" 24="$p16" 32="$p32" 40="$p32" \
    48="$p16" 64="$p32" 256="$p32"

if $check; then
    status=0
    for generated in "$out"/*; do
        name="$(basename "$generated")"
        if ! cmp -s "$generated" "$assets_dir/$name"; then
            echo "assets/$name is out of date; run assets/generate.sh" >&2
            status=1
        fi
    done
    exit "$status"
fi
