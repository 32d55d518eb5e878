#!/usr/bin/env bash
# scripts/fuzz-coverage.sh : the line coverage of each reader that the committed corpus reaches,
# by clang's source-based coverage. Builds the fuzzers instrumented (no sanitizers) in
# build-coverage, runs each once over fuzz/corpus and prints one line per reader file.
set -euo pipefail
source "$(dirname "$0")/common.sh"

need_packages "${BASE_PACKAGES[@]}" clang-14 libclang-rt-14-dev llvm-14
build="$ROOT/build-coverage"
CC=clang-14 CXX=clang++-14 configure "$build" -DCMAKE_BUILD_TYPE=Debug -DQS_FUZZ=ON \
    -DQS_COVERAGE=ON -DQS_BENCH=OFF -DBUILD_TESTING=OFF
fuzzers=(fuzz_profilefile fuzz_gallery fuzz_template fuzz_settings)
cmake --build "$build" -j "$(nproc)" --target "${fuzzers[@]}" >"$build/build.log" 2>&1 || {
    cat "$build/build.log"; exit 1; }

profiles="$build/coverage"
rm -rf "$profiles" && mkdir -p "$profiles"
export QT_QPA_PLATFORM=offscreen
objects=()
for f in "${fuzzers[@]}"; do
    # -runs=0: every corpus input once, nothing new.
    LLVM_PROFILE_FILE="$profiles/$f.profraw" "$build/fuzz/$f" -runs=0 "$ROOT/fuzz/corpus" \
        >"$profiles/$f.log" 2>&1
    objects+=(-object "$build/fuzz/$f")
done
llvm-profdata-14 merge -sparse "$profiles"/*.profraw -o "$profiles/all.profdata"

readers=(common/profileindex.cpp common/nametable.cpp common/profilefile.cpp
    gallery/galleryfile.cpp template/templatefile.cpp common/initext.cpp)
# The report's columns: file, regions, missed, cover, functions, missed, executed, lines, missed, cover.
llvm-cov-14 report -instr-profile "$profiles/all.profdata" "${objects[@]:1}" \
    "${readers[@]/#/$ROOT/}" | awk -v root="$ROOT/" '
    $1 ~ /\.cpp$/ { sub(root, "", $1); printf "%-28s lines %5s of %5s covered  %s\n", $1, $8 - $9, $8, $10 }'
