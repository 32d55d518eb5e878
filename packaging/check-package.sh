#!/usr/bin/env bash
# check-package.sh BUILD_DIR PROGRAM...: builds the Debian package, unpacks it into a scratch
# root, validates its desktop files and metainfo, and starts each installed program far enough
# to show its main window against the installed demo host.
set -euo pipefail
build="$1"
shift
programs=("$@")
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || {
    cat "$scratch/cpack.log"; exit 1; }
deb="$(ls "$scratch"/out/*.deb)"
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || {
    echo "the package does not depend on the Qt libraries it links"; exit 1; }
root="$scratch/root"
dpkg -x "$deb" "$root"

# What Debian's own checker says of the package: no error and no warning.
if ! lintian --fail-on error,warning --suppress-tags-from-file /dev/null "$deb" >"$scratch/lintian.log" 2>&1; then
    echo "lintian finds faults in the package:"; cat "$scratch/lintian.log"; exit 1
fi

desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
for program in "${programs[@]}"; do
    for size in 16 24 32 48 64 128 256; do
        test -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/$program.png"
    done
    test -f "$root/usr/share/icons/hicolor/scalable/apps/$program.svg"
    test -x "$root/usr/bin/$program"
done
# Each manual in English and in German, where F1 looks for them.
case " ${programs[*]} " in *" artshelf "*)
    test -f "$root/usr/libexec/quillsite-accessories/help/artkeep.html"
    test -f "$root/usr/libexec/quillsite-accessories/help/artkeep.de.html" ;; esac
case " ${programs[*]} " in *" tagloom32 "*)
    test -f "$root/usr/libexec/quillsite-accessories/Help/tagloom32.html"
    test -f "$root/usr/libexec/quillsite-accessories/Help/tagloom32.de.html" ;; esac
case " ${programs[*]} " in *" seatpick "*)
    test -f "$root/usr/libexec/quillsite-accessories/help/seatpick.html"
    test -f "$root/usr/libexec/quillsite-accessories/help/seatpick.de.html" ;; esac
grep -q 'glob pattern="\*.gal"' "$root/usr/share/mime/packages/quillsite-accessories.xml"

# Each program against the installed demo host, through the demo command: a program that
# shows its window keeps running until it is told to close.
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
for program in "${programs[@]}"; do
    "$root/usr/bin/quillsite-demo" "$program" >"$scratch/$program.log" 2>&1 &
    pid=$!
    sleep 3
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "$program ended before it showed its window:"; cat "$scratch/$program.log"; exit 1
    fi
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$program started from the package"
done
test -f "$XDG_DATA_HOME/quillsite-demo/host/sample.gal"
