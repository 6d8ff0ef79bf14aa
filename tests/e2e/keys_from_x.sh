#!/usr/bin/env bash
# Keys typed on the X side the moment the overlay is back on top must end the
# program with exit code 0. Each cycle starts the program afresh in a folder
# of its own, brings it back one way, then types Escape:
#   chooser       the right button opens the colour chooser, Escape closes it;
#   second-start  another program comes up over it and is clicked into, then
#                 the program is started a second time, which brings it back.
# Keys sent from inside Wine (SendInput) reach the focused Windows window
# whatever X shows; a key typed at the keyboard goes through X, which gives it
# to the window holding the X focus, or with none to the window under the
# pointer (there is no window manager to hold the focus), so it is lost
# whenever the overlay has neither.
#   keys_from_x.sh chooser WINE PINTAFLUX_EXE [CYCLES]
#   keys_from_x.sh second-start WINE PINTAFLUX_EXE OTHER_PROGRAM_EXE [CYCLES]
set -uo pipefail
way="$1" wine="$2" exe="$3"
if [ "$way" = second-start ]; then
  other_exe="$4" cycles="${5:-10}"
else
  cycles="${4:-20}"
fi

# Polls a condition every 50 ms, for at most 10 seconds.
within_ten_seconds() {
  local i
  for i in $(seq 1 200); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
gone() { ! shown "$1"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# Whether X shows the overlay under the pointer.
overlay_on_top() {
  local window
  window="$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')"
  [ -n "$window" ] && [ "$(xdotool getwindowname "$window" 2>/dev/null)" = Pintaflux ]
}

back_through_the_chooser() {
  xdotool mousemove 300 300 click 3
  within_ten_seconds shown '^Spray Can Store$'
  xdotool key Escape
  within_ten_seconds gone '^Spray Can Store$'
}

back_through_a_second_start() {
  "$wine" "$other_exe" </dev/null >/dev/null 2>&1 &
  other=$!
  within_ten_seconds shown '^another program$' && sleep 0.3
  xdotool mousemove 300 300 click 1
  sleep 0.3
  (cd "$folder" && exec "$wine" "$exe") </dev/null >/dev/null 2>&1
  local code=$?
  [ "$code" -eq 4 ] || echo "cycle $cycle: the second start ended with code $code"
  # Back on top, then a moment for any late answer to its hide.
  within_ten_seconds overlay_on_top || echo "cycle $cycle: not back on top"
  sleep 0.5
}

lost=0
for cycle in $(seq 1 "$cycles"); do
  folder="$(mktemp -d)"
  other=""
  (cd "$folder" && exec "$wine" "$exe") </dev/null >/dev/null 2>&1 &
  pid=$!
  within_ten_seconds shown '^Pintaflux$' && sleep 0.5
  case "$way" in
    chooser) back_through_the_chooser ;;
    second-start) back_through_a_second_start ;;
  esac
  xdotool key Escape
  if within_ten_seconds ended "$pid"; then
    wait "$pid"
    code=$?
    [ "$code" -eq 0 ] || { echo "cycle $cycle: exit code $code"; lost=$((lost + 1)); }
  else
    echo "cycle $cycle: the Escape after the $way was lost"
    lost=$((lost + 1))
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  if [ -n "$other" ]; then
    kill "$other" 2>/dev/null
    wait "$other" 2>/dev/null
  fi
  rm -rf "$folder"
done
echo "$lost of $cycles cycles lost the key"
[ "$lost" -eq 0 ]
