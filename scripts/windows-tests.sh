#!/usr/bin/env bash
# Makes the test pack for a Windows machine: a zip of the given programs (the
# test programs and what they start and load, pintaflux.exe among them) and
# run-tests.cmd, which runs them there (README.md, "Testing on Windows").
#   windows-tests.sh ZIP PROGRAM...   the zip's path absolute
set -euo pipefail
zip="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
stage="$zip.stage"

rm -rf "$stage" "$zip"
mkdir -p "$stage"
cp "${@:2}" "$stage/"
# cmd.exe and Windows editors want CR LF line ends.
sed 's/\r*$/\r/' "$root/tests/pack/run-tests.cmd" >"$stage/run-tests.cmd"
awk -v keep="Testing on Windows|Licence" -f "$root/scripts/readme-text.awk" \
    "$root/README.md" >"$stage/README.txt"
sed 's/\r*$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
(cd "$stage" && zip -q -X -9 "$zip" -- *)
rm -rf "$stage"
echo "$zip"
