#!/usr/bin/env bash
# Fails unless a build folder that holds a CMakeCache.txt but no build files
# builds again at the next `make build`: after a configure that failed (the
# cross compiler missing from PATH) and after its Makefile was removed.
set -uo pipefail
root="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/pintaflux-configure.XXXXXX")" || exit 1
trap 'rm -rf "$scratch"' EXIT
# Run from make: keep its job server out of the builds here.
unset MAKEFLAGS MAKELEVEL MFLAGS
tree="$scratch/build"

# A PATH with CMake and make but no cross compiler.
mkdir "$scratch/bin"
ln -s "$(command -v cmake)" "$(command -v make)" "$scratch/bin/"
if PATH="$scratch/bin" cmake -S "$root" -B "$tree" \
     -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null 2>&1; then
  echo "the configure without a compiler did not fail"
  exit 1
fi
status=0
bash "$root/scripts/build.sh" "$tree" help >/dev/null \
  || { echo "after a failed configure the next build did not configure again"; status=1; }
rm -f "$tree/Makefile"
bash "$root/scripts/build.sh" "$tree" help >/dev/null \
  || { echo "without a Makefile the next build did not configure again"; status=1; }
exit $status
