#!/usr/bin/env bash
# Builds the Debian package of Quendar: a Release build without tests or
# benchmarks in build-deb/, then CPack. Prints the path of the package.
#   bash packaging/build-deb.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# dpkg-shlibdeps (dpkg-dev) names the libraries the package depends on.
bash "$root/scripts/deps.sh" dpkg-dev file
build="$root/build-deb"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DQUENDAR_TESTS=OFF -DQUENDAR_BENCH=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/package/quendar_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/package/quendar_*.deb
