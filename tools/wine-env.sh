# Wine set-up shared by build.sh, the tests and the benchmark. Source it.
# Each caller gets its own prefix and temp folder, so runs never share a
# wineserver by accident. Run as a script, it runs one command in a prefix and
# on a screen of its own (see wine_isolated below):
#   bash tools/wine-env.sh NAME COMMAND...

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

_pelnor_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Every new prefix is a copy of this one, made once: a copy takes a fraction
# of a second, wineboot many.
PELNOR_WINE_TEMPLATE="${PELNOR_WINE_TEMPLATE:-$_pelnor_root/build/wine-template}"

# Writes a UTF-16LE .reg file from UTF-8 text and imports it.
_wine_import_reg() {
    local text="$1" file
    file="$(mktemp "$TMPDIR/pelnor-XXXXXX.reg")"
    { printf '\xff\xfe'; printf '%s' "$text" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } > "$file"
    wine regedit /S "$file"
    rm -f "$file"
}

# Debian's Wine does not look for its own fonts where fonts-wine puts them;
# without Marlett every caption button draws as a letter ("r", "0", "1"). The
# prefix's font folder is always searched.
_wine_fonts_ready() {
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] || [ ! -f "$marlett" ] || [ ! -d "$fonts" ] || cp "$marlett" "$fonts/"
}

# Boots the prefix in WINEPREFIX: Japanese fonts mapped, Marlett present,
# unmanaged X windows (no 2 s waits without a window manager), no crash dialog.
_wine_prefix_boot() {
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
    _wine_import_reg 'Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS UI Gothic"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
'
    wineserver -w
    _wine_fonts_ready
    touch "$WINEPREFIX/.pelnor-ready"
}

# Makes the template once; callers running side by side wait for the first.
_wine_template_ready() {
    [ -f "$PELNOR_WINE_TEMPLATE/.pelnor-ready" ] && return 0
    mkdir -p "$(dirname "$PELNOR_WINE_TEMPLATE")"
    (
        flock 9
        [ -f "$PELNOR_WINE_TEMPLATE/.pelnor-ready" ] && exit 0
        rm -rf "$PELNOR_WINE_TEMPLATE"
        export WINEPREFIX="$PELNOR_WINE_TEMPLATE" TMPDIR="$PELNOR_WINE_TEMPLATE.tmp"
        mkdir -p "$TMPDIR"
        _wine_prefix_boot
    ) 9>"$PELNOR_WINE_TEMPLATE.lock"
}

# Makes (once, as a copy of the template) and selects a prefix. The copy links
# the template's files; the registry files, which wineserver rewrites, are
# copied (it replaces them by renaming, but a copy costs nothing).
wine_prefix_ready() {
    export WINEPREFIX="$1"
    export TMPDIR="$1.tmp"
    mkdir -p "$TMPDIR"
    if [ ! -f "$WINEPREFIX/.pelnor-ready" ]; then
        _wine_template_ready
        rm -rf "$WINEPREFIX"
        cp -al "$PELNOR_WINE_TEMPLATE" "$WINEPREFIX"
        cp --remove-destination "$PELNOR_WINE_TEMPLATE"/*.reg "$WINEPREFIX/"
    fi
    _wine_fonts_ready
}

# wine_fresh_prefix DIR: a new prefix there, as the template left it.
wine_fresh_prefix() {
    rm -rf "$1" "$1.tmp"
    wine_prefix_ready "$1"
}

# A persistent server makes each test program start in a tenth of a second.
wine_server_start() {
    wineserver -p
    wine wineboot --start-services >/dev/null 2>&1 || true
}

wine_server_stop() {
    wineserver -k 2>/dev/null || true
}

# start_test_display [WIDTHxHEIGHT]: a virtual screen of its own (1024x768 by
# default) on PELNOR_TEST_DISPLAY if set, else on the first display number from
# :150 that no one holds; exports DISPLAY and sets PELNOR_XVFB_PID. Xvfb takes
# a number by writing its lock file, which holds its process id: a number
# another server took first shows as someone else's id there.
start_test_display() {
    local size="${1:-1024x768}" n numbers pid
    if [ -n "${PELNOR_TEST_DISPLAY:-}" ]; then numbers="${PELNOR_TEST_DISPLAY#:}"; else numbers="$(seq 150 400)"; fi
    for n in $numbers; do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -noreset >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 300); do
            kill -0 "$pid" 2>/dev/null || break
            if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$pid" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$n"
                PELNOR_XVFB_PID=$pid
                return 0
            fi
            sleep 0.1
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    echo "could not start Xvfb on any free display (${PELNOR_TEST_DISPLAY:-:150 to :400})" >&2
    return 1
}

stop_test_display() {
    if [ -n "${PELNOR_XVFB_PID:-}" ]; then
        kill "$PELNOR_XVFB_PID" 2>/dev/null || true
        wait "$PELNOR_XVFB_PID" 2>/dev/null || true
        PELNOR_XVFB_PID=""
    fi
}

# wine_isolated NAME COMMAND...: runs COMMAND in a fresh prefix NAME (under
# the current folder) with a wineserver and a screen of its own, so that any
# number of such runs can go side by side. Returns COMMAND's exit code.
wine_isolated() {
    local name="$1" rc=0
    shift
    wine_fresh_prefix "$PWD/$name"
    trap 'wine_server_stop; stop_test_display' EXIT
    trap 'exit 143' TERM INT
    start_test_display || return 1
    # One program per server: starting the services first would only add
    # what its own start does anyway.
    wineserver -p
    "$@" || rc=$?
    wine_server_stop
    stop_test_display
    trap - EXIT TERM INT
    [ "$rc" -ne 0 ] || rm -rf "$WINEPREFIX" "$TMPDIR"
    return "$rc"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    wine_isolated "$@"
fi
