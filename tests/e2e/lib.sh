# Shared by the end-to-end scripts: the program under test, reporting,
# polling, clean-up, a private Xvfb, window geometry and focus, the mascot's
# window and screenshots of it, and the exit by Alt+F4. A script sources it
# first and then names its program with program_under_test; it sets XVFB_PID
# and PELNOR_PID through start_display and its own start-up.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=../../tools/wine-env.sh
source "$ROOT/tools/wine-env.sh"

# program_under_test PATH WORK_NAME: sets EXE to PATH made absolute, BUILD_DIR
# to its folder, and WORK to the folder there that keeps screenshots and logs
# when a check fails.
program_under_test() {
    [ -n "$1" ] || { echo "usage: $(basename "$0") PATH/TO/Pelnor.exe" >&2; exit 2; }
    EXE="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
    [ -f "$EXE" ] || { echo "no such program: $EXE" >&2; exit 2; }
    BUILD_DIR="$(dirname "$EXE")"
    WORK="$BUILD_DIR/$2"
}

XVFB_PID=""
PELNOR_PID=""
LAST_SHOT=""
CHECKS=0

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
    wineserver -k 2>/dev/null || true
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
    [ "$rc" -eq 0 ] && rm -rf "$WORK"
    exit "$rc"
}

now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }

# wait_until SECONDS COMMAND...: polls the command until it succeeds.
wait_until() {
    local timeout=$1; shift
    local deadline
    deadline=$(awk -v t="$timeout" -v n="$(now)" 'BEGIN { printf "%.2f", n + t }')
    while :; do
        "$@" >/dev/null 2>&1 && return 0
        awk -v d="$deadline" -v n="$(now)" 'BEGIN { exit !(n > d) }' && return 1
        sleep 0.1
    done
}

display_up() { xdpyinfo && kill -0 "$XVFB_PID" 2>/dev/null; }

# start_display FIRST [WIDTHxHEIGHT]: takes the first display number from FIRST
# on that a new Xvfb can hold; one that another run grabbed first shows as our
# Xvfb exiting at once. The root colour is one no picture uses.
start_display() {
    local n
    for n in $(seq "$1" 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        export DISPLAY=":$n"
        Xvfb "$DISPLAY" -screen 0 "${2:-1024x768}x24" -noreset >/dev/null 2>&1 &
        XVFB_PID=$!
        if wait_until 10 display_up; then
            xsetroot -solid '#008060'
            return 0
        fi
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    fail "could not start Xvfb on any display from :$1 to :140"
}

# begin_run PREFIX FIRST_DISPLAY [WIDTHxHEIGHT]: a fresh work folder, clean-up
# on exit, the Wine prefix and a private screen. Failures go to fd 3, the
# script's stderr.
begin_run() {
    exec 3>&2
    rm -rf "$WORK"
    mkdir -p "$WORK"
    trap cleanup EXIT
    wine_prefix_ready "$1"
    start_display "$2" "${3:-}"
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

# press_and_drag SX SY TX TY: presses the left button at (SX, SY) and moves
# the mouse to (TX, TY) in small steps, leaving the button down.
press_and_drag() {
    local i
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.3
    for i in $(seq 1 12); do
        xdotool mousemove $(($1 + ($3 - $1) * i / 12)) $(($2 + ($4 - $2) * i / 12))
        sleep 0.05
    done
}

# geometry ID: sets X, Y, W, H to that window's geometry (its frame, drawn by
# Wine itself).
geometry() {
    local info
    info="$(xwininfo -id "$1")" || fail "window $1 is gone"
    X=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
    Y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
    W=$(awk '/  Width:/ { print $NF }' <<<"$info")
    H=$(awk '/  Height:/ { print $NF }' <<<"$info")
}

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

WID=""
find_mascot() { WID="$(xdotool search --name '^モフレン$' 2>/dev/null | head -1)"; [ -n "$WID" ]; }
mascot_shown() { find_mascot && xwininfo -id "$WID" | grep -q IsViewable; }
# Sets X, Y, W, H to the mascot window's geometry.
mascot_geometry() { geometry "$WID"; }
left_is() { mascot_geometry; [ "$X" -eq "$1" ]; }

# shoot NAME: a screenshot of the root window taken while the mascot stood
# still, so the geometry in X and Y belongs to the picture. Writes NAME.png
# and NAME.txt (the window's pixels as "x,y r,g,b", client coordinates).
shoot() {
    local name="$WORK/$1.png" x0 y0 _
    for _ in $(seq 20); do
        mascot_geometry; x0=$X y0=$Y
        import -window root "$name"
        mascot_geometry
        if [ "$X" = "$x0" ] && [ "$Y" = "$y0" ]; then
            LAST_SHOT="$name"
            convert "$name" -crop "${W}x${H}+$X+$Y" +repage -depth 8 txt:- | pixel_table >"${name%.png}.txt"
            return 0
        fi
    done
    fail "the window never held still for a screenshot"
}
