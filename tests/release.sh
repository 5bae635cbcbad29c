#!/usr/bin/env bash
# The release zip: the same sources built in two folders (different paths,
# times and time zones) give the same Pelnor.exe; a second release in a row,
# in another time zone, gives the same zip; a changed work tree names its zip
# "dirty" and a tree without history gets none; the zip holds what a Windows
# user needs, with a readme in the bytes Notepad reads.
#   tests/release.sh SOURCE_DIR WORK_DIR [PELNOR_EXE]
# PELNOR_EXE is Pelnor.exe as the ordinary build made it from SOURCE_DIR (the
# release builds it the same way); without it, a second copy is built.
set -euo pipefail

SRC="$(cd "$1" && pwd)"
WORK="$2"
OTHER_EXE="${3:-}"
A="$WORK/a"
B="$WORK/b 別の 場所/pelnor"
VERSION="$(sed -n 's/^project(Pelnor VERSION \([0-9.]*\).*/\1/p' "$SRC/CMakeLists.txt")"
ZIP="dist/Pelnor-$VERSION-win-x64.zip"
DIRTY_ZIP="dist/Pelnor-$VERSION-dirty-win-x64.zip"
EPOCH=1767225600   # the copies' commit time, 2026-01-01 00:00 UTC
CHECKS=0

pass() { CHECKS=$((CHECKS + 1)); printf 'ok %2d  %s\n' "$CHECKS" "$*"; }
fail() { echo "FAIL: $*  (files kept in $WORK)" >&2; exit 1; }

# copy_tree DEST: the source tree as it is now (changes and new files too),
# committed into a fresh repository, so both copies are the same clean commit.
copy_tree() {
    mkdir -p "$1"
    (cd "$SRC" && git ls-files -z -co --exclude-standard |
        tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -C "$1" -xf -
    git -C "$1" init -q
    git -C "$1" add -A
    GIT_AUTHOR_DATE="@$EPOCH +0000" GIT_COMMITTER_DATE="@$EPOCH +0000" \
        git -C "$1" -c user.name=test -c user.email=test@invalid commit -q -m copy
}

release() {  # release DIR TZ: ./build.sh release there, its output kept in DIR.log
    (cd "$1" && TZ="$2" ./build.sh release) >"$1.log" 2>&1
}

rm -rf "$WORK"
copy_tree "$B"
release "$B" Asia/Tokyo || fail "./build.sh release failed in $B (see $B.log)"
[ -f "$B/$ZIP" ] || fail "no $ZIP from a clean commit"
pass "a clean commit made $ZIP"
if [ -z "$OTHER_EXE" ]; then
    copy_tree "$A"
    release "$A" UTC || fail "./build.sh release failed in $A (see $A.log)"
    OTHER_EXE="$A/build/release/Pelnor.exe"
fi
cmp "$OTHER_EXE" "$B/build/release/Pelnor.exe" || fail "Pelnor.exe differs between $OTHER_EXE and $B"
pass "Pelnor.exe is byte-identical to $OTHER_EXE"

# What is inside, in a fixed order, every entry at the commit's time.
entries="$(unzip -Z1 "$B/$ZIP" | tr '\n' ' ')"
[ "$entries" = "Pelnor.exe readme.txt LICENSE.txt SHA256SUMS " ] || fail "zip entries: $entries"
dos_time="$(TZ=UTC date -d "@$((EPOCH - EPOCH % 2))" +%Y%m%d.%H%M%S)"
times="$(unzip -Z -T "$B/$ZIP" | awk '/^-/ { print $7 }' | sort -u)"
[ "$times" = "$dos_time" ] || fail "zip entry times $times, expected the commit's $dos_time"
pass "entries Pelnor.exe, readme.txt, LICENSE.txt, SHA256SUMS, all at the commit's time"

unpacked="$WORK/unpacked"
rm -rf "$unpacked"
mkdir -p "$unpacked"
unzip -q "$B/$ZIP" -d "$unpacked"
cmp "$unpacked/Pelnor.exe" "$B/build/release/Pelnor.exe" || fail "the zip's Pelnor.exe is not the one built"
(cd "$unpacked" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match Pelnor.exe"
pass "the zipped Pelnor.exe is the built one and SHA256SUMS matches it"

readme="$unpacked/readme.txt"
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "readme.txt has no UTF-8 byte-order mark"
iconv -f UTF-8 -t UTF-16LE "$readme" >/dev/null 2>&1 || fail "readme.txt is not valid UTF-8"
for text in "$readme" "$unpacked/LICENSE.txt"; do
    lines=$(tr -cd '\n' <"$text" | wc -c)
    crlf=$(grep -c $'\r$' "$text" || true)
    crs=$(tr -cd '\r' <"$text" | wc -c)
    [ "$lines" -gt 0 ] && [ "$crlf" -eq "$lines" ] && [ "$crs" -eq "$lines" ] && [ "$(tail -c 1 "$text")" = "" ] ||
        fail "$(basename "$text"): $lines line ends, $crlf of them CRLF, $crs CRs"
done
grep -q "モフレン $VERSION" "$readme" && ! grep -q '@VERSION@' "$readme" || fail "readme.txt does not name version $VERSION"
pass "readme.txt: BOM, valid UTF-8, CRLF only, version $VERSION; LICENSE.txt: CRLF only"
# Windows 11's Smart App Control stops an unsigned program with no way to run it anyway.
grep -q "スマート アプリ コントロール" "$readme" && grep -q "オフにするしか" "$readme" ||
    fail "readme.txt does not say that Smart App Control blocks the program and what to do"
pass "readme.txt tells what to do when Smart App Control blocks the program"

before="$(sha256sum <"$B/$ZIP")"
release "$B" UTC || fail "a second ./build.sh release in a row failed (see $B.log)"
[ "$(sha256sum <"$B/$ZIP")" = "$before" ] || fail "a second release in a row, in another time zone, gave another zip"
pass "a second ./build.sh release in a row, in another time zone, gives the same zip"

echo "# a local change" >>"$B/README.md"
release "$B" UTC || fail "./build.sh release on a changed tree failed (see $B.log)"
[ -f "$B/$DIRTY_ZIP" ] || fail "a changed work tree did not make $DIRTY_ZIP"
[ "$(sha256sum <"$B/$ZIP")" = "$before" ] || fail "a changed work tree rewrote $ZIP"
pass "a changed work tree makes $DIRTY_ZIP and leaves $ZIP alone"

rm -rf "$B/.git" "$B/dist"
if release "$B" UTC; then fail "a tree without history made a release"; fi
[ -z "$(ls -A "$B/dist" 2>/dev/null)" ] || fail "a tree without history left a zip"
pass "a tree without history makes no release"

rm -rf "$WORK"
echo "release: all $CHECKS checks passed"
