#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# Installs everything the tests need (pkg on FreeBSD, apt-get on Debian),
# builds ampelwick and runs every test.
#
#   tools/test.sh           the full run, stage by stage (what CI runs)
#   tools/test.sh --quick   the developer's loop: the Qt 6 build and its
#                           tests labelled unit and gui, nothing else
#
# Stages: Qt 6 with every test (unit, GUI, end to end); Qt 5 with the unit
# and GUI tests (no end-to-end suite; on Debian, whose list has both Qt);
# Qt 6 again with the sanitizers and every test; the fuzz targets.  Each stage after the first can be skipped
# for local runs with AMPELWICK_SKIP_QT5=1, AMPELWICK_SKIP_ASAN=1 or
# AMPELWICK_SKIP_FUZZ=1.  The time of each stage is printed as it ends and
# all of them at the end.
set -eu
cd "$(dirname "$0")/.."
jobs=$(getconf _NPROCESSORS_ONLN)
run_start=$(date +%s)
stage_start=$run_start
times=

stage() {
	now=$(date +%s)
	line="$1 took $((now - stage_start)) s"
	echo "== $line"
	times="$times$line
"
	stage_start=$now
}

# build_and_test DIR CTEST-ARGS CMAKE-ARGS...
build_and_test() {
	dir=$1
	tests=$2
	shift 2
	cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "$@"
	cmake --build "$dir" -j"$jobs"
	# shellcheck disable=SC2086
	ctest --test-dir "$dir" --output-on-failure -j"$jobs" $tests
}

quick=0
case "${1:-}" in
--quick)
	quick=1 ;;
"")
	;;
*)
	echo "usage: tools/test.sh [--quick]" >&2
	exit 2 ;;
esac

tools/deps.sh
stage "installing packages"

if [ $quick = 1 ]; then
	build_and_test "${BUILD_DIR:-build}" "-L ^(unit|gui)$" -DAMPELWICK_QT=6
	stage "Qt 6 build, unit and GUI tests"
	exit 0
fi

build_and_test "${BUILD_DIR:-build}" "" -DAMPELWICK_QT=6
stage "Qt 6 build and every test"

# FreeBSD's package list has Qt 6 only.
if [ "$(uname -s)" = FreeBSD ]; then
	AMPELWICK_SKIP_QT5=1
fi
if [ "${AMPELWICK_SKIP_QT5:-0}" != 1 ]; then
	build_and_test "${QT5_BUILD_DIR:-build-qt5}" "-LE e2e" -DAMPELWICK_QT=5
	stage "Qt 5 build, unit and GUI tests"
fi

# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer (on with
# ASan on Linux) over the Qt 6 build; every test runs in it.
if [ "${AMPELWICK_SKIP_ASAN:-0}" != 1 ]; then
	build_and_test "${ASAN_BUILD_DIR:-build-asan}" "" -DAMPELWICK_QT=6 \
	    -DAMPELWICK_SANITIZE=ON
	stage "Qt 6 sanitizer build and every test"
fi

# Every fuzz target for a bounded time (clang, libFuzzer, ASan + UBSan).
if [ "${AMPELWICK_SKIP_FUZZ:-0}" != 1 ]; then
	tools/fuzz.sh "${AMPELWICK_FUZZ_SECONDS:-45}"
	stage "fuzzing"
fi

stage_start=$run_start
stage "the whole run"
printf '== stage times\n%s' "$times"
