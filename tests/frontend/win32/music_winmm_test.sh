#!/usr/bin/env bash
# Runs music_winmm_test.exe with real sound under Wine: a private prefix
# (tools/wine/run.sh), a null ALSA output device in the HOME the Wine
# process sees, and a short MP3 (made with lame) in a folder whose
# path holds a space. Missing tools make the sound cases skip, naming the
# package to install; the test itself still runs.
#
#   music_winmm_test.sh WINE MUSIC_WINMM_TEST_EXE
set -uo pipefail
if [[ $# -lt 2 ]]; then
  echo "usage: $0 WINE MUSIC_WINMM_TEST_EXE" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
if [[ ${LUMORA_MUSIC_INNER:-} != 1 ]]; then
  export LUMORA_MUSIC_INNER=1
  exec bash "$here/../../../tools/wine/run.sh" bash "$0" "$@"
fi
WINE=$1 TEST_EXE=$2
export LC_ALL=C.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
music="$work/music files"
mkdir -p "$music" "$work/home"

# The ALSA library reads ~/.asoundrc: every sound goes to a null device.
printf '%s\n' 'pcm.!default { type null }' 'ctl.!default { type hw card 0 }' >"$work/home/.asoundrc"

skip=""
if ! command -v lame >/dev/null; then
  skip="no MP3 encoder: install lame (tools/setup.sh)"
elif ! dpkg-query -W -f='${db:Status-Abbrev}' gstreamer1.0-plugins-good 2>/dev/null | grep -q '^ii'; then
  skip="Wine cannot decode MP3: install gstreamer1.0-plugins-good (tools/setup.sh)"
else
  # 1.2 s of a 440 Hz tone, 16-bit mono at 22050 Hz, as a WAV file for lame.
  perl -e '$n = 26460; print "RIFF", pack("V", 36 + 2 * $n), "WAVEfmt ", pack("VvvVVvv", 16, 1, 1, 22050, 44100, 2, 16),
    "data", pack("V", 2 * $n), pack("s<*", map { int(6000 * sin(2 * 3.14159265 * 440 * $_ / 22050)) } 0 .. $n - 1)' \
    >"$work/tone.wav"
  if ! lame --quiet "$work/tone.wav" "$music/tone.mp3"; then
    skip="lame could not make the test MP3"
  fi
fi

if [[ -n $skip ]]; then
  echo "music: $skip"
  export LUMORA_TEST_MUSIC_SKIP=$skip
else
  # Wine sees the Unix root as drive Z:.
  windows_dir="Z:${music//\//\\}"
  export LUMORA_TEST_MUSIC_DIR=$windows_dir
fi
HOME="$work/home" XDG_CACHE_HOME="$work/home/.cache" timeout 240 "$WINE" "$TEST_EXE" </dev/null
