#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 60): bash scripts/fuzz.sh [seconds]. Each target starts
# from its seed inputs in fuzz/corpus/<target>; what it finds goes to
# build-fuzz/corpus/<target>. With 0 seconds each target only runs its seeds
# once (CI does this: the targets build and the seeds pass, every time alike).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/deps.sh clang libclang-rt-14-dev
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DQUENDAR_FUZZ=ON -DQUENDAR_UI=OFF \
    -DQUENDAR_TESTS=OFF -DQUENDAR_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz
for target in build-fuzz/fuzz/Fuzz*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds="fuzz/corpus/$name"
    [ -d "$seeds" ] || seeds=""
    if [ "$seconds" = 0 ]; then
        echo "== $name on its seeds"
        limit=(-runs=0)
    else
        echo "== $name for ${seconds}s"
        limit=(-max_total_time="$seconds")
    fi
    "$target" "${limit[@]}" -rss_limit_mb=4096 -print_final_stats=1 \
        "$corpus" $seeds 2>&1 | tail -n 8
done
