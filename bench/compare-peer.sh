#!/bin/sh
# Our command next to the nearest peer tool on the same file: GEGL's
# gegl:newsprint line screen (black on white, line pattern, period 8,
# 16 antialias samples) and `lumeric engrave` with its defaults, five runs
# each (RUNS to change), PNG in and out. Prints both medians and their ratio.
# Usage: bench/compare-peer.sh [IMAGE.png] (default: the benchmark photo).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/bench
runs=${RUNS:-5}
mkdir -p "$work"
input=${1:-$work/photo.png}
[ -f "$input" ] || "$root/build/linux/bench/bench_photo_files" "$work"
command -v gegl >/dev/null || { echo "gegl is not installed (Debian package gegl)" >&2; exit 1; }

# Prints the median wall time in seconds of RUNS runs of the command given.
median() {
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e" -o "$work/peer-time.txt" "$@" >/dev/null 2>&1
        cat "$work/peer-time.txt"
    done | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

ours=$(median "$root/build/bin/lumeric" engrave "$input" "$work/peer-lumeric.png" --force --quiet)
peer=$(median gegl "$input" -o "$work/peer-newsprint.png" -- \
    newsprint color-model=black-on-white pattern=line period=8 aa-samples=16)
echo "lumeric engrave:      $ours s (median of $runs)"
echo "gegl:newsprint lines: $peer s (median of $runs)"
echo "ratio lumeric / gegl: $(echo "$ours $peer" | awk '{ printf "%.2f", $1 / $2 }')"
