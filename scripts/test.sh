#!/usr/bin/env bash
# Runs every test: the build checks, then the Windows tests under Wine in
# passes, each a CTest label on a private X server of its own: depth24 and
# depth16 (32 and 16 bits per pixel), then at depth 24 wm, with a window
# manager, and compositor, with a compositing manager beside it. Where this
# machine has no 32-bit Wine, the passes run in a Debian 12 root that has it
# (in-root.sh), on this build.
#   test.sh [BUILD] [passes]   passes: the Windows tests alone
set -uo pipefail
build="${1:-build}"
source "$(dirname "$0")/wine-env.sh"

# run_pass LABEL DEPTH BUILD [CTEST OPTIONS]: its first line names what runs.
# -noreset: a server that resets when its last client leaves refuses one
# that connects meanwhile (openbox, say, or a program started just then).
run_pass() {
  echo "== $1: $(what_runs "$3")"
  xvfb-run -a -s "-screen 0 1024x768x$2 -noreset" \
    ctest --test-dir "$3" --output-on-failure -L "^$1\$" "${@:4}"
}

failed=()
if [ "${2:-}" != passes ]; then
  echo "== build checks"
  ctest --test-dir "$build" --output-on-failure -L '^host$' || failed+=("the build checks")
fi
if [ "${2:-}" != passes ] && windows_tests_in_root; then
  echo "== the Windows tests: 32-bit Wine cannot be installed here; they run in a Debian 12 root with it"
  BUILD="$build" bash "$(dirname "$0")/in-root.sh" bookworm-i386 offline wine here \
    "bash scripts/test.sh '$(cd "$build" && pwd)' passes" || failed+=("the Windows tests")
else
  choose_windows_build "$build" tests
  if [ -n "$windows_64bit_why" ]; then
    echo "== the Windows tests run the 64-bit build of the same sources: $windows_64bit_why"
  elif [ -n "$windows_64bit_tests" ]; then
    echo "== these tests run the 64-bit build, as 32-bit Wine $(wine32_major_version) spins on them: $windows_64bit_tests"
  fi
  for pass in depth24:24 depth16:16 wm:24 compositor:24; do
    if [ -z "$windows_64bit_tests" ]; then
      run_pass "${pass%:*}" "${pass#*:}" "$windows_build" || failed+=("${pass%:*}")
      continue
    fi
    # The pass's other tests in the 32-bit build, where it has any.
    if ctest --test-dir "$build" -N -L "^${pass%:*}\$" -E "$windows_64bit_tests|_(start|stop)\$" |
         grep -q 'Total Tests: [1-9]'; then
      run_pass "${pass%:*}" "${pass#*:}" "$build" -E "$windows_64bit_tests" || failed+=("${pass%:*}")
    fi
    run_pass "${pass%:*}" "${pass#*:}" "$build/x64" -R "$windows_64bit_tests" || failed+=("${pass%:*} (64-bit)")
  done
fi

if [ "${#failed[@]}" -eq 0 ]; then
  echo "all tests passed: at depths 24 and 16, with a window manager and with a compositor"
else
  echo "TESTS FAILED in: ${failed[*]}"
  exit 1
fi
