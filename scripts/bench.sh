#!/usr/bin/env bash
# Runs the dab and repaint timings under Wine on a private Xvfb, at depth 24
# (32 bits per pixel) and at depth 16. Not a test: it only prints figures.
set -uo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
wine_env_setup "$build"
trap cleanup_all EXIT

bench="$(cd "$windows_build" && pwd)/bin/pintaflux_bench.exe"
[ -f "$bench" ] || { echo "no $bench: build first" >&2; exit 1; }
out="$(cd "$build" && pwd)/bench-output.txt"

status=0
for depth in 24 16; do
  echo "== benchmark at depth $depth"
  start_xvfb "$depth" || { status=1; continue; }
  start_wineserver
  # The wineserver may keep a pipe open: write to a file, then show it.
  (cd "$build" && "$WINE" "$bench" </dev/null >"$out" 2>&1) || status=1
  cat "$out"
  stop_wineserver
  stop_xvfb
done
exit "$status"
