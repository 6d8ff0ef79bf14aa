#!/usr/bin/env bash
# Timings under Wine on a private Xvfb, at depth 24 (32 bits per pixel) and at
# depth 16. Not a test: it only prints figures.
#   - in-process: what a dab, a repaint and a cursor build cost
#     (pintaflux_bench.exe);
#   - outside-in: the real programs driven from the X side (xbench), a stroke
#     as the user feels it, and the CPU that the program, its wineserver and
#     the X server spend on it, beside a floor program doing the same window
#     work with a plain FillRect.
# BENCH_ROUNDS=n repeats the outside-in runs n times on each display.
set -uo pipefail
build="${1:-build}" depth="${2:-}"
rounds="${BENCH_ROUNDS:-1}"
root="$(cd "$(dirname "$0")/.." && pwd)"
# Each depth on a private X server of its own, this script once more in it.
if [ -z "$depth" ]; then
  status=0
  for depth in 24 16; do
    echo "== depth $depth"
    xvfb-run -a -s "-screen 0 1024x768x$depth -noreset" bash "$0" "$build" "$depth" || status=1
  done
  exit "$status"
fi
source "$root/scripts/wine-env.sh"
wine_env_setup "$build" xvfb
# xvfb-run runs the X server beside this script.
xvfb_pid="$(pgrep -P "$PPID" -x Xvfb)"
trap 'stop_program; stop_wineserver' EXIT

bin="$(cd "$windows_build" && pwd)/bin"
work="$(cd "$build" && pwd)/bench-run"
for exe in pintaflux_bench pintaflux pintaflux_floor; do
  [ -f "$bin/$exe.exe" ] || { echo "no $bin/$exe.exe: build first" >&2; exit 1; }
done
mkdir -p "$work"
out="$work/inprocess.txt"

xbench="$work/xbench"
cc -O2 -o "$xbench" "$root/bench/xbench.c" -lX11 -lXtst || exit 1

# A sound device that takes the sound and drops it: ALSA's null output, seen
# only by programs started with this HOME and with the ALSA driver enabled
# (PulseAudio's off, so that a sound server on the machine cannot take it).
sound_home="$work/home"
mkdir -p "$sound_home"
echo 'pcm.!default { type null }' >"$sound_home/.asoundrc"
overrides_no_sound="$WINEDLLOVERRIDES"
overrides_sound="mscoree=;mshtml=;winepulse.drv="

program_pid=""
stop_program() {
  [ -z "$program_pid" ] || { kill "$program_pid"; wait "$program_pid"; } 2>/dev/null
  program_pid=""
}

# The wineserver runs in the foreground of a job of ours, so that its PID is
# known and its CPU can be read.
start_own_wineserver() {
  ensure_prefix
  wineserver -f -p </dev/null >/dev/null 2>&1 &
  wineserver_pid=$!
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# run_one LABEL EXE TITLE SOUND(yes|no) KEYS: one program, measured once.
run_one() {
  local label="$1" exe="$2" title="$3" sound="$4" keys="$5" dir="$work/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  local overrides="$overrides_no_sound"
  [ "$sound" = yes ] && overrides="$overrides_sound"
  (cd "$dir" && HOME="$sound_home" WINEDLLOVERRIDES="$overrides" exec "$WINE" "$bin/$exe.exe" \
    </dev/null >/dev/null 2>&1) &
  program_pid=$!
  "$xbench" "$label" "$title" "$program_pid" "$wineserver_pid" "$xvfb_pid" "$keys" || status=1
  stop_program
}

# Columns of xbench's RESULT line, by number: 2 name, 3 first press,
# 4-6 press median/p10/p90, 7 missed, 8-10 step median/p10/p90, 11 missed,
# 12 CPU per move, 13-15 program/wineserver/X server, 16 send, 17 catch-up.
print_table() {
  awk '
    function row(name, label) {
      printf "%-28s %7.1f %6.1f (%4.1f-%4.1f) %6.1f (%4.1f-%4.1f) %6d  %5d %5d %5d  %5.2fx  %5.0f\n",
        label, f[name,3], f[name,4], f[name,5], f[name,6], f[name,8], f[name,9], f[name,10],
        f[name,12], f[name,13], f[name,14], f[name,15], f[name,12] / f["floor",12], f[name,17]
    }
    $1 == "RESULT" { for (i = 3; i <= NF; i++) f[$2,i] = $i; missed += $7 + $11 }
    END {
      printf "%-28s %7s %20s %20s %6s  %5s %5s %5s  %6s  %5s\n", "ms, us", "first", "press-to-pixel",
        "stroke-step", "CPU/mv", "prog", "wsrv", "Xvfb", "/floor", "catch"
      row("floor", "floor (FillRect)")
      row("muted", "Pintaflux muted")
      row("hiss-sound", "Pintaflux hiss, sound device")
      row("hiss-nosound", "Pintaflux hiss, no device")
      printf "hiss with a sound device adds %+.1f %% CPU per move over muted\n",
        (f["hiss-sound",12] / f["muted",12] - 1) * 100
      if (missed) printf "(%d samples saw no change within 3 s and are left out)\n", missed
    }'
}

status=0
start_own_wineserver
echo "-- in-process, with a sound device"
# The wineserver may keep a pipe open: write to a file, then show it.
(cd "$build" && HOME="$sound_home" WINEDLLOVERRIDES="$overrides_sound" \
  "$WINE" "$bin/pintaflux_bench.exe" </dev/null >"$out" 2>&1) || status=1
cat "$out"
echo "-- in-process, the hiss without a sound device"
(cd "$build" && "$WINE" "$bin/pintaflux_bench.exe" hiss </dev/null >"$out" 2>&1) || status=1
cat "$out"
for round in $(seq 1 "$rounds"); do
  echo "-- outside-in, round $round: 2000 moves at 1000/s, button held; median (p10-p90) ms;"
  echo "   CPU per move in us of program + wineserver + Xvfb; catch = ms after the last move; load $(cut -d' ' -f1-3 /proc/loadavg)"
  results="$work/results-$depth-$round.txt"
  {
    run_one floor pintaflux_floor "Pintaflux floor" no ""
    # "1" picks red: the factory colour is black, like the bare screen.
    run_one muted pintaflux Pintaflux yes 1m
    run_one hiss-sound pintaflux Pintaflux yes 1
    run_one hiss-nosound pintaflux Pintaflux no 1
  } >"$results"
  print_table <"$results"
done
stop_wineserver
wait "$wineserver_pid" 2>/dev/null || true
exit "$status"
