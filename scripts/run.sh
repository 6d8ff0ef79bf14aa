#!/usr/bin/env bash
# Runs pintaflux.exe under Wine.
#   run.sh BUILD          on your display, in the current directory, where its
#                         settings.dat lives; without a display, the session
#   run.sh BUILD session  a short scripted session on a private X server,
#                         with a screenshot saved into the build folder
#   run.sh BUILD trace    the platform calls behind what only Windows can
#                         show, under Wine's relay trace on a private X
#                         server with the system DPI at 144: "n" twice, "x"
#                         and Escape, and the traced calls in order (the DPI
#                         awareness, the windows made, the display requests,
#                         the compositor's transitions)
# Either way its exit code is Pintaflux's.
set -uo pipefail
build="${1:-build}" way="${2:-}"
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/wine-env.sh"

if [ -z "$way" ]; then
  if ! xdpyinfo >/dev/null 2>&1; then
    way=session
    echo "no display: a scripted session on a private X server"
  else
    # Xwayland hands an X program black for the whole screen.
    if [ "${XDG_SESSION_TYPE:-}" = wayland ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
      echo "run: a Wayland session: the desktop will not show through the overlay here (the paint still works, on black)."
      echo "run: to see the desktop under the paint, log in to an X11 session (\"GNOME on Xorg\", \"Plasma (X11)\")."
    fi
    wine_env_setup "$build" desktop
    echo "run: $(what_runs "$windows_build")"
    ensure_prefix
    exec "$WINE" "$(cd "$windows_build" && pwd)/bin/pintaflux.exe"
  fi
fi
if [ -z "${PINTAFLUX_PRIVATE_X:-}" ]; then
  PINTAFLUX_PRIVATE_X=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$build" "$way"
fi

# On the private X server: the program in a folder of its own, started once
# the wineserver runs and shown, then typed at with xdotool, then ended.
wine_env_setup "$build" xvfb
echo "run: $(what_runs "$windows_build")"
exe="$(cd "$windows_build" && pwd)/bin/pintaflux.exe"
folder="$(mktemp -d)" backdrop=""
trap 'stop_wineserver; [ -z "$backdrop" ] || kill "$backdrop"; rm -rf "$folder"' EXIT
start_wineserver
start_program() {
  (cd "$folder" && exec "$WINE" "$exe") </dev/null >/dev/null 2>"$folder/stderr.txt" &
  program=$!
  timeout 20 xdotool search --sync --onlyvisible --name '^Pintaflux$' >/dev/null
  sleep 1
}
end_program() {
  xdotool key Escape
  timeout 20 tail --pid="$program" -s 0.1 -f /dev/null || kill "$program"
  wait "$program"
  code=$?
}

# Sprays a stroke through the given points, "x,y x,y ...", a few pixels a move.
spray_stroke() {
  local point x y px="" py dx dy steps step moves=()
  for point in "$@"; do
    x="${point%,*}" y="${point#*,}"
    if [ -z "$px" ]; then
      moves+=(mousemove "$x" "$y" mousedown 1)
    else
      dx=$((x > px ? x - px : px - x)) dy=$((y > py ? y - py : py - y))
      steps=$(((dx > dy ? dx : dy) / 3 + 1))
      for step in $(seq 1 "$steps"); do
        moves+=(mousemove $((px + (x - px) * step / steps)) $((py + (y - py) * step / steps)) sleep 0.01)
      done
    fi
    px="$x" py="$y"
  done
  xdotool "${moves[@]}" sleep 0.3 mouseup 1
}

case "$way" in
  session)
    # Something on the "desktop" for the overlay to show through.
    xlogo -geometry 1024x768+0+0 -bg '#3a6ea5' -fg white >/dev/null 2>&1 &
    backdrop=$!
    timeout 10 xdotool search --sync --onlyvisible --class xlogo >/dev/null
    start_program
    # A red wave at the largest size.
    xdotool key 1 key plus key plus key plus
    spray_stroke 120,520 220,440 320,520 420,440 520,520 620,440 720,520 820,440 900,500
    # A yellow sun, held still so the paint builds up.
    xdotool key 5 mousemove 820 150 mousedown 1 sleep 1.2 mouseup 1
    spray_stroke 780,150 860,150
    spray_stroke 820,110 820,190
    # A green hill line at a small size.
    xdotool key 2 key minus key minus key minus
    spray_stroke 80,650 300,600 520,640 760,590 960,640
    # Navy letters "Hi" at the middle size.
    xdotool key 3 key plus
    spray_stroke 150,150 150,330
    spray_stroke 150,240 240,240
    spray_stroke 240,150 240,330
    spray_stroke 300,220 300,330
    xdotool mousemove 300 180 mousedown 1 sleep 0.3 mouseup 1 mousemove 520 330 sleep 0.5
    shot="$(cd "$build" && pwd)/pintaflux-session.png"
    xwd -root -silent | convert xwd:- "$shot"
    echo "screenshot: $shot"
    end_program
    ;;
  trace)
    calls="user32.SetProcessDpiAwarenessContext;user32.SetProcessDPIAware;user32.CreateWindowExA"
    calls="$calls;kernel32.SetThreadExecutionState;dwmapi.DwmSetWindowAttribute"
    "$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$calls" /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    WINEDEBUG=+relay start_program
    xdotool key n sleep 1 key n sleep 1 key x sleep 1
    end_program
    "$WINE" reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f >/dev/null 2>&1
    "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
    # The library calls only (not the window procedure's messages), and of
    # the returns only those of the awareness calls, which tell which one took.
    grep -E '^[0-9a-f]+:(Call|Ret ) +[A-Za-z0-9]+\.' "$folder/stderr.txt" \
      | grep -vE ':Ret .*(CreateWindowExA|ExecutionState|DwmSetWindowAttribute)' \
      | sed -E 's/^[0-9a-f]+://; s/ ret=[0-9a-f]+$//'
    ;;
esac
echo "pintaflux exited with code $code"
exit "$code"
