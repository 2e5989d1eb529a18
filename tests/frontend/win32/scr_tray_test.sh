#!/usr/bin/env bash
# Lumora.scr under Wine: the notification-area icon and its menu.
#  - A left click on the icon opens nothing; a right click opens the menu.
#  - A click beside the open menu closes it without a choice, and the next
#    right click opens it again.
#  - "ホームページ" hands the help page beside the program to the shell (seen
#    in the debug output: Wine has no browser); with the page gone it opens
#    nothing and says so in a message box.
#  - "効果音" writes "20" as "0", then "70"; "Windows の起動時に開始" writes
#    the Run value "Lumora" as the program's quoted path, then deletes it;
#    while the system's StartupApproved value says disabled it only explains.
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
# The program's OutputDebugStringA lines, on Wine's debugstr channel.
export WINEDEBUG=-all,warn+debugstr
help_requests() { grep -a -c 'Lumora: help page: ' "$work/scr.log" 2>/dev/null || true; }
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
  page="$(windows_path "$work/app")\\Lumora.html"
  if wait_until 15 eval '(($(help_requests) == 1))'; then
    line=$(grep -a 'Lumora: help page: ' "$work/scr.log" | tr -d '\r' | sed 's/.*Lumora: help page: //; s/\\n"$//')
    if [[ ${line//\\\\/\\} == "$page" ]]; then ok "\"ホームページ\" hands the help page beside the program to the shell"
    else fail "the shell was asked for: $line (expected the page $page)"; fi
  else
    fail "\"ホームページ\" asked the shell for nothing within 15 s"
  fi
  wait_until 10 no_menu
fi
rm -f "$work/app/Lumora.html"
if open_menu; then
  click_menu_entry m_URL
  if wait_until 10 has_message_box; then
    ok "with the page gone, \"ホームページ\" says so in a message box"
    shot help-missing
    xdotool windowfocus --sync "$(message_box)" key Return 2>/dev/null
    wait_until 10 no_message_box || fail "the message box did not close"
    if (($(help_requests) == 1)); then ok "and opens nothing"
    else fail "a missing help page was handed to the shell"; fi
  else
    fail "no message box for a missing help page"
  fi
else
  fail "the menu did not open a second time"
fi
# The two check entries.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
approved_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
run_value() {
  timeout 30 "$WINE" reg query "$run_key" /v Lumora </dev/null 2>/dev/null | tr -d '\r' |
    awk '$1 == "Lumora" && $2 == "REG_SZ" { sub(/^[^R]*REG_SZ[ \t]*/, ""); print; found = 1 } END { exit !found }'
}
# (A message box has the menu's window class: no waiting for the menu to go.)
choose() { open_menu && click_menu_entry "$1"; }
for expected in 0 70; do
  choose m_Sound
  if wait_until 10 eval '[[ $(reg_value 20) == '"$expected"' ]]'; then ok "\"効果音\" writes \"20\" = $expected"
  else fail "after \"効果音\" \"20\" is \"$(reg_value 20)\", not $expected"; fi
done
self="\"$(windows_path "$work/app")\\Lumora.scr\""
choose m_Startup
if wait_until 10 eval '[[ $(run_value) == "$self" ]]'; then ok "\"Windows の起動時に開始\" writes the Run value $self"
else fail "the Run value is \"$(run_value)\" after \"Windows の起動時に開始\""; fi
choose m_Startup
if wait_until 10 eval '! run_value >/dev/null'; then ok "and chosen again deletes it"
else fail "the Run value stays after the second choice"; fi
timeout 30 "$WINE" reg add "$approved_key" /v Lumora /t REG_BINARY /d 030000000000000000000000 /f </dev/null >/dev/null 2>&1
if choose m_Startup && wait_until 10 has_message_box; then
  ok "disabled by the system, \"Windows の起動時に開始\" explains where to turn it on"
  shot startup-disabled
  xdotool windowfocus --sync "$(message_box)" key Return 2>/dev/null
  wait_until 10 no_message_box || fail "the message box did not close"
  if run_value >/dev/null; then fail "and writes the Run value all the same"; else ok "and writes nothing"; fi
else
  shot startup-no-message
  fail "no message while the system has disabled the start-up entry"
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
