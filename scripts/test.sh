#!/usr/bin/env bash
# Sets up (packages, build) and runs every test through CTest; then builds every layer again
# with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer (window layers on,
# offscreen) and runs every test there too, end-to-end included; last, it builds the fuzz
# programs (scripts/fuzz.sh runs them). Warnings are errors in every build.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
# Tests talk to 127.0.0.1 only: the program refuses any other address while this is set.
export ORVANE_LOOPBACK_ONLY=1
JOBS="${JOBS:-$(nproc)}"
export JOBS

scripts/setup.sh -DORVANE_WERROR=ON
status=0
ctest --test-dir build --output-on-failure -j "$JOBS" --timeout 300 || status=1

echo "== sanitizer pass (AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer) =="
# -O1 keeps the sanitized tests quick; -g1 keeps the link small. No benchmarks here.
BUILD_DIR=build-asan BUILD_TYPE=Debug scripts/setup.sh -DORVANE_SANITIZE=ON -DORVANE_GUI=ON \
    -DORVANE_BENCH=OFF -DORVANE_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$JOBS" --timeout 600 || status=1

echo "== fuzz programs (built, not run; scripts/fuzz.sh runs them) =="
scripts/fuzz.sh --build-only || status=1

exit $status
