#!/usr/bin/env bash
# scripts/windows-build.sh : `./test --windows`. Builds the suite for Windows with MinGW-w64
# against a static Qt (scripts/windows-qt.sh, built once and cached), makes the Windows
# package (ZIP, and an NSIS installer), then runs every test under Wine and reports how many
# passed, failed and were skipped.
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_packages wine64 nsis libgtest-dev libgmock-dev
qt="$("$ROOT/scripts/windows-qt.sh")"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quillsite-accessories"
build="$ROOT/build-windows"

export WINEPREFIX="${WINEPREFIX:-$cache/wine}"
export WINEDEBUG=-all
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1

# Qt's own toolchain file chains to the MinGW one and lets CMake find the static Qt.
configure "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine64 -DQS_BENCH=OFF \
    -DCMAKE_EXE_LINKER_FLAGS="-static -static-libgcc -static-libstdc++"
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G "ZIP;NSIS" -B "$build/package") || echo "the Windows package could not be made"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j "$(nproc)" --output-on-failure |
    tee "$build/ctest.log") || true
grep -E 'tests passed|Skipped|Failed' "$build/ctest.log" | tail -20
