#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds ampelwick and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
