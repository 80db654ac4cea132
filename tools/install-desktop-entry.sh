#!/usr/bin/env bash
# Puts Bruvo Stage Krodel into the desktop's menu: writes a desktop entry to
# $XDG_DATA_HOME/applications (by default ~/.local/share/applications) that
# starts the game installed in GAME_FOLDER from that folder, with its icon.
#   install-desktop-entry.sh GAME_FOLDER
set -euo pipefail
[[ $# -eq 1 && -x "$1/bruvo" ]] || { echo "usage: $0 GAME_FOLDER (holding bruvo)" >&2; exit 2; }
game_dir=$(cd "$1" && pwd)

# Inside a quoted Exec argument ", `, $ and \ are escaped with a backslash,
# and the backslash itself once more because the value is a string.
exec_path=$(printf '%s' "$game_dir/bruvo" | sed -e 's/[\\"`$]/\\\\&/g')

apps="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$apps"
entry="$apps/bruvo-stage-krodel.desktop"
cat >"$entry.new" <<ENTRY
[Desktop Entry]
Type=Application
Name=Bruvo Stage Krodel
Comment=Collect the coins, keep clear of bees, saucers, fires and holes
Exec="$exec_path"
Path=$game_dir
Icon=$game_dir/Data/icon.xpm
Terminal=false
Categories=Game;ArcadeGame;
ENTRY
mv "$entry.new" "$entry"
