#!/usr/bin/env bash
# End-to-end test of the call letter: under Wine on a private Xvfb, a user
# opens the call letter dialog from the mascot (Ctrl+W), sets a call for the
# current minute, confirms it, sees the notice, closes it and checks that the
# dialog's "設定中" indicator is cleared. Then a call for the next minute,
# with the program stopped (kill -STOP) until that minute has passed: it must
# raise its late notice once it continues.
#   tests/e2e/call_letter.sh PATH/TO/Pelnor.exe
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program_under_test "$@" e2e-call-letter  # screenshots and the program's log; kept on failure

OWNER="山田"
ERRAND="meeting"
LETTER_W=365 LETTER_H=263          # the call letter's client area
NOTICE_W=313 NOTICE_H=183          # the notice's client area
FLAG_X=11 FLAG_Y=231 FLAG_W=56 FLAG_H=20  # the "設定中" box in the letter's client area
PANEL_TOP=6                        # the notice's panel in its client area
PINK="255,182,182"
NAVY="0,0,128"


# --- windows ------------------------------------------------------------------

find_letter() { find_named '呼び出し状' && LETTER=$FOUND; }
# The notice has the mascot's name but a frame and a bigger client area.
find_notice() { find_named 'モフレン' && NOTICE=$FOUND; }

# client_origin ID CLIENT_W CLIENT_H: checks that the window's frame holds a
# client area of that size (equal side and bottom borders, a caption on top)
# and sets CX, CY to the client area's screen origin.
client_origin() {
    geometry "$1" || return 1
    local border=$(((W - $2) / 2)) caption
    caption=$((H - $3 - 2 * border))
    [ $((W - $2)) -eq $((2 * border)) ] && [ "$border" -ge 1 ] && [ "$border" -le 8 ] &&
        [ "$caption" -ge 12 ] && [ "$caption" -le 40 ] || return 1
    CX=$((X + border))
    CY=$((Y + H - border - $3))
}

# Whether window $1 is stacked above window $2 (xwininfo lists top to bottom).
above() {
    xwininfo -root -children | awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" '
        $1 == a { ia = NR } $1 == b { ib = NR } END { exit !(ia && ib && ia < ib) }'
}

# --- screenshots ---------------------------------------------------------------

# region SHOT X Y W H: that part of the shot as "x,y r,g,b" lines, x and y
# from its corner.
region() { convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- | pixel_table; }

# count_colour SHOT X Y W H RGB: how many pixels there have that colour.
count_colour() { region "$@" | awk -v rgb="$6" '$2 == rgb { n++ } END { print n + 0 }'; }

# red_pixels SHOT X Y W H: pixels with a strong red and little green and blue.
red_pixels() { region "$@" | awk '{ split($2, c, ","); if (c[1] >= 160 && c[2] < 100 && c[3] < 100) n++ } END { print n + 0 }'; }

# columns_of SHOT X Y W H RGB: the leftmost and rightmost column where that
# colour shows, or "-1 -1".
columns_of() {
    region "$@" | awk -v rgb="$6" '$2 == rgb { split($1, p, ","); x = p[1] + 0; if (lo == "" || x < lo) lo = x; if (x > hi) hi = x }
                                   END { print (lo == "" ? "-1 -1" : lo " " hi) }'
}

# The notice's panel is on screen: most of its client area is pink.
notice_drawn() {
    screen_shot notice
    [ "$(count_colour "$LAST_SHOT" "$NX" "$NY" "$NOTICE_W" "$NOTICE_H" "$PINK")" -gt 25000 ]
}

flag_clear() {
    screen_shot flag
    [ "$(red_pixels "$LAST_SHOT" $((LETTER_X + FLAG_X)) $((LETTER_Y + FLAG_Y)) "$FLAG_W" "$FLAG_H")" -eq 0 ]
}

# --- the steps ------------------------------------------------------------------


