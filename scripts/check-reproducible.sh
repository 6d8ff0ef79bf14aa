#!/usr/bin/env bash
# Fails unless two clean builds of these sources, copied into two folders of
# different names, built side by side at different moments under different
# umasks and time zones, give the same pintaflux.exe and the same download,
# and the download holds what it should.
set -uo pipefail
root="$(cd "${1:-$(dirname "$0")/..}" && pwd)"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/pintaflux-reproducible.XXXXXX")" || exit 1
trap 'rm -rf "$scratch"' EXIT

# The same commit and time for both: the copies have no history.
SOURCE_DATE_EPOCH="$(bash "$root/scripts/dist.sh" commit-time)"
PINTAFLUX_COMMIT="$(bash "$root/scripts/dist.sh" commit)"
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-315532800}" PINTAFLUX_COMMIT

# The sources without history, downloads or build folders (which hold a
# CMakeCache.txt, and the Wine prefix).
copy_sources() {
  mkdir -p "$1"
  tar -C "$root" --exclude-vcs --exclude-tag-all=CMakeCache.txt --exclude=./dist -cf - . \
    | tar -C "$1" -xf -
}

# Run from make: keep its job server out of the builds here.
unset MAKEFLAGS MAKELEVEL MFLAGS

# One core each: the two builds run at the same time.
a="$scratch/a/src"
b="$scratch/second-checkout/of/pintaflux"
copy_sources "$a"
(umask 022; TZ=UTC0 bash "$a/scripts/dist.sh" "$a/build-dist" "$a/dist" 1 >"$scratch/a.log" 2>&1) &
first=$!
copy_sources "$b"
(umask 077; TZ=XYZ-14 bash "$b/scripts/dist.sh" "$b/out/work" "$b/out/dist" 1 \
   >"$scratch/b.log" 2>&1) &
second=$!
status=0
wait "$first" || { echo "first build failed:"; cat "$scratch/a.log"; status=1; }
wait "$second" || { echo "second build failed:"; cat "$scratch/b.log"; status=1; }
[ "$status" -eq 0 ] || exit 1

exe_a="$a/build-dist/stage/pintaflux.exe"
exe_b="$b/out/work/stage/pintaflux.exe"
zip_a="$(ls "$a"/dist/pintaflux-*-win32.zip)"
zip_b="$(ls "$b"/out/dist/pintaflux-*-win32.zip)"
cat "$scratch/a.log"
cmp "$exe_a" "$exe_b" || { echo "pintaflux.exe differs between the builds"; status=1; }

# Side by side, both may link in the same second: link the second once more
# in a later second than the first.
linked_a="$(stat -c %Y "$a/build-dist/build/bin/pintaflux.exe")"
relinked="$b/out/work/build/bin/pintaflux.exe"
rm -f "$relinked"
for _ in $(seq 1 50); do
  [ "$(date +%s)" -gt "$linked_a" ] && break
  sleep 0.1
done
cmake --build "$b/out/work/build" --target pintaflux >/dev/null || status=1
echo "linked at $(date -u -d "@$linked_a" +%T) and again at $(date -u -r "$relinked" +%T)"
cmp "$exe_a" "$relinked" || { echo "pintaflux.exe differs when linked later"; status=1; }
cmp "$zip_a" "$zip_b" || { echo "the archive differs between the builds"; status=1; }

listing="$(unzip -Z1 "$zip_a" | tr '\n' ' ')"
if [ "$listing" != "pintaflux.exe README.txt LICENSE.txt BUILD-INFO.txt " ]; then
  echo "unexpected archive listing: $listing"
  status=1
fi
unzip -p "$zip_a" pintaflux.exe | cmp - "$exe_a" || { echo "archived exe is not the built one"; status=1; }
for text in README.txt LICENSE.txt BUILD-INFO.txt; do
  if unzip -p "$zip_a" "$text" | grep -q -v $'\r$'; then
    echo "$text has lines without a Windows line ending"
    status=1
  fi
done
unzip -p "$zip_a" README.txt | grep -q "^  Escape  *end Pintaflux" \
  || { echo "README.txt lacks the keys table"; status=1; }
unzip -p "$zip_a" BUILD-INFO.txt | grep -qF "Commit:    $PINTAFLUX_COMMIT"$'\r' \
  || { echo "BUILD-INFO.txt does not name the commit ($PINTAFLUX_COMMIT)"; status=1; }
unzip -p "$zip_a" BUILD-INFO.txt | grep -q "^  g++-mingw-w64-i686-posix  *[0-9]" \
  || { echo "BUILD-INFO.txt lacks the compiler's version"; status=1; }
exit $status
