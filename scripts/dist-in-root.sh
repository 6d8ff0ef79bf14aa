#!/usr/bin/env bash
# Builds the download with dist.sh inside a Debian 12 (bookworm) root, so
# that one commit gives the same bytes on any host: the root is made once
# with mmdebstrap and kept in the build folder, gets its compiler online and
# builds offline. The archive and its sums land in the out folder, the exe
# and the texts in the work folder's stage, owned by whoever ran this.
#   dist-in-root.sh [work folder] [out folder]
# The root's copy of the sources has no history: the commit and its time are
# taken here (or from PINTAFLUX_COMMIT and SOURCE_DATE_EPOCH, when set).
set -euo pipefail
release=bookworm
sources="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$sources/build}"
work="${1:-$build/dist}"
out="${2:-$sources/dist}"
mkdir -p "$build" "$work" "$out"
roots="${PINTAFLUX_ROOTS:-$(cd "$build" && pwd)/roots}"
source "$sources/scripts/debian-root.sh"

PINTAFLUX_COMMIT="${PINTAFLUX_COMMIT:-$(bash "$sources/scripts/dist.sh" commit)}"
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(bash "$sources/scripts/dist.sh" commit-time)}"
export PINTAFLUX_COMMIT SOURCE_DATE_EPOCH

# Only the cross compiler and the archiver.
prepare_root "$release" dist-build || exit 1
dir="$root_dir"

# The root's work folder, emptied by dist.sh; its output goes in there too.
if ! printed="$(run_in_root "$release" offline \
       "cd /src && bash scripts/dist.sh /var/build/dist /var/build/dist/out")"; then
  echo "dist: the build in the Debian $release root failed; its words are above" >&2
  exit 1
fi
name="$(basename "$(head -n 1 <<<"$printed")" .zip)"

# Copied out by a tar that runs as the caller, so that nothing here is left
# owned by root when the caller is not.
rm -rf "$work/stage"
as_root tar -C "$dir/var/build/dist" -cf - stage | tar -C "$work" -xf - --no-same-owner
as_root tar -C "$dir/var/build/dist/out" -cf - "$name.zip" "$name.sha256" \
  | tar -C "$out" -xf - --no-same-owner
out="$(cd "$out" && pwd)"
echo "$out/$name.zip (built in Debian $(cat "$dir/etc/debian_version"))"
echo "SHA-256:"
cat "$out/$name.sha256"
