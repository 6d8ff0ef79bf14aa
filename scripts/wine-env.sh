# Sourced by the run, test and bench scripts: a private Wine prefix inside the
# build folder, a private X display when asked for, and the clean-up of both.
# Everything started here is ended by its PID.

# Whether this machine runs 32-bit programs itself. Some 64-bit kernels refuse
# them; an emulator registered for them (qemu) runs Wine, but one program
# start then costs about a minute, far too slow to test with.
host_runs_32bit() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    if grep -qx enabled "$entry" 2>/dev/null && grep -q '^magic 7f454c4601010100' "$entry"; then
      return 1
    fi
  done
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The major version of the 32-bit Wine, or nothing.
wine32_major_version() {
  /usr/lib/wine/wine --version 2>/dev/null | sed -n 's/^wine-\([0-9][0-9]*\).*/\1/p'
}

# Prints why the Windows programs run as the 64-bit build of the same
# sources, or nothing when they run as the 32-bit one.
# PINTAFLUX_WINDOWS_BITS=64 or 32 chooses; without it, the 64-bit build runs
# where 32-bit programs cannot, and under Wine 10 and later: its 32-bit
# build (Debian 13's) spins on any full-screen window that it places itself,
# as on the private X servers here, without a window manager. The program,
# and the tests' own full-screen program alike, then take half a core, and
# PeekMessage inside the in-process tests never returns.
windows_64bit_reason() {
  case "${PINTAFLUX_WINDOWS_BITS:-}" in
    64) echo "PINTAFLUX_WINDOWS_BITS=64 asks for it" ;;
    32) ;;
    *)
      if [ ! -x /usr/lib/wine/wine ]; then
        echo "no 32-bit Wine is installed"
      elif ! host_runs_32bit; then
        echo "this machine cannot run 32-bit programs"
      elif [ "$(wine32_major_version)" -ge 10 ] 2>/dev/null; then
        echo "32-bit Wine $(wine32_major_version) spins on full-screen windows without a window manager"
      fi
      ;;
  esac
}

# The Windows programs to run: the 32-bit build, or the 64-bit build of the
# same sources (in "$build/x64") under 64-bit Wine when windows_64bit_reason
# gives a reason. Sets windows_build, windows_64bit_why, WINE and WINEARCH.
choose_windows_build() {
  local build="$1"
  windows_64bit_why="$(windows_64bit_reason)"
  if [ -n "$windows_64bit_why" ]; then
    windows_build="$build/x64"
    WINE=/usr/lib/wine/wine64
    export WINEARCH=win64
  else
    windows_build="$build"
    WINE=wine
    export WINEARCH=win32
  fi
}

# The prefix for a private Xvfb, where no window manager runs, tells Wine to
# manage its windows itself: otherwise every hidden full-screen window waits
# about two seconds for a window manager that never answers. The kind "wm"
# is a private Xvfb with a window manager, and a prefix that hands the
# windows to it, as the one of `make run` on a desktop ("desktop") does.
wine_env_setup() {
  local build="$1" kind="${2:-xvfb}"
  wine_kind="$kind"
  choose_windows_build "$build"
  export WINEPREFIX="$(cd "$build" && pwd)/wineprefix-$kind"
  [ "$WINEARCH" = win64 ] && WINEPREFIX="$WINEPREFIX-64"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  # A private Xvfb has no sound card either; keep ALSA from complaining.
  if [ "$kind" != desktop ]; then
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv="
  fi
  started_pids=()
}

# Starts Xvfb on a free display at the given depth and exports DISPLAY.
# Without -noreset the server resets whenever its last client leaves, and a
# client connecting during the reset (openbox just after the readiness probe,
# say) is refused: "Failed to open the display".
start_xvfb() {
  local depth="$1" size="${2:-1024x768}" n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x${depth}" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    started_pids+=("$xvfb_pid")
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Ends a process of ours by its PID, if any, and reaps it.
end_process() {
  [ -n "${1:-}" ] || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

stop_xvfb() {
  end_process "${xvfb_pid:-}"
  xvfb_pid=""
}

# Starts openbox on our display and waits until it manages windows.
start_window_manager() {
  local log="${WINEPREFIX%/*}/openbox.log"
  openbox --sm-disable >"$log" 2>&1 &
  window_manager_pid=$!
  started_pids+=("$window_manager_pid")
  local i
  for i in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$window_manager_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "could not start openbox:" >&2
  cat "$log" >&2
  return 1
}

stop_window_manager() {
  end_process "${compositor_pid:-}"
  end_process "${window_manager_pid:-}"
  compositor_pid="" window_manager_pid=""
}

# Starts picom, a compositing manager, beside the window manager, and waits
# until its window is there.
start_compositor() {
  local log="${WINEPREFIX%/*}/picom.log"
  picom --backend xrender >"$log" 2>&1 &
  compositor_pid=$!
  started_pids+=("$compositor_pid")
  local i
  for i in $(seq 1 100); do
    xdotool search --classname '^picom$' >/dev/null 2>&1 && return 0
    kill -0 "$compositor_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "could not start picom:" >&2
  cat "$log" >&2
  return 1
}

# Creates the prefix on first use.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating Wine prefix $WINEPREFIX (once)"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    if [ "$wine_kind" = xvfb ]; then
      "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
    wineserver -w
  fi
}

# Creates the prefix on first use and keeps one wineserver alive for it, so
# that each test program starts quickly.
start_wineserver() {
  ensure_prefix
  # The server must not hold our standard output open.
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Ends the wineserver of our own prefix, and with it every Wine process in it.
stop_wineserver() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

cleanup_all() {
  stop_wineserver
  stop_xvfb
  local pid
  for pid in "${started_pids[@]:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
}
