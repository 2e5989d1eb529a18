#!/usr/bin/env bash
# Lumora.dll under Wine, one run: the window it shows (class, title, size,
# top-most popup), no cover on a single monitor, per-monitor DPI awareness
# from its manifest, a picture in it, and the input that must not end the show
# (mouse motion, ordinary keys, a close nobody asked for, the system's screen
# saver command) before a left click ends it with status 0.
#
#   saver_window.sh WINE LUMORA_DLL SAVER_PROBE
set -uo pipefail
# shellcheck source=saver_test_lib.sh
source "$(dirname "$0")/saver_test_lib.sh"

new_show

# The window as the system sees it.
info=$(probe find)
screen=$(awk '/^screen / { print $2 " " $3 }' <<<"$info")
if [[ $(awk '/^class / { print $2 }' <<<"$info") == WindowsScreenSaverClass ]]; then
  ok "class WindowsScreenSaverClass, title Lumora_VC"
else
  fail "window class: $info"
fi
if [[ $(awk '/^rect / { print $2, $3, $4 - $2, $5 - $3 }' <<<"$info") == "0 0 $screen" ]]; then
  ok "covers the screen ($screen) from (0, 0)"
else
  fail "window placement: $info"
fi
# WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, and WS_EX_TOPMOST.
style=$(awk '/^style / { print $2 }' <<<"$info")
exstyle=$(awk '/^exstyle / { print $2 }' <<<"$info")
if [[ $style == 0x96000000 ]] && (((exstyle & 0x8) != 0)); then
  ok "top-most popup (style $style, extended $exstyle)"
else
  fail "styles: style $style, extended $exstyle"
fi
# One monitor: nothing to cover. The manifest makes the show aware of each
# monitor's DPI.
monitors=$(probe monitors)
if [[ $(awk '/^monitors / { print $2 }' <<<"$monitors") == 1 && $(awk '/^covers / { print $2 }' <<<"$monitors") == 0 ]]
then ok "one monitor, no cover window"
else fail "covers: $monitors"; fi
if [[ $(awk '/^awareness / { print $2 }' <<<"$monitors") == 2 ]]; then ok "the show's window is per-monitor DPI aware"
else fail "DPI awareness: $monitors"; fi
root=$(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
geometry=$(xdotool getwindowgeometry "$show_window" | awk '/Geometry:/ { print $2 }')
if [[ $geometry == "$root" ]]; then
  ok "X window $geometry, the whole display"
else
  fail "X window $geometry, display $root"
fi

# A few seconds in, the show has drawn a sky: not the black of a window
# whose GL set-up failed.
sleep 5
import -window root "$work/shot.png"
mean=$(convert "$work/shot.png" -colorspace gray -format '%[fx:mean]' info:)
if awk -v m="$mean" 'BEGIN { exit !(m > 0.01) }'; then
  ok "the show draws (mean brightness $mean)"
else
  fail "the screen stays dark (mean brightness $mean)"
fi

# None of these may end the show.
check_survives() {
  if still_running "$show_pid" 1.5; then
    ok "$1: the show goes on"
  else
    fail "$1 ended the show"
    cat "$work/show.log"
    finish
  fi
}
xdotool mousemove 5 5 mousemove 1000 600 mousemove 640 360
check_survives "mouse motion across the screen"
xdotool windowfocus --sync "$show_window"
xdotool key a
check_survives "key a"
xdotool key Escape
check_survives "Escape"
probe post 0x0112 0xF140 >/dev/null  # WM_SYSCOMMAND, SC_SCREENSAVE
check_survives "SC_SCREENSAVE posted"
probe post 0x0112 0xF040 >/dev/null  # SC_NEXTWINDOW
check_survives "SC_NEXTWINDOW posted"
probe post 0x0010 0 >/dev/null       # WM_CLOSE before any input
check_survives "WM_CLOSE posted before any input"

# A left click ends it, and the program exits with 0.
xdotool click 1
if wait_exit "$show_pid" 15; then
  if [[ $exit_status -eq 0 ]]; then ok "a left click ends the show (exit status 0)"; else fail "exit status $exit_status"; fi
else
  fail "a left click did not end the show within 15 s"
  end_show
fi
if [[ -z $(show_windows) ]]; then ok "the window is gone"; else fail "a Lumora_VC window is left"; fi
finish
