#!/usr/bin/env bash
# Runs a command with an X display (a private Xvfb unless DISPLAY is already set) and a
# persistent Wine server, so that many Windows programs in a row start quickly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    break
  done
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
fi
wineserver -p >/dev/null 2>&1 || true
# Start Wine's background services now, away from the caller's output: started later by the
# first test, they would inherit ctest's pipe and keep it open until the server ends.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
"$@"
