#!/usr/bin/env bash
# scripts/screenshots.sh : remakes the screenshots of the README and the help manuals, and the
# same windows at 2x display scaling and under German in docs/screenshots/. Each program runs on
# the demo host under a virtual display, with the desktop's stock fonts only, and is driven by
# keyboard and mouse.
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
# start PROGRAM: runs it at the display scale and in the language chosen, in the background.
start() { env QT_SCALE_FACTOR="$scale" LC_ALL="$lang" "$1" & app=$!; }

# shoot SCREEN ARTSHELF TAGLOOM32 SEATPICK: the three windows on a display of that size, into
# those files, at the display scale and in the language chosen.
shoot() {
    export DISPLAY=":$((90 + RANDOM % 100))"
    Xvfb "$DISPLAY" -screen 0 "$1x24" >/dev/null 2>&1 &
    xvfb=$!
    sleep 1

    start "$ROOT/build/gallery/artshelf"
    w="$(window "Quillsite Pictorium")"
    xdotool windowfocus --sync "$w"
    xdotool key ctrl+o; sleep 0.5; xdotool key n
    open_file "$w" "$work/host/sample.gal"
    xdotool mousemove --window "$w" "$((90 * scale))" "$((75 * scale))" click 1; sleep 0.5
    shot "$w" "$2"
    kill "$app"

    start "$ROOT/build/template/tagloom32"
    w="$(window "Vantrell Quillsite 97 Stencilry")"
    for template in letter contact; do
        xdotool windowfocus --sync "$w"
        xdotool key ctrl+o
        open_file "$w" "$work/host/templates/$template.htp"
    done
    xdotool key shift+F7; sleep 0.5
    shot "$w" "$3"
    kill "$app"

    start "$ROOT/build/profiles/seatpick"
    w="$(window "Tandem!Pad for LANs Pickwell")"
    xdotool windowfocus --sync "$w"; sleep 0.5
    shot "$w" "$4"
    kill "$app"
    kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
}

scale=1 lang=C
shoot 1024x768 "$ROOT/help/artshelf/artshelf.png" "$ROOT/help/tagloom32/tagloom32.png" \
    "$ROOT/help/seatpick/seatpick.png"
mkdir -p "$ROOT/docs/screenshots"
scale=2
shoot 2048x1536 "$ROOT/docs/screenshots/artshelf-2x.png" \
    "$ROOT/docs/screenshots/tagloom32-2x.png" "$ROOT/docs/screenshots/seatpick-2x.png"
scale=1 lang=de_DE.UTF-8
shoot 1024x768 "$ROOT/docs/screenshots/artshelf-de.png" \
    "$ROOT/docs/screenshots/tagloom32-de.png" "$ROOT/docs/screenshots/seatpick-de.png"
