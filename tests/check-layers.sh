#!/usr/bin/env bash
# Includes run one way, downwards: a file may include only files of its own
# layer or of a lower one, and core/ never includes <windows.h>.
#   core, assets  <  toolkit  <  platform  <  help  <  dialogs  <  mascot  <  app
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

rank() {
    case "$1" in
        core | assets) echo 0 ;;
        toolkit) echo 1 ;;
        platform) echo 2 ;;
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
    if [ "$to_rank" -gt "$from_rank" ]; then
        echo "$file:$line: $from/ includes $target, a higher layer" >&2
        faults=$((faults + 1))
    fi
done < <(git grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' -- \
    'core/*' 'assets/*' 'toolkit/*' 'platform/*' 'help/*' 'dialogs/*' 'mascot/*' 'app/*')

if git grep -n -i -E '#[[:space:]]*include[[:space:]]*<windows\.h>' -- 'core/*' >&2; then
    echo "core/ includes <windows.h>" >&2
    faults=$((faults + 1))
fi

[ "$faults" -eq 0 ] && echo "layers: every include runs downwards"
exit $((faults > 0))
