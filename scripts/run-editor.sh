#!/usr/bin/env bash
# Builds the editor and starts it. The editor reads SHIPLIST.TXT, iconslist.dat
# and qd.dat from its working folder; this script prepares ~/.quendar with the
# bundled craft list and icons (never overwriting a user's own files) and starts
# the editor there. Without a display it runs under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target quendar quendar-tool
work="${QUENDAR_HOME:-$HOME/.quendar}"
mkdir -p "$work"
for f in SHIPLIST.TXT iconslist.dat; do
    [ -e "$work/$f" ] || { [ -e "$root/data/$f" ] && cp "$root/data/$f" "$work/$f"; } || true
done
cd "$work"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
    exec xvfb-run -a "$root/build/quendar" "$@"
fi
exec "$root/build/quendar" "$@"
