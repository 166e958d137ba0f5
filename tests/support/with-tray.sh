#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-2-Clause
# Runs a command on a virtual X server (Xvfb) with a real XEmbed system tray
# (trayer), then tears both down.  The command's exit status is kept; it
# finds WITH_TRAY=1 in its environment when a tray was started (the tray
# may still be taking its selection), 0 otherwise.
#   with-tray.sh [--no-tray] command [args...]
set -u

tray=1
if [ "${1:-}" = "--no-tray" ]; then
  tray=0
  shift
fi

tmp=$(mktemp -d)
cleanup() {
  [ -n "${tray_pid:-}" ] && kill "$tray_pid" 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display and tells it on the descriptor.
exec 9>"$tmp/display"
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 9>&-
# Bounds that only a broken machine reaches, never a measure of speed.
for _ in $(seq 600); do
  [ -s "$tmp/display" ] && break
  sleep 0.05
done
if [ ! -s "$tmp/display" ]; then
  echo "with-tray: Xvfb did not start" >&2
  cat "$tmp/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$tmp/display")"

if [ "$tray" = 1 ]; then
  trayer --edge bottom --align right --widthtype pixel --width 200 \
    --heighttype pixel --height 32 --SetDockType true --transparent false \
    --tint 0x303030 >"$tmp/trayer.log" 2>&1 &
  tray_pid=$!
  # trayer takes the tray selection right after mapping its window.
  for _ in $(seq 600); do
    xdotool search --class trayer >/dev/null 2>&1 && break
    sleep 0.05
  done
  sleep 0.2
fi

export WITH_TRAY=$tray
"$@" &
pid=$!
# A command that hangs leaves its threads' stacks in the log before the
# test's own time limit ends it.
(
  sleep "${WITH_TRAY_STACKS_AFTER:-100}" >/dev/null 2>&1 &
  sleeper=$!
  trap 'kill "$sleeper"; exit 0' TERM
  wait "$sleeper"
  if kill -0 "$pid" 2>/dev/null && command -v gdb >/dev/null; then
    echo "with-tray: still running; the stacks of $pid:" >&2
    gdb -p "$pid" -batch -ex "thread apply all bt" >&2 2>&1
  fi
) &
watchdog=$!
wait "$pid"
status=$?
kill "$watchdog" 2>/dev/null
exit "$status"
