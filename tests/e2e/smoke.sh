#!/usr/bin/env bash
# End-to-end smoke test: drives Pelnor.exe under Wine on a private Xvfb the way
# a user would (xdotool), and checks what is on the screen.
#   tests/e2e/smoke.sh [--screenshot] PATH/TO/Pelnor.exe
# --screenshot also writes docs/screenshot.png (the mascot, enlarged 3x).
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program_under_test "$@" e2e-smoke               # screenshots and the program's log; kept on failure

START_LEFT=381
START_TOP=292
GRAB_X=40 GRAB_Y=30                 # a client point on the robe, well inside the outline
MENU_KEY_X=40 MENU_KEY_Y=50         # where Shift+F10 opens the menu

moved_from() { mascot_geometry; [ "$X" != "$1" ] || [ "$Y" != "$2" ]; }
colour_at_is() { shoot "$1" && [ "$(pixel_at "$1" "$2" "$3")" = "$4" ]; }
frozen_colour_at_is() { shoot_still "$1" && [ "$(pixel_at "$1" "$2" "$3")" = "$4" ]; }

check_appears() {
    wait_for_mascot
    # Drifting up-left from the start point keeps X - Y constant.
    [ $((START_LEFT - X)) -eq $((START_TOP - Y)) ] && [ "$X" -le "$START_LEFT" ] ||
        fail "window at ($X,$Y) is not on the drift path from ($START_LEFT,$START_TOP)"
    pass "window モフレン ${W}x$H appeared after $(seconds_since "$BEGAN") s at ($X,$Y), on the drift path from ($START_LEFT,$START_TOP)"
}

check_drawn() {
    wait_until 10 colour_at_is start "$GRAB_X" "$GRAB_Y" "$(picture_pixel "$GRAB_X" "$GRAB_Y")" ||
        fail "the picture was never drawn"
    local point colour
    for point in "5 10 horn" "40 30 robe" "60 40 hair" "25 20 sleeve"; do
        set -- $point
        colour="$(pixel_at start "$1" "$2")"
        [ "$colour" != "255,255,255" ] && [ "$colour" = "$(picture_pixel "$1" "$2")" ] ||
            fail "the $3 at client ($1,$2) shows $colour, the picture has $(picture_pixel "$1" "$2")"
    done
    pass "horn, robe, hair and sleeve show their picture colours"
    expect_figure start 0 0 "the window shows the picture facing left"
    if [ "$SAVE_SCREENSHOT" -eq 1 ]; then
        # For the eye only: a pixel of drift between the two reads does not matter.
        screen_shot docs
        mascot_geometry
        convert "$LAST_SHOT" -crop "$((W + 24))x$((H + 24))+$((X - 12))+$((Y - 12))" +repage -scale 300% \
            "$ROOT/docs/screenshot.png"
        pass "saved docs/screenshot.png"
    fi
}

# While it drifts, the window moves up-left along one diagonal, never faster
# than a pixel a tick.
check_drifts() {
    local t0 x0 y0 elapsed most
    t0=$(now)
    mascot_geometry; x0=$X y0=$Y
    wait_until 5 moved_from "$x0" "$y0" || fail "the window stays at ($X,$Y)"
    sleep 1
    mascot_geometry
    elapsed=$(seconds_since "$t0")
    most=$(awk -v e="$elapsed" 'BEGIN { printf "%d", e * 2 + 1 }')
    [ $((x0 - X)) -eq $((y0 - Y)) ] && [ "$X" -lt "$x0" ] && [ $((x0 - X)) -le "$most" ] ||
        fail "in $elapsed s the window went from ($x0,$y0) to ($X,$Y): not up-left a pixel a tick"
    pass "drifted up-left by $((x0 - X)) pixels in $elapsed s"
}

# Dropped 3 pixels from the left edge it drifts on, bounces at x = 0 and moves
# right, facing right.
check_drag_and_bounce() {
    drop_at 3 380
    pass "the drag moved the window to (3,380) and held it there"
    expect_bounce 0 "bounced off the left edge"
    shoot mirrored
    expect_figure mirrored 1 0 "the window shows the picture mirrored"
    local horn
    horn="$(picture_pixel 5 10)"
    [ "$(pixel_at mirrored $((73 - 5)) 10)" = "$horn" ] ||
        fail "the horn is not on the right side: client ($((73 - 5)),10) shows $(pixel_at mirrored $((73 - 5)) 10)"
    pass "the yellow horn is now on the right"
}

