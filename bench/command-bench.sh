#!/bin/sh
# The whole command, `lumeric engrave IN OUT`, on the generated 12-megapixel
# photo as PNG and as uncompressed TIFF: the median of RUNS runs (default
# 3), the peak resident memory, the thread count and the output's size;
# next to the same figures of the base version's command when
# build/baseline/bin/lumeric exists (bench/build-baseline.sh builds it).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
ours=$root/build/bin/lumeric
base=$root/build/baseline/bin/lumeric
work=$root/build/bench
runs=${RUNS:-3}
mkdir -p "$work"
[ -f "$work/photo.tif" ] || "$root/build/linux/bench/bench_photo_files" "$work"

# Prints "median-seconds peak-MB output-bytes" for: command input output.
measure() {
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %M" -o "$work/time.txt" "$1" engrave "$2" "$3" --force --quiet
        cat "$work/time.txt"
    done | sort -n | awk '{ t[NR] = $1; if ($2 > peak) peak = $2 } END { printf "%s %.0f", t[int((NR + 1) / 2)], peak / 1024 }'
    printf ' %s\n' "$(stat -c %s "$3")"
}

threads=${LUMERIC_THREADS:-$(nproc)}
for format in png tif; do
    set -- $(measure "$ours" "$work/photo.$format" "$work/out.$format")
    line=$(printf 'command %s: %6.3f s  peak %4s MB  threads %s  output %s bytes' "$format" "$1" "$2" "$threads" "$3")
    if [ -x "$base" ]; then
        ourSeconds=$1
        set -- $(measure "$base" "$work/photo.$format" "$work/base.$format")
        line="$line  | base: $(printf '%6.3f s  peak %4s MB  output %s bytes  | ratio %.2f' "$1" "$2" "$3" \
            "$(echo "$ourSeconds $1" | awk '{ print $1 / $2 }')")"
    fi
    echo "$line"
done
