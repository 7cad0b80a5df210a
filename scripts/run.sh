#!/usr/bin/env bash
# Sets up (packages, build) if needed and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -x build/orvane ] || [ -n "$(find src res tools CMakeLists.txt cmake -newer build/orvane -print -quit 2>/dev/null)" ]; then
    scripts/setup.sh
fi
exec build/orvane "$@"
