#!/usr/bin/env bash
# Lumora.dll under Wine on a display without OpenGL (an Xvfb of its own with
# GLX turned off, and a Wine prefix of its own to go with it): the set-up
# fails, which the program only writes to the debug log; the window still
# comes up black, waits without spinning a core, and a click ends it with
# status 0.
#
#   saver_without_gl.sh WINE LUMORA_DLL SAVER_PROBE
set -uo pipefail
for tool in Xvfb wineserver; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -extension GLX \
  3>"$scratch/display" </dev/null >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do
  [[ -s $scratch/display ]] && break
  sleep 0.1
done
if [[ ! -s $scratch/display ]]; then
  kill "$xvfb_pid" 2>/dev/null
  echo "FAIL Xvfb did not start: $(cat "$scratch/xvfb.log")"
  rm -rf "$scratch"
  exit 1
fi
export DISPLAY=":$(tr -d '[:space:]' <"$scratch/display")"
# A prefix of our own: a Wine session stays on the display it started with.
export WINEPREFIX=$scratch/prefix
# The program's OutputDebugStringA lines, on Wine's debugstr channel.
export WINEDEBUG=-all,warn+debugstr

# shellcheck source=saver_test_lib.sh
source "$(dirname "$0")/saver_test_lib.sh"
cleanup_hooks+=('timeout 30 wineserver -k </dev/null >/dev/null 2>&1' 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null' 'rm -rf "$scratch"')

# As tools/wine/run.sh prepares its prefix: no downloads offered, unmanaged
# windows, no crash dialog.
WINEDLLOVERRIDES='mscoree,mshtml=' timeout 180 wineboot -i </dev/null >/dev/null 2>&1 ||
  { fail "wineboot -i"; finish; }
timeout 30 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
timeout 30 "$WINE" reg add 'HKCU\Software\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1

new_show
ok "the window comes up without OpenGL"
if grep -q 'Lumora: wglCreateContext failed' "$work/show.log"; then
  ok "the failure is in the debug log: $(grep -o 'Lumora: [^"\\]*' "$work/show.log" | paste -sd ';' -)"
else
  fail "no failure line in the debug log"
  cat "$work/show.log"
fi

# CPU time used over three seconds, in clock ticks (user + system).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
sleep 1
before=$(cpu_ticks "$show_pid")
sleep 3
used=$(($(cpu_ticks "$show_pid") - before))
ticks_per_second=$(getconf CLK_TCK)
if ((used * 10 < 3 * ticks_per_second)); then
  ok "the black window waits ($used ticks of CPU in 3 s)"
else
  fail "the black window spins ($used ticks of CPU in 3 s, $ticks_per_second a second)"
fi

click_ends "the black window"
finish
