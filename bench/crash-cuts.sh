#!/usr/bin/env bash
# Builds Kelvara with its crash test and cuts a running copy many times (the suite makes only a few cuts):
#   bench/crash-cuts.sh [CUTS] [SEED] [FILTER]   (200 cuts and a random seed when not given; FILTER picks the
#   cuts, for instance 'MaintenanceCuts.*' for the purge and compaction alone)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
kelvara_ensure_packages "${KELVARA_BUILD_PACKAGES[@]}" "${KELVARA_TEST_PACKAGES[@]}"
build="${KELVARA_CRASH_BUILD:-$KELVARA_ROOT/build/crash}"
cmake -S "$KELVARA_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVARA_WERROR=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kelvara kelvara-sim kelvara_crash_tests
export KELVARA_CRASH_CUTS="${1:-200}"
if [ -n "${2:-}" ]; then export KELVARA_CRASH_SEED="$2"; fi
QT_QPA_PLATFORM=offscreen "$build/tests/crash/kelvara_crash_tests" --gtest_filter="${3:-*}"
