# Shared by the end-to-end scripts: the program under test, reporting,
# polling, clean-up, a private Xvfb and prefix, window geometry and focus, the
# mascot's window, its pictures and its menu, drags and bounces, and the exit
# by Alt+F4. A script sources it, names its program with program_under_test,
# calls begin_run and starts the program with start_program.
#
# Nothing here races the 500 ms tick: a picture of the mascot is one grab of
# its window, a moving mascot is judged by where its drift path says it must
# be, and a wait only bounds a hang.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=../../tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"

ROOT_COLOUR="0,128,96"              # #008060, used by no picture
PICTURE="$ROOT/assets/mascot.bmp"   # 74x55; the window is a row taller
S=1                                 # the figure's scale: it steps S pixels a tick

# program_under_test [--screenshot] PATH WORK_NAME: sets EXE to PATH made
# absolute, BUILD_DIR to its folder, WORK to the folder there that keeps
# screenshots and logs when a check fails, and SAVE_SCREENSHOT to 1 if asked
# to write the pictures in docs/.
program_under_test() {
    SAVE_SCREENSHOT=0
    if [ "${1:-}" = "--screenshot" ]; then SAVE_SCREENSHOT=1; shift; fi
    [ -n "${1:-}" ] || { echo "usage: $(basename "$0") [--screenshot] PATH/TO/Pelnor.exe" >&2; exit 2; }
    EXE="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
    [ -f "$EXE" ] || { echo "no such program: $EXE" >&2; exit 2; }
    BUILD_DIR="$(dirname "$EXE")"
    WORK="$BUILD_DIR/$2"
}

PELNOR_PID=""
LAST_SHOT=""
CHECKS=0
BEGAN=""

pass() { CHECKS=$((CHECKS + 1)); printf 'ok %2d  %s\n' "$CHECKS" "$*"; }

# Writes to fd 3, the script's own stderr, so failures inside wait_until show.
fail() {
    {
        echo "FAIL: $*"
        [ -n "$LAST_SHOT" ] && echo "      last screenshot: $LAST_SHOT"
        echo "      files kept in $WORK"
    } >&3
    exit 1
}

cleanup() {
    local rc=$?
    if [ -n "$PELNOR_PID" ] && kill -0 "$PELNOR_PID" 2>/dev/null; then kill "$PELNOR_PID" 2>/dev/null || true; fi
    wine_server_stop
    stop_test_display
    [ "$rc" -eq 0 ] && rm -rf "$WORK"
    exit "$rc"
}

now() { echo "$EPOCHREALTIME"; }
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }

