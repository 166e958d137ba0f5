#!/bin/sh
# Installs everything the tests need (pkg on FreeBSD, apt-get on Debian),
# builds ampelwick and runs every test.
set -eu
cd "$(dirname "$0")/.."
jobs=$(getconf _NPROCESSORS_ONLN)
stage_start=$(date +%s)

# Stages after the normal build; for local runs each can be skipped with
# AMPELWICK_SKIP_ASAN=1 or AMPELWICK_SKIP_FUZZ=1.
stage() {
	now=$(date +%s)
	echo "== $1 took $((now - stage_start)) s"
	stage_start=$now
}

tools/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure -j"$jobs"
stage "normal build and tests"

# The whole project once more with AddressSanitizer, UndefinedBehavior-
# Sanitizer and LeakSanitizer (on with ASan on Linux); every unit and GUI
# test runs in that build.
if [ "${AMPELWICK_SKIP_ASAN:-0}" != 1 ]; then
	asan=${ASAN_BUILD_DIR:-build-asan}
	cmake -S . -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
	    -DAMPELWICK_SANITIZE=ON
	cmake --build "$asan" -j"$jobs"
	ctest --test-dir "$asan" --output-on-failure -j"$jobs"
	stage "sanitizer build and tests"
fi

# Every fuzz target for a bounded time (clang, libFuzzer, ASan + UBSan).
if [ "${AMPELWICK_SKIP_FUZZ:-0}" != 1 ]; then
	tools/fuzz.sh "${AMPELWICK_FUZZ_SECONDS:-45}"
	stage "fuzzing"
fi
