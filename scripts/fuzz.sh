#!/usr/bin/env bash
# Builds the fuzz programs (clang's libFuzzer with AddressSanitizer and UBSan) into build-fuzz
# and runs each for a while on its seeds: the reply engine's receive path (fuzz_reply), the
# firmware file loader (fuzz_fwfile) and the PC preset-file loaders (fuzz_scenefile,
# fuzz_allscenesfile, fuzz_mapfile, fuzz_modefile). Not part of the test run.
# Usage: scripts/fuzz.sh [--build-only] [seconds per program, default 60] [program...]
# Extra cmake arguments: ORVANE_FUZZ_CMAKE_ARGS="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache".
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${FUZZ_BUILD_DIR:-build-fuzz}"
JOBS="${JOBS:-$(nproc)}"
PROGRAMS=(fuzz_reply fuzz_fwfile fuzz_scenefile fuzz_allscenesfile fuzz_mapfile fuzz_modefile)

build_only=0
if [ "${1:-}" = "--build-only" ]; then
    build_only=1
    shift
fi
seconds="${1:-60}"
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && PROGRAMS=("$@")

# shellcheck disable=SC2086
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DORVANE_FUZZ=ON -DORVANE_GUI=OFF -DORVANE_BENCH=OFF ${ORVANE_FUZZ_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS" --target "${PROGRAMS[@]}"
[ "$build_only" = 1 ] && exit 0

# The longest input each program takes: a whole update file is 256 KiB and more, an
# all-scenes file 34931 bytes, a one-scene file 5001.
max_len() {
    case "$1" in
    fuzz_fwfile) echo 270000 ;;
    fuzz_allscenesfile) echo 40000 ;;
    fuzz_scenefile) echo 8192 ;;
    *) echo 4096 ;;
    esac
}

# The build folder of each program.
folder() {
    case "$1" in
    fuzz_reply | fuzz_fwfile) echo tests/link/fuzz ;;
    *) echo tests/shell/fuzz ;;
    esac
}

status=0
for p in "${PROGRAMS[@]}"; do
    bin="$BUILD_DIR/$(folder "$p")/$p"
    seeds="$BUILD_DIR/fuzz/$p/seeds"
    corpus="$BUILD_DIR/fuzz/$p/corpus"
    mkdir -p "$seeds" "$corpus"
    ORVANE_FUZZ_WRITE_SEEDS="$seeds" "$bin"
    echo "== $p: $seconds s =="
    # Crash inputs land in the program's folder (crash-*), to be turned into tests.
    (cd "$BUILD_DIR/fuzz/$p" && ORVANE_LOOPBACK_ONLY=1 "$OLDPWD/$bin" -max_total_time="$seconds" \
        -max_len="$(max_len "$p")" -print_final_stats=1 -timeout=30 corpus seeds) \
        >"$BUILD_DIR/fuzz/$p.log" 2>&1 || status=1
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|Done [0-9]+ runs)|ERROR|SUMMARY" \
        "$BUILD_DIR/fuzz/$p.log" || true
done
exit $status
