# Sourced by the build and dist scripts: configures a CMake build tree for
# one of the cross toolchains in cmake/, and names the commit being built.

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

# The commit of these sources, as the download's build notes name it: its
# hash, marked when the tree holds changes not committed; "unknown" outside a
# git checkout.
source_commit() {
  local hash
  if ! hash="$(git -C "$build_tree_sources" rev-parse --verify -q HEAD 2>/dev/null)"; then
    echo unknown
  elif [ -n "$(git -C "$build_tree_sources" status --porcelain 2>/dev/null)" ]; then
    echo "$hash, with changes not committed"
  else
    echo "$hash"
  fi
}

# The commit's time in seconds since 1970, or nothing outside a git checkout.
source_commit_time() {
  git -C "$build_tree_sources" log -1 --format=%ct 2>/dev/null || true
}
