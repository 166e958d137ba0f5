#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-2-Clause
# Runs every libFuzzer target for a bounded time with AddressSanitizer and
# UndefinedBehaviorSanitizer: "tools/fuzz.sh [seconds per target]" (45 by
# default).  Builds with clang in $FUZZ_BUILD_DIR (build-fuzz).  Each
# target starts from its checked-in seeds (fuzz/corpus/<target>) and the
# kept regressions, and grows a working corpus in the build directory; the
# seeds themselves are never changed.  A failing input is left in
# <build>/artifacts/<target>/ to be kept in fuzz/regressions/<target>/.
# Prints the executions of each target; exits non-zero if any failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-45}
build=${FUZZ_BUILD_DIR:-build-fuzz}
targets=(cfg_read cfg_split cfg_roundtrip devd)

mkdir -p "$build"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAMPELWICK_GUI=OFF -DAMPELWICK_SANITIZE=ON -DAMPELWICK_FUZZ=ON \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j"$(getconf _NPROCESSORS_ONLN)" --target "${targets[@]/#/fuzz_}" >/dev/null

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
passed=0
failed=0
summary=""
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  mkdir -p "$work" "$artifacts"
  log="$build/fuzz_$t.log"
  inputs=("$work" "fuzz/corpus/$t")
  [ -d "fuzz/regressions/$t" ] && inputs+=("fuzz/regressions/$t")
  echo "== fuzz_$t: $seconds s"
  if "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=8192 -print_final_stats=1 -artifact_prefix="$artifacts/" \
      "${inputs[@]}" >"$log" 2>&1; then
    result=ok
    passed=$((passed + 1))
  else
    result=FAILED
    failed=$((failed + 1))
    status=1
    tail -n 60 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)
  corpus=$(find "$work" -type f | wc -l)
  line=$(printf '%-14s %-6s %10s runs  %s  corpus %s' "$t" "$result" "${runs:-?}" "${cov:-cov: ?}" "$corpus")
  echo "$line"
  summary+="$line"$'\n'
done
echo "== fuzz summary ($seconds s per target)"
printf '%s' "$summary"
echo "fuzz: $passed passed, $failed failed"
exit $status
