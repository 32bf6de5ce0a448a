#!/bin/sh
# Builds and runs every test: the release build, the core tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, a smoke run of the benchmarks, and a short fuzz run.
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# The fuzz targets share about three minutes (KESTRION_FUZZ_SECONDS, in all).
fuzz_targets="fuzz-serial-stream fuzz-text-line fuzz-settings fuzz-upload-file fuzz-text-file fuzz-nmea-epochs fuzz-time-index"
fuzz_seconds=$(( ${KESTRION_FUZZ_SECONDS:-180} / $(echo $fuzz_targets | wc -w) ))
[ "$fuzz_seconds" -ge 1 ] || fuzz_seconds=1  # 0 would fuzz without end

echo "== release build and tests"
cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release

echo "== sanitizers"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

echo "== benchmarks (smoke)"
build/release/bench/kestrion-bench --benchmark_min_time=0.01 --benchmark_filter="Sample|Nmea" >/dev/null
build/release/bench/kestrion-view-bench --benchmark_min_time=0.01 >/dev/null

echo "== fuzz (${fuzz_seconds} s per target)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target $fuzz_targets
for target in $fuzz_targets; do
    corpus="build/fuzz/corpus-$target"
    mkdir -p "$corpus"
    cp fuzz/seeds/"$target"/* "$corpus"/
    if ! build/fuzz/fuzz/"$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$corpus" \
        >"build/fuzz/$target.log" 2>&1; then
        tail -n 40 "build/fuzz/$target.log"
        echo "fuzzing $target found a failure"
        exit 1
    fi
    grep -E "number_of_executed_units|peak_rss_mb" "build/fuzz/$target.log"
done
echo "== all tests passed"
