#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them (BENCH_FILTER=regex selects,
# REPS repetitions), prints every median and its ratio to the calibration
# BM_FrameFill_1080p from the same run, then times `quendar-tool resave` of the
# largest mission against `cp` of the same file with hyperfine and prints the
# medians and their ratio (RESAVE=0 skips it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh" hyperfine
build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENDAR_TESTS=OFF >/dev/null
cmake --build "$build" --target quendar_bench quendar-tool missiongen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The calibration runs with every selection: each median is printed as a
# multiple of it, from the same run (wall-clock and CPU time; on a busy
# machine the CPU figures are the steadier ones).
filter="."
[ -n "${BENCH_FILTER:-}" ] && filter="BM_FrameFill_1080p|$BENCH_FILTER"
"$build/bench/quendar_bench" --benchmark_repetitions="${REPS:-7}" \
    --benchmark_report_aggregates_only=true --benchmark_filter="$filter" \
    --benchmark_out="$work/bench.json" --benchmark_out_format=json
python3 - "$work/bench.json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
med = {r["run_name"]: r for r in runs if r.get("aggregate_name") == "median"}
ref = med["BM_FrameFill_1080p"]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
ms = lambda r, k: r[k] * scale[r.get("time_unit", "ns")]
print("\n%-32s %10s %10s %9s %9s" % ("median", "real ms", "cpu ms", "x real", "x cpu"))
for name, r in med.items():
    print("%-32s %10.3f %10.3f %9.2f %9.2f" % (name, ms(r, "real_time"), ms(r, "cpu_time"),
          ms(r, "real_time") / ms(ref, "real_time"), ms(r, "cpu_time") / ms(ref, "cpu_time")))
PY
[ "${RESAVE:-1}" = 0 ] && exit 0
"$build/tools/missiongen" largest "$work/largest.tie"
craft="$root/data/SHIPLIST.TXT"
tool="$build/tools/quendar-tool"
"$tool" --craft-list "$craft" resave "$work/largest.tie" "$work/out.tie"
cmp "$work/largest.tie" "$work/out.tie" && echo "resave output equals its input"
echo "largest mission: $(stat -c %s "$work/largest.tie") bytes"
# Both commands in one hyperfine run (all runs of cp, then all of resave; each
# replaces a file that exists after the warm-up), medians compared. cp does not
# force its copy to disk; a resave does (see PendingFile::commit).
hyperfine -N --warmup 5 --runs "${RUNS:-60}" --export-json "$work/times.json" \
    "cp $work/largest.tie $work/copy.tie" \
    "$tool --craft-list $craft resave $work/largest.tie $work/out.tie" >/dev/null
awk -F'[:,]' '/"median"/ {m[n++] = $2} END {
    printf "cp median:     %.2f ms\nresave median: %.2f ms\nratio resave/cp: %.2f\n",
           m[0] * 1000, m[1] * 1000, m[1] / m[0] }' "$work/times.json"
