#!/usr/bin/env bash
# Fails unless `make dist` on this host and `make dist` on a Debian 13 host
# give the same exe and the same download. The Debian 13 host is the root of
# `make test-debian13` (in-root.sh): make dist runs there online, as on a
# user's machine, and makes a Debian 12 root of its own inside it with that
# system's mmdebstrap and apt, so that the whole of a user's path is tried,
# not only the build in a root both would share.
set -euo pipefail
sources="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$sources/build}"
mkdir -p "$build"
build="$(cd "$build" && pwd)"
roots="${PINTAFLUX_ROOTS:-$build/roots}"
source "$sources/scripts/debian-root.sh"

# One commit for both: the Debian 13 root's copy has no history.
PINTAFLUX_COMMIT="${PINTAFLUX_COMMIT:-$(bash "$sources/scripts/dist.sh" commit)}"
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(bash "$sources/scripts/dist.sh" commit-time)}"
export PINTAFLUX_COMMIT SOURCE_DATE_EPOCH
here="$build/check-dist/this-host"
there="$build/check-dist/debian13"
rm -rf "$here" "$there"
mkdir -p "$there"

echo "== make dist on this host"
make -C "$sources" --no-print-directory dist BUILD="$build" DIST="$here"

echo "== make dist on a Debian 13 host (the root of make test-debian13)"
ensure_root trixie
dir="$(root_folder trixie)"
copy_sources_into_root "$dir"
as_root rm -rf "$dir/src/dist"
if ! run_in_root trixie online "cd /src && make --no-print-directory dist BUILD=/var/build/dist"; then
  echo "check-dist: make dist failed in the Debian 13 root; its words are above" >&2
  exit 1
fi
as_root tar -C "$dir/src/dist" -cf - . | tar -C "$there" -xf - --no-same-owner

# The sums name the exe and the archive; the build notes say why they differ.
sums="$(cd "$here" && ls -- *.sha256)"
if cmp -s "$here/$sums" "$there/$sums"; then
  echo "check-dist: the same exe and download from both hosts:"
  cat "$here/$sums"
  exit 0
fi
echo "check-dist: the downloads differ; this host's, then the Debian 13 host's:"
cat "$here/$sums" "$there/$sums" 2>&1
diff <(unzip -p "$here/${sums%.sha256}.zip" BUILD-INFO.txt) \
     <(unzip -p "$there/${sums%.sha256}.zip" BUILD-INFO.txt) || true
exit 1
