#!/usr/bin/env bash
# Builds the language-file fuzz target with clang and fuzzes TFormList::LoadFromBytes for SECONDS in
# total (default 600) on one core. A run that finds a crash, leak, timeout or out-of-memory input
# starts again until the time is used up; every such input is copied to
# tests/fixtures/language_fuzz_regressions/, where the localisation tests replay it.
# Usage: fuzz/run_fuzz_language.sh [SECONDS]
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build="$repo/build-fuzz-language"
out="$repo/fuzz-out-language"
regressions="$repo/tests/fixtures/language_fuzz_regressions"

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -DPAGEWRIGHT_FUZZ=ON -DPAGEWRIGHT_GUI=ON \
    -DPAGEWRIGHT_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target pagewright-fuzz-language pagewright-fuzz-language-seeds

mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts" "$regressions"
"$build/fuzz/pagewright-fuzz-language-seeds" "$out/seeds"

source "$repo/fuzz/fuzz_loop.sh"
fuzz_loop pagewright-fuzz-language "$repo/fuzz/language.dict" "$seconds"
