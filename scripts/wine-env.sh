# The Wine side of the rig: whether the Windows programs run as the 32-bit or
# the 64-bit build, a Wine prefix of a given kind in that build's folder and
# its wineserver, and the window manager and compositing manager of the
# tests' private X servers. Sourced by the build, run, test, bench and
# bootstrap scripts; called by CTest's fixtures (at the end), with the
# prefix and the emulator in WINEPREFIX and WINE.

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

# Whether 32-bit Wine runs here and is Wine 10 or later, whose 32-bit build
# (Debian 13's) spins on any full-screen window that it places itself, as on
# the private X servers here, without a window manager.
wine32_spins() {
  host_runs_32bit && [ "$(wine32_major_version)" -ge 10 ] 2>/dev/null
}

# The tests that fail or hang there, a CTest regular expression: they run in
# the 64-bit build (the README says what each waits on). Of the rest, only
# switching_compositor passes there.
wine32_spinning_tests='^(unit|e2e|hiss|e2e_scaled|chooser_keys|second_start_keys|pack|switching_wm|show_through_.*)$'

# Prints why the Windows programs run as the 64-bit build of the same
# sources, or nothing when they run as the 32-bit one.
# PINTAFLUX_WINDOWS_BITS=64 or 32 chooses; without it, the 64-bit build runs
# where 32-bit programs cannot, and under Wine 10 and later (wine32_spins).
windows_64bit_reason() {
  case "${PINTAFLUX_WINDOWS_BITS:-}" in
    64) echo "PINTAFLUX_WINDOWS_BITS=64 asks for it" ;;
    32) ;;
    *)
      if [ ! -x /usr/lib/wine/wine ]; then
        echo "no 32-bit Wine is installed"
      elif ! host_runs_32bit; then
        echo "this machine cannot run 32-bit programs"
      elif wine32_spins; then
        echo "32-bit Wine $(wine32_major_version) spins on full-screen windows without a window manager"
      fi
      ;;
  esac
}

# Whether the tests run in the Debian 12 root of their own with 32-bit Wine
# (scripts/test.sh): where this machine has no 32-bit Wine and none is
# refused.
windows_tests_in_root() {
  [ "${PINTAFLUX_WINDOWS_BITS:-}" != 64 ] && [ ! -x /usr/lib/wine/wine ]
}

# The Windows programs to run: the 32-bit build, or the 64-bit build of the
# same sources (in "$build/x64") under 64-bit Wine when windows_64bit_reason
# gives a reason. Sets windows_build, windows_64bit_why, WINE and WINEARCH.
# With "tests", the tests under Wine 10 and later run the 32-bit build but
# for wine32_spinning_tests, named then in windows_64bit_tests.
choose_windows_build() {
  windows_64bit_why="$(windows_64bit_reason)" windows_64bit_tests=""
  if [ "${2:-}" = tests ] && [ -z "${PINTAFLUX_WINDOWS_BITS:-}" ] && wine32_spins; then
    windows_64bit_why="" windows_64bit_tests="$wine32_spinning_tests"
  fi
  if [ -n "$windows_64bit_why" ]; then
    windows_build="$1/x64" WINE=/usr/lib/wine/wine64 WINEARCH=win64
  else
    windows_build="$1" WINE=wine WINEARCH=win32
  fi
  export WINEARCH
}

# What runs from a build folder, in one line: the build's bits, the version
# of the Wine that runs it and the SHA-256 of its pintaflux.exe.
what_runs() {
  local bits=32 wine=wine
  [ "${1##*/}" = x64 ] && bits=64 wine=/usr/lib/wine/wine64
  echo "the $bits-bit build under $("$wine" --version), pintaflux.exe sha256" \
       "$(sha256sum <"$1/bin/pintaflux.exe" | cut -d' ' -f1)"
}

# The prefix of a kind: "xvfb" for the tests' private X servers without a
# window manager, where Wine manages its windows itself (otherwise every
# hidden full-screen window waits about two seconds for a window manager that
# never answers); "wm" with a window manager, and "desktop" for `make run`,
# where Wine hands its windows to the window manager.
wine_env_setup() {
  local build="$1" kind="$2"
  choose_windows_build "$build"
  export WINE WINEPREFIX="$(cd "$windows_build" && pwd)/wineprefix-$kind"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # A private X server has no sound card either; keep ALSA from complaining.
  [ "$kind" = desktop ] || WINEDLLOVERRIDES="mscoree,mshtml,winealsa.drv="
}

# Creates the prefix on first use.
ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating Wine prefix $WINEPREFIX (once)"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    if [ "${WINEPREFIX##*-}" = xvfb ]; then
      "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
    wineserver -w
  fi
}

# Creates the prefix on first use and keeps one wineserver alive for it, so
# that each program starts quickly; it must not hold our output open.
start_wineserver() {
  ensure_prefix
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Ends the prefix's wineserver, and with it every Wine process in it.
stop_wineserver() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# Starts openbox or picom in the background, its PID and its words in files
# beside the prefix, and waits until it manages, or composites, the windows.
start_desktop_part() {
  local ready="xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
  [ "$1" = picom ] && ready="xdotool search --classname '^picom\$'"
  "$@" </dev/null >"$WINEPREFIX.$1.log" 2>&1 &
  echo $! >"$WINEPREFIX.$1.pid"
  timeout 10 bash -c "until $ready; do sleep 0.1; done" >/dev/null 2>&1 && return 0
  cat "$WINEPREFIX.$1.log" >&2
  return 1
}

# The fixtures' calls: start|stop wineserver, start openbox|picom ARGUMENTS,
# stop openbox|picom.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "$1:$2" in
    start:wineserver) start_wineserver ;;
    stop:wineserver) stop_wineserver ;;
    start:*) shift; start_desktop_part "$@" ;;
    stop:*) kill "$(cat "$WINEPREFIX.$2.pid")" ;;
  esac
fi
