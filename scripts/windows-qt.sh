#!/usr/bin/env bash
# scripts/windows-qt.sh : prints the folder of a static Qt for Windows (MinGW-w64), building it
# first when the cache has none for Debian's Qt version. Debian ships no Qt for MinGW, so this
# builds Debian's own qt6-base source: only Core, Gui, Widgets, PrintSupport, Network and Test, with the
# bundled third-party libraries, no OpenGL and no tablet support (Debian's source lacks it).
# About 40 minutes on two cores, once; the result is kept in
# ${XDG_CACHE_HOME:-~/.cache}/quillsite-accessories/, keyed on the Qt version. Progress goes to
# stderr, the folder alone to stdout.
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_packages dpkg-dev cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    qt6-base-dev qt6-base-dev-tools

version="$(dpkg-query -W -f '${Version}' qt6-base-dev)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quillsite-accessories"
# "-net": the build that includes Network, for the programs' local sockets.
prefix="$cache/qt-${version//[^A-Za-z0-9.+-]/_}-mingw64-static-net"
mkdir -p "$cache"
# The cross toolchain, for Qt and for the suite alike.
cat >"$cache/mingw.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
work="$cache/qt-build"
rm -rf "$work" && mkdir -p "$work"
log="$work/build.log"
: >"$log"
echo "Building a static Qt $version for Windows once (about 40 minutes); log: $log" >&2

# The source of the Qt this machine has, from the Debian mirror its own entries use.
if ! apt-get source --print-uris -qq "qt6-base=$version" 2>/dev/null | grep -q dsc; then
    # Debian 12 keeps its entries in sources.list.d/debian.sources and may have no
    # sources.list: only the lists that exist are read, and finding no mirror is no error.
    lists=()
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] && lists+=("$f")
    done
    mirror=""
    if [ ${#lists[@]} -gt 0 ]; then
        mirror="$( (grep -hoE '^URIs: *http[^ ]*/debian$|^deb +http[^ ]*/debian ' "${lists[@]}" ||
            true) | head -1 | awk '{print $2}')"
    fi
    suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "${mirror:-http://deb.debian.org/debian}" "$suite" "$suite" \
        >/etc/apt/sources.list.d/quillsite-accessories-src.sources
    apt-get update -qq
fi
(cd "$work" && apt-get source -qq --download-only "qt6-base=$version" >>"$log" 2>&1 &&
    dpkg-source -x qt6-base_*.dsc src >>"$log" 2>&1) || { tail -40 "$log" >&2; exit 1; }

# With OpenGL off, the dynamic-GL branch still names the OpenGL context: keep it out.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$work/src/src/plugins/platforms/windows/qwindowswindow.cpp"


features=()
for f in opengl dynamicgl tabletevent sql dbus concurrent xml testlib_selfcover \
    system_zlib system_pcre2 system_harfbuzz system_freetype system_png system_jpeg \
    system_doubleconversion; do
    features+=("-DFEATURE_$f=OFF")
done
# Direct2D stays on: switching it off in 6.4 also drops the DirectWrite font sources that the
# platform plugin still uses.
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$cache/mingw.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF "${features[@]}" >>"$log" 2>&1 ||
    { tail -40 "$log" >&2; exit 1; }
cmake --build "$work/build" -j "$(nproc)" >>"$log" 2>&1 || { tail -40 "$log" >&2; exit 1; }
cmake --install "$work/build" >>"$log" 2>&1 || { tail -40 "$log" >&2; exit 1; }
touch "$prefix/.complete"
rm -rf "$work/src" "$work/build"
echo "$prefix"
