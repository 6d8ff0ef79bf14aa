#!/usr/bin/env bash
# Makes the test pack for a Windows machine: a zip of pintaflux.exe, the
# in-process and end-to-end test programs with what they start and load, and
# run-tests.cmd, which runs them there (README.md, "Testing on Windows").
#   windows-tests.sh BIN_FOLDER ZIP   both absolute
set -euo pipefail
bin="$1" zip="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
stage="$zip.stage"

rm -rf "$stage" "$zip"
mkdir -p "$stage"
cp "$bin"/pintaflux.exe "$bin"/unit_tests.exe "$bin"/e2e_tests.exe "$bin"/other_program.exe \
   "$bin"/syscommand_hook.dll "$stage/"
# cmd.exe and Windows editors want CR LF line ends.
sed 's/\r*$/\r/' "$root/tests/pack/run-tests.cmd" >"$stage/run-tests.cmd"
awk -v keep="Testing on Windows|Licence" -f "$root/scripts/readme-text.awk" \
    "$root/README.md" >"$stage/README.txt"
sed 's/\r*$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
(cd "$stage" && zip -q -X -9 "$zip" -- *)
rm -rf "$stage"
echo "$zip"
