#!/usr/bin/env bash
# Installs what building, running and testing Pintaflux needs on Debian or
# Ubuntu. Quick and silent when everything is already there.
#   bootstrap.sh        what building, running and testing need
#   bootstrap.sh bench  that, and the host compiler and X libraries of the
#                       outside-in benchmark's driver (bench/xbench.c)
set -euo pipefail

# Commands that must exist, each with the package that provides it.
needed=(
  "cmake:cmake"
  "make:make"
  "g++:g++"
  "i686-w64-mingw32-g++-posix:g++-mingw-w64-i686-posix"
  "i686-w64-mingw32-windres:binutils-mingw-w64-i686"
  "wine:wine"
  "Xvfb:xvfb"
  "xdotool:xdotool"
  "xwd:x11-apps"
  "xdpyinfo:x11-utils"
  "xset:x11-xserver-utils"
  "convert:imagemagick"
)
# Files that must exist, each with its package.
needed_files=(
  "/usr/src/googletest/CMakeLists.txt:googletest"
  "/usr/share/mingw-w64/include/windows.h:mingw-w64-common"
  "/usr/i686-w64-mingw32/include/windows.h:mingw-w64-i686-dev"
)
if [ "${1:-}" = bench ]; then
  needed+=("cc:gcc")
  needed_files+=(
    "/usr/include/X11/Xlib.h:libx11-dev"
    "/usr/include/X11/extensions/XTest.h:libxtst-dev"
  )
fi

missing=()
for pair in "${needed[@]}"; do
  command -v "${pair%%:*}" >/dev/null 2>&1 || missing+=("${pair##*:}")
done
for pair in "${needed_files[@]}"; do
  [ -e "${pair%%:*}" ] || missing+=("${pair##*:}")
done
# 32-bit Wine: the i386 loader package.
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "ok installed" || missing+=("wine32:i386")
# `convert` may be a stand-in without ImageMagick behind it.
dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q "ok installed" || missing+=("imagemagick")

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
  echo "bootstrap: apt-get not found. Install these by hand, then run again:" >&2
  printf '  %s\n' "${missing[@]}" | sort -u >&2
  exit 1
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "bootstrap: not root and sudo is missing; run as root to install:" >&2
    printf '  %s\n' "${missing[@]}" | sort -u >&2
    exit 1
  fi
  SUDO="sudo"
fi

echo "bootstrap: installing $(printf '%s\n' "${missing[@]}" | sort -u | tr '\n' ' ')"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $(printf '%s\n' "${missing[@]}" | sort -u) >/dev/null
echo "bootstrap: done"
