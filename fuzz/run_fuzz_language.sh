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

end=$((SECONDS + seconds))
run=0
while ((SECONDS < end)); do
    run=$((run + 1))
    left=$((end - SECONDS))
    echo "fuzz run $run: ${left}s left"
    (cd "$out" && "$build/fuzz/pagewright-fuzz-language" "$out/corpus" "$out/seeds" \
        -dict="$repo/fuzz/language.dict" -jobs=1 -workers=1 -max_total_time="$left" -timeout=10 \
        -rss_limit_mb=2048 -malloc_limit_mb=1024 -artifact_prefix="$out/artifacts/" \
        -print_final_stats=1) || true
    tail -n 40 "$out/fuzz-0.log" >"$out/run-$run.tail"
    cat "$out/fuzz-0.log" >>"$out/fuzz-all.log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|stat::number_of_executed_units|Done)' "$out/fuzz-0.log" || true
done

shopt -s nullglob
for f in "$out"/artifacts/{crash,leak,timeout,oom,slow-unit}-*; do
    cp -n "$f" "$regressions/"
done
echo "inputs kept in $regressions:"
ls "$regressions"
