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

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=lib.sh
source "$HERE/lib.sh"

SAVE_SCREENSHOT=0
if [ "${1:-}" = "--screenshot" ]; then SAVE_SCREENSHOT=1; shift; fi
program_under_test "${1:-}" e2e-monitors      # screenshots and the program's log; kept on failure

SECOND_LEFT=1280 SECOND_RIGHT=2560  # the right-hand monitor
WIDTH=74 HEIGHT=56
GRAB_X=40 GRAB_Y=30                 # a client point on the robe

# find_named NAME: sets FOUND to a visible window of that name other than the mascot.
find_named() {
    FOUND="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "$WID" | head -1)"
    [ -n "$FOUND" ]
}
not_left_is() { ! left_is "$1"; }
gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

split_screen() {
    xrandr --setmonitor L 1280/338x800/211+0+0 screen >/dev/null &&
        xrandr --setmonitor R 1280/338x800/211+1280+0 none >/dev/null ||
        fail "xrandr could not split the screen into two monitors"
    [ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ] || fail "xrandr lists $(xrandr --listmonitors | head -1)"
    pass "the 2560x800 screen is two 1280x800 monitors"
}

# drag_and_hold LEFT TOP SECONDS: drags the window's corner to (LEFT, TOP) and
# holds the button down there, checking that the window stays under the mouse.
drag_and_hold() {
    mascot_geometry
    press_and_drag $((X + GRAB_X)) $((Y + GRAB_Y)) $(($1 + GRAB_X)) $(($2 + GRAB_Y))
    local until
    until=$(awk -v n="$(now)" -v s="$3" 'BEGIN { printf "%.2f", n + s }')
    while awk -v d="$until" -v n="$(now)" 'BEGIN { exit !(n < d) }'; do
        mascot_geometry
        near "$X" "$1" 2 && near "$Y" "$2" 2 || { xdotool mouseup 1; fail "held at ($1,$2), the window went to ($X,$Y)"; }
        sleep 0.1
    done
    xdotool mouseup 1
    xdotool mousemove 1000 700          # no tool tip over the figure
}

# centred_on_second NAME KEYS CLOSE WHAT: KEYS on the mascot open a window
# named NAME (other than the mascot) centred on the right-hand monitor; the key
# CLOSE closes it.
centred_on_second() {
    focus_window "$WID"
    xdotool key "$2"
    wait_until 10 find_named "$1" || fail "$2 opened no window named $1"
    local id=$FOUND
    geometry "$id"
    local centre_x=$((X + W / 2)) centre_y=$((Y + H / 2))
    near "$centre_x" $(((SECOND_LEFT + SECOND_RIGHT) / 2)) 1 && near "$centre_y" 400 1 ||
        fail "$4 is ${W}x$H at ($X,$Y), centred at ($centre_x,$centre_y), not on the right monitor's centre"
    pass "$4 opened centred on the right monitor: ${W}x$H at ($X,$Y)"
    [ -n "${SHOT:-}" ] && import -window root "$SHOT"
    focus_window "$id"
    xdotool key "$3"
    wait_until 5 gone "$id" || fail "$3 did not close $4"
}

# drop_and_bounce LEFT EDGE WHAT: drops the window at x = LEFT and waits for
# it to reach x = EDGE and leave it again the other way.
drop_and_bounce() {
    drag_and_hold "$1" 400 0.3
    wait_until 10 left_is "$2" || fail "dropped at x = $1, the window did not reach x = $2 (at $X,$Y)"
    local edge_y=$Y
    wait_until 5 not_left_is "$2" || fail "the window stayed at x = $2"
    pass "$3: from x = $1 to the edge at x = $2 (y $edge_y), then back to x = $X"
}

main() {
    local began x0 y0
    began=$(now)
    begin_run "$BUILD_DIR/wine-e2e-monitors" 97 2560x800
    split_screen
    prefix_value 'HKCU\Software\Wine\X11 Driver' UseXRandR REG_SZ N
    wine "$EXE" >"$WORK/pelnor.log" 2>&1 &
    PELNOR_PID=$!
    wait_until 60 mascot_shown || fail "no window named モフレン shown within 60 s"
    mascot_geometry
    [ "$W" -eq "$WIDTH" ] && [ "$H" -eq "$HEIGHT" ] && [ "$X" -lt "$SECOND_LEFT" ] ||
        fail "the mascot is ${W}x$H at ($X,$Y), not ${WIDTH}x$HEIGHT on the left monitor"
    pass "the mascot ${W}x$H appeared on the left monitor at ($X,$Y)"

    drag_and_hold 2000 300 1.5
    pass "dragged onto the right monitor, it stayed under the mouse for 1.5 s (3 ticks)"
    x0=$X y0=$Y
    sleep 1.6
    mascot_geometry
    [ "$X" -ge "$SECOND_LEFT" ] && [ "$X" -lt "$x0" ] && [ $((x0 - X)) -eq $((y0 - Y)) ] ||
        fail "after the drop at ($x0,$y0) the window went to ($X,$Y)"
    pass "dropped there, it drifted on up-left on the right monitor: ($x0,$y0) -> ($X,$Y)"

    drop_and_bounce $((SECOND_LEFT + 3)) "$SECOND_LEFT" "bounced off the right monitor's left edge"
    drop_and_bounce $((SECOND_RIGHT - WIDTH - 3)) $((SECOND_RIGHT - WIDTH)) \
        "bounced off the right monitor's right edge"

    # Frozen there, its windows open on its monitor.
    focus_window "$WID"
    xdotool key ctrl+s
    SHOT="$WORK/about.png" centred_on_second 'バージョン情報' ctrl+a Return "the About box"
    centred_on_second '呼び出し状' ctrl+w Escape "the call letter"
    centred_on_second 'モフレン' ctrl+u Return "the information box"

    if [ "$SAVE_SCREENSHOT" -eq 1 ]; then
        convert "$WORK/about.png" -scale 50% -stroke '#ffffff' -draw "line 640,0 640,399" \
            "$ROOT/docs/two-monitors.png"
        pass "saved docs/two-monitors.png (the line marks where the monitors meet)"
    fi
    echo "all $CHECKS checks passed in $(seconds_since "$began") s"
}

main
