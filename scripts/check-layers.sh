#!/usr/bin/env bash
# Fails unless the program's folders depend one way: core/ (the shared state
# and the platform seam) at the ground, reaching only for the Settings record
# (settings/settings_record.h); settings/, paint/ and colour/ above it,
# reaching nothing in app/; app/ on top. And no files need each other, in a
# circle however long: a header and its source count as one.
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 1
scratch="$(mktemp)" || exit 1
trap 'rm -f "$scratch"' EXIT

# "file included" for every include of the program's own files.
includes() {
  grep -H -o '^#include "[^"]*"' core/* settings/* paint/* colour/* app/* \
    | sed 's/:#include "/ /; s/"$//'
}

status=0
while read -r file included; do
  case "$file:$included" in
    core/*:settings/settings_record.h) ;;
    core/*:app/* | core/*:settings/* | core/*:paint/* | core/*:colour/* \
      | settings/*:app/* | paint/*:app/* | colour/*:app/*)
      echo "$file reaches up to $included"
      status=1
      ;;
  esac
done < <(includes)

# tsort names the files of any circle.
includes | sed -E 's/\.(h|cpp) / /; s/\.h$//' | awk '$1 != $2' | sort -u \
  | tsort >/dev/null 2>"$scratch"
if [ -s "$scratch" ]; then
  echo "files that need each other:"
  sed 's/^tsort: //' "$scratch"
  status=1
fi
exit $status
