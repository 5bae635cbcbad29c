#!/usr/bin/env bash
# Pelnor.exe must need no DLL beyond Windows' own.
set -euo pipefail
exe="$1"
allowed='^(kernel32|user32|gdi32|comctl32|shell32|advapi32|ole32|oleaut32|imm32|msvcrt|shlwapi|uxtheme)\.dll$'
mapfile -t dlls < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ ${#dlls[@]} -gt 0 ] || { echo "no import table read from $exe"; exit 1; }
status=0
for dll in "${dlls[@]}"; do
    if [[ "$dll" =~ $allowed ]]; then echo "ok      $dll"; else echo "foreign $dll"; status=1; fi
done
exit $status
