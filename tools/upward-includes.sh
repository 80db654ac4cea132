#!/usr/bin/env bash
# Prints every #include of the runtime folders that points upwards, against
# the layers of the program, bottom to top:
#
#   0 support/                  helpers without X
#   1 services/                 sound, joystick, folders, desktop commands
#   2 app/, gui/ (and below)    the toolkit: display, loop, elements, pictures, controls
#   3 forms/                    the score table and the dialogs
#   4 game/world/               the game's state and rules, without X
#   5 game/ (the rest)          the game's forms and frame
#   6 main/                     the program's entry
#
# A folder may include its own layer and those below it. An include of a
# folder outside the table (tests/, tools/, examples/) counts as upwards.
# Usage: upward-includes.sh [source folder]; exits 1 when it printed an edge.
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$root"

layers='support 0
services 1
app 2
gui 2
forms 3
game/world 4
game 5
main 6'

found=$(
    for top in support services app gui forms game main; do
        if [[ -d $top ]]; then find "$top" -type f \( -name '*.h' -o -name '*.cpp' \); fi
    done | sort | { xargs -r grep -H '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' || true; } |
        awk -v layers="$layers" '
            BEGIN {
                n = split(layers, rows, "\n")
                for (i = 1; i <= n; ++i) {
                    split(rows[i], field, " ")
                    layer[field[1]] = field[2]
                }
            }
            {
                file = $0
                sub(/:.*/, "", file)
                target = $0
                sub(/^[^"]*"/, "", target)
                sub(/".*/, "", target)
                from = file
                sub(/\/.*/, "", from)
                to = target
                sub(/\/.*/, "", to)
                # The world is a layer of its own inside game/.
                if (file ~ /^game\/world\//)
                    from = "game/world"
                if (target ~ /^game\/world\//)
                    to = "game/world"
                above = (to in layer) ? layer[to] : 99
                if (above > layer[from])
                    printf "%s -> %s: %s includes %s\n", from, to, file, target
            }'
)
if [[ -n $found ]]; then
    echo "$found"
    exit 1
fi
