#!/usr/bin/env bash
# Fails unless the generator in tools/make_assets/, built with the build
# machine's own C++ compiler, regenerates every committed file under res/
# byte for byte, res/ holds no asset that the generator no longer makes, and
# the resource script compiles in only files that it makes.
#   check-assets.sh <repository root> <scratch folder> [host C++ compiler]
set -euo pipefail
root="$1" scratch="$2" cxx="${3:-}"
if [ -z "$cxx" ] || [[ "$cxx" == *-NOTFOUND ]]; then
  cxx="$(command -v c++ || command -v g++ || true)"
fi
[ -n "$cxx" ] || { echo "no host C++ compiler (c++ or g++) found"; exit 1; }

res="$root/res" out="$scratch/out"
rm -rf "$out"
mkdir -p "$scratch"
"$cxx" -std=c++17 -Wall -Wextra -O2 "$root"/tools/make_assets/*.cpp -o "$scratch/make_assets"
"$scratch/make_assets" "$out"

# Every asset path relative to its folder; the resource script and its header
# are ours by hand.
list_assets() { (cd "$1" && find . -type f ! -name '*.rc' ! -name '*.h' | sed 's|^\./||' | LC_ALL=C sort); }
generated="$(list_assets "$out")"
status=0
if ! diff <(echo "$generated") <(list_assets "$res") >"$scratch/listing.diff"; then
  echo "res/ and what the generator makes hold other files (< made only, > in res/ only):"
  grep '^[<>]' "$scratch/listing.diff"
  status=1
fi
while read -r rel; do
  if [ ! -f "$res/$rel" ]; then
    continue
  elif cmp -s "$out/$rel" "$res/$rel"; then
    echo "same: res/$rel"
  else
    echo "differs: res/$rel ($(cmp "$out/$rel" "$res/$rel" 2>&1 | head -n 1))"
    status=1
  fi
done <<<"$generated"

# Every file that the resource script compiles in must be one the generator makes.
while read -r rel; do
  [ -f "$out/$rel" ] || { echo "res/pintaflux.rc names $rel, which the generator does not make"; status=1; }
done < <(grep -v '^[[:space:]]*//' "$res/pintaflux.rc" | grep -o '"[^"]*\.\(wav\|bmp\|ico\|manifest\)"' | tr -d '"')

[ "$status" -eq 0 ] && echo "all $(wc -l <<<"$generated") generated assets match res/"
exit "$status"
