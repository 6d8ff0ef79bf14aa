#!/usr/bin/env bash
# Runs a command in a Debian root of the given release (bookworm, trixie, or
# bookworm-i386 for amd64 and i386 from the main suite alone, where 32-bit
# Wine installs): the root is made once with mmdebstrap and kept in the build folder, these
# sources are brought into its /src, what they need is installed there with
# the root's own apt (bootstrap.sh in the given mode), online, and the
# command runs in /src, in a mount namespace of its own, so that nothing
# stays mounted when it ends or is killed. What it leaves in /out is copied
# into OUT ("-" for nothing), owned by whoever ran this. OUT "here" copies
# nothing either: the command then runs in these very sources, mounted at
# their own path with the build folder, as whoever ran this, so that it
# works on what was built here.
#   in-root.sh RELEASE online|offline BOOTSTRAP_MODE OUT COMMAND
# "offline" also gives the command a network namespace of its own, which
# keeps its X displays (abstract sockets) apart from the host's.
set -euo pipefail
release="$1" network="$2" mode="$3" out="$4" command="$5"
sources="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$sources/build}"
mkdir -p "$build"
roots="${PINTAFLUX_ROOTS:-$(cd "$build" && pwd)/roots}"
dir="$roots/$release" suite="${release%-i386}"

# The root's copy of the sources has no history: the commit comes along.
PINTAFLUX_COMMIT="${PINTAFLUX_COMMIT:-$(bash "$sources/scripts/dist.sh" commit)}"
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(bash "$sources/scripts/dist.sh" commit-time)}"

# Runs a command as root: directly, or through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "in-root: not root and sudo is missing; run as root" >&2
    return 1
  fi
}

# run_in_root NETWORK COMMAND [here]. Only the names below cross into the
# root; the rest of the host's environment (its DISPLAY, its WINEPREFIX)
# stays out.
run_in_root() {
  local namespaces=(--mount --fork) passed=() name here=()
  [ "$1" = offline ] && namespaces+=(--net)
  [ "${3:-}" = here ] && here=(SHARED="$sources $(cd "$build" && pwd)" USERSPEC="$(id -u):$(id -g)")
  for name in PINTAFLUX_WINDOWS_BITS CI PINTAFLUX_COMMIT SOURCE_DATE_EPOCH; do
    [ -n "${!name:-}" ] && passed+=("$name=${!name}")
  done
  as_root unshare "${namespaces[@]}" env -i "${passed[@]}" \
    ROOT="$dir" COMMAND="$2" "${here[@]}" PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c '
      set -e
      mount --make-rprivate /
      # The root as a mount of its own: a command in it may then make a
      # namespace of its own too (make dist in a root makes a root inside).
      mount --bind "$ROOT" "$ROOT"
      mount -t proc proc "$ROOT/proc"
      # An emulator registered for 32-bit programs shows there too (wine-env.sh).
      mount --bind /proc/sys/fs/binfmt_misc "$ROOT/proc/sys/fs/binfmt_misc" 2>/dev/null || true
      mount --rbind /sys "$ROOT/sys"
      mount --rbind /dev "$ROOT/dev"
      mount -t tmpfs tmpfs "$ROOT/tmp"
      cp /etc/resolv.conf "$ROOT/etc/resolv.conf" 2>/dev/null || true
      [ -z "${SHARED:-}" ] && exec chroot "$ROOT" env HOME=/root TERM=dumb LANG=C.UTF-8 bash -c "$COMMAND"
      for shared in $SHARED; do mkdir -p "$ROOT$shared"; mount --bind "$shared" "$ROOT$shared"; done
      exec chroot --userspec="$USERSPEC" "$ROOT" env HOME=/tmp TERM=dumb LANG=C.UTF-8 bash -c "$COMMAND"'
}

# The root, made when it is missing or broken (mmdebstrap's default archive
# is the one this machine's own apt uses); whole once its shell runs. The
# i386 root takes the release's main suite alone, from the archive of this
# machine's own main suite: a mirror's i386 security list has lagged behind
# for days, and with it the whole root failed.
archive=("$suite" "$dir")
if [ "$suite" != "$release" ]; then
  uri="$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null | awk '$2 !~ /-/ {print $1; exit}')"
  archive=(--architectures=amd64,i386 "$suite" "$dir" "deb ${uri:?in-root: apt names no archive here} $suite main")
fi
if ! { [ -f "$dir/.pintaflux-root" ] && as_root chroot "$dir" /bin/true 2>/dev/null; }; then
  if ! command -v mmdebstrap >/dev/null 2>&1; then
    echo "in-root: mmdebstrap is missing; run 'make bootstrap' first" >&2
    exit 1
  fi
  echo "in-root: making a Debian $release root in $dir (once, about a minute)"
  as_root rm -rf "$dir"
  mkdir -p "$roots"
  if ! as_root mmdebstrap --quiet --mode=root --variant=apt \
       --include=make,ca-certificates,procps "${archive[@]}" >"$roots/$release.log" 2>&1; then
    as_root rm -rf "$dir"
    echo "in-root: mmdebstrap could not make the Debian $release root (no network, or the" \
         "archive unreachable?); its words are in $roots/$release.log; fix that and run again" >&2
    exit 1
  fi
  as_root touch "$dir/.pintaflux-root"
fi

# These sources in /src, without history, downloads or build folders. Only
# files whose contents differ are copied, and they take the time of the copy,
# so that builds there see every change and stay incremental.
as_root mkdir -p "$dir/src"
as_root rsync --recursive --links --checksum --delete --exclude=/.git \
  --exclude="/build*" --exclude=/dist "$sources/" "$dir/src/"
if ! run_in_root online "cd /src && bash scripts/bootstrap.sh $mode"; then
  echo "in-root: could not install what the Debian $release root needs (no network?" \
       "its words are above); fix that and run again" >&2
  exit 1
fi

as_root rm -rf "$dir/out"
as_root mkdir "$dir/out"
if [ "$out" = here ]; then
  run_in_root "$network" "cd '$sources' && $command" here || exit 1
  exit 0
fi
if ! run_in_root "$network" "cd /src && $command"; then
  echo "in-root: '$command' failed in the Debian $release root; its words are above" >&2
  exit 1
fi
if [ "$out" != - ]; then
  # Copied out by a tar that runs as the caller, so that nothing here is
  # left owned by root when the caller is not.
  mkdir -p "$out"
  as_root tar -C "$dir/out" -cf - . | tar -C "$out" -xf - --no-same-owner
  echo "in-root: in $out from Debian $(cat "$dir/etc/debian_version"): $(ls "$out" | tr '\n' ' ')"
fi
