#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds ampelwick and runs it.
#
# On a desktop with a battery this simply starts the program.  On a machine
# without a battery or without a display it runs the demo instead: a virtual
# desktop with a system tray and a simulated laptop that runs down, leaving
# screenshots in build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target ampelwick ampelwick-sim translations

has_battery() {
  if [ "$(uname -s)" = FreeBSD ]; then
    [ "$(sysctl -n hw.acpi.battery.units 2>/dev/null || echo 0)" -gt 0 ]
    return
  fi
  local supply
  for supply in /sys/class/power_supply/*; do
    [ "$(cat "$supply/type" 2>/dev/null)" = Battery ] || continue
    [ "$(cat "$supply/scope" 2>/dev/null)" = Device ] && continue
    return 0
  done
  return 1
}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && has_battery; then
  exec "$build/app/ampelwick"
fi
echo "No battery or no display here: running the demo in a virtual desktop."
exec /usr/bin/python3 tools/demo.py "$build" "$build/demo"
