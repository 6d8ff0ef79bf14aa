#!/usr/bin/env bash
# Builds the download from a clean build: <out>/pintaflux-<version>-win32.zip
# with pintaflux.exe, README.txt, LICENSE.txt and BUILD-INFO.txt, and prints
# the SHA-256 of the exe and of the archive (also written beside the archive).
#   dist.sh [work folder, emptied first] [out folder] [build jobs]
#   dist.sh commit | commit-time   what the build notes take from git, for a
#                                  copy of the sources without history
#   dist.sh version                the version, as the download's name has it
#   dist.sh compare FOLDER FOLDER  fails unless two downloads are the same
# One commit gives the same bytes in any folder, at any time, under any
# umask and time zone, with the same packages: the exe carries no time or
# path (see CMakeLists.txt), and the archive's entries have a fixed order,
# permissions and time, the last commit's. Where the sources are no git
# checkout (a build root's copy), SOURCE_DATE_EPOCH and PINTAFLUX_COMMIT
# name the commit's time and hash; when set, they win. `make dist` runs this
# inside a Debian 12 root (in-root.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

# The commit of these sources: its hash, marked when the tree holds changes
# not committed; "unknown" outside a git checkout.
source_commit() {
  local hash
  if ! hash="$(git -C "$root" rev-parse --verify -q HEAD 2>/dev/null)"; then
    echo unknown
  elif [ -n "$(git -C "$root" status --porcelain 2>/dev/null)" ]; then
    echo "$hash, with changes not committed"
  else
    echo "$hash"
  fi
}

# The commit's time in seconds since 1970, or nothing outside a git checkout.
source_commit_time() {
  git -C "$root" log -1 --format=%ct 2>/dev/null || true
}

# The version is the one of the version resource: FILEVERSION 1,0,0,6 is 1.0.0.6.
source_version() {
  local version
  version="$(sed -n 's/^[[:space:]]*FILEVERSION[[:space:]]*//p' "$root/res/pintaflux.rc" \
             | tr -d ' \r' | tr ',' '.')"
  if ! [[ "$version" =~ ^[0-9]+(\.[0-9]+){3}$ ]]; then
    echo "dist: no FILEVERSION a,b,c,d in res/pintaflux.rc" >&2
    return 1
  fi
  echo "$version"
}

case "${1:-}" in
  commit) source_commit; exit 0 ;;
  version) source_version; exit ;;
  commit-time) source_commit_time; exit 0 ;;
  compare)
    # The sums name the exe and the archive; the build notes say why they differ.
    sums="$(cd "$2" && ls -- *.sha256)"
    cmp -s "$2/$sums" "$3/$sums" && { echo "the same exe and download from both:"; cat "$2/$sums"; exit 0; }
    echo "the downloads differ: $2's, then $3's:"
    cat "$2/$sums" "$3/$sums"
    diff <(unzip -p "$2/${sums%.sha256}.zip" BUILD-INFO.txt) <(unzip -p "$3/${sums%.sha256}.zip" BUILD-INFO.txt)
    exit 1 ;;
esac
work="${1:-$root/build/dist}" out="${2:-$root/dist}" jobs="${3:-$(nproc)}"

version="$(source_version)"
name="pintaflux-$version-win32"

# What the bytes come from, for whoever wants them again: the commit, the
# system that built them and the packages that shape them. Nothing of this
# machine, folder or moment.
build_info() {
  local system="unknown" debian="unknown" package version_found
  [ -r /etc/os-release ] && system="$(. /etc/os-release && echo "${PRETTY_NAME:-unknown}")"
  [ -r /etc/debian_version ] && debian="$(cat /etc/debian_version)"
  echo "Pintaflux $version for 32-bit Windows"
  echo
  echo "Commit:    $commit"
  echo "Built on:  $system, /etc/debian_version $debian"
  echo "Packages:"
  for package in g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev cmake zip; do
    version_found="$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null || true)"
    printf '  %-26s %s\n' "$package" "${version_found:-unknown}"
  done
  echo
  echo "\`make dist\` in the source of this commit builds it again in a Debian 12"
  echo "root; with these packages it gives the same bytes (README.txt says more)."
}

commit="${PINTAFLUX_COMMIT:-$(source_commit)}"
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(source_commit_time)}"
if ! [[ "${SOURCE_DATE_EPOCH:-}" =~ ^[0-9]+$ ]]; then
  # Not a git checkout: 1980-01-01, the earliest time a zip entry can carry.
  SOURCE_DATE_EPOCH=315532800
fi
export SOURCE_DATE_EPOCH

rm -rf "$work"
mkdir -p "$work/stage" "$out"
work="$(cd "$work" && pwd)"
out="$(cd "$out" && pwd)"

# Called from make: keep its directory messages out of the output.
unset MAKEFLAGS MAKELEVEL MFLAGS
cmake -S "$root" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/build" --target pintaflux -j"$jobs" >/dev/null

stage="$work/stage"
cp "$work/build/bin/pintaflux.exe" "$stage/pintaflux.exe"
awk -v keep="Download and run|Using it|On Windows 10 and 11|Settings|Licence" -f "$root/scripts/readme-text.awk" \
    "$root/README.md" >"$stage/README.txt"
sed 's/\r*$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
build_info | sed 's/$/\r/' >"$stage/BUILD-INFO.txt"

# Entries in this order, read-write for all who may, at the commit's time;
# -X leaves out the owner and the extra time fields. Zip keeps local times:
# in UTC they are the same everywhere.
entries=(pintaflux.exe README.txt LICENSE.txt BUILD-INFO.txt)
(
  cd "$stage"
  chmod 0644 "${entries[@]}"
  TZ=UTC0 touch -d "@$SOURCE_DATE_EPOCH" "${entries[@]}"
  rm -f "../$name.zip"
  TZ=UTC0 env -u ZIPOPT -u ZIP zip -q -X -9 "../$name.zip" "${entries[@]}"
)
rm -f "$out/$name.zip" "$out/$name.sha256"
mv "$work/$name.zip" "$out/$name.zip"

sums="$(cd "$stage" && sha256sum pintaflux.exe; cd "$out" && sha256sum "$name.zip")"
printf '%s\n' "$sums" >"$out/$name.sha256"
echo "$out/$name.zip"
echo "SHA-256:"
printf '%s\n' "$sums"
