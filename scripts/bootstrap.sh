#!/usr/bin/env bash
# Installs what building, running and testing Pintaflux needs on Debian or
# Ubuntu. Quick and silent when everything is already there.
#   bootstrap.sh        what building, running and testing need
#   bootstrap.sh bench  that, and the host compiler and X libraries of the
#                       outside-in benchmark's driver (bench/xbench.c)
#   bootstrap.sh dist   what `make dist` needs: a Debian 12 root to build in
#   bootstrap.sh dist-build  what building the download needs, in that root
#   bootstrap.sh wine   what running the Windows tests of a build made
#                       elsewhere needs: Wine, the X side and CTest (in the
#                       Debian 12 root of the 32-bit passes)
set -euo pipefail
mode="${1:-}"

# Commands and files that must exist, each with the package that provides it:
# first what running the Windows tests needs, then what building them does.
needed=(
  # Wine, and the tests' private X servers and desktops.
  ctest:cmake wine:wine xvfb-run:xvfb xauth:xauth xdotool:xdotool xwd:x11-apps xdpyinfo:x11-utils
  convert:imagemagick openbox:openbox picom:picom unzip:unzip
  /usr/lib/x86_64-linux-gnu/libXfixes.so.3:libxfixes3
)
[ "$mode" = wine ] || needed+=(
  make:make g++:g++ cc:gcc zip:zip
  # The cross compiler, its headers, and GoogleTest's sources.
  i686-w64-mingw32-g++-posix:g++-mingw-w64-i686-posix i686-w64-mingw32-windres:binutils-mingw-w64-i686
  /usr/share/mingw-w64/include/windows.h:mingw-w64-common
  /usr/i686-w64-mingw32/include/windows.h:mingw-w64-i686-dev /usr/src/googletest/CMakeLists.txt:googletest
  # The end-to-end tests' X-side helper (tests/xside), built for Linux.
  /usr/include/X11/Xlib.h:libx11-dev /usr/include/X11/extensions/Xfixes.h:libxfixes-dev
  # The Debian roots of `make test-debian13` and `make dist`.
  mmdebstrap:mmdebstrap rsync:rsync /usr/share/keyrings/debian-archive-keyring.gpg:debian-archive-keyring
)
[ "$mode" = bench ] && needed+=(/usr/include/X11/extensions/XTest.h:libxtst-dev)

# Prints the packages of "command:package" and "/file:package" pairs that are
# missing here.
missing_packages() {
  local pair
  for pair in "$@"; do
    case "$pair" in
      /*) [ -e "${pair%%:*}" ] || echo "${pair##*:}" ;;
      *) command -v "${pair%%:*}" >/dev/null 2>&1 || echo "${pair##*:}" ;;
    esac
  done
}

# Installs the given packages with apt, as root or through sudo.
install_packages() {
  [ $# -eq 0 ] && return 0
  local sudo="" packages
  packages="$(printf '%s\n' "$@" | sort -u | tr '\n' ' ')"
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if ! command -v apt-get >/dev/null 2>&1 || { [ -n "$sudo" ] && ! command -v sudo >/dev/null; }; then
    echo "bootstrap: no apt-get, or not root and no sudo; install these, then run again: $packages" >&2
    exit 1
  fi
  echo "bootstrap: installing $packages"
  export DEBIAN_FRONTEND=noninteractive
  if [[ "$packages" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails one list and keeps the others: go on with
  # them; the install says what it then cannot find.
  $sudo apt-get update -qq || echo "bootstrap: some package lists did not update; going on with the others" >&2
  if ! $sudo apt-get install -y -qq --no-install-recommends $packages >/dev/null; then
    echo "bootstrap: apt-get could not install them; its words are above" >&2
    return 1
  fi
  echo "bootstrap: done"
}

# The release build's two small sets, without Wine or the test tools: the
# root stays small and its builds depend on few packages.
case "$mode" in
  dist)
    install_packages $(missing_packages mmdebstrap:mmdebstrap rsync:rsync mount:mount \
      /usr/share/keyrings/debian-archive-keyring.gpg:debian-archive-keyring)
    exit 0 ;;
  dist-build)
    install_packages $(missing_packages cmake:cmake make:make zip:zip \
      i686-w64-mingw32-g++-posix:g++-mingw-w64-i686-posix i686-w64-mingw32-windres:binutils-mingw-w64-i686 \
      /usr/i686-w64-mingw32/include/windows.h:mingw-w64-i686-dev)
    exit 0 ;;
esac

package_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"
}

missing=($(missing_packages "${needed[@]}"))
# `convert` may be a stand-in without ImageMagick behind it.
package_installed imagemagick || missing+=("imagemagick")
install_packages "${missing[@]}"

# 32-bit Wine: the i386 loader package. Wine's packages bring the ALSA
# library of their architecture, which the hiss tests' sound device needs.
# Wine shows a colour pointer (the tinted can) only with the X cursor library
# of its own architecture; without it every pointer is drawn in two colours.
# Where the i386 packages cannot be had (a mirror whose i386 lists lag behind
# the host's), the Windows tests run in a Debian 12 root that has them
# (scripts/test.sh), and `make run` runs the 64-bit build.
missing32=()
for package in wine32:i386 libxcursor1:i386; do
  package_installed "$package" || missing32+=("$package")
done
if [ "${PINTAFLUX_WINDOWS_BITS:-}" != 64 ] && ! (install_packages "${missing32[@]}"); then
  echo "bootstrap: 32-bit Wine could not be installed here; the Windows tests run in a Debian 12 root" >&2
fi

# The 64-bit cross compiler and 64-bit Wine, whenever the Windows tests run a
# 64-bit build: asked for, or on a machine that cannot run 32-bit programs.
source "$(dirname "$0")/wine-env.sh"
if [ -n "$(windows_64bit_reason)" ]; then
  install_packages $(missing_packages \
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 \
    /usr/x86_64-w64-mingw32/include/windows.h:mingw-w64-x86-64-dev /usr/lib/wine/wine64:wine64 \
    /usr/lib/x86_64-linux-gnu/libXcursor.so.1:libxcursor1)
fi
