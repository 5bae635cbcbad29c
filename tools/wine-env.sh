# Wine set-up shared by build.sh, the tests and the benchmark. Source it.
# Each caller gets its own prefix and temp folder, so runs never share a
# wineserver by accident.

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

_pelnor_tools="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

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

# Makes (once) and selects a prefix: Japanese fonts mapped, Marlett present,
# unmanaged X windows (no 2 s waits without a window manager), no crash dialog.
wine_prefix_ready() {
    export WINEPREFIX="$1"
    export TMPDIR="$1.tmp"
    mkdir -p "$TMPDIR"
    if [ -f "$WINEPREFIX/.pelnor-ready" ]; then
        _wine_fonts_ready
        return 0
    fi
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

# A persistent server makes each test program start in a tenth of a second.
wine_server_start() {
    wineserver -p
    wine wineboot --start-services >/dev/null 2>&1 || true
}

wine_server_stop() {
    wineserver -k 2>/dev/null || true
}

# A virtual screen for the Win32 tests (the end-to-end test starts its own).
start_test_display() {
    local display="${PELNOR_TEST_DISPLAY:-:91}"
    Xvfb "$display" -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
    PELNOR_XVFB_PID=$!
    export DISPLAY="$display"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "Xvfb did not start on $display" >&2
    return 1
}

stop_test_display() {
    [ -n "${PELNOR_XVFB_PID:-}" ] && kill "$PELNOR_XVFB_PID" 2>/dev/null || true
}
