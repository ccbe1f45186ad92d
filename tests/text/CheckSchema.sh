#!/usr/bin/env bash
# Exports the sample, the largest mission and a new one, and validates the
# documents against the bundled schema.
set -euo pipefail
tool=$1 gen=$2 src=$3 work=$4
rm -rf "$work" && mkdir -p "$work"
"$gen" largest "$work/largest.tie"
"$tool" new "$work/new.tie"
for m in "$src/data/samples/lantern-run.tie" "$work/largest.tie" "$work/new.tie"; do
    "$tool" --craft-list "$src/data/SHIPLIST.TXT" export "$m" "$work/$(basename "$m" .tie).json"
done
python3 "$src/tests/text/check_schema.py" "$src/data/mission.schema.json" "$work"/*.json
