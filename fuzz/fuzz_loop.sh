# Shared by the fuzz scripts: fuzz_loop TARGET DICT SECONDS runs TARGET (built in $build) on $out's
# corpus and seeds for SECONDS in total on one core, starting again after every finding until the time
# is used up, then copies every crash, leak, timeout or out-of-memory input to $regressions.
fuzz_loop() {
    local target=$1 dict=$2 seconds=$3
    local end=$((SECONDS + seconds)) run=0 left
    while ((SECONDS < end)); do
        run=$((run + 1))
        left=$((end - SECONDS))
        echo "fuzz run $run: ${left}s left"
        (cd "$out" && "$build/fuzz/$target" "$out/corpus" "$out/seeds" \
            -dict="$dict" -jobs=1 -workers=1 -max_total_time="$left" -timeout=10 \
            -rss_limit_mb=2048 -malloc_limit_mb=1024 -artifact_prefix="$out/artifacts/" \
            -print_final_stats=1) || true
        tail -n 40 "$out/fuzz-0.log" >"$out/run-$run.tail"
        cat "$out/fuzz-0.log" >>"$out/fuzz-all.log"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|stat::number_of_executed_units|Done)' "$out/fuzz-0.log" || true
    done

    shopt -s nullglob
    local f
    for f in "$out"/artifacts/{crash,leak,timeout,oom,slow-unit}-*; do
        cp -n "$f" "$regressions/"
    done
    echo "inputs kept in $regressions:"
    ls "$regressions"
}
