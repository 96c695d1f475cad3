#!/bin/sh
# Builds the lumeric command of the version the speed work started from
# (BASE, default 04ae176) into build/baseline/bin, once, so that
# bench/command-bench.sh can time both commands in the same run.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
base=${BASE:-04ae176}
out=$root/build/baseline
if [ -x "$out/bin/lumeric" ] && [ "$(cat "$out/commit" 2>/dev/null)" = "$base" ]; then exit 0; fi
rm -rf "$out"
mkdir -p "$out/src"
git -C "$root" archive "$base" | tar -x -C "$out/src"
cmake -S "$out/src" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMERIC_BIN_DIR="$out/bin" >/dev/null
cmake --build "$out/build" -j "${JOBS:-2}" --target lumeric
printf '%s\n' "$base" > "$out/commit"
