#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, then times
# `quendar-tool resave` of the largest mission against `cp` of the same file,
# side by side, and prints the medians and their ratio.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENDAR_TESTS=OFF >/dev/null
cmake --build "$build" --target quendar_bench quendar-tool missiongen
"$build/bench/quendar_bench" --benchmark_repetitions="${REPS:-7}" \
    --benchmark_report_aggregates_only=true ${BENCH_FILTER:+--benchmark_filter="$BENCH_FILTER"}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/missiongen" largest "$work/largest.tie"
craft="$root/data/SHIPLIST.TXT"
runs=${RUNS:-31}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
now() { date +%s%N; }
: >"$work/cp.txt"; : >"$work/resave.txt"
for _ in $(seq "$runs"); do
    t0=$(now); cp "$work/largest.tie" "$work/copy.tie"; t1=$(now)
    "$build/tools/quendar-tool" --craft-list "$craft" resave "$work/largest.tie" "$work/out.tie" 2>/dev/null
    t2=$(now)
    echo $(( (t1 - t0) / 1000 )) >>"$work/cp.txt"
    echo $(( (t2 - t1) / 1000 )) >>"$work/resave.txt"
done
cmp "$work/largest.tie" "$work/out.tie" && echo "resave output equals its input"
cpm=$(median <"$work/cp.txt"); rsm=$(median <"$work/resave.txt")
echo "largest mission: $(stat -c %s "$work/largest.tie") bytes, $runs runs each"
echo "cp median:     ${cpm} us"
echo "resave median: ${rsm} us"
awk -v a="$rsm" -v b="$cpm" 'BEGIN {printf "ratio resave/cp: %.2f\n", a / b}'
