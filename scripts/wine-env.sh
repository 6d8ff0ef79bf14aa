# Sourced by the run and test scripts: a private Wine prefix inside the build
# folder, a private X display when asked for, and the clean-up of both.
# Everything started here is ended by its PID.

# The prefix for a private Xvfb, where no window manager runs, tells Wine to
# manage its windows itself: otherwise every hidden full-screen window waits
# about two seconds for a window manager that never answers.
wine_env_setup() {
  local build="$1" kind="${2:-xvfb}"
  export WINEPREFIX="$(cd "$build" && pwd)/wineprefix-$kind"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  # A private Xvfb has no sound card either; keep ALSA from complaining.
  if [ "$kind" = xvfb ]; then
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv="
  fi
  export WINEARCH=win32
  started_pids=()
}

# Starts Xvfb on a free display at the given depth and exports DISPLAY.
start_xvfb() {
  local depth="$1" size="${2:-1024x768}" n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x${depth}" -nolisten tcp >/dev/null 2>&1 &
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

stop_xvfb() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}

# Creates the prefix on first use.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating Wine prefix $WINEPREFIX (once)"
    wineboot -i >/dev/null 2>&1 || true
    if [ "$(basename "$WINEPREFIX")" = "wineprefix-xvfb" ]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
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
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
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
