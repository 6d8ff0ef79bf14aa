#!/usr/bin/env bash
# Fails unless the executable is a 32-bit GUI program that imports only
# KnownDLLs: Windows loads any other DLL that a program imports from the
# program's own folder first, before the program can say otherwise.
set -euo pipefail
objdump="$1"
exe="$2"
dump="$("$objdump" -p "$exe")"

grep -q "file format pei-i386" <<<"$dump" || { echo "not a PE32 i386 file: $exe"; exit 1; }
grep -Eq "^Subsystem[[:space:]]+0*2[[:space:]]" <<<"$dump" || { echo "not a GUI program"; exit 1; }

allowed="^(kernel32|user32|gdi32|comdlg32|msvcrt|advapi32|shell32)\.dll$"
status=0
while read -r dll; do
  name="$(tr '[:upper:]' '[:lower:]' <<<"$dll")"
  if [[ "$name" =~ $allowed ]]; then
    echo "imports $name"
  else
    echo "unexpected import: $dll"
    status=1
  fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
exit $status
