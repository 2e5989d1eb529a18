#!/usr/bin/env bash
# Lumora.dll under Wine: each input that ends the show, on a fresh show: the
# right and middle buttons, Alt, F10, and another program taking the
# foreground. (The left button is in saver_window.sh.) The program must exit
# with status 0 within a few seconds.
#
#   saver_input_ends.sh WINE LUMORA_DLL SAVER_PROBE
set -uo pipefail
# shellcheck source=saver_test_lib.sh
source "$(dirname "$0")/saver_test_lib.sh"

# expect_end WHAT: the show must end within 15 s with status 0.
expect_end() {
  if wait_exit "$show_pid" 15; then
    if [[ $exit_status -eq 0 ]]; then ok "$1 ends the show"; else fail "$1: exit status $exit_status"; fi
  else
    fail "$1 did not end the show within 15 s"
    end_show
  fi
}

new_show
xdotool mousemove 640 360 click 3
expect_end "right button"

new_show
xdotool mousemove 640 360 click 2
expect_end "middle button"

new_show
xdotool windowfocus --sync "$show_window" key alt
expect_end "Alt"

new_show
xdotool windowfocus --sync "$show_window" key F10
expect_end "F10"

new_show
start_probe window 20000
expect_end "another program's window taking the foreground"
kill -KILL "$probe_pid" 2>/dev/null
wait "$probe_pid" 2>/dev/null

finish
