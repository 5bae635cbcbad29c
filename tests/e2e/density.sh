#!/usr/bin/env bash
# End-to-end check of the mascot at 96, 144 and 192 DPI: for each density a
# Wine prefix with that LogPixels, on a 2560x1440 screen. The window must be
# 74s x 56s (s = 1, 2, 2), show the picture in s x s blocks cut exactly around
# the figure (no background pixel inside, no figure pixel cut away) facing left
# and, after a bounce, facing right, and open its menu.
#   tests/e2e/density.sh [--screenshots] PATH/TO/Pelnor.exe
# --screenshots also writes docs/density-DPI.png: the figure and its open
# menu side by side, at the screen's own pixels.
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=lib.sh
source "$HERE/lib.sh"

SAVE_SCREENSHOTS=0
if [ "${1:-}" = "--screenshots" ]; then SAVE_SCREENSHOTS=1; shift; fi
program_under_test "${1:-}" e2e-density       # screenshots and the program's logs; kept on failure

DENSITIES=(96 144 192)
ROOT_COLOUR="0,128,96"
PICTURE="$ROOT/assets/mascot.bmp"
S=1                                 # the figure's scale at the density being run

# expect_figure SHOT MIRRORED WHAT: every window pixel (x, y) shows the
# picture's pixel (x / s, y / s), mirrored if asked, where that is part of the
# figure, and the root colour where it is the white background or below the
# picture. Prints the counts.
expect_figure() {
    local shown cut wrong
    read -r shown cut wrong < <(awk -v s="$S" -v mirrored="$2" -v root="$ROOT_COLOUR" '
        FNR == NR { picture[$1] = $2; next }
        {
            split($1, p, ","); px = int(p[1] / s); py = int(p[2] / s)
            if (mirrored) px = 73 - px
            want = py < 55 ? picture[px "," py] : "255,255,255"
            if (want == "255,255,255") want = root
            if ($2 != want) { wrong++; if (wrong <= 5) print "  (" $1 ") shows " $2 ", wants " want > "/dev/stderr"; next }
            if (want == root) cut++; else shown++
        }
        END { print shown + 0, cut + 0, wrong + 0 }' "$WORK/picture.txt" "$WORK/$1.txt")
    [ "$wrong" -eq 0 ] && [ "$shown" -ge $((1000 * S * S)) ] ||
        fail "$3: $shown figure pixels shown, $cut cut away, $wrong wrong"
    pass "$3: $shown figure pixels in ${S}x$S blocks, $cut cut away, none wrong"
}

# The open menu: a visible window of the program other than the mascot, as
# "wid w h x y".
menu_window() {
    local id
    for id in $(xdotool search --onlyvisible --class 'pelnor' 2>/dev/null); do
        [ "$id" = "$WID" ] && continue
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=' | sed 's/^/local g_/')"
        [ "${g_WIDTH:-0}" -gt 100 ] && [ "${g_HEIGHT:-0}" -gt 150 ] &&
            { echo "$id $g_WIDTH $g_HEIGHT $g_X $g_Y"; return 0; }
    done
    return 1
}

run_at() {
    local dpi=$1 began menu
    S=$(((dpi + 48) / 96))
    began=$(now)
    wine_prefix_ready "$BUILD_DIR/wine-e2e-dpi$dpi"
    prefix_value 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"
    wine "$EXE" >"$WORK/pelnor-$dpi.log" 2>&1 &
    PELNOR_PID=$!

    wait_until 60 mascot_shown || fail "$dpi DPI: no window named モフレン shown within 60 s"
    mascot_geometry
    [ "$W" -eq $((74 * S)) ] && [ "$H" -eq $((56 * S)) ] ||
        fail "$dpi DPI: the window is ${W}x$H, not $((74 * S))x$((56 * S))"
    pass "$dpi DPI: window ${W}x$H after $(seconds_since "$began") s"
    xdotool mousemove 2500 1400       # no tool tip over the figure
    shoot "left-$dpi"
    expect_figure "left-$dpi" 0 "$dpi DPI facing left"
    local figure_x=$X figure_y=$Y

    # Dropped near the left edge it bounces within a tick or two and faces right.
    press_and_drag $((X + 40 * S)) $((Y + 30 * S)) $((S + 40 * S)) $((600 + 30 * S))
    xdotool mouseup 1
    xdotool mousemove 2500 1400
    wait_until 10 left_is 0 || fail "$dpi DPI: the window did not reach the left edge (at $X,$Y)"
    wait_until 5 left_is "$S" || fail "$dpi DPI: no bounce off the left edge in steps of $S (at $X,$Y)"
    shoot "right-$dpi"
    expect_figure "right-$dpi" 1 "$dpi DPI facing right after the bounce, stepping $S pixels"

    xdotool mousemove $((X + 40 * S)) $((Y + 30 * S)) click 3
    wait_until 5 menu_window || fail "$dpi DPI: no menu after a right click"
    menu="$(menu_window)"; set -- $menu
    import -window root "$WORK/menu-$dpi.png"
    pass "$dpi DPI: right click opened a ${2}x$3 menu"
    if [ "$SAVE_SCREENSHOTS" -eq 1 ]; then
        local margin=$((8 * S))
        convert "$WORK/left-$dpi.png" \
            -crop "$((74 * S + 2 * margin))x$((56 * S + 2 * margin))+$((figure_x - margin))+$((figure_y - margin))" +repage \
            \( "$WORK/menu-$dpi.png" -crop "$(($2 + 2 * margin))x$(($3 + 2 * margin))+$(($4 - margin))+$(($5 - margin))" +repage \) \
            -background '#008060' -gravity north +append "$ROOT/docs/density-$dpi.png"
        pass "saved docs/density-$dpi.png"
    fi
    xdotool key Escape

    wineserver -k 2>/dev/null || true
    wait "$PELNOR_PID" 2>/dev/null || true
    PELNOR_PID=""
}

main() {
    local began dpi
    began=$(now)
    begin_run "$BUILD_DIR/wine-e2e-dpi96" 96 2560x1440
    convert "$PICTURE" -depth 8 txt:- | pixel_table >"$WORK/picture.txt"
    for dpi in "${DENSITIES[@]}"; do run_at "$dpi"; done
    echo "all $CHECKS checks passed in $(seconds_since "$began") s"
}

main
