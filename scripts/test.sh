#!/usr/bin/env bash
# Sets up (packages, build) and runs every test through CTest; then builds the model and link
# layers with AddressSanitizer and UndefinedBehaviorSanitizer and runs their tests again.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# Tests talk to 127.0.0.1 only: the program refuses any other address while this is set.
export ORVANE_LOOPBACK_ONLY=1
JOBS="${JOBS:-$(nproc)}"

scripts/setup.sh
status=0
ctest --test-dir build --output-on-failure -j "$JOBS" --timeout 300 || status=1

echo "== sanitizer pass (AddressSanitizer, UndefinedBehaviorSanitizer) =="
BUILD_DIR=build-asan BUILD_TYPE=Debug scripts/setup.sh -DORVANE_SANITIZE=ON -DORVANE_GUI=OFF -DORVANE_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$JOBS" --timeout 300 || status=1

exit $status
