#!/usr/bin/env bash
# Lumora.scr under Wine: the notification-area icon and its menu.
#  - A left click on the icon opens nothing; a right click opens the menu.
#  - A click beside the open menu closes it without a choice, and the next
#    right click opens it again.
#  - "ホームページ" hands the help page beside the program to the shell, which
#    starts the program registered for .html (here the stand-in renderer,
#    which logs its command line); with the page gone it opens nothing and
#    says so in a message box.
#  - When the shell restarts (its icons lost, then "TaskbarCreated"
#    broadcast) the icon comes back.
#  - A shutdown that is cancelled (WM_QUERYENDSESSION, then WM_ENDSESSION
#    with FALSE) leaves the icon and its menu working; WM_ENDSESSION with
#    TRUE removes the icon.
#  - "終了" ends the program and takes the icon away; so does a WM_CLOSE from
#    outside (a second run).
#
#   scr_tray_test.sh WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE
set -uo pipefail
# shellcheck source=scr_test_lib.sh
source "$(dirname "$0")/scr_test_lib.sh"

install_app "$work/app" renderer
echo '<!doctype html><title>Lumora</title>' >"$work/app/Lumora.html"
timeout 30 "$WINE" reg add 'HKCU\Software\Classes\.html' /ve /d LumoraTestPage /f </dev/null >/dev/null 2>&1
timeout 30 "$WINE" reg add 'HKCU\Software\Classes\LumoraTestPage\shell\open\command' /ve \
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
  click_menu_entry m_URL
  if wait_until 15 has_show; then
    line=$(grep '^start' "$work/app/standin.log" | tr -d '\r')
    page="$(windows_path "$work/app")\\Lumora.html"
    if [[ $line == *" \"$page\" show=1 "* ]]; then ok "\"ホームページ\" opens the help page beside the program through the shell"
    else fail "the shell was asked: $line (expected the page $page)"; fi
    close_show
  else
    fail "\"ホームページ\" did not reach the shell's .html handler within 15 s"
  fi
fi
rm -f "$work/app/Lumora.html"
if open_menu; then
  click_menu_entry m_URL
  if wait_until 10 has_message_box; then
    ok "with the page gone, \"ホームページ\" says so in a message box"
    shot help-missing
    xdotool windowfocus --sync "$(message_box)" key Return 2>/dev/null
    wait_until 10 no_message_box || fail "the message box did not close"
    if (($(grep -c '^start' "$work/app/standin.log") == 1)); then ok "and opens nothing"
    else fail "a missing help page was handed to the shell"; fi
  else
    fail "no message box for a missing help page"
  fi
else
  fail "the menu did not open a second time"
fi
if shell_probe delete-icon && wait_until 10 no_tray; then
  shell_probe taskbar-created
  if wait_until 10 has_tray; then ok "a restarted shell gets the icon back"
  else fail "the icon is not added again after \"TaskbarCreated\""; fi
else
  fail "the icon could not be removed from outside"
fi

# --- The end of the session, first cancelled, then for real.
reply=$(shell_probe_out send 0x11 0)  # WM_QUERYENDSESSION
if [[ $reply == 1 ]]; then ok "a shutdown is not refused"; else fail "WM_QUERYENDSESSION answered: $reply"; fi
shell_probe send 0x16 0  # WM_ENDSESSION(FALSE): someone cancelled it
sleep 1
if has_tray && open_menu; then
  ok "after a cancelled shutdown the icon is still there and its menu opens"
  xdotool mousemove 900 600 click 1
  wait_until 10 no_menu
else
  fail "a cancelled shutdown left no icon or no menu"
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

# --- A second run: the session really ends, then a WM_CLOSE from outside.
start_scr "$work/app"
if wait_until 30 has_tray; then
  shell_probe send 0x16 1  # WM_ENDSESSION(TRUE)
  if wait_until 10 no_tray; then ok "at the real end of the session the icon is removed"
  else fail "the icon stays after WM_ENDSESSION(TRUE)"; fi
  shell_probe post 0x10 0  # WM_CLOSE
  if wait_exit "$scr_pid" 15; then ok "a WM_CLOSE from outside ends the program"
  else fail "the program still runs 15 s after a WM_CLOSE"; fi
else
  fail "the second start shows no icon within 30 s"
fi
start_scr "$work/app"
if wait_until 30 has_tray; then
  shell_probe post 0x10 0
  if wait_exit "$scr_pid" 15 && wait_until 10 no_tray; then ok "and takes its icon away"
  else fail "after a WM_CLOSE the program or its icon remains"; fi
else
  fail "the third start shows no icon within 30 s"
fi
finish
