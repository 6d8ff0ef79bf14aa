#!/usr/bin/env bash
# Runs every test inside a Debian root of the given release, under the
# root's own Wine; the root is made once with mmdebstrap and kept in the
# build folder.
#   in-root.sh trixie test      every test, as `make test` runs them
#   in-root.sh RELEASE shell    a shell in the root, for looking around
# The sources are brought into the root's /src; its build folder stays in
# the root (/var/build), so that the next run builds only what changed.
set -euo pipefail
release="$1" what="$2"
sources="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$sources/build}"
mkdir -p "$build"
roots="${PINTAFLUX_ROOTS:-$(cd "$build" && pwd)/roots}"
source "$sources/scripts/debian-root.sh"

prepare_root "$release" || exit 1

case "$what" in
  test)
    echo "== every test, in the Debian $release root"
    run_in_root "$release" offline "cd /src && make --no-print-directory test BUILD=/var/build/test"
    ;;
  shell)
    run_in_root "$release" online "cd /src && exec bash -i"
    ;;
  *)
    echo "usage: in-root.sh RELEASE test|shell" >&2
    exit 2
    ;;
esac