check_letter_opens() {
    focus_window "$WID"
    xdotool key ctrl+w
    wait_until 10 find_letter || fail "Ctrl+W on the mascot opened no window named 呼び出し状"
    wait_until 5 client_origin "$LETTER" "$LETTER_W" "$LETTER_H" ||
        fail "呼び出し状 is ${W}x$H: no frame around a ${LETTER_W}x$LETTER_H client area"
    LETTER_X=$CX LETTER_Y=$CY
    pass "Ctrl+W opened 呼び出し状, ${W}x$H: a ${LETTER_W}x$LETTER_H client area at ($CX,$CY)"
    screen_shot letter
    [ "$(red_pixels "$LAST_SHOT" $((LETTER_X + FLAG_X)) $((LETTER_Y + FLAG_Y)) "$FLAG_W" "$FLAG_H")" -eq 0 ] ||
        fail "the 設定中 box shows red before any call was set"
    pass "the 設定中 box is empty on opening"
}

# check_set_call [later]: types the current hour and minute (waiting for the
# next minute if less than 20 s of this one are left), or with "later" those
# of the first minute to begin 20 s from now or later, and the errand, then
# Enter (設定) and Enter (はい). Typing takes a few seconds; 20 s leave room for
# a busy machine. Sets CALL_TIME, CALL_AT (when that minute begins, in
# seconds since 1970) and ARMED_AT.
check_set_call() {
    local second hour minute ahead=0
    second=$((10#$(date +%S)))
    if [ -n "${1:-}" ]; then
        ahead=80
    elif [ "$second" -gt 40 ]; then
        echo "      waiting $((61 - second)) s for the next minute"
        sleep $((61 - second))
    fi
    CALL_AT=$((($(date +%s) + ahead) / 60 * 60))
    read -r hour minute < <(date -d "@$CALL_AT" '+%H %M')
    hour=$((10#$hour))
    minute=$((10#$minute))
    CALL_TIME=$(printf '%02d:%02d' "$hour" "$minute")
    focus_window "$LETTER"
    # The focus starts on "30分後": four Tabs reach the hour field.
    xdotool key --delay 50 Tab Tab Tab Tab End BackSpace BackSpace BackSpace
    xdotool type --delay 50 "$hour"
    xdotool key --delay 50 Tab End BackSpace BackSpace BackSpace
    xdotool type --delay 50 "$minute"
    xdotool key --delay 50 Tab Tab
    xdotool type --delay 50 "$ERRAND"
    screen_shot filled
    xdotool key Return
    wait_until 10 find_named '確認' || fail "Enter (設定) opened no 確認 box"
    pass "Enter pressed 設定: the 確認 box asks about $CALL_TIME"
    screen_shot confirm
    ARMED_AT=$(now)
    xdotool key Return
    wait_until 5 not viewable "$FOUND" || fail "Enter (はい) did not close the 確認 box"
    viewable "$LETTER" || fail "the call letter closed with the 確認 box"
    pass "Enter answered はい; the call letter stays open"
}

check_notice() {
    wait_until 10 find_notice || fail "no notice within 10 s of arming a call for $CALL_TIME"
    local after
    after=$(seconds_since "$ARMED_AT")
    wait_until 5 client_origin "$NOTICE" "$NOTICE_W" "$NOTICE_H" ||
        fail "the notice is ${W}x$H: no frame around a ${NOTICE_W}x$NOTICE_H client area"
    NX=$CX NY=$CY
    pass "the notice モフレン appeared $after s after はい, ${W}x$H: a ${NOTICE_W}x$NOTICE_H client area"
    above "$NOTICE" "$LETTER" || fail "the notice is stacked below the call letter"
    pass "the notice is stacked above the call letter"

    # The panel is pink with navy writing: the name line first, then the errand.
    local pink navy first last name_top=$((NY + PANEL_TOP + 14)) name_h=20
    wait_until 5 notice_drawn || fail "the notice shows no pink panel"
    pink=$(count_colour "$LAST_SHOT" "$NX" "$NY" "$NOTICE_W" "$NOTICE_H" "$PINK")
    navy=$(count_colour "$LAST_SHOT" "$NX" "$NY" "$NOTICE_W" "$NOTICE_H" "$NAVY")
    [ "$navy" -ge 200 ] || fail "the notice shows only $navy navy pixels"
    pass "the notice shows its pink panel ($pink pixels) with navy writing ($navy pixels)"
    # "山田さん、" is five full-width characters; "さん、" alone (no name)
    # would be three, and no name at all leaves the line empty.
    read -r first last < <(columns_of "$LAST_SHOT" "$NX" "$name_top" "$NOTICE_W" "$name_h" "$NAVY")
    [ "$first" -ge 0 ] && [ $((last - first)) -ge 52 ] ||
        fail "the name line is ${first}..${last}: not as wide as ${OWNER}さん、"
    pass "the name line spans client x $first..$last, as wide as ${OWNER}さん、"
}

check_notice_closes_once() {
    focus_window "$NOTICE"
    xdotool key Return
    wait_until 5 not viewable "$NOTICE" || fail "Enter did not close the notice"
    pass "Enter closed the notice"
    sleep 3
    find_notice && fail "a second notice appeared (window $NOTICE)"
    pass "no second notice within 3 s"
    viewable "$LETTER" || fail "the call letter closed with the notice"
    # The dialog's clock tick (every 2 s) clears the indicator of a call that fired.
    wait_until 20 flag_clear ||
        fail "the 設定中 box at client ($FLAG_X,$FLAG_Y) still shows red pixels"
    pass "the 設定中 box is cleared: no red in its ${FLAG_W}x$FLAG_H rectangle"
}

check_letter_closes() {
    # No focusing: closing the notice gave the activation back to the letter.
    xdotool key Escape
    wait_until 5 not viewable "$LETTER" || fail "Esc did not close the call letter"
    pass "Esc closed the call letter"
}

find_late_notice() { NOTICE="$(windows_named "モフレン \\($CALL_TIME の呼び出し\\)" | head -1)"; [ -n "$NOTICE" ]; }

# The program is stopped, as a busy machine, a debugger or a sleep would stop
# it, from just after arming until the armed minute is over.
check_stalled_call() {
    local armed_minute stopped_at continued_at after
    check_letter_opens
    check_set_call later
    armed_minute=$(date +%H:%M)
    [ "$(date +%s)" -lt "$CALL_AT" ] || fail "arming took until the armed minute $CALL_TIME"
    kill -STOP "$PELNOR_PID"
    stopped_at=$(now)
    # Until a second after the armed minute is over: the notice is late.
    while [ "$(date +%s)" -le $((CALL_AT + 60)) ]; do sleep 0.2; done
    kill -CONT "$PELNOR_PID"
    continued_at=$(now)
    pass "stopped the program at $armed_minute for $(seconds_since "$stopped_at") s, over the armed $CALL_TIME"
    # The next tick, half a second on, sees the missed minute.
    wait_until 20 find_late_notice || fail "no notice titled モフレン ($CALL_TIME の呼び出し) within 20 s of continuing"
    after=$(seconds_since "$continued_at")
    pass "the notice モフレン ($CALL_TIME の呼び出し) appeared $after s after continuing"
    screen_shot late-notice
    focus_window "$NOTICE"
    xdotool key Return
    wait_until 5 not viewable "$NOTICE" || fail "Enter did not close the late notice"
    pass "Enter closed the late notice"
    check_letter_closes
}

main() {
    begin_run "$BUILD_DIR/wine-e2e-call"
    prefix_value 'HKLM\Software\Microsoft\Windows\CurrentVersion' RegisteredOwner REG_SZ "$OWNER"
    start_program

    wait_for_mascot
    check_letter_opens
    check_set_call
    check_notice
    check_notice_closes_once
    check_letter_closes
    check_stalled_call
    exit_by_alt_f4 "$WID" 10
    end_run
}

main
