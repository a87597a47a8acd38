#!/usr/bin/env bash
# Builds Kelvara and runs it on a demo site (created on first use) whose sensor bus is the simulator:
# in a window when there is a display, without one otherwise. Stop it with Ctrl+C or by closing the window.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

kelvara_ensure_packages "${KELVARA_BUILD_PACKAGES[@]}"

build="$KELVARA_ROOT/build/release"
kelvara_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARA_BUILD_TESTS=OFF -DKELVARA_WERROR=OFF

site="${KELVARA_DEMO_SITE:-$KELVARA_ROOT/demo-site}"
scenario="$KELVARA_ROOT/data/demo/scenario.json"
kelvara="$build/src/kelvara"
if [ ! -e "$site/KVR.db" ]; then
    "$kelvara" --create-site "$site" --sides both --demo "$scenario"
fi

# Waits until a simulator's link exists; else shows its log and stops.
wait_for_link() {
    local link="$1" log="$2" what="$3"
    for _ in $(seq 50); do
        [ -e "$link" ] && return 0
        sleep 0.1
    done
    echo "The $what did not start:"
    cat "$log"
    exit 1
}

# The simulated bus adapter, at a fixed path inside the site; its control socket lets you change a
# sensor while the demo runs (see tools/sim/README.md).
adapter="$site/adapter"
rm -f "$adapter" "$site/sim.sock"
"$build/tools/sim/kelvara-sim" --scenario "$scenario" --baud 115200 --link "$adapter" \
    --control "$site/sim.sock" </dev/null >"$site/sim.log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
wait_for_link "$adapter" "$site/sim.log" "bus simulator"

# The simulated GSM modem the demo's recipient is told through; the messages it takes go to modem.log.
modem="$site/modem"
rm -f "$modem"
"$build/tools/sim/kelvara-sim" --modem "$KELVARA_ROOT/data/demo/modem.json" --link "$modem" \
    </dev/null >"$site/modem.log" 2>&1 &
modem_pid=$!
trap 'kill "$sim_pid" "$modem_pid" 2>/dev/null || true' EXIT
wait_for_link "$modem" "$site/modem.log" "modem simulator"

# The demo keeps its serial port settings inside the site, away from the user's own.
export XDG_CONFIG_HOME="$site/.config"
mkdir -p "$XDG_CONFIG_HOME/Kelvara"
printf '[Properties]\nSettings=115200,n,8,1\nPortName=%s\n' "$adapter" >"$XDG_CONFIG_HOME/Kelvara/Kelvara.ini"

mode=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running without windows (Ctrl+C stops)."
    mode=(--headless)
fi
"$kelvara" --site "$site" "${mode[@]}" "$@"
