#!/usr/bin/env bash
# Fails unless a build tree that holds a CMakeCache.txt but no build files
# builds again at the next build: after a configure that failed (here, the
# cross compiler missing from PATH) and after a Makefile removed by hand.
set -uo pipefail
root="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
source "$root/scripts/build-tree.sh"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/pintaflux-configure.XXXXXX")" || exit 1
trap 'rm -rf "$scratch"' EXIT
# Run from make: keep its job server out of the builds here.
unset MAKEFLAGS MAKELEVEL MFLAGS

# A PATH with CMake and make but no cross compiler.
mkdir "$scratch/bin"
ln -s "$(command -v cmake)" "$(command -v make)" "$scratch/bin/"

tree="$scratch/build"
configure() { configure_tree "$tree" mingw-i686.cmake -DBUILD_TESTING=OFF; }
configure_without_compiler() { PATH="$scratch/bin" configure 2>/dev/null && return 1 || return 0; }
configure_and_lose_makefile() { configure && rm "$tree/Makefile"; }

status=0
for breakage in configure_without_compiler configure_and_lose_makefile; do
  rm -rf "$tree"
  "$breakage" || { echo "$breakage: could not set the case up"; status=1; continue; }
  if ! configure || ! cmake --build "$tree" --target help >/dev/null; then
    echo "$breakage: the next build did not configure the tree again"
    status=1
  fi
done
exit $status
