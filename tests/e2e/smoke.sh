#!/usr/bin/env bash
# End-to-end smoke test: drives Pelnor.exe under Wine on a private Xvfb the way
# a user would (xdotool), and checks what is on the screen.
#   tests/e2e/smoke.sh [--screenshot] PATH/TO/Pelnor.exe
# --screenshot also writes docs/screenshot.png (the mascot, enlarged 3x).
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=lib.sh
source "$HERE/lib.sh"

SAVE_SCREENSHOT=0
if [ "${1:-}" = "--screenshot" ]; then SAVE_SCREENSHOT=1; shift; fi
program_under_test "${1:-}" e2e-smoke         # screenshots and the program's log; kept on failure

ROOT_COLOUR="0,128,96"              # #008060, used by no picture
PICTURE="$ROOT/assets/mascot.bmp"
WIDTH=74
HEIGHT=56
START_LEFT=381
START_TOP=292
GRAB_X=40 GRAB_Y=30                 # a client point on the robe, well inside the outline
MENU_KEY_X=40 MENU_KEY_Y=50         # where Shift+F10 opens the menu

start_pelnor() {
    STARTED_AT=$(now)
    wine "$EXE" >"$WORK/pelnor.log" 2>&1 &
    PELNOR_PID=$!   # wine execs into the Windows process: this is Pelnor.exe itself
}

# --- helpers ------------------------------------------------------------------

# pixel_at SHOT X Y: the colour "r,g,b" at client point (X, Y) of that shot.
pixel_at() { awk -v p="$2,$3" '$1 == p { print $2; exit }' "$WORK/$1.txt"; }

# picture_pixel X Y: the colour of the stored picture.
picture_pixel() { awk -v p="$1,$2" '$1 == p { print $2; exit }' "$WORK/picture.txt"; }

inverted() { awk -F, '{ print 255 - $1 "," 255 - $2 "," 255 - $3 }' <<<"$1"; }

# compare_picture SHOT MIRRORED INVERTED: every window pixel must be either the
# root colour (cut away by the outline) or the picture's pixel there, mirrored
# and/or inverted as asked. Prints "shown cut wrong".
compare_picture() {
    awk -v mirrored="$2" -v inverted="$3" -v root="$ROOT_COLOUR" -v w="$WIDTH" '
        FNR == NR { picture[$1] = $2; next }
        {
            split($1, p, ","); x = p[1]; y = p[2]
            if ($2 == root) { cut++; next }
            src = (mirrored ? w - 1 - x : x) "," y
            want = picture[src]
            if (inverted && want != "") { split(want, c, ","); want = 255 - c[1] "," 255 - c[2] "," 255 - c[3] }
            if ($2 == want) shown++; else wrong++
        }
        END { print shown + 0, cut + 0, wrong + 0 }' "$WORK/picture.txt" "$WORK/$1.txt"
}

# expect_picture SHOT MIRRORED INVERTED WHAT: the check built on compare_picture.
expect_picture() {
    local shown cut wrong
    read -r shown cut wrong < <(compare_picture "$1" "$2" "$3")
    [ "$wrong" -eq 0 ] && [ "$shown" -ge 1000 ] && [ "$cut" -ge 500 ] ||
        fail "$4: $shown pixels match the picture, $cut show the root, $wrong are wrong"
    pass "$4 ($shown picture pixels, $cut cut away, none wrong)"
}

