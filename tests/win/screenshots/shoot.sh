#!/usr/bin/env bash
# Screenshots of the main window, one per tab, inside a Wine desktop on a private Xvfb.
# usage: shoot.sh <build dir> <output dir>
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
root=$(cd "$(dirname "$0")/../../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

run=$(mktemp -d)
cp "$build/app/TAVROLEX.EXE" "$run/TAVROLEX.EXE"
cp "$build/app/TAVROLEX.EXE" "$run/WM8EUTIL.EXE"   # any file will do for the presence test
driver="$build/tests/win/screenshot_driver.exe"

for n in $(seq 150 199); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
done
Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
cleanup() { wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; rm -rf "$run"; }
trap cleanup EXIT
sleep 1
(cd "$run" && wine explorer /desktop=shot,800x600 "$run/TAVROLEX.EXE" >/dev/null 2>&1 &)
sleep 6
import -window root "$out/tab0-general.png"
for tab in 1 2; do
  # The desktop's explorer sometimes outlives the driver it started; the driver is done by then.
  timeout 20 wine explorer /desktop=shot,800x600 "$driver" next-tab >/dev/null 2>&1 || true
  sleep 2
  import -window root "$out/tab$tab.png"
done
timeout 20 wine explorer /desktop=shot,800x600 "$driver" quit >/dev/null 2>&1 || true
sleep 2
