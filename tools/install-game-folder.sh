#!/usr/bin/env bash
# Refreshes the game in a player's folder from a built game folder: the
# executable, pictures and sounds are replaced; the score folder
# (Data/Bruvo Stage Krodel/) and joystick.cfg stay as the player left them.
# install replaces a link that the installed game's launcher left there
# instead of writing through it into the installed files.
#   install-game-folder.sh BUILT_GAME_FOLDER PLAYER_FOLDER
set -euo pipefail
[[ $# -eq 2 && -x "$1/bruvo" ]] ||
    { echo "usage: $0 BUILT_GAME_FOLDER (holding bruvo) PLAYER_FOLDER" >&2; exit 2; }
mkdir -p "$2/Data"
install -m 0755 "$1/bruvo" "$2/bruvo"
find "$1/Data" -maxdepth 1 -type f \( -name '*.bin' -o -name '*.wav' -o -name '*.xpm' \) \
    -exec install -m 0644 {} "$2/Data/" \;