# Visible top-level windows of the program other than the mascot, as "wid w h x y".
other_windows() {
    local id
    for id in $(xdotool search --onlyvisible --class 'pelnor' 2>/dev/null); do
        [ "$id" = "$WID" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=' | sed 's/^/local g_/')"
        echo "$id $g_WIDTH $g_HEIGHT $g_X $g_Y"
    done
}

menu_open() { other_windows | awk '$2 > 100 && $3 > 150 { found = 1; print } END { exit !found }'; }
menu_closed() { ! menu_open; }

focus_mascot() { focus_window "$WID"; }

position_is() { mascot_geometry; near "$X" "$1" "$3" && near "$Y" "$2" "$3"; }
moved_from() { mascot_geometry; [ "$X" != "$1" ] || [ "$Y" != "$2" ]; }
colour_at_is() { shoot "$1" && [ "$(pixel_at "$1" "$2" "$3")" = "$4" ]; }

# --- the checks -----------------------------------------------------------------

check_appears() {
    wait_until 60 mascot_shown || fail "no window named モフレン shown within 60 s"
    mascot_geometry
    local ticks=$((START_LEFT - X)) most
    most=$(awk -v e="$(seconds_since "$STARTED_AT")" 'BEGIN { printf "%d", e * 2 + 2 }')
    [ "$W" -eq "$WIDTH" ] && [ "$H" -eq "$HEIGHT" ] || fail "window is ${W}x$H, not ${WIDTH}x$HEIGHT"
    # Drifting up-left from the start point keeps X - Y constant.
    [ $((START_LEFT - X)) -eq $((START_TOP - Y)) ] && [ "$ticks" -ge 0 ] && [ "$ticks" -le "$most" ] ||
        fail "window at ($X,$Y) is not on the drift path from ($START_LEFT,$START_TOP)"
    pass "window モフレン ${W}x$H appeared after $(seconds_since "$STARTED_AT") s at ($X,$Y), $ticks ticks from ($START_LEFT,$START_TOP)"
}

check_shaped() {
    wait_until 10 colour_at_is start "$GRAB_X" "$GRAB_Y" "$(picture_pixel "$GRAB_X" "$GRAB_Y")" ||
        fail "the picture was never drawn"
    [ "$(pixel_at start 0 0)" = "$ROOT_COLOUR" ] || fail "client (0,0) shows $(pixel_at start 0 0), not the root colour"
    pass "client (0,0) shows the root colour: the window is cut to the outline"
    local point colour
    for point in "5 10 horn" "40 30 robe" "60 40 hair" "25 20 sleeve"; do
        set -- $point
        colour="$(pixel_at start "$1" "$2")"
        [ "$colour" != "$ROOT_COLOUR" ] && [ "$colour" != "255,255,255" ] &&
            [ "$colour" = "$(picture_pixel "$1" "$2")" ] ||
            fail "the $3 at client ($1,$2) shows $colour, the picture has $(picture_pixel "$1" "$2")"
    done
    pass "horn, robe, hair and sleeve show their picture colours"
    expect_picture start 0 0 "the window shows the picture facing left"
    if [ "$SAVE_SCREENSHOT" -eq 1 ]; then
        local margin=12
        convert "$WORK/start.png" -crop "$((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin))+$((X - margin))+$((Y - margin))" \
            +repage -scale 300% "$ROOT/docs/screenshot.png"
        pass "saved docs/screenshot.png"
    fi
}

check_drifts() {
    mascot_geometry
    local x0=$X y0=$Y t0
    t0=$(now)
    sleep 2
    mascot_geometry
    local elapsed ticks dx=$((x0 - X)) dy=$((y0 - Y))
    elapsed=$(seconds_since "$t0")
    ticks=$(awk -v e="$elapsed" 'BEGIN { printf "%d", e * 2 }')
    [ "$dx" -eq "$dy" ] && near "$dx" "$ticks" 2 ||
        fail "in $elapsed s the window went from ($x0,$y0) to ($X,$Y), expected about $ticks pixels up-left"
    pass "drifted up-left by $dx pixels in $elapsed s"
}

check_menu() {
    mascot_geometry
    local cx=$((X + GRAB_X)) cy=$((Y + GRAB_Y)) menu
    xdotool mousemove "$cx" "$cy" click 3
    wait_until 5 menu_open || fail "no menu after a right click at ($cx,$cy)"
    menu="$(menu_open | head -1)"; set -- $menu
    near "$4" "$cx" 2 && near "$5" "$cy" 2 || fail "menu opened at ($4,$5), not at the click ($cx,$cy)"
    pass "right click opened a $2x$3 menu at the click point"
    shoot menu
    xdotool key Escape
    wait_until 5 menu_closed || fail "Escape did not close the menu"
    pass "Escape closed the menu"

    focus_mascot
    mascot_geometry
    xdotool key shift+F10
    wait_until 5 menu_open || fail "no menu after Shift+F10"
    menu="$(menu_open | head -1)"; set -- $menu
    near "$4" $((X + MENU_KEY_X)) 2 && near "$5" $((Y + MENU_KEY_Y)) 2 ||
        fail "Shift+F10 opened the menu at ($4,$5), not at client ($MENU_KEY_X,$MENU_KEY_Y) of the window at ($X,$Y)"
    xdotool key Escape
    wait_until 5 menu_closed || fail "Escape did not close the Shift+F10 menu"
    pass "Shift+F10 opened the menu at client ($MENU_KEY_X,$MENU_KEY_Y); Escape closed it"
}

# drag_to LEFT TOP: a left-button drag that leaves the window's corner at (LEFT, TOP).
drag_to() {
    mascot_geometry
    press_and_drag $((X + GRAB_X)) $((Y + GRAB_Y)) $(($1 + GRAB_X)) $(($2 + GRAB_Y))
    sleep 0.3
    xdotool mouseup 1
}

check_drag_and_bounce() {
    local drop_x=3 drop_y=380
    drag_to "$drop_x" "$drop_y"
    wait_until 5 position_is "$drop_x" "$drop_y" 2 || fail "dragged to ($drop_x,$drop_y), the window is at ($X,$Y)"
    pass "the drag moved the window to ($X,$Y)"

    # It goes on drifting left from the drop point, bounces at x = 0, then
    # moves right one pixel a tick, facing right.
    local top_at_drop=$Y
    wait_until 5 left_is 0 || fail "the window did not drift from the drop point to the left edge (at ($X,$Y))"
    [ "$Y" -lt "$top_at_drop" ] || fail "after the drop the window stopped drifting up (y $top_at_drop -> $Y)"
    pass "the drift continued from the drop point to the left edge ($X,$Y)"

    local last=0 deadline
    deadline=$(awk -v n="$(now)" 'BEGIN { printf "%.2f", n + 6 }')
    while mascot_geometry && [ "$X" -lt 3 ]; do
        [ "$X" -ge "$last" ] || fail "after the bounce x went back from $last to $X"
        last=$X
        awk -v d="$deadline" -v n="$(now)" 'BEGIN { exit !(n > d) }' && fail "the window did not bounce off the left edge (x = $X)"
        sleep 0.1
    done
    pass "bounced off the left edge: x grew tick by tick to $X"

    shoot mirrored
    expect_picture mirrored 1 0 "the window shows the picture mirrored"
    local horn
    horn="$(picture_pixel 5 10)"
    [ "$(pixel_at mirrored $((WIDTH - 1 - 5)) 10)" = "$horn" ] && [ "$(pixel_at mirrored 5 10)" = "$ROOT_COLOUR" ] ||
        fail "the horn is not on the right side: client ($((WIDTH - 1 - 5)),10) shows $(pixel_at mirrored $((WIDTH - 1 - 5)) 10)"
    pass "the yellow horn is now on the right"
}

check_freeze() {
    local point="$GRAB_X $GRAB_Y" normal
    focus_mascot
    xdotool key ctrl+s
    wait_until 5 colour_at_is frozen $point "$(inverted "$(picture_pixel $((WIDTH - 1 - GRAB_X)) "$GRAB_Y")")" ||
        fail "Ctrl+S did not draw the picture inverted (client ($point) shows $(pixel_at frozen $point))"
    expect_picture frozen 1 1 "Ctrl+S froze the mascot: every channel c is drawn as 255-c"

    mascot_geometry
    local x0=$X y0=$Y
    sleep 2
    mascot_geometry
    [ "$X" -eq "$x0" ] && [ "$Y" -eq "$y0" ] || fail "frozen, the window moved from ($x0,$y0) to ($X,$Y)"
    pass "frozen, the window stayed at ($X,$Y) for 2 s"

    focus_mascot
    xdotool key ctrl+s
    normal="$(picture_pixel $((WIDTH - 1 - GRAB_X)) "$GRAB_Y")"
    wait_until 5 colour_at_is thawed $point "$normal" || fail "a second Ctrl+S did not restore the colours"
    expect_picture thawed 1 0 "a second Ctrl+S restored the colours"
    wait_until 3 moved_from "$x0" "$y0" || fail "after the second Ctrl+S the window stays at ($X,$Y)"
    pass "the drift resumed: ($x0,$y0) -> ($X,$Y)"
}

check_exit() {
    exit_by_alt_f4 "$WID" 5
    ! find_mascot || fail "the mascot window is still there after Alt+F4"
}

main() {
    local began
    began=$(now)
    begin_run "$BUILD_DIR/wine-e2e" 92
    convert "$PICTURE" -depth 8 txt:- | pixel_table >"$WORK/picture.txt"
    start_pelnor

    check_appears
    check_shaped
    check_drifts
    check_menu
    check_drag_and_bounce
    check_freeze
    check_exit
    echo "all $CHECKS checks passed in $(seconds_since "$began") s"
}

main
