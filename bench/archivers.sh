#!/usr/bin/env bash
# Decode throughput of our LZH and ZIP readers against lhasa and 7zz on the
# same archives (about 50 MB of data, made here), checksums verified by all.
# Prints each tool's least processor time of RUNS and the ratio baseline/ours
# (>1: we are faster), and the machine's load average.
# Usage: bench/archivers.sh [RUNS]   (default 11)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
build=$PWD/build/bench-native
work=$build/data
cmake -S archivers -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
ninja -C "$build" archivers_bench lzh_bench_make > /dev/null
bench=$build/archivers_bench

if [ ! -f "$work/lh7.lzh" ]; then
    rm -rf "$work"; mkdir -p "$work/in"
    # Text-like data (logs and tables) with some incompressible parts: about 50 MB in five files.
    for i in 1 2 3 4; do
        seq $((i * 1000000)) $((i * 1000000 + 290000)) |
            awk -v s="$i" '{ printf "%08d,record %d,%s,%x\n", $1, $1 % 977, ($1 % 3 ? "saver" : "screen"), $1 * s }' \
            > "$work/in/part$i.txt"
    done
    head -c 8000000 /dev/urandom > "$work/in/random.bin"
    (cd "$work/in" && LC_ALL=C lha a2o5 ../lh5.lzh ./* > /dev/null 2>&1 && LC_ALL=C lha a2o7 ../lh7.lzh ./* > /dev/null 2>&1)
    (cd "$work/in" && 7zz a -tzip -mm=Deflate -mx5 ../deflate.zip ./* > /dev/null)
fi
# lha writes neither -lh1- nor -lhx-: the first comes from our own encoder over
# the same files, the second is the -lh7- archive relabelled, a stream
# both methods read alike. lhasa checks both before they are timed.
if [ ! -f "$work/lhx.lzh" ] || [ ! -f "$work/lh1.lzh" ]; then
    "$build/lzh_bench_make" lhx "$work/lh7.lzh" "$work/lhx.lzh"
    "$build/lzh_bench_make" lh1 "$work/lh1.lzh" "$work"/in/*
    for a in lh1 lhx; do
        [ "$(lhasa t "$work/$a.lzh" | tr '\r' '\n' | grep -c 'Tested')" = 5 ] || { echo "lhasa refuses $a.lzh"; exit 1; }
    done
fi
echo "data: $(du -sm "$work/in" | cut -f1) MB; archives: $(cd "$work" && ls -s --block-size=M ./*.lzh ./*.zip | tr '\n' ' ')"

best() {  # the least processor time (user + system, seconds) of RUNS runs of the command
    local b="" t
    for _ in $(seq "$runs"); do
        # Processor time, not the wall clock: other work on the machine
        # stretches the wall time of a run by much more than its own time.
        t=$( { TIMEFORMAT='%3U %3S'; time "$@" > /dev/null 2>&1; } 2>&1 | awk '{ print $1 + $2 }')
        if [ -z "$b" ] || [ "$(echo "$t < $b" | bc -l)" = 1 ]; then b=$t; fi
    done
    echo "$b"
}
report() {  # label baseline-seconds our-seconds
    printf '%-22s baseline %6.3f s  ours %6.3f s  ratio %.2f (processor time)\n' "$1" "$2" "$3" "$(echo "$2 / $3" | bc -l)"
}
for a in lh5 lh7 lh1 lhx; do
    report "LZH $a vs lhasa" "$(best lhasa t "$work/$a.lzh")" "$(best "$bench" "$work/$a.lzh")"
done
report "ZIP deflate vs 7zz" "$(best 7zz t -mmt=1 "$work/deflate.zip")" "$(best "$bench" "$work/deflate.zip")"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
