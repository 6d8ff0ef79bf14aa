# Sourced by in-root.sh, dist-in-root.sh and check-dist.sh: Debian roots of
# a given release (trixie, say) made with mmdebstrap, kept between runs, and
# commands run inside them in a mount namespace of their own, so that nothing
# stays mounted when a command ends or is killed.

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

# The root of a release, in the folder for roots.
root_folder() {
  echo "$roots/$1"
}

# A root is whole once mmdebstrap has finished it and its shell runs.
root_is_whole() {
  local dir="$1"
  [ -f "$dir/.pintaflux-root" ] && as_root chroot "$dir" /bin/true 2>/dev/null
}

# Makes the root of the release when it is missing or broken. mmdebstrap's
# default archive is the one this machine's own apt uses.
ensure_root() {
  local release="$1" dir
  dir="$(root_folder "$release")"
  root_is_whole "$dir" && return 0
  if ! command -v mmdebstrap >/dev/null 2>&1; then
    echo "in-root: mmdebstrap is missing; run 'make bootstrap' first" >&2
    return 1
  fi
  echo "in-root: making a Debian $release root in $dir (once, about a minute)"
  as_root rm -rf "$dir"
  mkdir -p "$roots"
  if ! as_root mmdebstrap --quiet --mode=root --variant=apt \
       --include=make,ca-certificates,procps "$release" "$dir" >"$roots/$release.log" 2>&1; then
    as_root rm -rf "$dir"
    echo "in-root: mmdebstrap could not make the Debian $release root (no network, or the" \
         "archive unreachable?); its words are in $roots/$release.log; fix that and run again" >&2
    return 1
  fi
  as_root touch "$dir/.pintaflux-root"
}

# Brings the root's /src to these sources, without history, downloads or
# build folders. Only files whose contents differ are copied, and they take
# the time of the copy, so that builds there see every change and stay
# incremental: kept times would look older than a build made since.
copy_sources_into_root() {
  local dir="$1"
  as_root mkdir -p "$dir/src"
  as_root rsync --recursive --links --checksum --delete --exclude=/.git \
    --exclude="/build*" --exclude=/dist "$sources/" "$dir/src/"
}

# prepare_root RELEASE [BOOTSTRAP MODE]: makes the root when it is missing
# or broken, brings these sources into its /src and installs what they need
# there with the root's own apt (bootstrap.sh in that mode), online; quick
# when it is all there already. Sets root_dir.
prepare_root() {
  local release="$1" mode="${2:-}"
  ensure_root "$release" || return 1
  root_dir="$(root_folder "$release")"
  copy_sources_into_root "$root_dir"
  if ! run_in_root "$release" online "cd /src && bash scripts/bootstrap.sh $mode"; then
    echo "in-root: could not install what the Debian $release root needs (no network?" \
         "its words are above); fix that and run again" >&2
    return 1
  fi
}

# run_in_root RELEASE NETWORK COMMAND: runs the shell command in the root, in
# a mount namespace of its own. NETWORK "offline" also gives it a network
# namespace of its own, which keeps its X displays (abstract sockets) apart
# from the host's; "online" keeps the host's network, for apt.
run_in_root() {
  local release="$1" network="$2" command="$3" dir
  dir="$(root_folder "$release")"
  local namespaces=(--mount --fork)
  [ "$network" = offline ] && namespaces+=(--net)
  # Only the names below cross into the root; the rest of the host's
  # environment (its DISPLAY, its WINEPREFIX) stays outside. The release
  # build's copy of the sources has no history: its commit comes along.
  local passed=() name
  for name in PINTAFLUX_WINDOWS_BITS CI PINTAFLUX_COMMIT SOURCE_DATE_EPOCH; do
    [ -n "${!name:-}" ] && passed+=("$name=${!name}")
  done
  as_root unshare "${namespaces[@]}" env -i "${passed[@]}" \
    ROOT="$dir" COMMAND="$command" PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c '
      set -e
      mount --make-rprivate /
      # The root as a mount of its own: a command in it may then make a
      # namespace of its own too (make dist in a root makes a root inside).
      mount --bind "$ROOT" "$ROOT"
      mount -t proc proc "$ROOT/proc"
      mount --rbind /sys "$ROOT/sys"
      mount --rbind /dev "$ROOT/dev"
      mount -t tmpfs tmpfs "$ROOT/tmp"
      cp /etc/resolv.conf "$ROOT/etc/resolv.conf" 2>/dev/null || true
      exec chroot "$ROOT" env HOME=/root TERM=dumb LANG=C.UTF-8 bash -c "$COMMAND"'
}
