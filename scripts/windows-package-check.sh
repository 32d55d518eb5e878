#!/usr/bin/env bash
# scripts/windows-package-check.sh BUILD : installs the Windows package made in BUILD/package
# into a Wine prefix as a user would (the NSIS installer, silently; the ZIP where there is no
# installer), checks that the programs, their manuals and the demo host's setup are in place,
# then starts the installed artshelf.exe on a virtual display, opens Help, About and checks
# that the About box shows. A screenshot of it is left in BUILD/package/about.png.
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_packages xvfb xdotool imagemagick unzip
build="$(cd "$1" && pwd)"
package="$build/package"
export WINEDEBUG=-all
wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"

fail() {
    echo "Windows package: $*" >&2
    exit 1
}

# A prefix of its own, so that every check starts from a machine that never had the suite.
export WINEPREFIX="$package/wine"
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null
wineserver -w

target="C:\\Program Files\\Quillsite accessories"
installed="$WINEPREFIX/drive_c/Program Files/Quillsite accessories"
installer="$(ls "$package"/quillsite-accessories-*.exe 2>/dev/null | head -1)"
archive="$(ls "$package"/quillsite-accessories-*.zip 2>/dev/null | head -1)"
if [ -n "$installer" ]; then
    # NSIS wants /D= last and unquoted.
    "$wine" "$installer" /S "/D=$target" >/dev/null || fail "the installer failed"
    wineserver -w
    how="installer $(basename "$installer")"
elif [ -n "$archive" ]; then
    mkdir -p "$installed"
    unzip -q "$archive" -d "$package/unzipped"
    cp -r "$package"/unzipped/*/. "$installed"/
    how="archive $(basename "$archive")"
else
    fail "no package in $package"
fi
expected=(artshelf.exe tagloom32.exe seatpick.exe quillsite-demo-setup.exe
    quillsite-demo-host.exe quillsite-demo-com.dll help/artkeep.html help/tagloom32.html help/seatpick.html
    quillsite-demo-setup.cmd demo/sample.gal translations/qtbase_de.qm)
for f in "${expected[@]}"; do
    [ -f "$installed/$f" ] || fail "$f is not installed (from the $how)"
done
# The ZIP is for those who install nothing: it must hold the same files.
if [ -n "$installer" ] && [ -n "$archive" ]; then
    rm -rf "$package/unzipped"
    unzip -q "$archive" -d "$package/unzipped" || fail "the archive $(basename "$archive") cannot be unpacked"
    for f in "${expected[@]}"; do
        ls "$package"/unzipped/*/"$f" >/dev/null 2>&1 || fail "$f is not in $(basename "$archive")"
    done
fi

# The demo host, set up as the Start menu's "Set up the demo host" does it.
(cd "$installed" && "$wine" cmd /c quillsite-demo-setup.cmd >/dev/null) ||
    fail "quillsite-demo-setup.cmd failed"
wineserver -w
setting="$("$wine" reg query 'HKCU\Software\VB and VBA Program Settings\Quillsite97\General' \
    /v QuillsitePath 2>/dev/null | tr -d '\r' || true)"
grep -qi 'quillsite-demo\\host' <<<"$setting" ||
    fail "the demo host's setup did not name the demo host as the host install"

# The real Windows platform of Qt, on a virtual display of its own.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 2
(cd "$installed" && "$wine" artshelf.exe >/dev/null 2>&1 &)
main="$(timeout 120 xdotool search --sync --onlyvisible --name 'Quillsite Pictorium' | head -1)" ||
    fail "the installed artshelf.exe showed no window"
# A busy machine may show the window before it takes keys: ask again until the box shows.
about=""
for _ in 1 2 3 4 5 6 7 8 9 10; do
    xdotool windowfocus --sync "$main"
    xdotool key --window "$main" Escape alt+h
    sleep 1
    xdotool key --window "$main" a
    about="$(timeout 5 xdotool search --sync --onlyvisible --name 'About Pictorium' | head -1)" &&
        break
done
[ -n "$about" ] || fail "artshelf.exe started, but its About box did not show"
sleep 1
import -window root "$package/about.png"
echo "Windows package: installed from the $how; artshelf.exe starts and shows its" \
    "About box, \"About Pictorium\" (screenshot: $package/about.png)"
