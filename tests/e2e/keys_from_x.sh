#!/usr/bin/env bash
# Keys typed on the X side the moment the overlay is back on top must end the
# program with exit code 0. Each cycle starts the program afresh in a folder
# of its own, brings it back one way, then types Escape:
#   chooser       the right button opens the colour chooser, Escape closes it;
#   second-start  another program comes up over it and is clicked into, then
#                 the program is started a second time, which brings it back;
#   show-through  over the known picture (the X-side helper xscreen beside the
#                 exe): the screen, read from the X side, is the picture at
#                 the start, beside a stroke and after "x".
# Keys sent from inside Wine (SendInput) reach the focused Windows window
# whatever X shows; a key typed at the keyboard goes through X, which gives it
# to the window holding the X focus, or with none to the window under the
# pointer (there is no window manager to hold the focus), so it is lost
# whenever the overlay has neither.
#   keys_from_x.sh chooser WINE PINTAFLUX_EXE [CYCLES]
#   keys_from_x.sh second-start WINE PINTAFLUX_EXE OTHER_PROGRAM_EXE [CYCLES]
#   keys_from_x.sh show-through WINE PINTAFLUX_EXE [CYCLES]
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
# Waits at most 10 seconds for a window of that name to show.
shown() { timeout 10 xdotool search --sync --onlyvisible --name "$1" >/dev/null 2>&1; }
gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
focused() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = Pintaflux ]; }
# Whether X shows the overlay under the pointer.
overlay_on_top() {
  local window
  window="$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')"
  [ -n "$window" ] && [ "$(xdotool getwindowname "$window" 2>/dev/null)" = Pintaflux ]
}

back_through_the_chooser() {
  xdotool mousemove 300 300 click 3
  shown '^Spray Can Store$'
  xdotool key Escape
  within_ten_seconds gone '^Spray Can Store$'
}

back_through_a_second_start() {
  "$wine" "$other_exe" </dev/null >/dev/null 2>&1 &
  other=$!
  shown '^another program$' && sleep 0.3
  xdotool mousemove 300 300 click 1
  sleep 0.3
  (cd "$folder" && exec "$wine" "$exe") </dev/null >/dev/null 2>&1
  local code=$?
  [ "$code" -eq 4 ] || echo "cycle $cycle: the second start ended with code $code"
  # Back on top, then a moment for any late answer to its hide.
  within_ten_seconds overlay_on_top || echo "cycle $cycle: not back on top"
  sleep 0.5
}

# The picture's top part and a band across the stroke as the X server shows
# them before the program starts, and again later: the same at depth 24.
xscreen="$(dirname "$exe")/xscreen"
width="$(xdotool getdisplaygeometry | cut -d' ' -f1)"
faults=0
fault() { echo "cycle $cycle: $1"; faults=$((faults + 1)); }
grab() { "$xscreen" grab 0 "$1" "$width" "$2" "$scratch/$3"; }
same() { grab "$1" "$2" now && cmp -s "$scratch/$3" "$scratch/now"; }
showing_through() {
  within_ten_seconds same 0 200 top || fault "the picture does not show at the start"
  xdotool mousemove 300 300 mousedown 1 $(printf "mousemove %d 300 sleep 0.03 " $(seq 310 10 500)) mouseup 1
  sleep 0.5
  same 290 20 band && fault "the stroke does not show"
  same 0 200 top || fault "the picture does not show beside the stroke"
  xdotool key x
  within_ten_seconds same 290 20 band || fault "the picture does not show after x"
  # The clear's new window then takes the keys once it holds the X focus.
  within_ten_seconds focused || fault "the new window does not get the keys"
}
if [ "$way" = show-through ]; then
  scratch="$(mktemp -d)"
  touch "$scratch/picture"
  "$xscreen" picture "$scratch/picture" &
  trap 'rm -f "$scratch/picture"; wait; rm -rf "$scratch"' EXIT
  within_ten_seconds test -f "$scratch/picture.shown" && grab 0 200 top && grab 290 20 band
fi

lost=0
for cycle in $(seq 1 "$cycles"); do
  folder="$(mktemp -d)"
  other=""
  (cd "$folder" && exec "$wine" "$exe") </dev/null >/dev/null 2>&1 &
  pid=$!
  shown '^Pintaflux$' && sleep 0.5
  case "$way" in
    chooser) back_through_the_chooser ;;
    second-start) back_through_a_second_start ;;
    show-through) showing_through ;;
  esac
  xdotool key Escape
  if timeout 10 tail --pid="$pid" -s 0.05 -f /dev/null; then
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
[ "$lost" -eq 0 ] && [ "$faults" -eq 0 ]
