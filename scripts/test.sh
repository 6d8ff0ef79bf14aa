#!/usr/bin/env bash
# Runs every test: the build checks once, then the Windows tests under Wine on a
# private Xvfb, at depth 24 (32 bits per pixel) and at depth 16, and the
# switching tests once more with a window manager at depth 24, without and
# with a compositing manager.
set -uo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
wine_env_setup "$build"
trap cleanup_all EXIT

status=0
if [ "$windows_build" != "$build" ]; then
  echo "== the Windows tests run the 64-bit build of the same sources: $windows_64bit_why"
fi
echo "== build checks"
(cd "$build" && ctest --output-on-failure -L host) || status=1

for depth in 24 16; do
  echo "== tests at depth $depth"
  start_xvfb "$depth" || { status=1; continue; }
  start_wineserver
  (cd "$windows_build" && ctest --output-on-failure -LE 'host|wm') || status=1
  stop_wineserver
  stop_xvfb
done

# Switching away and back once more on a desktop with a window manager, in a
# prefix that hands Wine's windows to it, as `make run` on a desktop does;
# then again with a compositing manager beside it, and there the desktop
# shows through the overlay, read from the X side.
wine_env_setup "$build" wm
for compositor in "" picom; do
  echo "== switching with a window manager (openbox${compositor:+ and $compositor}) at depth 24"
  if start_xvfb 24 && start_window_manager && { [ -z "$compositor" ] || start_compositor; }; then
    start_wineserver
    (cd "$windows_build" && ctest --output-on-failure -L wm) || status=1
    stop_wineserver
  else
    status=1
  fi
  stop_window_manager
  stop_xvfb
done

if [ "$status" -eq 0 ]; then echo "all tests passed at both depths"; else echo "TESTS FAILED"; fi
exit "$status"
