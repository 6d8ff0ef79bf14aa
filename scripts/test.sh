#!/usr/bin/env bash
# Runs every test: the build checks, then the Windows tests under Wine in
# passes, each a CTest label on a private X server of its own: depth24 and
# depth16 (32 and 16 bits per pixel), then at depth 24 wm, with a window
# manager, and compositor, with a compositing manager beside it.
set -uo pipefail
build="${1:-build}"
source "$(dirname "$0")/wine-env.sh"
choose_windows_build "$build"
if [ -n "$windows_64bit_why" ]; then
  echo "== the Windows tests run the 64-bit build of the same sources: $windows_64bit_why"
fi

failed=()
echo "== build checks"
ctest --test-dir "$build" --output-on-failure -L '^host$' || failed+=("the build checks")
# -noreset: a server that resets when its last client leaves refuses one
# that connects meanwhile (openbox, say, or a program started just then).
for pass in depth24:24 depth16:16 wm:24 compositor:24; do
  echo "== ${pass%:*}"
  xvfb-run -a -s "-screen 0 1024x768x${pass#*:} -noreset" \
    ctest --test-dir "$windows_build" --output-on-failure -L "^${pass%:*}\$" || failed+=("${pass%:*}")
done

if [ "${#failed[@]}" -eq 0 ]; then
  echo "all tests passed: at depths 24 and 16, with a window manager and with a compositor"
else
  echo "TESTS FAILED in: ${failed[*]}"
  exit 1
fi
