#!/usr/bin/env bash
# Runs the tests of a scaled display in a Wine session that starts at that
# DPI, in a prefix of its own beside the pass's. Wine 10 gives a window the
# DPI its session started with, whatever the registry says later, as Windows
# gives the scale its display had: set before the wineserver starts.
#   at_dpi.sh DPI WINE TEST_EXE [more test options]
set -euo pipefail
dpi="$1" wine="$2" tests="$3"
export WINEPREFIX="${WINEPREFIX:?}-dpi$dpi"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1 || true
  # No window manager on the tests' X server, as in the pass's own prefix.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w
trap 'wineserver -k 2>/dev/null; wineserver -w' EXIT
"$wine" "$tests" "${@:4}"
