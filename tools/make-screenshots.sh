#!/usr/bin/env bash
# Remakes the README's screenshots (docs/*.png): builds the game and the
# gallery, runs them on a private Xvfb, drives them with xdotool, captures
# their windows with xwd and converts the captures to small PNG files.
#   tools/make-screenshots.sh [build folder, default build-dev]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${1:-$here/build-dev}"
docs="$here/docs"

"$here/tools/install-packages.sh" xvfb xfonts-base xdotool x11-apps imagemagick
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$here" -B "$build" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target bruvo bruvo_data bruvo-gallery
convert=/usr/bin/convert
[[ -x "$convert" ]] || convert=convert

work=$(mktemp -d)
pids=()
# The programs first, the X server last.
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
    [[ $(wc -l <"$work/display") -ge 1 ]] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"
# The sounds go nowhere: aplay reads this home's .asoundrc.
printf 'pcm.!default {\n  type null\n}\n' >"$work/.asoundrc"

# The id of the first window of that exact title, waiting up to 20 s.
window_of() {
    local id=""
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || { echo "the window \"$1\" did not appear" >&2; exit 1; }
    echo "$id"
}

# A capture of the window, halved and cut to 64 colours: small enough to commit.
capture() {
    xwd -silent -id "$1" >"$work/capture.xwd"
    "$convert" "$work/capture.xwd" -resize "$3" -colors 64 -strip "PNG8:$docs/$2"
    echo "wrote docs/$2"
}

mkdir -p "$docs"

# The game runs from inside a copy of its game folder without the high-score
# table the build's own games left there, so the title shows a new player's.
cp -a "$build/game" "$work/game"
rm -rf "$work/game/Data/Bruvo Stage Krodel/Score"
(cd "$work/game" && HOME="$work" exec ./bruvo >/dev/null 2>&1) &
pids+=($!)
game=$(window_of "Bruvo Stage Krodel by Krodel Games, 2026")
sleep 3  # the title picture and the high-score lines
capture "$game" title.png 50%
xdotool key --window "$game" g
sleep 3  # the level's loading text, then the level before anything reaches the player
capture "$game" level.png 50%

"$build/examples/bruvo-gallery" >/dev/null &
pids+=($!)
gallery=$(window_of "Bruvo toolkit gallery")
sleep 1
# A few things done to it, so it shows them.
xdotool mousemove --window "$gallery" 425 55 click 1
xdotool mousemove --window "$gallery" 160 182 click 1
xdotool mousemove --window "$gallery" 350 125 mousedown 1 mousemove --window "$gallery" 446 125 mouseup 1
sleep 0.5
capture "$gallery" gallery.png 100%
