#!/usr/bin/env bash
# Puts Bruvo Stage Krodel into the desktop's menu: writes a desktop entry to
# $XDG_DATA_HOME/applications (by default ~/.local/share/applications) that
# starts the game installed in GAME_FOLDER from that folder, with its icon.
#   install-desktop-entry.sh GAME_FOLDER
set -euo pipefail
[[ $# -eq 1 && -x "$1/bruvo" ]] || { echo "usage: $0 GAME_FOLDER (holding bruvo)" >&2; exit 2; }
game_dir=$(cd "$1" && pwd)

# The escapes of every string value: backslash, newline, tab, carriage return.
string_value() {
    local value=${1//\\/\\\\}
    value=${value//$'\n'/\\n}
    value=${value//$'\t'/\\t}
    value=${value//$'\r'/\\r}
    printf '%s' "$value"
}

# Inside a quoted Exec argument \, ", ` and $ take a backslash and a % is
# doubled; then the whole value is escaped as a string.
quoted=$game_dir/bruvo
quoted=${quoted//\\/\\\\}
quoted=${quoted//\"/\\\"}
quoted=${quoted//\`/\\\`}
quoted=${quoted//\$/\\\$}
quoted=${quoted//%/%%}
exec_value=$(string_value "$quoted")
folder_value=$(string_value "$game_dir")

case ${XDG_DATA_HOME:-} in
    /*) apps=$XDG_DATA_HOME/applications ;;
    *) apps=$HOME/.local/share/applications ;;  # a relative one is ignored
esac
mkdir -p "$apps"
entry="$apps/bruvo-stage-krodel.desktop"
cat >"$entry.new" <<ENTRY
[Desktop Entry]
Type=Application
Name=Bruvo Stage Krodel
Comment=Collect the coins, keep clear of bees, saucers, fires and holes
Exec="$exec_value"
Path=$folder_value
Icon=$folder_value/Data/icon.xpm
Terminal=false
StartupWMClass=Bruvo.exe
Categories=Game;ArcadeGame;
ENTRY
mv "$entry.new" "$entry"
