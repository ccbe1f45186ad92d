#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them (BENCH_FILTER=regex selects,
# REPS repetitions), prints every median and its ratio to the calibration
# BM_FrameFill_1080p from the same run, then times `quendar-tool resave` of the
# largest mission against a durable copy of the same file (dd with
# conv=fsync) with hyperfine and prints the medians and their ratio, and
# `quendar-tool lint --json` against plain `lint` of that mission (RESAVE=0
# skips these).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh" hyperfine time
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
one, two = med.get("BM_Paint_Worst_Zoom240"), med.get("BM_Paint_Worst_Zoom240_Scale2")
if one and two:
    print("\nworst paint at 200 %% / at 100 %%: %.2f real, %.2f cpu" % (
          ms(two, "real_time") / ms(one, "real_time"), ms(two, "cpu_time") / ms(one, "cpu_time")))
PY
[ "${RESAVE:-1}" = 0 ] && exit 0
"$build/tools/missiongen" largest "$work/largest.tie"
craft="$root/data/SHIPLIST.TXT"
tool="$build/tools/quendar-tool"
"$tool" --craft-list "$craft" resave "$work/largest.tie" "$work/out.tie"
cmp "$work/largest.tie" "$work/out.tie" && echo "resave output equals its input"
echo "largest mission: $(stat -c %s "$work/largest.tie") bytes"
# Both commands in one hyperfine run (all runs of the copy, then all of
# resave; each replaces a file that exists after the warm-up), medians
# compared. A resave forces its file to disk before it replaces the old one
# (see PendingFile::commit), so it is read against a copy that does the same:
# dd with conv=fsync, one process that copies and flushes the file.
hyperfine -N --warmup 5 --runs "${RUNS:-60}" --export-json "$work/times.json" \
    "dd if=$work/largest.tie of=$work/copy.tie bs=4M conv=fsync" \
    "$tool --craft-list $craft resave $work/largest.tie $work/out.tie" >/dev/null
awk -F'[:,]' '/"median"/ {m[n++] = $2} END {
    printf "durable copy (dd) median: %.2f ms\nresave median:            %.2f ms\nratio resave/dd: %.2f\n",
           m[0] * 1000, m[1] * 1000, m[1] / m[0] }' "$work/times.json"
# lint --json writes its list as it goes: both forms in one hyperfine run,
# then the peak memory of each (GNU time's maximum resident set size).
hyperfine -N --warmup 3 --runs "${RUNS:-60}" --export-json "$work/lint.json" \
    "$tool --craft-list $craft lint $work/largest.tie" \
    "$tool --craft-list $craft lint $work/largest.tie --json" -i >/dev/null
awk -F'[:,]' '/"median"/ {m[n++] = $2} END {
    printf "lint median:        %.2f ms\nlint --json median: %.2f ms\nratio json/plain: %.2f\n",
           m[0] * 1000, m[1] * 1000, m[1] / m[0] }' "$work/lint.json"
echo "problems: $("$tool" --craft-list "$craft" lint "$work/largest.tie" | wc -l)"
for json in "" --json; do
    /usr/bin/time -v "$tool" --craft-list "$craft" lint "$work/largest.tie" $json 2>"$work/time.txt" >/dev/null || true
    echo "lint $json peak memory: $(awk -F': ' '/Maximum resident/ {printf "%.1f MB", $2 / 1024}' "$work/time.txt")"
done
