#!/usr/bin/env bash
# scripts/windows-check.sh [BUILD] : compiles every product, test and benchmark source of the
# Linux build in BUILD (default build/) for Windows with MinGW-w64, syntax only, warnings as
# errors, against the same Qt headers. Qt takes Q_OS_WIN from the compiler, so the Windows
# branches are the ones checked. Driven by BUILD's compile_commands.json; prints each source that
# fails with its errors and ends with 1 when any does. WINDOWS_CHECK_ONLY=REGEX checks only the
# sources whose paths it matches.
set -euo pipefail
source "$(dirname "$0")/common.sh"
need_packages g++-mingw-w64-x86-64-posix
build="${1:-$ROOT/build}"
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json: build first"; exit 1; }
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
# The test and benchmark libraries' headers are plain C++, but they live in /usr/include beside
# Linux's own, which MinGW must not see: only they are offered to it.
mkdir -p "$out/include"
for h in gtest gmock benchmark ini.h; do
    [ -e "/usr/include/$h" ] && ln -s "/usr/include/$h" "$out/include/$h"
done
# One shell command per source: the Linux command with MinGW's compiler, Windows' Qt make spec,
# Unicode Win32 calls, and no output file.
WINDOWS_CHECK_ONLY="${WINDOWS_CHECK_ONLY:-}" python3 - "$build/compile_commands.json" "$ROOT" "$out/include" >"$out/commands" <<'PY'
import json, os, re, shlex, sys
entries = json.load(open(sys.argv[1]))
root = sys.argv[2]
shim = sys.argv[3]
seen = set()
for e in entries:
    src = e['file']
    only = os.environ.get('WINDOWS_CHECK_ONLY')
    if not src.startswith(root) or src in seen or not src.endswith('.cpp') or (only and not re.search(only, src)):
        continue
    seen.add(src)
    args = shlex.split(e['command'])
    keep = []
    skip = False
    for a in args[1:]:
        if skip:
            skip = False
            continue
        if a in ('-o', '-c'):
            skip = a == '-o'
            continue
        if a in ('-fPIC', '-g') or a.startswith(('-fsanitize', '-fprofile', '-fcoverage', '-O')):
            continue
        keep.append(a.replace('/mkspecs/linux-g++', '/mkspecs/win32-g++'))
    cmd = ['x86_64-w64-mingw32-g++-posix'] + keep + ['-DUNICODE', '-D_UNICODE', '-isystem', shim, '-fsyntax-only', '-Werror']
    print('cd %s && %s' % (shlex.quote(e['directory']), shlex.join(cmd + [src])))
PY
total="$(wc -l <"$out/commands")"
# Each failing source leaves its errors in a file of its own.
n=0
while IFS= read -r cmd; do
    n=$((n + 1))
    printf '%s\0' "$n" "$cmd"
done <"$out/commands" | xargs -0 -n 2 -P "$(nproc)" bash -c \
    'eval "$1" >"'"$out"'/$0.log" 2>&1 || mv "'"$out"'/$0.log" "'"$out"'/$0.failed"'
failed=0
for f in "$out"/*.failed; do
    [ -e "$f" ] || continue
    failed=$((failed + 1))
    sed -n "$(basename "$f" .failed)p" "$out/commands" | sed -E 's/.* //; s/^/FAILED: /'
    head -20 "$f"
done
echo "windows-check: $((total - failed)) of $total sources compile for Windows"
[ "$failed" -eq 0 ]
