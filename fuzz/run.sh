#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for SECONDS (default 60) from the corpus kept in
# fuzz/corpus. New inputs the fuzzer finds go to build/fuzz/corpus/TARGET, findings (the input that crashed
# or leaked) to build/fuzz/findings; the script fails when any target found something.
#   fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"

seconds="${1:-60}"
shift || true
kelvara_ensure_packages "${KELVARA_BUILD_PACKAGES[@]}" "${KELVARA_FUZZ_PACKAGES[@]}"

build="$KELVARA_ROOT/build/fuzz"
cmake -S "$KELVARA_ROOT" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKELVARA_FUZZ=ON -DKELVARA_WERROR=OFF >/dev/null
cmake --build "$build" --target fuzzers -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for dir in "$KELVARA_ROOT"/fuzz/corpus/*/; do
        targets+=("$(basename "$dir")")
    done
fi

export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
    work="$build/corpus/$target"
    mkdir -p "$work"
    log="$build/findings/$target.log"
    if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" "$work" "$KELVARA_ROOT/fuzz/corpus/$target" >"$log" 2>&1; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        echo "$target: ${runs:-?} inputs in ${seconds} s, nothing found"
    else
        echo "$target: FOUND A FAULT; the log is $log:"
        grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -n 8 || tail -n 20 "$log"
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}"
    exit 1
fi
