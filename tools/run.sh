#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Installs what ampelwick needs (pkg on FreeBSD, apt-get on Debian), builds
# it, installs it into the build directory and runs it from there.
#
# On a desktop with a battery this simply starts the program.  On a machine
# without a battery or without a display it runs the demo instead (on
# Linux, where the simulated laptop and the demo's tools exist): a virtual
# desktop with a system tray and a simulated laptop that runs down, leaving
# screenshots in build/demo/.
set -eu
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build}
case $build in /*) ;; *) build=$PWD/$build ;; esac
jobs=$(getconf _NPROCESSORS_ONLN)

has_battery() {
	if [ "$(uname -s)" = FreeBSD ]; then
		[ "$(sysctl -n hw.acpi.battery.units 2>/dev/null || echo 0)" -gt 0 ]
		return
	fi
	for supply in /sys/class/power_supply/*; do
		[ "$(cat "$supply/type" 2>/dev/null)" = Battery ] || continue
		[ "$(cat "$supply/scope" 2>/dev/null)" = Device ] && continue
		return 0
	done
	return 1
}

tools/deps.sh build lib run
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target ampelwick translations

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && has_battery; then
	# Installed where it was built, so that it finds its translations.
	cmake --install "$build" --prefix "$build/local" >/dev/null
	exec "$build/local/bin/ampelwick"
fi

# The demo's laptop is ampelwick-sim, which FreeBSD builds do not have.
if [ "$(uname -s)" = FreeBSD ]; then
	echo "No battery or no display here; the demo runs on Linux only." >&2
	exit 1
fi
echo "No battery or no display here: running the demo in a virtual desktop."
tools/deps.sh demo
cmake --build "$build" -j"$jobs" --target ampelwick-sim
exec /usr/bin/python3 tools/demo.py "$build" "$build/demo"
