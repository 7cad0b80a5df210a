#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), then configures and builds into build/.
# Usage: scripts/setup.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-serialport-dev libhidapi-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-wqy-microhei iputils-ping xvfb xauth
          xdotool xclip poppler-utils libxlsxwriter-dev unzip
          clang libclang-rt-14-dev)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR="${BUILD_DIR:-build}"
JOBS="${JOBS:-$(nproc)}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build "$BUILD_DIR" -j "$JOBS"
