#!/usr/bin/env bash
# Black-box checks of lumora-gif: usage and errors, the info of a file, and
# composed frames written as PNGs (read back with ImageMagick and compared
# with the expected pixels of the decoder suite and of our own cases). Given a Wine and the Windows
# build, that one must print and write the very same bytes as the native one.
#
#   lumora_gif_test.sh SUITE_DIR NATIVE_LUMORA_GIF [WINE WINDOWS_LUMORA_GIF]
set -uo pipefail

if [[ $# -ne 2 && $# -ne 4 ]]; then
  echo "usage: $0 SUITE_DIR NATIVE_LUMORA_GIF [WINE WINDOWS_LUMORA_GIF]" >&2
  exit 2
fi
suite=$1 native=$2 wine=${3:-} windows=${4:-}
# shellcheck source=../../tools/check_lib.sh
source "$(dirname "$0")/../../tools/check_lib.sh"
cases=$(cd "$(dirname "$0")/cases" && pwd)
if [[ ! -x $native ]]; then
  echo "FAIL: $native is missing (build the native preset before testing the windows one)"
  exit 1
fi

# expect_run NAME STATUS PATTERN COMMAND...: exit status and a line of its
# stdout and stderr together.
expect_run() {
  local name=$1 status=$2 pattern=$3 rc
  shift 3
  "$@" >"$work/out" 2>&1
  rc=$?
  if [[ $rc -eq $status ]] && grep -Eq -- "$pattern" "$work/out"; then
    ok "$name"
  else
    fail "$name: exit $rc (want $status), output: $(head -c 300 "$work/out")"
  fi
}

expect_run "no arguments: usage" 2 '^usage: lumora-gif info FILE' "$native"
expect_run "frames without --out: usage" 2 'usage:' "$native" frames "$suite/animation.gif"
expect_run "unknown command: usage" 2 'usage:' "$native" show "$suite/animation.gif"
expect_run "missing file" 1 'cannot read .*nothing.gif' "$native" info "$work/nothing.gif"
expect_run "truncated file: End of File" 1 'image-zero-width.gif: End of File \(error 53 in ReadGifFile\)' \
  "$native" info "$suite/image-zero-width.gif"
expect_run "not a GIF" 1 'animation.conf: not a GIF$' "$native" info "$suite/animation.conf"
expect_run "no image: no usable frame" 1 'no usable frame$' "$native" info "$suite/no-data.gif"
expect_run "info: canvas" 0 '^canvas 2x2$' "$native" info "$suite/animation-speed.gif"
expect_run "info: frames and their delays" 0 \
  '^frame 4: rect 0,0 2x2, delay 2000 ms, disposal 0, transparent none, palette 0 \(global, 2 colours\)$' \
  "$native" info "$suite/animation-speed.gif"
expect_run "info: loop count" 0 '^loops 65535$' "$native" info "$suite/loop-max.gif"
expect_run "info: disposal and transparency" 0 'rect 1,1 1x1, delay 500 ms, disposal 3, ' \
  "$native" info "$suite/dispose-restore-previous.gif"
expect_run "info: local tables" 0 '^frame 4: .*palette 4 \(local, 256 colours\)$' "$native" info "$suite/high-color.gif"

# Composed frames against the expected RGBA pixels: compare_frames DIR GIF
# EXPECTED..., the files in DIR.
compare_frames() {
  local dir=$1 gif=$2 n=0 expected
  shift 2
  rm -rf "$work/frames"
  if ! "$native" frames "$dir/$gif" --out "$work/frames" >"$work/out" 2>&1; then
    fail "frames $gif: $(cat "$work/out")"
    return
  fi
  for expected in "$@"; do
    n=$((n + 1))
    convert "$work/frames/$(printf 'frame_%04d.png' "$n")" rgba:"$work/frame.rgba" 2>/dev/null
    if ! cmp -s "$work/frame.rgba" "$dir/$expected"; then
      fail "frames $gif: frame $n differs from $expected"
      return
    fi
  done
  if [[ -e $work/frames/$(printf 'frame_%04d.png' $((n + 1))) ]]; then
    fail "frames $gif: more than $n frames"
    return
  fi
  ok "frames $gif: $n PNGs as expected"
}
compare_frames "$suite" animation.gif animation.0.rgba animation.1.rgba animation.2.rgba animation.3.rgba
compare_frames "$suite" transparent.gif four-colors-transparent.rgba
compare_frames "$suite" interlace.gif all-reds.rgba
compare_frames "$suite" dispose-restore-background.gif animation-erase.0.rgba animation-erase.1.rgba \
  animation-erase.2.rgba animation-erase.3.rgba
# Minimum LZW code size 1 (ImageMagick itself cannot read this GIF, only the PNG).
compare_frames "$cases" code-size-1.gif code-size-1.rgba

if [[ -n $wine ]]; then
  export WINEDEBUG=${WINEDEBUG:--all}
  for gif in "$suite"/{animation-speed,high-color,dispose-restore-previous,max-codes}.gif "$cases/code-size-1.gif"; do
    name=$(basename "$gif" .gif)
    "$native" info "$gif" >"$work/native.txt" 2>&1
    native_rc=$?
    "$wine" "$windows" info "$gif" >"$work/wine.txt" 2>&1 </dev/null
    wine_rc=$?
    # stderr names the file as it was given: the same path on both sides.
    if [[ $native_rc -eq $wine_rc ]] && cmp -s "$work/native.txt" "$work/wine.txt"; then
      ok "info $name: Windows build prints the same (exit $wine_rc)"
    else
      fail "info $name: Windows build differs (exit $native_rc / $wine_rc): $(diff "$work/native.txt" "$work/wine.txt" | head -5)"
    fi
    rm -rf "$work/n" "$work/w"
    "$native" frames "$gif" --out "$work/n" >/dev/null 2>&1
    "$wine" "$windows" frames "$gif" --out "$work/w" >/dev/null 2>&1 </dev/null
    # A file that does not load makes no folder on either side.
    if diff -r "$work/n" "$work/w" >/dev/null 2>&1 || [[ ! -e $work/n && ! -e $work/w ]]; then
      ok "frames $name: Windows build writes the same PNGs"
    else
      fail "frames $name: Windows build writes different files"
    fi
  done
fi
finish
