#!/usr/bin/env bash
# Runs the hiss tests with a sound device of their own: Wine's ALSA output,
# which the other Windows tests keep switched off, goes as raw samples into a
# file that the tests read back.
#   with_sound_capture.sh WINE TEST_EXE FOLDER [more test options]
# Wine reads HOME, the ALSA configuration in it and WINEDLLOVERRIDES from the
# Unix environment a program starts with; a program the tests start inherits
# them. Setting them from inside a Windows program does not reach its children.
set -euo pipefail
wine="$1" tests="$2" folder="$3"

rm -rf "$folder"
mkdir -p "$folder/home"
capture="$folder/hiss.raw"
cat >"$folder/home/.asoundrc" <<EOF
pcm.!default { type file slave.pcm "null" file "$capture" format "raw" }
EOF

export HOME="$folder/home"
# The ALSA driver on, and PulseAudio's off so that a sound server running on
# the machine cannot take the sound instead.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winepulse.drv="
# The same file through Wine's drive for the Unix root.
export PINTAFLUX_SOUND_CAPTURE="Z:${capture//\//\\}"
exec "$wine" "$tests" --gtest_filter='Hiss.*' "${@:4}"