# wait_until SECONDS COMMAND...: polls the command until it succeeds.
wait_until() {
    local end=$((${EPOCHREALTIME//[!0-9]/} + $1 * 1000000))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "${EPOCHREALTIME//[!0-9]/}" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# begin_run PREFIX [WIDTHxHEIGHT]: a fresh work folder, clean-up on exit, a
# fresh Wine prefix and a private screen whose root colour no picture uses.
# Failures go to fd 3, the script's stderr. (A display number before the size,
# which the screen once started from, is passed over.)
begin_run() {
    [[ "${2:-}" =~ ^[0-9]+$ ]] && set -- "$1" "${3:-}"
    BEGAN=$(now)
    exec 3>&2
    rm -rf "$WORK"
    mkdir -p "$WORK"
    trap cleanup EXIT
    wine_fresh_prefix "$1"
    start_test_display "${2:-1024x768}" || fail "could not start Xvfb"
    xsetroot -solid '#008060'
    convert "$PICTURE" -depth 8 txt:- | pixel_table >"$WORK/picture.txt"
}

# end_run: the closing line.
end_run() { echo "all $CHECKS checks passed in $(seconds_since "$BEGAN") s"; }

# start_program [LOG]: starts the program in the background; PELNOR_PID is
# Pelnor.exe itself (wine execs into the Windows process).
start_program() {
    wine "$EXE" >"$WORK/${1:-pelnor}.log" 2>&1 &
    PELNOR_PID=$!
}

# prefix_value KEY NAME TYPE DATA: sets a registry value in the current prefix
# (before the program starts) and waits until it is written.
prefix_value() {
    wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 || fail "could not set $1\\$2"
    wineserver -w
}

# ImageMagick's text dump to "x,y r,g,b" lines.
pixel_table() { awk -F'[:() ]+' 'NR > 1 { split($2, c, ","); print $1, c[1] "," c[2] "," c[3] }'; }

near() { local d=$(($1 - $2)); [ "${d#-}" -le "$3" ]; }
not() { ! "$@"; }
abs() { echo "${1#-}"; }

# geometry ID: sets X, Y, W, H to that window's geometry (its frame, drawn by
# Wine itself); fails once the window is gone.
geometry() {
    read -r X Y W H < <(xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF } /  Width:/ { w = $NF } /  Height:/ { h = $NF }
        END { if (w) print x, y, w, h }')
}

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# focus_window ID: keys reach a window only while it has the X focus. There is
# no window manager; Wine gives its own new windows the focus itself, and
# setting it again on the window that has it upsets Wine's activation.
focus_window() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true
}

pelnor_ended() {
    local state
    state="$(ps -o stat= -p "$PELNOR_PID" 2>/dev/null)" || return 0
    [[ "$state" == Z* ]]
}

# exit_by_alt_f4 ID SECONDS: Alt+F4 on that window ends the program within
# SECONDS, with exit code 0.
exit_by_alt_f4() {
    focus_window "$1"
    xdotool key alt+F4
    wait_until "$2" pelnor_ended || fail "Alt+F4 did not end the program within $2 s"
    local rc=0
    wait "$PELNOR_PID" || rc=$?
    PELNOR_PID=""
    [ "$rc" -eq 0 ] || fail "the program ended with exit code $rc"
    pass "Alt+F4 ended the program (exit code 0)"
}

# --- the mascot ---------------------------------------------------------------

WID=""
# Visible windows of the program named exactly $1.
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
# The mascot is the first window named モフレン; the call notice, named so
# too, comes later and has a frame.
find_mascot() { WID="$(windows_named 'モフレン' | head -1)"; [ -n "$WID" ]; }
mascot_shown() { find_mascot; }
mascot_geometry() { geometry "$WID" || fail "the mascot's window $WID is gone"; }
# find_named NAME: sets FOUND to a visible window of that name other than the mascot.
find_named() { FOUND="$(windows_named "$1" | grep -vx "$WID" | head -1)"; [ -n "$FOUND" ]; }

# wait_for_mascot: the mascot is shown within a minute, S times 74x56.
wait_for_mascot() {
    wait_until 60 find_mascot || fail "no window named モフレン shown within 60 s"
    mascot_geometry
    [ "$W" -eq $((74 * S)) ] && [ "$H" -eq $((56 * S)) ] ||
        fail "the mascot window is ${W}x$H, not $((74 * S))x$((56 * S))"
}

# shoot NAME: one grab of the mascot's window alone, so its pixels belong
# together however the window moves: NAME.png and NAME.txt (the window's
# pixels as "x,y r,g,b"). What the outline cuts away is never painted and
# reads black. shoot_still NAME: a frozen mascot's spot on the screen, where
# the root shows through what the outline cuts away.
shoot() { _shoot "$1" "0,0,0" -window "$WID"; }
shoot_still() { _shoot "$1" "$ROOT_COLOUR" -screen -window "$WID"; }
_shoot() {
    local name="$WORK/$1.png"
    import "${@:3}" "$name" || fail "could not grab window $WID"
    LAST_SHOT="$name"
    convert "$name" -depth 8 txt:- | pixel_table >"$WORK/$1.txt"
    echo "$2" >"$WORK/$1.cut"
}

# screen_shot NAME: the whole screen, for the record or for docs/.
screen_shot() { LAST_SHOT="$WORK/$1.png"; import -window root "$LAST_SHOT"; }

# pixel_at SHOT X Y: the colour "r,g,b" at client point (X, Y) of that shot.
pixel_at() { awk -v p="$2,$3" '$1 == p { print $2; exit }' "$WORK/$1.txt"; }
# picture_pixel X Y: the colour of the stored picture there.
picture_pixel() { pixel_at picture "$1" "$2"; }
inverted() { awk -F, '{ print 255 - $1 "," 255 - $2 "," 255 - $3 }' <<<"$1"; }

# expect_figure SHOT MIRRORED INVERTED WHAT: every window pixel (x, y) shows
# the picture's pixel (x / S, y / S), mirrored and inverted (every channel c
# as 255 - c) as asked, where that is part of the figure, and is cut away
# where it is the white background or below the picture.
expect_figure() {
    local shown cut wrong
    read -r shown cut wrong < <(awk -v s="$S" -v mirrored="$2" -v inverted="$3" -v cut="$(cat "$WORK/$1.cut")" '
        FNR == NR { picture[$1] = $2; next }
        {
            split($1, p, ","); px = int(p[1] / s); py = int(p[2] / s)
            if (mirrored) px = 73 - px
            want = py < 55 ? picture[px "," py] : "255,255,255"
            if (want == "255,255,255") want = cut
            else if (inverted) { split(want, c, ","); want = 255 - c[1] "," 255 - c[2] "," 255 - c[3] }
            if ($2 != want) { wrong++; if (wrong <= 5) print "  (" $1 ") shows " $2 ", wants " want > "/dev/stderr"; next }
            if (want == cut) cuts++; else shown++
        }
        END { print shown + 0, cuts + 0, wrong + 0 }' "$WORK/picture.txt" "$WORK/$1.txt")
    [ "$wrong" -eq 0 ] && [ "$shown" -ge $((1000 * S * S)) ] && [ "$cut" -ge $((500 * S * S)) ] ||
        fail "$4: $shown figure pixels shown, $cut cut away, $wrong wrong"
    pass "$4: $shown figure pixels in ${S}x$S blocks, $cut cut away, none wrong"
}

# --- menus, drags, bounces --------------------------------------------------------

# other_window_where TEST: a visible window of the program other than the
# mascot whose geometry (W, H) passes the arithmetic TEST; sets OTHER to
# "wid w h x y".
other_window_where() {
    local id
    for id in $(xdotool search --onlyvisible --class 'pelnor' 2>/dev/null); do
        [ "$id" = "$WID" ] && continue
        geometry "$id" || continue
        (( $1 )) && { OTHER="$id $W $H $X $Y"; return 0; }
    done
    return 1
}
# menu_open: such a window large enough to be the menu; sets MENU.
menu_open() { other_window_where 'W > 100 && H > 150' && MENU=$OTHER; }

at() { mascot_geometry; [ "$X" -eq "$1" ] && [ "$Y" -eq "$2" ]; }

# drag_to LEFT TOP: presses the left button on the mascot's robe and moves the
# mouse in small steps until the window's corner is at (LEFT, TOP), leaving
# the button down. Where the press caught the window is read once it is held,
# so a tick before the press does not matter.
drag_to() {
    local i sx sy
    mascot_geometry
    sx=$((X + 40 * S)) sy=$((Y + 30 * S))
    xdotool mousemove "$sx" "$sy"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.3
    mascot_geometry
    local tx=$(($1 + sx - X)) ty=$(($2 + sy - Y))
    for i in $(seq 1 12); do
        xdotool mousemove $((sx + (tx - sx) * i / 12)) $((sy + (ty - sy) * i / 12))
        sleep 0.05
    done
}

# drop_at LEFT TOP: drags the mascot until its corner is at (LEFT, TOP), where
# it must stay while the button is held, lets go and moves the mouse away.
# From there it drifts on, its path starting at (DROP_X, DROP_Y).
drop_at() {
    local i
    drag_to "$1" "$2"
    # Should Wine have caught the window a tick away, the mouse makes up for it.
    for i in 1 2 3 4; do
        sleep 0.5
        at "$1" "$2" && break
        xdotool mousemove_relative -- $(($1 - X)) $(($2 - Y))
    done
    wait_until 10 at "$1" "$2" || { xdotool mouseup 1; fail "dragged to ($1,$2), the window is at ($X,$Y)"; }
    xdotool mouseup 1
    xdotool mousemove 0 0           # no hint over the figure, wherever it drifts
    DROP_X=$1 DROP_Y=$2
}

# bounced_off EDGE: dropped at (DROP_X, DROP_Y) heading for the vertical edge
# x = EDGE, the mascot has turned there: the step that would cross the edge
# leaves it on the edge and turns it, and from there it moves away as far as
# it moves up or down, in steps of S. Before the turn it is nearer the edge by
# as much as it moved, so this holds only after it, tick after tick.
bounced_off() {
    mascot_geometry
    local to_edge away
    to_edge=$(abs $((DROP_X - $1)))
    away=$(abs $((X - $1)))
    [ "$away" -gt 0 ] && [ $((away % S)) -eq 0 ] && [ "$(abs $((Y - DROP_Y)))" -eq $((to_edge + S + away)) ]
}

# expect_bounce EDGE WHAT: waits (long enough for the trip to the edge ten
# times over) until the mascot has bounced off x = EDGE.
expect_bounce() {
    local ticks=$(($(abs $((DROP_X - $1))) / S + 2))
    wait_until $((ticks * 5)) bounced_off "$1" ||
        fail "$2: dropped at ($DROP_X,$DROP_Y), the window is at ($X,$Y), not on its way back from x = $1"
    pass "$2: dropped at ($DROP_X,$DROP_Y), it turned at x = $1 and is back at ($X,$Y)"
}
