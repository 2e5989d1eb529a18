#!/usr/bin/env bash
# Lumora.scr under Wine: the notification-area icon and its menu.
#  - A left click on the icon opens nothing; a right click opens the menu.
#  - A click beside the open menu closes it without a choice, and the next
#    right click opens it again.
#  - When the shell restarts (its icons lost, then "TaskbarCreated"
#    broadcast) the icon comes back.
#  - "終了" ends the program and takes the icon away.
#
#   scr_tray_test.sh WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE
set -uo pipefail
# shellcheck source=scr_test_lib.sh
source "$(dirname "$0")/scr_test_lib.sh"

install_app "$work/app" renderer
start_scr "$work/app"
if ! wait_until 30 has_tray; then
  fail "no notification-area icon within 30 s"
  finish
fi
ok "the icon is in the notification area"

click_tray 1
sleep 1.5
if no_menu; then ok "a left click on the icon opens nothing"; else fail "a left click opened a menu"; fi

if open_menu; then
  ok "a right click on the icon opens the menu"
  sleep 0.5  # let it paint before the picture
  shot menu
  xdotool mousemove 900 600 click 1
  if wait_until 10 no_menu; then
    ok "a click beside the menu closes it"
    if running "$scr_pid" && no_show; then ok "and chooses nothing"
    else fail "a click beside the menu chose an entry"; fi
  else
    fail "the menu stays open after a click beside it"
  fi
  if open_menu; then ok "the next right click opens the menu again"
  else fail "the menu does not open a second time"; fi
else
  fail "no menu within 10 s of a right click on the icon"
fi

if has_menu; then
  xdotool mousemove 900 600 click 1
  wait_until 5 no_menu
fi
if shell_probe delete-icon && wait_until 10 no_tray; then
  shell_probe taskbar-created
  if wait_until 10 has_tray; then ok "a restarted shell gets the icon back"
  else fail "the icon is not added again after \"TaskbarCreated\""; fi
else
  fail "the icon could not be removed from outside"
fi

if open_menu; then
  click_menu last
  if wait_exit "$scr_pid" 15; then
    ok "\"終了\" ends the program (status $exit_status)"
    if wait_until 10 no_tray; then ok "and its icon is gone"; else fail "the icon stays after the program ended"; fi
  else
    fail "the program still runs 15 s after \"終了\""
  fi
else
  fail "the menu does not open for \"終了\""
fi
finish