check_freeze() {
    focus_window "$WID"
    xdotool key ctrl+s
    wait_until 5 frozen_colour_at_is frozen "$GRAB_X" "$GRAB_Y" "$(inverted "$(picture_pixel $((73 - GRAB_X)) "$GRAB_Y")")" ||
        fail "Ctrl+S did not draw the picture inverted (client ($GRAB_X,$GRAB_Y) shows $(pixel_at frozen "$GRAB_X" "$GRAB_Y"))"
    mascot_geometry
    local x0=$X y0=$Y
    # Grabbed where it stands, the root shows through what the outline cuts away.
    shoot_still frozen
    [ "$(pixel_at frozen 0 0)" = "$ROOT_COLOUR" ] || fail "client (0,0) shows $(pixel_at frozen 0 0), not the root colour"
    pass "client (0,0) shows the root colour: the window is cut to the outline"
    expect_figure frozen 1 1 "Ctrl+S froze the mascot: every channel c is drawn as 255-c"
    sleep 2
    at "$x0" "$y0" || fail "frozen, the window moved from ($x0,$y0) to ($X,$Y)"
    pass "frozen, the window stayed at ($X,$Y) for 2 s"
}

# Frozen, the mascot holds still: its menu opens exactly at the click, and at
# client (MENU_KEY_X, MENU_KEY_Y) on Shift+F10.
check_menu() {
    mascot_geometry
    local cx=$((X + GRAB_X)) cy=$((Y + GRAB_Y))
    xdotool mousemove "$cx" "$cy" click 3
    wait_until 5 menu_open || fail "no menu after a right click at ($cx,$cy)"
    set -- $MENU
    [ "$4" -eq "$cx" ] && [ "$5" -eq "$cy" ] || fail "menu opened at ($4,$5), not at the click ($cx,$cy)"
    pass "right click opened a $2x$3 menu at the click point"
    screen_shot menu
    xdotool key Escape
    wait_until 5 not menu_open || fail "Escape did not close the menu"
    pass "Escape closed the menu"

    focus_window "$WID"
    xdotool key shift+F10
    wait_until 5 menu_open || fail "no menu after Shift+F10"
    set -- $MENU
    [ "$4" -eq $((cx - GRAB_X + MENU_KEY_X)) ] && [ "$5" -eq $((cy - GRAB_Y + MENU_KEY_Y)) ] ||
        fail "Shift+F10 opened the menu at ($4,$5), not at client ($MENU_KEY_X,$MENU_KEY_Y) of the window at ($((cx - GRAB_X)),$((cy - GRAB_Y)))"
    xdotool key Escape
    wait_until 5 not menu_open || fail "Escape did not close the Shift+F10 menu"
    pass "Shift+F10 opened the menu at client ($MENU_KEY_X,$MENU_KEY_Y); Escape closed it"
}

check_thaw() {
    local normal x0 y0
    mascot_geometry; x0=$X y0=$Y
    focus_window "$WID"
    xdotool key ctrl+s
    normal="$(picture_pixel $((73 - GRAB_X)) "$GRAB_Y")"
    wait_until 5 colour_at_is thawed "$GRAB_X" "$GRAB_Y" "$normal" || fail "a second Ctrl+S did not restore the colours"
    expect_figure thawed 1 0 "a second Ctrl+S restored the colours"
    wait_until 5 moved_from "$x0" "$y0" || fail "after the second Ctrl+S the window stays at ($X,$Y)"
    pass "the drift resumed: ($x0,$y0) -> ($X,$Y)"
}

main() {
    begin_run "$BUILD_DIR/wine-e2e"
    start_program
    check_appears
    check_drawn
    check_drifts
    check_drag_and_bounce
    check_freeze
    check_menu
    check_thaw
    exit_by_alt_f4 "$WID" 5
    ! find_mascot || fail "the mascot window is still there after Alt+F4"
    end_run
}

main
