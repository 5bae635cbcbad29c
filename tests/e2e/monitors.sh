#!/usr/bin/env bash
# End-to-end check of the mascot on a desktop of two monitors side by side,
# 1280x800 each: one 2560x800 Xvfb screen split in two with xrandr, which Wine
# reports as two monitors when it does not use XRandR itself. Dragged onto the
# right-hand monitor the mascot stays under the mouse while the button is held,
# drifts on there, and bounces off that monitor's left and right edges; frozen
# there, its About box, call letter and information box open centred on it.
#   tests/e2e/monitors.sh [--screenshot] PATH/TO/Pelnor.exe
# --screenshot also writes docs/two-monitors.png (the desktop at half size).
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program_under_test "$@" e2e-monitors            # screenshots and the program's log; kept on failure

SECOND_LEFT=1280 SECOND_RIGHT=2560  # the right-hand monitor

split_screen() {
    xrandr --setmonitor L 1280/338x800/211+0+0 screen >/dev/null &&
        xrandr --setmonitor R 1280/338x800/211+1280+0 none >/dev/null ||
        fail "xrandr could not split the screen into two monitors"
    [ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ] || fail "xrandr lists $(xrandr --listmonitors | head -1)"
    pass "the 2560x800 screen is two 1280x800 monitors"
}

# centred_on_second NAME KEYS CLOSE WHAT: KEYS on the mascot open a window
# named NAME (other than the mascot) centred on the right-hand monitor; the key
# CLOSE closes it.
centred_on_second() {
    focus_window "$WID"
    xdotool key "$2"
    wait_until 10 find_named "$1" || fail "$2 opened no window named $1"
    local id=$FOUND
    geometry "$id" || fail "$4 closed by itself"
    local centre_x=$((X + W / 2)) centre_y=$((Y + H / 2))
    near "$centre_x" $(((SECOND_LEFT + SECOND_RIGHT) / 2)) 1 && near "$centre_y" 400 1 ||
        fail "$4 is ${W}x$H at ($X,$Y), centred at ($centre_x,$centre_y), not on the right monitor's centre"
    pass "$4 opened centred on the right monitor: ${W}x$H at ($X,$Y)"
    [ -n "${SHOT:-}" ] && screen_shot "$SHOT"
    focus_window "$id"
    xdotool key "$3"
    wait_until 5 not viewable "$id" || fail "$3 did not close $4"
}

main() {
    begin_run "$BUILD_DIR/wine-e2e-monitors" 2560x800
    split_screen
    prefix_value 'HKCU\Software\Wine\X11 Driver' UseXRandR REG_SZ N
    start_program
    wait_for_mascot
    [ "$X" -lt "$SECOND_LEFT" ] || fail "the mascot is at ($X,$Y), not on the left monitor"
    pass "the mascot ${W}x$H appeared on the left monitor at ($X,$Y)"

    # Held there by the button for three ticks, it stays under the mouse.
    drag_to 2000 300
    wait_until 10 at 2000 300 || { xdotool mouseup 1; fail "dragged to (2000,300), the window is at ($X,$Y)"; }
    sleep 1.5
    at 2000 300 || { xdotool mouseup 1; fail "held at (2000,300), the window went to ($X,$Y)"; }
    xdotool mouseup 1
    xdotool mousemove 1000 700          # no tool tip over the figure
    pass "dragged onto the right monitor, it stayed under the mouse for 1.5 s (3 ticks)"
    wait_until 5 not at 2000 300 || fail "dropped at (2000,300), the window stays there"
    [ "$X" -ge "$SECOND_LEFT" ] && [ "$X" -lt 2000 ] && [ $((2000 - X)) -eq $((300 - Y)) ] ||
        fail "after the drop at (2000,300) the window went to ($X,$Y)"
    pass "dropped there, it drifted on up-left on the right monitor: (2000,300) -> ($X,$Y)"

    drop_at $((SECOND_LEFT + 3)) 400
    expect_bounce "$SECOND_LEFT" "bounced off the right monitor's left edge"
    drop_at $((SECOND_RIGHT - 74 - 3)) 400
    expect_bounce $((SECOND_RIGHT - 74)) "bounced off the right monitor's right edge"

    # Frozen there, its windows open on its monitor.
    focus_window "$WID"
    xdotool key ctrl+s
    SHOT=about centred_on_second 'バージョン情報' ctrl+a Return "the About box"
    centred_on_second '呼び出し状' ctrl+w Escape "the call letter"
    centred_on_second 'モフレン' ctrl+u Return "the information box"

    if [ "$SAVE_SCREENSHOT" -eq 1 ]; then
        convert "$WORK/about.png" -scale 50% -stroke '#ffffff' -draw "line 640,0 640,399" \
            "$ROOT/docs/two-monitors.png"
        pass "saved docs/two-monitors.png (the line marks where the monitors meet)"
    fi
    end_run
}

main
