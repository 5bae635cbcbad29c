#!/usr/bin/env bash
# End-to-end check of the mascot at 96, 144 and 192 DPI: for each density a
# Wine prefix with that LogPixels, on a 2560x1440 screen. The window must be
# 74s x 56s (s = 1, 2, 2), show the picture in s x s blocks cut exactly around
# the figure (no background pixel inside, no figure pixel cut away) facing left
# and, after a bounce, facing right, and open its menu.
#   tests/e2e/density.sh [--screenshot] PATH/TO/Pelnor.exe
# --screenshot also writes docs/density-DPI.png: the figure and its open
# menu, at the screen's own pixels.
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program_under_test "$@" e2e-density             # screenshots and the program's logs; kept on failure

run_at() {
    local dpi=$1 began
    S=$(((dpi + 48) / 96))
    began=$(now)
    [ "$dpi" -eq 96 ] || wine_fresh_prefix "$BUILD_DIR/wine-e2e-dpi$dpi"
    prefix_value 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"
    start_program "pelnor-$dpi"

    wait_for_mascot
    pass "$dpi DPI: window ${W}x$H after $(seconds_since "$began") s"
    xdotool mousemove 2500 1400       # no tool tip over the figure
    shoot "left-$dpi"
    expect_figure "left-$dpi" 0 0 "$dpi DPI facing left"

    # Dropped one step from the left edge it bounces and faces right.
    drop_at "$S" 600
    expect_bounce 0 "$dpi DPI: bounced off the left edge in steps of $S"
    shoot "right-$dpi"
    expect_figure "right-$dpi" 1 0 "$dpi DPI facing right after the bounce"

    mascot_geometry
    xdotool mousemove $((X + 40 * S)) $((Y + 30 * S)) click 3
    wait_until 5 menu_open || fail "$dpi DPI: no menu after a right click"
    set -- $MENU
    pass "$dpi DPI: right click opened a ${2}x$3 menu"
    if [ "$SAVE_SCREENSHOT" -eq 1 ]; then
        local margin=$((8 * S))
        screen_shot "menu-$dpi"
        convert "$LAST_SHOT" -crop "$(($4 - X + $2 + 2 * margin))x$(($3 + 2 * margin))+$((X - margin))+$(($5 - margin))" \
            +repage "$ROOT/docs/density-$dpi.png"
        pass "saved docs/density-$dpi.png"
    fi
    xdotool key Escape

    wine_server_stop
    wait "$PELNOR_PID" 2>/dev/null || true
    PELNOR_PID=""
}

main() {
    local dpi
    begin_run "$BUILD_DIR/wine-e2e-dpi96" 2560x1440
    for dpi in 96 144 192; do run_at "$dpi"; done
    end_run
}

main
