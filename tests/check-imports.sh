#!/usr/bin/env bash
# Pelnor.exe imports, at start-up, only what every start needs: Windows' core
# libraries and the C runtime. The common controls, the shell, COM and the
# input method are loaded when first used, and nothing else may be needed.
set -euo pipefail
exe="$1"
start_up='^(kernel32|user32|gdi32|advapi32|msvcrt)\.dll$'
mapfile -t dlls < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ ${#dlls[@]} -gt 0 ] || { echo "no import table read from $exe"; exit 1; }
status=0
for dll in "${dlls[@]}"; do
    if [[ "$dll" =~ $start_up ]]; then echo "ok      $dll"; else echo "static  $dll: load it when first used"; status=1; fi
done
# A header older than 6.0 gets pre-Vista frame metrics; Windows 10 before 1703
# reads the second density name of the manifest.
x86_64-w64-mingw32-objdump -p "$exe" | awk '/^Major(OSystem|Subsystem)Version/ && $2 < 6 {
    print "header: " $0 " (6.0 or later)"; bad = 1 } END { exit bad }' || status=1
grep -aq '>PerMonitorV2, PerMonitor</dpiAwareness>' "$exe" || { echo "manifest: no PerMonitor after PerMonitorV2"; status=1; }
exit $status
