#!/usr/bin/env bash
# Installs what the tests need, builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs every test,
# then gives each fuzz target a few seconds.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

kelvara_ensure_packages "${KELVARA_BUILD_PACKAGES[@]}" "${KELVARA_TEST_PACKAGES[@]}" "${KELVARA_FUZZ_PACKAGES[@]}"

build="$KELVARA_ROOT/build/test"
kelvara_build "$build" -DCMAKE_BUILD_TYPE=Debug -DKELVARA_SANITIZE=ON -DKELVARA_WERROR=ON

echo "Checking the code format"
cmake --build "$build" --target format-check

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"

echo "Fuzzing every parser for a few seconds"
"$KELVARA_ROOT/fuzz/run.sh" 5
