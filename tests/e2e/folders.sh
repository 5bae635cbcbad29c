#!/usr/bin/env bash
# End-to-end: Pelnor.exe unzipped into a read-only folder whose path holds
# spaces and Japanese, and started from there: it appears and drifts with
# neither the common controls nor the shell loaded, not even once its hint has
# shown, opens its menu and its help, ends on Alt+F4 with exit code 0, and
# leaves the folder as it was. Where the machine allows it, the folder is a read-only mount (which
# stops root too); otherwise only its permission bits say read-only.
#   tests/e2e/folders.sh PATH/TO/Pelnor.exe
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program_under_test "$@" e2e-folders       # the program's log and the folder; kept on failure

# A private mount namespace lets the folder be mounted read-only; the Xvfb and
# wineserver started below live in it too, so they see the same mount.
if [ -z "${PELNOR_E2E_NAMESPACE:-}" ] && unshare -r -m true 2>/dev/null; then
    PELNOR_E2E_NAMESPACE=1 exec unshare -r -m bash "$0" "$@"
fi

FOLDER="$WORK/ダウンロード/モフレン 1.1 (読み取り専用)"

tip_shown() { other_window_where 'W > 20 && H < 60'; }   # no bigger than a hint
# The libraries loaded on first use (Wine itself brings COM and the input
# method into every windowed program) that the process has mapped.
deferred_libraries() {
    { grep -oiE '/(comctl32|shell32)\.dll$' "/proc/$PELNOR_PID/maps" || true; } |
        tr -d / | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ' | sed 's/ $//'
}
listing() { (cd "$FOLDER" && find . -printf '%p %s %m %T@\n' | sort); }

make_folder() {
    mkdir -p "$FOLDER"
    cp "$EXE" "$FOLDER/Pelnor.exe"
    chmod 0444 "$FOLDER/Pelnor.exe"
    chmod 0555 "$FOLDER"
    if [ -n "${PELNOR_E2E_NAMESPACE:-}" ] &&
        mount --bind "$FOLDER" "$FOLDER" && mount -o remount,bind,ro "$FOLDER"; then
        ! touch "$FOLDER/probe" 2>/dev/null || fail "the read-only mount takes writes"
        pass "folder \"$FOLDER\" is a read-only mount"
    else
        pass "folder \"$FOLDER\" is read-only by its permission bits only (no private mount here)"
    fi
    listing >"$WORK/before.txt"
}

check_runs() {
    # Started the way Explorer starts it: from its own folder.
    (cd "$FOLDER" && exec wine "$FOLDER/Pelnor.exe") >"$WORK/pelnor.log" 2>&1 &
    PELNOR_PID=$!
    wait_for_mascot
    wait_until 5 not at "$X" "$Y" || fail "the mascot does not drift (stays at ($X,$Y))"
    pass "the mascot appeared and drifts"

    # What only some starts need is loaded when first needed.
    local early
    early="$(deferred_libraries)"
    [ -z "$early" ] || fail "loaded at start-up: $early"
    pass "no common controls or shell at start-up"
    mascot_geometry
    xdotool mousemove $((X + W / 2)) $((Y + H / 2)) sleep 0.2 mousemove $((X + W / 2 + 2)) $((Y + H / 2))
    wait_until 10 tip_shown || fail "no hint over the mascot"
    [ -z "$(deferred_libraries)" ] || fail "after the hover: $(deferred_libraries)"
    pass "the hint showed on hover, with neither loaded"

    mascot_geometry
    xdotool mousemove $((X + W / 2)) $((Y + H / 2)) click 3
    wait_until 5 menu_open || fail "no menu after a right click"
    xdotool key Escape
    wait_until 5 not menu_open || fail "Escape did not close the menu"
    pass "a right click opened the menu; Escape closed it"

    focus_window "$WID"
    xdotool key F1
    wait_until 10 find_named 'モフレン ヘルプ' || fail "F1 did not open the help"
    xdotool key Escape
    wait_until 5 not viewable "$FOUND" || fail "Escape did not close the help"
    pass "F1 opened the help (found through the program folder); Escape closed it"

    exit_by_alt_f4 "$WID" 10
}

check_untouched() {
    listing >"$WORK/after.txt"
    diff "$WORK/before.txt" "$WORK/after.txt" >&3 || fail "the program changed its folder"
    pass "the folder holds exactly what it held before"
}

main() {
    chmod -R u+w "$WORK" 2>/dev/null || true   # a failed run's read-only folder
    begin_run "$BUILD_DIR/wine-e2e-folders"
    make_folder
    check_runs
    check_untouched
    umount "$FOLDER" 2>/dev/null || true
    chmod -R u+w "$WORK"
    end_run
}

main
