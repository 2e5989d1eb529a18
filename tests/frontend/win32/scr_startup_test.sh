#!/usr/bin/env bash
# Lumora.scr under Wine: what a start does before the program rests in the
# notification area.
#  - With an empty registry and no Lumora.dll beside it (but one in the
#    current folder, which does not count), a start with the configure switch
#    writes the eight renderer defaults, shows the message box titled
#    "Lumora", and ends once it is answered.
#  - With the renderer present, a start with the preview switch shows no
#    window, only the icon; a second start ends at once without reading or
#    writing the settings, and the first keeps running.
#
#   scr_startup_test.sh WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE
set -uo pipefail
# shellcheck source=scr_test_lib.sh
source "$(dirname "$0")/scr_test_lib.sh"

# --- No renderer beside the program.
install_app "$work/no renderer"
mkdir -p "$work/current"
cp "$STANDIN" "$work/current/Lumora.dll"
run_in="$work/current" start_scr "$work/no renderer" /c
if wait_until 30 has_message_box; then
  ok "without Lumora.dll beside it a message box titled \"Lumora\" appears"
  expected=$'00=10\n01=5\n02=20\n03=10\n04=20\n05=20\n06=1\n07=1'
  actual=$(for n in $(reg_names); do echo "$n=$(reg_value "$n")"; done)
  if [[ $actual == "$expected" ]]; then
    ok "the first start wrote the eight defaults \"00\"..\"07\" and nothing else"
  else
    fail "settings after the first start: $(tr '\n' ' ' <<<"$actual")"
  fi
  shot message_box
  box=$(message_box)
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key --window "$box" Return
  if wait_exit "$scr_pid" 15; then
    if [[ $exit_status -eq 0 ]]; then ok "answering the message box ends the program"
    else fail "the program ended with status $exit_status after the message box"; fi
  else
    fail "the program still runs 15 s after the message box was answered"
  fi
  [[ -e $work/current/standin.log ]] && fail "the Lumora.dll of the current folder was started"
else
  fail "no message box titled \"Lumora\" within 30 s"
fi
if no_tray; then ok "no icon was added"; else fail "an icon was added although the renderer is missing"; fi

# --- The renderer beside the program: one instance.
install_app "$work/app" renderer
start_scr "$work/app" /p 12345
first_pid=$scr_pid
if wait_until 30 has_tray; then
  ok "with the preview switch and a window handle the program rests in the notification area"
  sleep 1
  if [[ -z $(visible --class '^lumora\.scr$') ]]; then ok "it shows no window"
  else fail "a window of the program is visible"; fi

  # The second start must not even read the settings: a value deleted now
  # stays deleted (a load would write its default back).
  reg_delete 00
  start_scr "$work/app" /s
  if wait_exit "$scr_pid" 15; then
    ok "a second start ends at once (status $exit_status)"
  else
    fail "a second start still runs after 15 s"
  fi
  if reg_value 00 >/dev/null; then fail "the second start wrote the settings"
  else ok "the second start read and wrote no settings"; fi
  if running "$first_pid" && has_tray && ! has_message_box; then ok "the first instance and its icon remain"
  else fail "after a second start the first instance or its icon is gone"; fi
else
  fail "no notification-area icon within 30 s"
fi
finish
