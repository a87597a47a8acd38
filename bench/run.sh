#!/usr/bin/env bash
# Builds an optimised Kelvara and runs the benchmarks against the simulator.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
kelvara_ensure_packages "${KELVARA_BUILD_PACKAGES[@]}"
build="$KELVARA_ROOT/build/bench"
kelvara_build "$build" -DCMAKE_BUILD_TYPE=Release -DKELVARA_BUILD_TESTS=OFF -DKELVARA_WERROR=OFF
echo "20-zone pass, simulator pacing answers at 115200 baud and converting in real time:"
"$build/bench/kelvara_zone_pass_bench" "$build/tools/sim/kelvara-sim" "${1:-6}"
echo "20 zones and 10 running cook cycles in one pass, at 115200 baud:"
"$build/bench/kelvara_cook_pass_bench" "$build/tools/sim/kelvara-sim" "${1:-6}"
echo "Alarm notification in a pass, ten recipients on a silent modem against none due:"
"$build/bench/kelvara_notify_pass_bench" "$build/tools/sim/kelvara-sim" "${2:-20}"
echo "Purging the oldest year of a generated ten-year zone database with archiving, then compacting:"
"$build/bench/kelvara_maintenance_bench"
echo "Temperature chart on a generated ten-year zone database of one-minute readings (kept in $build/chart-kvr.db):"
"$build/bench/kelvara_chart_bench" --db "$build/chart-kvr.db"
