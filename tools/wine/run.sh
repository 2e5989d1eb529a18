#!/usr/bin/env bash
# Runs one command against a private, prepared Wine and cleans up afterwards.
#
#   tools/wine/run.sh [--xvfb] COMMAND [ARGS...]
#
# The command sees WINEPREFIX (a fresh prefix in a scratch directory),
# WINEDEBUG=-all and a DISPLAY: the caller's, or a private Xvfb started on a
# free display when none is set or --xvfb is given (tests want a plain X
# server with no window manager, whatever desktop they are started from).
# Its exit status is ours. Whatever way we
# leave, the prefix's wineserver is killed (and with it every Wine process of
# the prefix), our Xvfb is ended by its pid and the scratch directory removed.
#
# Environment:
#   LUMORA_XVFB_SCREEN  Xvfb screen geometry, default 1280x720x24
#   LUMORA_WINE_KEEP=1  keep the scratch directory (its path is printed)
#   LUMORA_WINE_QUIET=1 print nothing of our own
set -euo pipefail

own_x=0
if [[ ${1:-} == --xvfb ]]; then
  own_x=1
  shift
fi
if [[ $# -eq 0 ]]; then
  echo "usage: $0 [--xvfb] COMMAND [ARGS...]" >&2
  exit 2
fi

say() { [[ ${LUMORA_WINE_QUIET:-} == 1 ]] || echo "wine-run: $*" >&2; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumora-wine.XXXXXX")
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
xvfb_pid=""
command_pid=""

# shellcheck disable=SC2317  # reached through the trap
cleanup() {
  local rc=$?
  set +e
  trap - EXIT INT TERM HUP
  # Interrupted: the command and everything it started go first (they are
  # its own process group), then its Wine.
  if [[ -n $command_pid ]]; then
    kill -- "-$command_pid" 2>/dev/null
    wait "$command_pid" 2>/dev/null
  fi
  # Ends every process of this prefix, the persistent wineserver included.
  timeout 30 wineserver -k </dev/null >/dev/null 2>&1
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [[ ${LUMORA_WINE_KEEP:-} == 1 ]]; then
    say "kept $scratch"
  else
    rm -rf "$scratch"
  fi
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if [[ $own_x -eq 1 || -z ${DISPLAY:-} ]]; then
  # -displayfd makes Xvfb pick a free display itself and write its number
  # once it accepts connections: no lock-file guessing, no race with another
  # run on the same machine.
  Xvfb -displayfd 3 -screen 0 "${LUMORA_XVFB_SCREEN:-1280x720x24}" -nolisten tcp \
    3>"$scratch/display" </dev/null >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s $scratch/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [[ ! -s $scratch/display ]]; then
    echo "wine-run: Xvfb did not start:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
  fi
  DISPLAY=":$(tr -d '[:space:]' <"$scratch/display")"
  export DISPLAY
  say "Xvfb on $DISPLAY (pid $xvfb_pid)"
fi

start=$SECONDS
# No Mono or Gecko in the prefix: with them enabled wineboot offers to
# download them, and a dialog would wait forever.
WINEDLLOVERRIDES='mscoree,mshtml=' timeout 180 wineboot -i </dev/null >/dev/null 2>&1 ||
  { echo "wine-run: wineboot -i failed" >&2; exit 1; }
# Without a window manager, hiding or destroying a managed top-level window
# stalls ~2 s in Wine; unmanaged windows go at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
# A crashing program would otherwise open winedbg's dialog and hang the test
# until its timeout.
wine reg add 'HKCU\Software\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1

# A wineserver started by a test inherits that test's output pipe, and ctest
# waits for the pipe to close: every test would take ~2.4 s. Start a
# persistent server now, detached from our output, and warm it up. Never do
# this while a test holds the pipe.
timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || true
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
say "prefix $WINEPREFIX ready in $((SECONDS - start)) s"

# In the background so that a signal to us is handled at once (a foreground
# command would delay our trap until it ended), in a session of its own so
# that the cleanup can end its whole tree; it keeps our stdin.
setsid "$@" <&0 &
command_pid=$!
set +e
wait "$command_pid"
rc=$?
set -e
command_pid=""
exit "$rc"
