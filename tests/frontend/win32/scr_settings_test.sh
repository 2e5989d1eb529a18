#!/usr/bin/env bash
# Lumora.scr under Wine: the settings dialog, opened from the tray menu.
#  - "各種設定..." opens the dialog "zireriri", centred across the screen and a
#    third of the way down, showing what the registry holds (a level above
#    its bar's range shows the bar's end and the stored number).
#  - An alarm due while the dialog is open does not start a show; its Off
#    switch acts on the live settings at once.
#  - Dragging a level bar's thumb changes its number.
#  - An enabled alarm with hour 24: OK shows the alarm-time message and the
#    dialog stays; nothing is written. Back from the message the hour box has
#    the focus with its text selected: a typed "9" replaces it.
#  - OK writes the twenty values, which the next opening shows, and sets
#    the wake timer for the enabled alarm.
#  - Restore defaults, then Cancel: the registry is unchanged, every alarm
#    is off in the running program and the wake timer is cancelled. Esc
#    closes.
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
trace() { tr -d '\r' <"$work/scr.log" | sed -n 's/.*Lumora: settings: //p' | sed 's/\\n"$//'; }
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
  click_menu_entry m_Set
  wait_until 15 has_dialog && wait_until 10 opened "$1"
}

# Every value of the section as NAME=TEXT lines.
reg_all() {
  timeout 30 "$WINE" reg query "$section" </dev/null 2>/dev/null | tr -d '\r' |
    awk '$2 == "REG_SZ" { print $1 "=" $3 }' | sort
}
dialog_check() {  # WHAT NAME EXPECTED: the last trace line of NAME
  local got
  got=$(last "$2")
  if [[ $got == "$3" ]]; then ok "$1"; else fail "$1: $2 shows \"$got\", not \"$3\""; fi
}
# type_in DX DY TEXT: replaces the text of the combo box at that point.
type_in() {
  click_in "$1" "$2"
  sleep 0.3
  xdotool key End shift+Home BackSpace
  xdotool type --delay 50 "$3"
}
# Client points (the picture box lies 8 px in): buttons, bars, switches, boxes.
SET=(269 458) INIT=(195 458) CANCEL=(345 458)

install_app "$work/app" renderer
reg_set 00 50 && reg_set 01 0 && reg_set 04 64 && reg_set 06 0 && reg_set 07 1 && reg_set 09 5
start_scr "$work/app"
if ! wait_until 30 has_tray; then
  fail "no notification-area icon within 30 s"
  finish
