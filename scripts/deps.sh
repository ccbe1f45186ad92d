#!/usr/bin/env bash
# Installs the Debian packages the build needs (and any named as arguments),
# only those that are missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config
          qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          libcli11-dev nlohmann-json3-dev libsimdjson-dev xvfb xauth desktop-file-utils
          python3-jsonschema git libwebp-dev libgif-dev libgraphviz-dev graphviz "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
