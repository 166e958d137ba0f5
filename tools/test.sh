#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds ampelwick and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
stage_start=$SECONDS

tools/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

# Stages after the normal build; for local runs each can be skipped with
# AMPELWICK_SKIP_ASAN=1 or AMPELWICK_SKIP_FUZZ=1.
stage() {
  echo "== $1 took $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}
stage "normal build and tests"

# The whole project once more with AddressSanitizer, UndefinedBehavior-
# Sanitizer and LeakSanitizer (on with ASan on Linux); every unit and GUI
# test runs in that build.
if [ "${AMPELWICK_SKIP_ASAN:-0}" != 1 ]; then
  asan=${ASAN_BUILD_DIR:-build-asan}
  cmake -S . -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAMPELWICK_SANITIZE=ON
  cmake --build "$asan" -j"$(nproc)"
  ctest --test-dir "$asan" --output-on-failure -j"$(nproc)"
  stage "sanitizer build and tests"
fi

# Every fuzz target for a bounded time (clang, libFuzzer, ASan + UBSan).
if [ "${AMPELWICK_SKIP_FUZZ:-0}" != 1 ]; then
  tools/fuzz.sh "${AMPELWICK_FUZZ_SECONDS:-45}"
  stage "fuzzing"
fi
