#!/usr/bin/env bash
# scripts/screenshots.sh : remakes the screenshots of the README and the help manuals. Each
# program runs on the demo host under a virtual display and is driven by keyboard and mouse.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need_packages "${BASE_PACKAGES[@]}" xvfb xdotool imagemagick
configure "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$ROOT/build" --target artshelf tagloom32 seatpick quillsite-demo-setup \
    quillsite-demo-host >/dev/null

work="$(mktemp -d)"
trap 'kill "${xvfb:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$ROOT/demo" "$work/host"
export XDG_CONFIG_HOME="$work/config"
"$ROOT/build/demo/quillsite-demo-setup" "$work/host" "$ROOT/build/demo/quillsite-demo-host"

export DISPLAY=":$((90 + RANDOM % 100))"
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1

# window TITLE: the id of the first window with that title, waiting for it to show.
window() {
    for _ in $(seq 50); do
        id="$(xdotool search --name "^$1\$" 2>/dev/null | head -1)" && [ -n "$id" ] && {
            echo "$id"; return; }
        sleep 0.2
    done
    echo "no window \"$1\"" >&2; exit 1
}
# open_file WINDOW PATH: answers the file dialog that the window just opened.
open_file() {
    sleep 1
    xdotool type --delay 5 "$2"
    xdotool key Return
    sleep 1
    xdotool windowfocus --sync "$1"
}
shot() { import -window "$1" "$2"; echo "wrote $2"; }

"$ROOT/build/gallery/artshelf" & app=$!
w="$(window "Quillsite Pictorium")"
xdotool windowfocus --sync "$w"
xdotool key ctrl+o; sleep 0.5; xdotool key n
open_file "$w" "$work/host/sample.gal"
xdotool mousemove --window "$w" 90 75 click 1; sleep 0.5
shot "$w" "$ROOT/help/artshelf/artshelf.png"
kill "$app"

"$ROOT/build/template/tagloom32" & app=$!
w="$(window "Vantrell Quillsite 97 Stencilry")"
for template in letter contact; do
    xdotool windowfocus --sync "$w"
    xdotool key ctrl+o
    open_file "$w" "$work/host/templates/$template.htp"
done
xdotool key shift+F7; sleep 0.5
shot "$w" "$ROOT/help/tagloom32/tagloom32.png"
kill "$app"

"$ROOT/build/profiles/seatpick" & app=$!
w="$(window "Tandem!Pad for LANs Pickwell")"
xdotool windowfocus --sync "$w"; sleep 0.5
shot "$w" "$ROOT/help/seatpick/seatpick.png"
kill "$app"
