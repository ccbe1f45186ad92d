#!/usr/bin/env bash
# Fails, naming each file, when a C++ source differs from what clang-format
# makes of it. Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format >/dev/null
mapfile -t files < <(git ls-files '*.cpp' '*.h')
rc=0
report=$(clang-format --dry-run "${files[@]}" 2>&1) || rc=$?
bad=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error): code should be clang-formatted' <<<"$report" |
      cut -d: -f1 | sort -u || true)
if [ -n "$bad" ]; then
    sed 's/^/not formatted: /' <<<"$bad" >&2
    exit 1
fi
if [ "$rc" -ne 0 ]; then
    echo "clang-format failed: $report" >&2
    exit 1
fi
echo "formatting: all ${#files[@]} sources clean"
