#!/usr/bin/env bash
# Builds the picture fuzz target with clang and fuzzes ReadSourcePicture for SECONDS in total (default
# 600) on one core. A run that finds a crash, leak, timeout or out-of-memory input starts again until
# the time is used up; every such input is copied to tests/fixtures/picture_fuzz_regressions/.
# Usage: fuzz/run_fuzz_picture.sh [SECONDS]
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build="$repo/build-fuzz-language" # the Qt part's fuzz build, shared with the language-file target
out="$repo/fuzz-out-picture"
regressions="$repo/tests/fixtures/picture_fuzz_regressions"

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -DPAGEWRIGHT_FUZZ=ON -DPAGEWRIGHT_GUI=ON \
    -DPAGEWRIGHT_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target pagewright-fuzz-picture pagewright-fuzz-picture-seeds

mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts" "$regressions"
"$build/fuzz/pagewright-fuzz-picture-seeds" "$out/seeds"

source "$repo/fuzz/fuzz_loop.sh"
fuzz_loop pagewright-fuzz-picture "$repo/fuzz/picture.dict" "$seconds"
