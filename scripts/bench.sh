#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, then times
# `quendar-tool resave` of the largest mission against `cp` of the same file
# with hyperfine, and prints the medians and their ratio.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh" hyperfine
build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENDAR_TESTS=OFF >/dev/null
cmake --build "$build" --target quendar_bench quendar-tool missiongen
"$build/bench/quendar_bench" --benchmark_repetitions="${REPS:-7}" \
    --benchmark_report_aggregates_only=true ${BENCH_FILTER:+--benchmark_filter="$BENCH_FILTER"}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/missiongen" largest "$work/largest.tie"
craft="$root/data/SHIPLIST.TXT"
tool="$build/tools/quendar-tool"
"$tool" --craft-list "$craft" resave "$work/largest.tie" "$work/out.tie"
cmp "$work/largest.tie" "$work/out.tie" && echo "resave output equals its input"
echo "largest mission: $(stat -c %s "$work/largest.tie") bytes"
# Both commands side by side, interleaved by hyperfine's runs, medians compared.
hyperfine -N --warmup 5 --runs "${RUNS:-60}" --export-json "$work/times.json" \
    "cp $work/largest.tie $work/copy.tie" \
    "$tool --craft-list $craft resave $work/largest.tie $work/out.tie" >/dev/null
awk -F'[:,]' '/"median"/ {m[n++] = $2} END {
    printf "cp median:     %.2f ms\nresave median: %.2f ms\nratio resave/cp: %.2f\n",
           m[0] * 1000, m[1] * 1000, m[1] / m[0] }' "$work/times.json"
