#!/usr/bin/env bash
# Builds Kelvara and runs it on a demo site (created on first use): in a window when there is a display,
# without one otherwise. Stop it with Ctrl+C (or by closing the window).
set -euo pipefail
source "$(dirname "$0")/lib.sh"

kelvara_ensure_packages "${KELVARA_BUILD_PACKAGES[@]}"

build="$KELVARA_ROOT/build/release"
kelvara_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARA_BUILD_TESTS=OFF -DKELVARA_WERROR=OFF

site="${KELVARA_DEMO_SITE:-$KELVARA_ROOT/demo-site}"
kelvara="$build/src/kelvara"
if [ ! -e "$site/KVR.db" ]; then
    "$kelvara" --create-site "$site" --sides both
fi
# The demo keeps its serial port settings inside the site, away from the user's own.
export XDG_CONFIG_HOME="$site/.config"

mode=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running without windows."
    mode=(--headless)
fi
exec "$kelvara" --site "$site" "${mode[@]}" "$@"
