#!/usr/bin/env bash
# scripts/fuzz-long.sh [RUNS] : runs every reader's fuzzer for RUNS inputs (default 10 million)
# with AddressSanitizer and UndefinedBehaviorSanitizer, then merges what added coverage into
# fuzz/corpus (minimized with -merge=1). Prints one line per fuzzer: runs, coverage, findings.
#
#   FUZZ_SECONDS=N   also stop each fuzzer after N seconds (a bounded run)
#   FUZZ_BUILD=DIR   the sanitized build folder (default build-sanitize, as ./test makes it)
#   FUZZ_JOBS=N      fuzzers run side by side (default 1)
set -euo pipefail
source "$(dirname "$0")/common.sh"

runs="${1:-10000000}"
build="${FUZZ_BUILD:-$ROOT/build-sanitize}"
fuzzers=(fuzz_profilefile fuzz_gallery fuzz_template fuzz_settings)
work="$build/fuzz-long"
mkdir -p "$work"

CC=clang-14 CXX=clang++-14 configure "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DQS_SANITIZE=ON -DQS_FUZZ=ON -DQS_BENCH=OFF
cmake "$build" >/dev/null
known="$(ninja -C "$build" -t targets all 2>/dev/null || true)"
targets=()
for f in "${fuzzers[@]}"; do
    # A fuzzer whose program is not in this checkout, or does not build, is left out.
    if ! grep -q "^$f:" <<<"$known"; then
        echo "$f: not in this checkout"
    elif ! cmake --build "$build" -j "$(nproc)" --target "$f" >"$build/$f-build.log" 2>&1; then
        echo "$f: does not build (see $build/$f-build.log)"
    else
        targets+=("$f")
    fi
done

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$ROOT/fuzz/lsan.supp"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

run_one() {
    local f="$1" dir="$work/$1"
    # Findings of an earlier run are not this run's.
    rm -rf "$dir/findings"
    mkdir -p "$dir/corpus" "$dir/findings"
    local limit=()
    [ -n "${FUZZ_SECONDS:-}" ] && limit=(-max_total_time="$FUZZ_SECONDS")
    # A finding ends the fuzzer's run and is kept in its own folder.
    "$build/fuzz/$f" -runs="$runs" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$dir/findings/" \
        "$dir/corpus" "$ROOT/fuzz/corpus" >"$dir/log" 2>&1 || true
    "$build/fuzz/$f" -merge=1 "$ROOT/fuzz/corpus" "$dir/corpus" >"$dir/merge.log" 2>&1 || true
}

pids=()
for f in "${targets[@]}"; do
    run_one "$f" &
    pids+=($!)
    if [ "${#pids[@]}" -ge "${FUZZ_JOBS:-1}" ]; then
        wait "${pids[0]}"
        pids=("${pids[@]:1}")
    fi
done
wait

# The shared corpus again as small as it can be: for each fuzzer the fewest inputs that reach
# all it reached. The named seed files stay as they are.
fresh="$work/minimized"
rm -rf "$fresh" && mkdir -p "$fresh"
for f in "${targets[@]}"; do
    "$build/fuzz/$f" -merge=1 "$fresh" "$ROOT/fuzz/corpus" >"$work/$f/minimize.log" 2>&1 || true
done
if [ -n "$(ls -A "$fresh")" ]; then
seeds="$(find "$ROOT/fuzz/corpus" -type f -regextype posix-extended ! -regex '.*/[0-9a-f]{40}' -exec sha1sum {} + | cut -d' ' -f1)"
find "$ROOT/fuzz/corpus" -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -delete
for input in "$fresh"/*; do
    grep -q "$(basename "$input")" <<<"$seeds" || cp "$input" "$ROOT/fuzz/corpus/"
done
fi
echo "fuzz/corpus: $(find "$ROOT/fuzz/corpus" -type f | wc -l) files"

status=0
for f in "${targets[@]}"; do
    dir="$work/$f"
    last="$(grep -E '^#[0-9]+.*cov: ' "$dir/log" | tail -1 || true)"
    done_runs="$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$last")"
    cov="$(sed -nE 's/.*cov: ([0-9]+).*/\1/p' <<<"$last")"
    ft="$(sed -nE 's/.*ft: ([0-9]+).*/\1/p' <<<"$last")"
    findings="$(find "$dir/findings" -type f | wc -l)"
    added="$(sed -nE 's/.*MERGE-OUTER: ([0-9]+) new files.*/\1/p' "$dir/merge.log" | tail -1)"
    echo "$f: runs=${done_runs:-0} cov=${cov:-?} ft=${ft:-?} findings=$findings new_corpus_files=${added:-0}"
    [ "$findings" -eq 0 ] || { status=1; ls "$dir/findings"; }
done
exit $status
