#!/usr/bin/env bash
# Lumora.scr under Wine: starting a show and watching it end. A stand-in
# renderer (a window titled Lumora_VC that logs how it was started) lies
# beside the program as Lumora.dll, in a folder whose name has a space and
# Japanese characters.
#  - "Lumora" in the menu starts the renderer by its quoted path alone, with
#    the normal show state, in its own folder (the program was started from
#    another).
#  - Once that show is closed, the alarm check runs again: an alarm set for
#    the next minute starts a second show in that minute, and only one even
#    when the show is closed at once. (This waits for the clock: up to about
#    a minute and a half.)
#  - With the renderer file gone since start-up, "Lumora" asks for the
#    balloon (seen in the debug output: Wine shows no balloons) and the
#    program keeps working; once the file is back, a show starts again.
#
#   scr_show_test.sh WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE
set -uo pipefail
# shellcheck source=scr_test_lib.sh
source "$(dirname "$0")/scr_test_lib.sh"

app="$work/花火 show"
install_app "$app" renderer
log="$app/standin.log"
starts() { grep -c '^start' "$log" 2>/dev/null || true; }

# The alarm: slot 0 at the next minute, leaving at least 20 s for the first
# show to come and go before it.
second=$((10#$(date +%S)))
if ((second >= 40)); then sleep $((61 - second)); fi
alarm=$(($(date +%s) + 60))
hour=$((10#$(date -d "@$alarm" +%H))) minute=$((10#$(date -d "@$alarm" +%M)))
reg_set 11 1 && reg_set 14 "$hour" && reg_set 17 "$minute"

# The program's OutputDebugStringA lines, on Wine's debugstr channel.
export WINEDEBUG=-all,warn+debugstr
start_scr "$app"
if ! wait_until 30 has_tray; then
  fail "no notification-area icon within 30 s"
  finish
fi

# --- A show from the menu.
if open_menu; then
  click_menu first
  if wait_until 20 has_show; then
    ok "\"Lumora\" in the menu starts the renderer"
    expected="start cmdline=\"$(windows_path "$app")\\Lumora.dll\" show=1 flags=1 cwd=$(windows_path "$app")"
    first=$(head -1 "$log" | tr -d '\r')
    if [[ $first == "$expected" ]]; then ok "by its quoted path alone, shown normally, in its own folder"
    else fail "the renderer was started as: $first (expected: $expected)"; fi
    if close_show; then ok "the show is closed"; else fail "the stand-in's window did not close"; fi
  else
    fail "no window titled Lumora_VC within 20 s of \"Lumora\""
  fi
else
  fail "the menu did not open"
fi
if (($(date +%s) >= alarm)); then
  fail "the first show outlasted the minute before the alarm; the alarm cannot be checked"
  finish
fi

# --- The alarm, armed again by the end of the show.
limit=$((alarm + 20 - $(date +%s)))
if wait_until "$limit" has_show; then
  ok "the alarm at $hour:$(printf %02d "$minute") started a show after the first one ended"
  close_show
  sleep 3  # alarm ticks come every second
  if ((10#$(date +%M) != minute)); then
    echo "note the alarm minute ended before the show was closed: one show per minute not checked"
  elif [[ $(starts) -eq 2 ]]; then
    ok "the alarm starts one show in its minute, even when that show ends at once"
  else
    fail "$(starts) shows were started in all"
  fi
else
  fail "no show within 20 s of the alarm time $hour:$(printf %02d "$minute")"
fi

# --- The renderer file removed after start-up, then put back.
balloons() { grep -c 'Lumora: balloon: the show could not start' "$work/scr.log" 2>/dev/null || true; }
has_balloon() { (($(balloons) > 0)); }
mv "$app/Lumora.dll" "$app/away.dll"
before=$(starts)
if open_menu; then
  click_menu first
  if wait_until 10 has_balloon; then
    ok "a show that cannot start asks for the balloon ($(balloons) request)"
  else
    fail "no balloon request after a failed start"
  fi
  sleep 1
  if running "$scr_pid" && no_show && [[ $(starts) == "$before" ]]; then ok "and nothing else happens"
  else fail "a failed start left the program ended or a show running"; fi
else
  fail "the menu did not open for the failed start"
fi
mv "$app/away.dll" "$app/Lumora.dll"
if open_menu; then
  click_menu first
  if wait_until 20 has_show; then ok "once the file is back, \"Lumora\" starts a show again"; close_show
  else fail "no show after the renderer file came back"; fi
else
  fail "the menu does not open after a failed start"
fi

if open_menu; then
  click_menu last
  if wait_exit "$scr_pid" 15; then ok "\"終了\" ends the program"; else fail "the program still runs after \"終了\""; fi
fi
finish
