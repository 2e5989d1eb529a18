#!/usr/bin/env bash
# Lumora.scr under Wine: the notification-area icon and its menu.
#  - A left click on the icon opens nothing; a right click opens the menu.
#  - A click beside the open menu closes it without a choice, and the next
#    right click opens it again.
#  - "ホームページ" hands the home page address to the shell, which starts the
#    program registered for https (here the stand-in renderer, which logs
#    its command line).
#  - When the shell restarts (its icons lost, then "TaskbarCreated"
#    broadcast) the icon comes back.
#  - "終了" ends the program and takes the icon away.
#
#   scr_tray_test.sh WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE
set -uo pipefail
# shellcheck source=scr_test_lib.sh
source "$(dirname "$0")/scr_test_lib.sh"

install_app "$work/app" renderer
timeout 30 "$WINE" reg add 'HKLM\Software\Classes\https\shell\open\command' /ve \
  /d "\"$(windows_path "$work/app")\\Lumora.dll\" \"%1\"" /f </dev/null >/dev/null 2>&1
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
  # The third caption: below two captions and two separators.
  eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 63 / 100)) click 1
  if wait_until 15 has_show; then
    line=$(grep '^start' "$work/app/standin.log" | tr -d '\r')
    if [[ $line == *' "https://lumora.example.org/" show=1 '* ]]; then ok "\"ホームページ\" opens the home page through the shell"
    else fail "the shell was asked: $line"; fi
    close_show
  else
    fail "\"ホームページ\" did not reach the shell's https handler within 15 s"
  fi
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
