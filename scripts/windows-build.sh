#!/usr/bin/env bash
# scripts/windows-build.sh : `./test --windows`. Builds the suite for Windows with MinGW-w64
# against a static Qt (scripts/windows-qt.sh, built once and cached), makes the Windows
# package (ZIP, and an NSIS installer), installs it under Wine and opens artshelf's About box
# from it, then runs every test under Wine and reports how many passed, failed and were
# skipped, with the reason for each skip. Ends with 1 when anything failed.
set -euo pipefail
source "$(dirname "$0")/common.sh"
# wine64 alone brings no wineboot or wineserver; the wine package has them.
need_packages wine wine64 nsis imagemagick libgtest-dev libgmock-dev
start=$SECONDS
qt="$("$ROOT/scripts/windows-qt.sh")"
qt_ready=$SECONDS
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quillsite-accessories"
build="$ROOT/build-windows"
# Debian's wine64 lives outside PATH; the `wine` wrapper would ask for 32-bit Wine as well.
wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"

export WINEPREFIX="${WINEPREFIX:-$cache/wine}"
export WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Its errors reach the terminal: a missing wineboot must not pass unseen.
    wineboot -i >/dev/null
    wineserver -w
fi

# Qt's own toolchain file chains to the MinGW one and lets CMake find the static Qt.
configure "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" -DQS_BENCH=OFF \
    -DCMAKE_EXE_LINKER_FLAGS="-static -static-libgcc -static-libstdc++"
cmake --build "$build" -j "$(nproc)"
built=$SECONDS

status=0
rm -rf "$build/package"
if (cd "$build" && cpack -B "$build/package" >"$build/cpack.log" 2>&1); then
    "$ROOT/scripts/windows-package-check.sh" "$build" || status=1
else
    cat "$build/cpack.log"
    echo "Windows package: cpack failed" >&2
    status=1
fi
packaged=$SECONDS

# The whole suite, each test in a process of its own under Wine, on Qt's offscreen platform.
(cd "$build" && ctest -j "$(nproc)" --output-on-failure >"$build/ctest.log" 2>&1) || status=1
# Kept before the listings below run ctest again and replace it.
cp "$build/Testing/Temporary/LastTest.log" "$build/ctest-full.log"

# Each test program must list as many tests as the Linux build lists for it (a skip is still
# listed): a program whose listing failed under Wine would otherwise pass as "100% passed".
linux="$ROOT/build"
if [ ! -f "$linux/CTestTestfile.cmake" ]; then
    configure "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$linux" -j "$(nproc)"
fi
listed() { (cd "$1" && ctest -N) | sed -nE 's/^ *Test +#[0-9]+: ([^.]+)\..*/\1/p' | sort | uniq -c; }
if ! diff <(listed "$linux") <(listed "$build") >"$build/listed.diff"; then
    echo "Windows tests: these programs list other counts of tests than on Linux (count program):" >&2
    cat "$build/listed.diff" >&2
    status=1
fi
grep -E 'tests passed|\(Failed\)|\(Timeout\)|\(SEGFAULT\)|\(Exception\)' "$build/ctest.log" || true
# gtest prints each skip's reason under "Skipped"; ctest keeps it in its full log.
awk '/^[0-9]+\/[0-9]+ Testing: /{name=$3} /: Skipped$/{getline reason; print "  skipped " name ": " reason}' \
    "$build/ctest-full.log" | sort
echo "Times: Qt ready in $((qt_ready - start)) s, the suite built in $((built - qt_ready)) s," \
    "packaged and checked in $((packaged - built)) s, tests run in $((SECONDS - packaged)) s."
exit $status
