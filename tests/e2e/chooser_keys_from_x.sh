#!/usr/bin/env bash
# Keys typed on the X side as soon as the colour chooser closes: the right
# button opens it, Escape closes it, and a second Escape, typed the moment the
# dialog is gone, must end the program with exit code 0. Each cycle starts the
# program afresh in a folder of its own.
# Keys sent from inside Wine (SendInput) reach the focused Windows window
# whatever X shows; a key typed at the keyboard goes through X, which gives it
# to the window under the pointer (there is no window manager to hold the
# focus), so it is lost whenever the overlay is not shown there.
#   chooser_keys_from_x.sh WINE PINTAFLUX_EXE [CYCLES]
set -uo pipefail
wine="$1" exe="$2" cycles="${3:-20}"

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
ended() { ! kill -0 "$pid" 2>/dev/null; }

lost=0
for cycle in $(seq 1 "$cycles"); do
  folder="$(mktemp -d)"
  (cd "$folder" && exec "$wine" "$exe") </dev/null >/dev/null 2>&1 &
  pid=$!
  within_ten_seconds shown '^Pintaflux$' && sleep 0.5
  xdotool mousemove 300 300 click 3
  within_ten_seconds shown '^Spray Can Store$'
  xdotool key Escape
  within_ten_seconds gone '^Spray Can Store$'
  xdotool key Escape
  if within_ten_seconds ended; then
    wait "$pid"
    code=$?
    [ "$code" -eq 0 ] || { echo "cycle $cycle: exit code $code"; lost=$((lost + 1)); }
  else
    echo "cycle $cycle: the Escape after the chooser was lost"
    lost=$((lost + 1))
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$folder"
done
echo "$lost of $cycles cycles lost the key"
[ "$lost" -eq 0 ]
