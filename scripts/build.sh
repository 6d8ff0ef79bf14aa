#!/usr/bin/env bash
# Configures and builds pintaflux.exe and its tests with the cross toolchain.
# `cmake -S . -B` runs every time: quick on a tree configured already, and a
# tree that a failed configure left behind is configured again. Where the
# Windows tests run a 64-bit build (see windows_64bit_reason), it also builds
# the same sources for 64-bit Windows into "$build/x64".
#   build.sh [BUILD] [TARGET]   TARGET alone, and no 64-bit build
set -euo pipefail
build="${1:-build}" target="${2:-all}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"

build_tree() {
  cmake -S "$root" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$1" --target "$target" -j"$(nproc)"
}

# Called from make: keep its directory messages out of the output.
unset MAKEFLAGS MAKELEVEL MFLAGS
build_tree "$build" mingw-i686.cmake
choose_windows_build "$build"
if [ "$target" = all ] && [ "$windows_build" != "$build" ]; then
  echo "build: building the tests for 64-bit Windows too: $windows_64bit_why"
  build_tree "$windows_build" mingw-x86_64.cmake
fi
