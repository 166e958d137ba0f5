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

# Runs the command that follows until it succeeds, for at most $1 seconds of
# the clock (a bound that only a broken machine reaches, never a measure of
# speed: a loaded machine makes each try slower, not fewer).
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Xvfb picks a free display and tells it on the descriptor.  -noreset: a
# server that resets when its last client leaves refuses a client that
# connects meanwhile, as trayer did while the probe below had just left.
exec 9>"$tmp/display"
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 9>&-
if ! wait_until 30 test -s "$tmp/display"; then
  echo "with-tray: Xvfb did not start" >&2
  cat "$tmp/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$tmp/display")"

# trayer takes the tray selection right after mapping its window; one that
# does not come up is started again.
start_tray() {
  trayer --edge bottom --align right --widthtype pixel --width 200 \
    --heighttype pixel --height 32 --SetDockType true --transparent false \
    --tint 0x303030 >>"$tmp/trayer.log" 2>&1 &
  tray_pid=$!
  wait_until 10 xdotool search --class trayer && sleep 0.2
}
if [ "$tray" = 1 ]; then
  for _ in 1 2 3; do
    start_tray && break
    kill "$tray_pid" 2>/dev/null
    wait "$tray_pid" 2>/dev/null
    tray_pid=
  done
  if [ -z "$tray_pid" ]; then
    echo "with-tray: trayer did not start" >&2
    cat "$tmp/trayer.log" >&2
    exit 1
  fi
fi

export WITH_TRAY=$tray
# This desktop has no session bus (its tray is XEmbed).  An address of no
# known transport keeps Qt off the user's own bus and keeps libdbus from
# forking dbus-launch out of Qt's D-Bus thread to start one.
export DBUS_SESSION_BUS_ADDRESS=disabled:
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
