#!/usr/bin/env bash
# Builds the start-up benchmark (Release: stripped, unused sections dropped) and runs it under
# Wine. Usage: bench/startup/run.sh [BUILD_DIR] [harness options...]
#   BUILD_DIR defaults to <checkout>/build/bench; harness options are passed on, e.g. -n 30.
# The benchmark uses a Wine prefix of its own inside BUILD_DIR, so that its Wine server, which is
# stopped at the end, is nobody else's.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/bench
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then build=$1; shift; fi
mkdir -p "$build"
build=$(cd "$build" && pwd)

cmake -S "$root" -B "$build" --toolchain "$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target STARTUP_BENCH
# The program under test is other people's code: build it when it builds, else run the floors.
if ! cmake --build "$build" -j2 --target TAVROLEX >"$build/tavrolex-build.log" 2>&1; then
  echo "TAVROLEX did not build (see $build/tavrolex-build.log); measuring what is there"
fi

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
bench=$build/bench
exec "$root/scripts/with-display.sh" "$root/cmake/wine-run" "$bench/STARTUP_BENCH.EXE" \
  -a "Z:$bench/FLOOR_MINIMAL.EXE" -b "Z:$bench/FLOOR_DIRECT.EXE" "$@" "Z:$build/app/TAVROLEX.EXE"