fi
# Slot 1's alarm at the next full minute at least 20 s ahead. The program
# runs already; the dialog reads it into the live settings as it opens.
alarm=$(($(date +%s) + 80))
alarm=$((alarm - alarm % 60))
hour=$((10#$(date -d "@$alarm" +%H))) minute=$((10#$(date -d "@$alarm" +%M)))
reg_set 12 1 && reg_set 15 "$hour" && reg_set 18 "$minute"

if open_dialog 1; then
  ok "\"各種設定...\" opens the dialog"
else
  fail "no dialog within 25 s of \"各種設定...\""
  finish
fi
sleep 1
shot settings-dialog
eval "$(xdotool getwindowgeometry --shell "$(dialog_window)")"
screen=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2 }')
sw=${screen%x*} sh=${screen#*x}
if ((X >= (sw - WIDTH) / 2 - 2 && X <= (sw - WIDTH) / 2 + 2 && Y >= (sh - HEIGHT) / 3 - 2 && Y <= (sh - HEIGHT) / 3 + 2)); then
  ok "it stands centred across the screen and a third of the way down ($X,$Y, ${WIDTH}x$HEIGHT)"
else
  fail "it stands at $X,$Y (${WIDTH}x$HEIGHT) on a ${screen} screen"
fi
dialog_check "a stored 50 shows the bar's end and the number itself" "HS(0)" "30 50"
dialog_check "a stored 0 on a 0-based bar shows 0" "HS(1)" "0 0"
dialog_check "a stored 64 shows 64" "HS(4)" "64 64"
dialog_check "weather 0 selects the starry sky" "Img_Cloud(0)" "selected"
dialog_check "the alarm shows the stored time" "alarm(1)" "$hour:$minute"
dialog_check "the alarm shows On" "Img_On(1)" "selected"
dialog_check "the CD track and the file show" "BGM_Repeat" "[5] lbl_Fname []"

# Drag HS(2)'s thumb (value 20 of 0..100: about 32 px into the 97-px bar).
read -r _ ox oy <<<"$(trace | grep '^open ' | tail -1)"
xdotool mousemove $((ox + 228 + 32)) $((oy + 112)) mousedown 1
for dx in 40 48 56 64; do xdotool mousemove $((ox + 228 + dx)) $((oy + 112)); sleep 0.1; done
xdotool mouseup 1
sleep 0.5
dragged=$(last "HS(2)")
if [[ $dragged =~ ^([0-9]+)\ ([0-9]+)$ ]] && ((BASH_REMATCH[1] > 20)) && [[ ${BASH_REMATCH[1]} == "${BASH_REMATCH[2]}" ]]; then
  ok "dragging the wind bar's thumb moves its number with it ($dragged)"
else
  fail "after the drag HS(2) shows \"$dragged\""
fi

# The alarm comes due while the dialog is open.
while (($(date +%s) < alarm + 3)); do sleep 1; done
if no_show && has_dialog; then ok "the alarm at $hour:$(printf %02d "$minute") starts no show while the dialog is open"
else fail "a show started while the dialog was open"; fi
click_in 166 402  # Img_Off(1)
wait_until 5 eval '[[ $(last "Img_Off(1)") == selected ]]'
dialog_check "the alarm's Off switch answers a click" "Img_Off(1)" "selected"

# An enabled slot with hour 24: the message, and the dialog stays.
before=$(reg_all)
click_in 210 378  # Img_On(0)
type_in 258 378 24
click_in "${SET[@]}"
if wait_until 10 has_message_box; then
  ok "hour 24 in an enabled slot gives the alarm-time message"
  xdotool key Return
  wait_until 10 eval '! has_message_box'
else
  fail "no message for hour 24"
fi
if has_dialog && [[ $(reg_all) == "$before" ]]; then ok "and the dialog stays open with nothing written"
else fail "after the alarm-time message the dialog closed or the registry changed"; fi

# Typed at once, with no click: the bad hour box has the focus.
sleep 0.5
xdotool type --delay 50 9
type_in 322 378 15
# The alarm at 9:15 next comes round at this moment.
due=$(date -d "today 09:15" +%s)
if ((due <= $(date +%s))); then due=$(date -d "tomorrow 09:15" +%s); fi
wake="wake timer set for $(date -u -d "@$due" '+%Y-%m-%d %H:%M') UTC"

# OK with good times writes all twenty values.
click_in "${SET[@]}"
if wait_until 10 no_dialog; then ok "\"設定\" closes the dialog"; else fail "\"設定\" left the dialog open"; fi
wind=${dragged%% *}
expected=$(printf '%s\n' 00=30 01=0 02="$wind" 03=10 04=64 05=20 06=0 07=1 08=0 09=5 10= 11=1 12=0 13=0 14=9 \
  15="$hour" 16=0 17=15 18="$minute" 19=0 | sort)
got=$(reg_all)
if [[ $got == "$expected" ]]; then ok "and writes the twenty values (the hour typed after the message went to its box)"
else fail "the registry holds: $(echo $got)"; fi
if wait_until 5 eval 'grep -q "Lumora: $wake" "$work/scr.log"'; then ok "and sets the wake timer for 9:15 (${wake#wake timer set for })"
else fail "no \"$wake\" in the log: $(grep -a 'wake timer' "$work/scr.log" | tr -d '\r' | tail -2)"; fi

if open_dialog 2; then
  dialog_check "the second opening shows the saved wind" "HS(2)" "$wind $wind"
  dialog_check "and the saved alarm time" "alarm(0)" "9:15"
  before=$(reg_all)
  click_in "${INIT[@]}"
  wait_until 5 eval '[[ $(last "HS(0)") == "10 10" ]]'
  dialog_check "restore defaults puts the defaults on the bars" "HS(0)" "10 10"
  click_in "${CANCEL[@]}"
  if wait_until 10 no_dialog && [[ $(reg_all) == "$before" ]]; then ok "restore defaults, then Cancel, leaves the registry as it was"
  else fail "after restore defaults and Cancel the dialog stays or the registry changed"; fi
  # The defaults switched every alarm off in the running program.
  if wait_until 5 eval 'grep -q "Lumora: wake timer cancelled" "$work/scr.log"'; then
    ok "with every alarm off the wake timer is cancelled"
  else fail "the wake timer was not cancelled with every alarm off"; fi
else
  fail "the dialog does not open a second time"
fi

if open_dialog 3; then
  xdotool key Escape
  if wait_until 10 no_dialog; then ok "Esc closes the dialog"; else fail "Esc left the dialog open"; fi
else
  fail "the dialog does not open a third time"
fi
if running "$scr_pid" && has_tray; then ok "the program and its icon are still there"
else fail "the program or its icon is gone after the dialog"; fi
finish
