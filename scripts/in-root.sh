#!/usr/bin/env bash
# Runs the tests or builds the download inside a Debian root of the given
# release, made once with mmdebstrap and kept in the build folder:
#   in-root.sh trixie test      every test, under the root's own Wine
#   in-root.sh bookworm dist    the download, into dist/ of this checkout
#   in-root.sh RELEASE shell    a shell in the root, for looking around
# The sources are copied into the root's /src; its build folders stay in the
# root (/var/build), so that the next run builds only what changed.
set -euo pipefail
release="$1" what="$2"
sources="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$sources/build}"
mkdir -p "$build"
roots="${PINTAFLUX_ROOTS:-$(cd "$build" && pwd)/roots}"
source "$sources/scripts/debian-root.sh"

# The commit and its time, from the history that the copy leaves behind.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git -C "$sources" log -1 --format=%ct 2>/dev/null || true)"
fi
if [ -z "${PINTAFLUX_COMMIT:-}" ]; then
  PINTAFLUX_COMMIT="$(git -C "$sources" rev-parse HEAD 2>/dev/null || echo unknown)"
  git -C "$sources" diff --quiet HEAD 2>/dev/null || PINTAFLUX_COMMIT="$PINTAFLUX_COMMIT with local changes"
fi
export SOURCE_DATE_EPOCH PINTAFLUX_COMMIT

ensure_root "$release"
dir="$(root_folder "$release")"
copy_sources_into_root "$dir"

# What the root needs for the job, installed with its own apt; quick when
# it is all there already.
case "$what" in
  dist) needs=build ;;
  *) needs="" ;;
esac
if ! run_in_root "$release" online "cd /src && bash scripts/bootstrap.sh $needs"; then
  echo "in-root: could not install what the Debian $release root needs (no network?);" \
       "fix that and run again" >&2
  exit 1
fi

case "$what" in
  test)
    echo "== every test, in the Debian $release root"
    run_in_root "$release" offline "cd /src && make --no-print-directory test BUILD=/var/build/test"
    ;;
  dist)
    out="$sources/dist"
    run_in_root "$release" offline \
      "rm -rf /var/build/out && bash /src/scripts/dist.sh /var/build/dist /var/build/out" \
      | sed "s|/var/build/out|$out|"
    mkdir -p "$out"
    as_root cp "$dir/var/build/out/"* "$out/"
    [ "$(id -u)" -eq 0 ] || as_root chown "$(id -u):$(id -g)" "$out"/*
    ;;
  shell)
    run_in_root "$release" online "cd /src && exec bash -i"
    ;;
  *)
    echo "usage: in-root.sh RELEASE test|dist|shell" >&2
    exit 2
    ;;
esac
