#!/usr/bin/env bash
# Lumora.scr under Wine: the settings dialog, opened from the tray menu.
#  - "各種設定..." opens the dialog "zireriri", centred across the screen and a
#    third of the way down, showing what the registry holds (a level above
#    its bar's range shows the bar's end and the stored number).
#  - An alarm due while the dialog is open does not start a show.
#  - Dragging a level bar's thumb changes its number.
#  - An enabled alarm with hour 24: OK shows the alarm-time message and the
#    dialog stays; nothing is written.
#  - OK writes the twenty values, which the next opening shows.
#  - Restore defaults, then Cancel: the registry is unchanged. Esc closes.
#
#   scr_settings_test.sh WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE
# LUMORA_SCR_SHOTS=DIR keeps the screenshots (the dialog as it opens).
set -uo pipefail
# shellcheck source=scr_test_lib.sh
source "$(dirname "$0")/scr_test_lib.sh"
export WINEDEBUG=-all,warn+debugstr

dialog_window() { visible --name '^zireriri$'; }
has_dialog() { [[ -n $(dialog_window) ]]; }
no_dialog() { [[ -z $(dialog_window) ]]; }
# The dialog's trace lines since the last opening, without the prefix.
trace() { tr -d '\r' <"$work/scr.log" | sed -n 's/.*Lumora: settings: //p' | sed 's/\\n$//;s/"$//'; }
opened() { [[ $(trace | grep -c '^open ') -ge $1 ]]; }
last() { trace | grep "^$1 " | tail -1 | cut -d' ' -f2-; }
# click_in DX DY [BUTTON]: a click at a point of the dialog's client area.
click_in() {
  local origin
  origin=$(trace | grep '^open ' | tail -1)
  read -r _ ox oy <<<"$origin"
  xdotool mousemove $((ox + $1)) $((oy + $2)) click "${3:-1}"
}
# open_dialog N: the tray menu's second entry; waits for the Nth opening.
open_dialog() {
  open_menu || return 1
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 37 / 100)) click 1
  wait_until 15 has_dialog && wait_until 10 opened "$1"
}

install_app "$work/app" renderer
reg_set 00 50 && reg_set 01 0 && reg_set 04 64 && reg_set 06 0 && reg_set 07 1 && reg_set 09 5
# Slot 1's alarm in the next minute, at least 25 s ahead.
alarm=$(($(date +%s) + 85))
alarm=$((alarm - alarm % 60))
hour=$((10#$(date -d "@$alarm" +%H))) minute=$((10#$(date -d "@$alarm" +%M)))
reg_set 12 1 && reg_set 15 "$hour" && reg_set 18 "$minute"
start_scr "$work/app"
if ! wait_until 30 has_tray; then
  fail "no notification-area icon within 30 s"
  finish
fi
if open_dialog 1; then
  ok "\"各種設定...\" opens the dialog"
else
  fail "no dialog within 25 s of \"各種設定...\""
  grep -a Lumora "$work/scr.log" | head -5; shot failed
  finish
fi
sleep 1
shot settings-dialog
finish
