#!/usr/bin/env bash
# Runs pintaflux.exe under Wine in the current directory, where its
# settings.dat lives. With no display, runs a short scripted session on a
# private Xvfb instead and saves a screenshot into the build folder.
set -uo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # Xwayland hands an X program black for the whole screen.
  if [ "${XDG_SESSION_TYPE:-}" = wayland ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: a Wayland session: the desktop will not show through the overlay here (the paint still works, on black)."
    echo "run: to see the desktop under the paint, log in to an X11 session (\"GNOME on Xorg\", \"Plasma (X11)\")."
  fi
  wine_env_setup "$build" desktop
  exe="$(cd "$windows_build" && pwd)/bin/pintaflux.exe"
  ensure_prefix
  "$WINE" "$exe"
  exit $?
fi

wine_env_setup "$build" xvfb
exe="$(cd "$windows_build" && pwd)/bin/pintaflux.exe"
trap cleanup_all EXIT
start_xvfb 24 || exit 1
start_wineserver
shot="$(cd "$build" && pwd)/pintaflux-session.png"
echo "no display: a scripted session on a private Xvfb ($DISPLAY)"

# Something on the "desktop" for the overlay to show through.
xlogo -geometry 1024x768+0+0 -bg '#3a6ea5' -fg white >/dev/null 2>&1 &
started_pids+=("$!")
sleep 1

"$WINE" "$exe" </dev/null >/dev/null 2>&1 &
program=$!
for _ in $(seq 1 100); do
  xdotool search --class pintaflux.exe >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1

source "$root/scripts/session.sh"
run_session

xwd -root -silent | convert xwd:- "$shot"
echo "screenshot: $shot"

xdotool key Escape
for _ in $(seq 1 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
wait "$program"
code=$?
echo "pintaflux exited with code $code"
exit "$code"
