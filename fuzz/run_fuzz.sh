#!/usr/bin/env bash
# Builds the level fuzz target with clang and fuzzes LoadLevelImage for SECONDS in total (default 600)
# on one core. A run that finds a crash, leak, timeout or out-of-memory input starts again until the
# time is used up; every such input is copied to tests/fixtures/fuzz_regressions/, where the level
# tests replay it. Usage: fuzz/run_fuzz.sh [SECONDS]
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build="$repo/build-fuzz"
out="$repo/fuzz-out"
regressions="$repo/tests/fixtures/fuzz_regressions"

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -DPAGEWRIGHT_FUZZ=ON -DPAGEWRIGHT_GUI=OFF \
    -DPAGEWRIGHT_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target pagewright-fuzz-level pagewright-fuzz-seeds

mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts" "$regressions"
"$build/fuzz/pagewright-fuzz-seeds" "$out/seeds" "$repo/samples"

source "$repo/fuzz/fuzz_loop.sh"
fuzz_loop pagewright-fuzz-level "$repo/fuzz/level.dict" "$seconds"
