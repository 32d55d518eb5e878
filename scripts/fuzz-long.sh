#!/usr/bin/env bash
# scripts/fuzz-long.sh [RUNS [FUZZER...]] : runs every reader's fuzzer (or those named) for RUNS
# inputs (default 10 million) with AddressSanitizer and UndefinedBehaviorSanitizer, then merges
# what added coverage into fuzz/corpus (minimized with -merge=1). Prints one line per fuzzer:
# runs, coverage, findings, and the inputs counted since the last change to the code it reaches.
# Each run is added to the ledger fuzz/RUNS.md.
#
#   FUZZ_SECONDS=N   also stop each fuzzer after N seconds (a bounded run)
#   FUZZ_UNTIL=TIME  also stop every fuzzer at TIME (anything `date -d` reads, e.g. 07:10);
#                    a fuzzer whose turn comes after it does not start
#   FUZZ_BUILD=DIR   the sanitized build folder (default build-sanitize, as ./test makes it)
#   FUZZ_JOBS=N      fuzzers run side by side (default: one per processor); the next starts as
#                    soon as any one ends
set -euo pipefail
source "$(dirname "$0")/common.sh"

runs="${1:-10000000}"
shift || true
build="${FUZZ_BUILD:-$ROOT/build-sanitize}"
all_fuzzers=(fuzz_profilefile fuzz_gallery fuzz_template fuzz_settings)
fuzzers=("${all_fuzzers[@]}")
[ $# -gt 0 ] && fuzzers=("$@")
until_epoch=""
[ -n "${FUZZ_UNTIL:-}" ] && until_epoch="$(date -d "$FUZZ_UNTIL" +%s)"
work="$build/fuzz-long"
mkdir -p "$work"

need_packages "${BASE_PACKAGES[@]}" clang-14 libclang-rt-14-dev

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
# Leaks are checked once, when each fuzzer ends, and not after every input: with Qt's caches
# most inputs allocate more than they free, and the heap scan that follows each of those made
# the settings fuzzer six times slower. Allocation stacks are kept short for the same reason;
# replay a finding with the default options for the full report.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:malloc_context_size=5"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The fuzzers write their inputs to files; on a memory-backed folder that costs no disk syncs.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    TMPDIR="$(mktemp -d /dev/shm/qs-fuzz-XXXXXX)"
    export TMPDIR
    trap 'rm -rf "$TMPDIR"' EXIT
fi

# Seconds the next fuzzer may run, empty for no bound; 0 when the deadline has passed.
seconds_left() {
    local left="${FUZZ_SECONDS:-}"
    if [ -n "$until_epoch" ]; then
        local to_deadline=$((until_epoch - $(date +%s)))
        [ "$to_deadline" -lt 0 ] && to_deadline=0
        if [ -z "$left" ] || [ "$to_deadline" -lt "$left" ]; then left="$to_deadline"; fi
    fi
    echo "$left"
}

run_one() {
    local f="$1" dir="$work/$1" seconds="$2"
    # Findings of an earlier run are not this run's.
    rm -rf "$dir/findings" "$dir/log"
    mkdir -p "$dir/corpus" "$dir/findings"
    local limit=()
    [ -n "$seconds" ] && limit=(-max_total_time="$seconds")
    date +%s >"$dir/started"
    # A finding ends the fuzzer's run and is kept in its own folder. A gallery near the item
    # cap takes seconds to open and save under the sanitizers, so the bound on one input is the
    # short run's 30 s.
    "$build/fuzz/$f" -runs="$runs" "${limit[@]}" -timeout=30 -rss_limit_mb=2048 \
        -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$dir/findings/" \
        "$dir/corpus" "$ROOT/fuzz/corpus" >"$dir/log" 2>&1 || true
    date +%s >"$dir/ended"
    # Runs side by side, or of two commands at once, take turns at the shared corpus.
    flock "$work/corpus.lock" "$build/fuzz/$f" -merge=1 "$ROOT/fuzz/corpus" "$dir/corpus" \
        >"$dir/merge.log" 2>&1 || true
}

# The code each fuzzer reaches: a change there starts its count of inputs again.
reaches() {
    case "$1" in
        fuzz_profilefile) echo common/profile* common/nametable* common/textcodec* fuzz/fuzz_profilefile.cpp ;;
        fuzz_settings) echo common/settingsstore* common/inistore* common/initext* common/textcodec* fuzz/fuzz_settings.cpp ;;
        fuzz_gallery) echo gallery common/profile* common/nametable* common/textcodec* common/dialogs* fuzz/fuzz_gallery.cpp ;;
        fuzz_template) echo template/templatefile* template/templatedocument* template/templatemodel* common/textcodec* fuzz/fuzz_template.cpp ;;
    esac
}
commit="$(git -C "$ROOT" rev-parse --short HEAD)"
: >"$work/dirty-at-start"
for f in "${targets[@]}"; do
    git -C "$ROOT" diff --quiet HEAD -- $(cd "$ROOT" && reaches "$f") || echo "$f" >>"$work/dirty-at-start"
