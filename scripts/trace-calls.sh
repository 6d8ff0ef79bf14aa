#!/usr/bin/env bash
# Shows the platform calls behind what only Windows can show: starts the real
# pintaflux.exe under Wine's relay trace on a private Xvfb, with the system DPI
# at 144, presses "n" twice, "x" and Escape, and prints the traced calls in
# order: the DPI awareness, the windows made, the display requests and the
# compositor's transitions.
#   scripts/trace-calls.sh [build folder]
set -uo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"
wine_env_setup "$build"
trap 'cleanup_all; rm -rf "${folder:-}"' EXIT

calls="user32.SetProcessDpiAwarenessContext;user32.SetProcessDPIAware;user32.CreateWindowExA"
calls="$calls;kernel32.SetThreadExecutionState;dwmapi.DwmSetWindowAttribute"
start_xvfb 24 || exit 1
start_wineserver
"$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$calls" /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1

folder="$(mktemp -d)"
exe="$(cd "$windows_build/bin" && pwd)/pintaflux.exe"
(cd "$folder" && WINEDEBUG=+relay "$WINE" "$exe" 2>"$folder/trace.txt"; echo "$?" >"$folder/exit") &
for i in $(seq 1 100); do
  xdotool search --class pintaflux.exe >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
for key in n n x; do xdotool key "$key"; sleep 1; done
xdotool key Escape
for i in $(seq 1 100); do [ -f "$folder/exit" ] && break; sleep 0.1; done

"$WINE" reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f >/dev/null 2>&1
"$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
# The library calls only (not the window procedure's messages), and of the
# returns only those of the awareness calls, which tell which one took.
grep -E '^[0-9a-f]+:(Call|Ret ) +[A-Za-z0-9]+\.' "$folder/trace.txt" \
  | grep -vE ':Ret .*(CreateWindowExA|ExecutionState|DwmSetWindowAttribute)' \
  | sed -E 's/^[0-9a-f]+://; s/ ret=[0-9a-f]+$//'
echo "exit code: $(cat "$folder/exit" 2>/dev/null || echo none)"
