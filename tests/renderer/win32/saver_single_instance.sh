#!/usr/bin/env bash
# Lumora.dll under Wine: the single-instance test at start-up. A window of the
# screen-saver class still titled "Screensaver" makes a new start exit at once
# without a window; a running show, titled Lumora_VC, does not match it, so a
# second start opens a show of its own.
#
#   saver_single_instance.sh WINE LUMORA_DLL SAVER_PROBE
set -uo pipefail
# shellcheck source=saver_test_lib.sh
source "$(dirname "$0")/saver_test_lib.sh"

# A decoy of the class with the creation title.
start_probe decoy 60000
for ((i = 0; i < 300; i++)); do
  grep -q 'window up' "$work/probe.out" 2>/dev/null && break
  sleep 0.1
done
if ! grep -q 'window up' "$work/probe.out"; then
  fail "the decoy window did not come up: $(cat "$work/probe.out")"
  finish
fi
start=$SECONDS
start_show
seen=""
while running "$show_pid" && ((SECONDS - start < 30)); do
  [[ -n $(show_windows) ]] && seen=yes
  sleep 0.1
done
if running "$show_pid"; then
  fail "with a \"Screensaver\" window present the new start did not exit within 30 s"
  end_show
elif wait "$show_pid"; then
  if [[ -z $seen ]]; then
    ok "with a \"Screensaver\" window present the new start exits with 0 and shows nothing ($((SECONDS - start)) s)"
  else
    fail "with a \"Screensaver\" window present the new start still showed a Lumora_VC window"
  fi
else
  fail "with a \"Screensaver\" window present the new start exited with a failure status"
fi
kill -KILL "$probe_pid" 2>/dev/null
wait "$probe_pid" 2>/dev/null

# A running show does not stop a second one.
new_show
first_pid=$show_pid first_window=$show_window
start_show
if second_window=$(wait_show_window 60 "$first_window") && running "$show_pid"; then
  ok "a second start beside a running show opens its own window ($second_window beside $first_window)"
else
  fail "a second start beside a running show opened no window of its own"
fi
# The second show took the foreground: the first one has lost activation,
# which ends a show.
if wait_exit "$first_pid" 15; then
  ok "the first show ended when the second took the foreground"
else
  fail "the first show kept running after losing the foreground"
fi
end_show
finish
