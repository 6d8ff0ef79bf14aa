#!/usr/bin/env bash
# Runs every test: the build checks once, then the Windows tests under Wine on a
# private Xvfb, at depth 24 (32 bits per pixel) and at depth 16.
set -uo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
wine_env_setup "$build"
trap cleanup_all EXIT

status=0
echo "== build checks"
(cd "$build" && ctest --output-on-failure -L host) || status=1

for depth in 24 16; do
  echo "== tests at depth $depth"
  start_xvfb "$depth" || { status=1; continue; }
  start_wineserver
  (cd "$build" && ctest --output-on-failure -LE host) || status=1
  stop_wineserver
  stop_xvfb
done

if [ "$status" -eq 0 ]; then echo "all tests passed at both depths"; else echo "TESTS FAILED"; fi
exit "$status"
