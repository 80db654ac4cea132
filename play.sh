#!/usr/bin/env bash
# Builds Bruvo Stage Krodel, refreshes the game in its per-user folder and starts
# it on $DISPLAY. Saved scores in that folder are never touched.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

"$here/tools/install-packages.sh" g++ make cmake libx11-dev xfonts-base alsa-utils

cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DBRUVO_TESTS=OFF >/dev/null
cmake --build "$here/build" -j"$(nproc)"

# The folder the installed game's launcher uses too. Only the program,
# pictures and sounds are replaced; the score folder and joystick.cfg stay as
# the player left them.
# A relative XDG_DATA_HOME is ignored, as the launcher ignores it.
case ${XDG_DATA_HOME:-} in
    /*) data_home=$XDG_DATA_HOME ;;
    *) data_home=$HOME/.local/share ;;
esac
game_dir="$data_home/bruvo-stage-krodel"
"$here/tools/install-game-folder.sh" "$here/build/game" "$game_dir"
# In the desktop's menu too, with the game's icon; the game starts without it.
"$here/tools/install-desktop-entry.sh" "$game_dir" ||
    echo "Warning: the desktop menu entry could not be written; the game starts anyway." >&2

if [[ -z "${DISPLAY:-}" ]]; then
    echo "No X display: Bruvo Stage Krodel is a game for the X Window System." >&2
    echo "Run this from a desktop session, or set DISPLAY to a running X server." >&2
    echo "The game is ready in $game_dir." >&2
    exit 1
fi

cd "$game_dir"
exec ./bruvo
