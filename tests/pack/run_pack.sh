#!/usr/bin/env bash
# Runs the test pack as a Windows user does: unzipped into a folder of its
# own and run-tests.cmd started there by cmd. Fails when a test failed or
# when the last line, "N passed, N failed", is missing; then shows what the
# failed tests printed.
#   run_pack.sh WINE ZIP FOLDER
set -uo pipefail
wine="$1" zip="$2" folder="$3"
rm -rf "$folder"
mkdir -p "$folder" && unzip -q "$zip" -d "$folder" && cd "$folder" || exit 1

"$wine" cmd /c run-tests.cmd </dev/null | tee output.txt
code="${PIPESTATUS[0]}"
last="$(tail -n 1 output.txt | tr -d '\r')"
if [[ "$last" =~ ^[0-9]+\ passed,\ 0\ failed$ ]] && [ "$code" -eq 0 ]; then
  exit 0
fi
echo "run_pack: run-tests.cmd exited with $code, its last line: \"$last\""
# What each failed test printed: the lines of the log before its FAIL line.
tr -d '\r' <run-tests.log | awk '/^(PASS|SKIP) / { block = ""; next }
  /^FAIL / { printf "%s%s\n", block, $0; block = ""; next } { block = block $0 "\n" }'
exit 1
