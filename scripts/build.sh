#!/usr/bin/env bash
# Configures (once) and builds pintaflux.exe and its tests with the cross toolchain.
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
# Called from make: keep its directory messages out of the output.
unset MAKEFLAGS MAKELEVEL MFLAGS
cmake --build "$build" -j"$(nproc)"
