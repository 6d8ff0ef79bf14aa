#!/usr/bin/env bash
# Configures (once) and builds pintaflux.exe and its tests with the cross
# toolchain. On a machine that cannot run 32-bit programs it also builds the
# same sources for 64-bit Windows into "$build/x64", for the tests to run.
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
  echo "build: this machine cannot run 32-bit programs; building the tests for 64-bit Windows too"
  build_tree "$windows_build" mingw-x86_64.cmake
fi
