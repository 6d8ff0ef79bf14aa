#!/usr/bin/env bash
# Configures (where the tree has no build files) and builds pintaflux.exe and
# its tests with the cross toolchain. Where the Windows tests run a 64-bit
# build (see windows_64bit_reason), it also builds the same sources for
# 64-bit Windows into "$build/x64".
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
source "$root/scripts/build-tree.sh"

build_tree() {
  configure_tree "$1" "$2"
  cmake --build "$1" -j"$(nproc)"
}

# Called from make: keep its directory messages out of the output.
unset MAKEFLAGS MAKELEVEL MFLAGS
build_tree "$build" mingw-i686.cmake
choose_windows_build "$build"
if [ "$windows_build" != "$build" ]; then
  echo "build: building the tests for 64-bit Windows too: $windows_64bit_why"
  build_tree "$windows_build" mingw-x86_64.cmake
fi
