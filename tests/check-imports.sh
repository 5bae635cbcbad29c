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
exit $status
