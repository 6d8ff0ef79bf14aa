# The scripted session of a headless `make run`: what a user would do,
# sprayed through xdotool.

# Sprays a stroke through the given points, "x,y x,y ...", a few pixels a move.
spray_stroke() {
  local first=1 point x y px py step steps dx dy
  for point in "$@"; do
    x="${point%,*}"; y="${point#*,}"
    if [ "$first" = 1 ]; then
      xdotool mousemove "$x" "$y" mousedown 1
      first=0
    else
      dx=$((x > px ? x - px : px - x)); dy=$((y > py ? y - py : py - y))
      steps=$(((dx > dy ? dx : dy) / 3 + 1))
      for step in $(seq 1 "$steps"); do
        xdotool mousemove $((px + (x - px) * step / steps)) $((py + (y - py) * step / steps))
      done
    fi
    px="$x"; py="$y"
  done
  sleep 0.3
  xdotool mouseup 1
}

run_session() {
  # A red wave at the largest size.
  xdotool key 1 key plus key plus key plus
  spray_stroke 120,520 220,440 320,520 420,440 520,520 620,440 720,520 820,440 900,500
  # A yellow sun, held still so the paint builds up.
  xdotool key 5
  xdotool mousemove 820 150 mousedown 1 sleep 1.2 mouseup 1
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
  xdotool mousemove 300 180 mousedown 1 sleep 0.3 mouseup 1
  xdotool mousemove 520 330
  sleep 0.5
}
