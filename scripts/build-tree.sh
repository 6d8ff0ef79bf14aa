# Sourced by the build and dist scripts: configures a CMake build tree for
# one of the cross toolchains in cmake/.

build_tree_sources="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# configure_tree TREE TOOLCHAIN [CMAKE ARGUMENTS...]: configures TREE for a
# release build, unless it has its build files already. A cache alone is not
# enough: a configure that failed leaves one and no Makefile.
configure_tree() {
  local tree="$1" toolchain="$2"
  shift 2
  [ -f "$tree/CMakeCache.txt" ] && [ -f "$tree/Makefile" ] && return 0
  cmake -S "$build_tree_sources" -B "$tree" \
        -DCMAKE_TOOLCHAIN_FILE="$build_tree_sources/cmake/$toolchain" \
        -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