done

running=0
for f in "${targets[@]}"; do
    if [ "$running" -ge "${FUZZ_JOBS:-$(nproc)}" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    seconds="$(seconds_left)"
    if [ "$seconds" = 0 ]; then
        echo "$f: not started, the deadline has passed"
        continue
    fi
    run_one "$f" "$seconds" &
    running=$((running + 1))
done
wait

# The shared corpus again as small as it can be: for each fuzzer the fewest inputs that reach
# all it reached. The named seed files stay as they are. Every fuzzer that is built takes part,
# run this time or not, so that a run of some keeps what the others need.
exec 9>"$work/corpus.lock"
flock 9
fresh="$work/minimized"
rm -rf "$fresh" && mkdir -p "$fresh"
for f in "${all_fuzzers[@]}"; do
    [ -x "$build/fuzz/$f" ] || continue
    mkdir -p "$work/$f"
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
exec 9>&-

ledger="$ROOT/fuzz/RUNS.md"
# A run counts for the commit it started at, unless what the fuzzer reaches had uncommitted
# changes then or changed before it ended.
dirty() {
    ! git -C "$ROOT" diff --quiet "$commit" -- $(cd "$ROOT" && reaches "$1") ||
        grep -qx "$1" "$work/dirty-at-start"
}
# Inputs of the ledger's runs of fuzzer $1 with no finding, at commits whose code it reaches
# is as it is now.
counted() {
    local total=0 line c n k
    while IFS='|' read -r _ _ c k n found _; do
        c="$(echo $c)"; k="$(echo $k)"; n="$(echo $n | tr -d ,)"; found="$(echo $found)"
        [ "$k" = "$1" ] && [ "$found" = 0 ] || continue
        git -C "$ROOT" diff --quiet "$c" HEAD -- $(cd "$ROOT" && reaches "$1") 2>/dev/null || continue
        total=$((total + n))
    done < <(grep -E '^\| [0-9]{4}-' "$ledger" 2>/dev/null || true)
    echo "$total"
}

status=0
for f in "${targets[@]}"; do
    dir="$work/$f"
    last="$(grep -E '^#[0-9]+.*cov: ' "$dir/log" | tail -1 || true)"
    # The final count where the fuzzer got to print it, else the last progress line's.
    done_runs="$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$dir/log" | tail -1)"
    [ -n "$done_runs" ] || done_runs="$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$last")"
    cov="$(sed -nE 's/.*cov: ([0-9]+).*/\1/p' <<<"$last")"
    ft="$(sed -nE 's/.*ft: ([0-9]+).*/\1/p' <<<"$last")"
    [ -f "$dir/log" ] || continue
    # A leak found at the end is reported in the log only.
    findings=$(($(find "$dir/findings" -type f | wc -l) + $(grep -c 'ERROR: LeakSanitizer' "$dir/log" || true)))
    added="$(sed -nE 's/.*MERGE-OUTER: ([0-9]+) new files.*/\1/p' "$dir/merge.log" | tail -1)"
    seconds_run=$(( $(cat "$dir/ended" 2>/dev/null || date +%s) - $(cat "$dir/started" 2>/dev/null || date +%s) ))
    rate=$(( ${done_runs:-0} / (seconds_run > 0 ? seconds_run : 1) ))
    if dirty "$f"; then
        echo "$f: not added to the ledger: what it reaches was not as committed at $commit"
    else
        echo "| $(date -u +%Y-%m-%d) | $commit | $f | ${done_runs:-0} | $findings | $rate |" >>"$ledger"
    fi
    echo "$f: runs=${done_runs:-0} inputs/s=$rate cov=${cov:-?} ft=${ft:-?} findings=$findings new_corpus_files=${added:-0} since_last_change=$(counted "$f")"
    [ "$findings" -eq 0 ] || { status=1; ls "$dir/findings"; grep -A5 'ERROR: LeakSanitizer' "$dir/log" || true; }
done
exit $status
