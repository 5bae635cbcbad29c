#!/usr/bin/env bash
# Includes run one way, downwards: a file may include only files of its own
# layer or of a lower one, and core/ never includes <windows.h>.
#   core, assets  <  winbase  <  toolkit, platform  <  help  <  dialogs  <  mascot  <  app
# and neither toolkit nor platform includes the other or the assets. The build
# holds the same order (each layer a library with its own include root); this
# check keeps it where the build cannot (a Windows build without links).
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

rank() {
    case "$1" in
        core | assets) echo 0 ;;
        winbase) echo 1 ;;
        toolkit | platform) echo 2 ;;
        help) echo 3 ;;
        dialogs) echo 4 ;;
        mascot) echo 5 ;;
        app) echo 6 ;;
        *) echo "" ;;
    esac
}

faults=0
while IFS=: read -r file line text; do
    from="${file%%/*}"
    target="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")"
    target="${target#../../}"
    to="${target%%/*}"
    [ "$target" = "$to" ] && continue  # a file of the same folder
    from_rank="$(rank "$from")"
    to_rank="$(rank "$to")"
    [ -z "$from_rank" ] || [ -z "$to_rank" ] && continue
    if [ "$to_rank" -gt "$from_rank" ] || { [ "$to_rank" -eq 2 ] && [ "$from_rank" -eq 2 ] && [ "$from" != "$to" ]; } ||
        { [ "$to" = assets ] && [ "$from_rank" -le 2 ]; }; then
        echo "$file:$line: $from/ includes $target, a higher layer" >&2
        faults=$((faults + 1))
    fi
done < <(git grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' -- \
    'core/*' 'assets/*' 'winbase/*' 'toolkit/*' 'platform/*' 'help/*' 'dialogs/*' 'mascot/*' 'app/*')

if git grep -n -i -E '#[[:space:]]*include[[:space:]]*<windows\.h>' -- 'core/*' >&2; then
    echo "core/ includes <windows.h>" >&2
    faults=$((faults + 1))
fi

[ "$faults" -eq 0 ] && echo "layers: every include runs downwards"
exit $((faults > 0))
