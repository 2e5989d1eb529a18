# Shared by the black-box tests of Lumora.dll under Wine (sourced, not run).
# The caller's arguments are WINE LUMORA_DLL SAVER_PROBE; a Wine prefix and an
# X display come from the environment (tools/wine/run.sh provides both).
# Every step has a time limit; every process started here is ended on exit.

if [[ $# -ne 3 ]]; then
  echo "usage: $0 WINE LUMORA_DLL SAVER_PROBE" >&2
  exit 2
fi
WINE=$1 LUMORA=$2 PROBE=$3
if [[ -z ${DISPLAY:-} ]]; then
  echo "SKIP: no X display; run the tests through tools/wine/run.sh"
  exit 77
fi
for tool in xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
export WINEDEBUG=${WINEDEBUG:--all}

# shellcheck source=../../tools/check_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/check_lib.sh"

# start_show: Lumora.dll in the background; its pid in show_pid.
start_show() {
  "$WINE" "$LUMORA" </dev/null >>"$work/show.log" 2>&1 &
  show_pid=$!
  started+=("$show_pid")
}

# start_probe ARGS...: saver_probe in the background; its pid in probe_pid,
# its output in $work/probe.out.
start_probe() {
  "$WINE" "$PROBE" "$@" </dev/null >"$work/probe.out" 2>&1 &
  probe_pid=$!
  started+=("$probe_pid")
}

# probe ARGS...: saver_probe in the foreground, 30 s at most.
# Wine's console writes CR LF line ends; the checks want plain lines.
probe() { timeout 30 "$WINE" "$PROBE" "$@" </dev/null 2>&1 | tr -d '\r'; }

# running PID: the process exists and has not ended (an ended child stays
# a zombie until it is waited for).
running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}

# show_windows: X window ids of the visible windows titled Lumora_VC.
show_windows() { xdotool search --onlyvisible --name '^Lumora_VC$' 2>/dev/null; }

# wait_show_window SECONDS [OTHER_ID]: prints the id of a show window other
# than OTHER_ID once one is visible; fails after SECONDS.
wait_show_window() {
  local limit=$1 other=${2:-} id i
  for ((i = 0; i < limit * 10; i++)); do
    for id in $(show_windows); do
      if [[ $id != "$other" ]]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

# wait_exit PID SECONDS: succeeds once PID has ended, with its status in
# exit_status; fails if it still runs after SECONDS.
wait_exit() {
  local pid=$1 limit=$2 i
  for ((i = 0; i < limit * 10; i++)); do
    if ! running "$pid"; then
      wait "$pid" 2>/dev/null
      exit_status=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# still_running PID SECONDS: succeeds if PID is still running after SECONDS.
still_running() {
  sleep "$2"
  running "$1"
}

# new_show: starts the show and waits for its window (id in show_window);
# gives up the whole test if it never appears.
new_show() {
  start_show
  if ! show_window=$(wait_show_window 60); then
    fail "no window titled Lumora_VC within 60 s"
    cat "$work/show.log"
    finish
  fi
}

# click_ends WHAT: a left click ends the running show with status 0 within
# 15 s (an ok or a fail line saying so, WHAT first).
click_ends() {
  xdotool mousemove 100 100 click 1
  if wait_exit "$show_pid" 15; then
    if [[ $exit_status -eq 0 ]]; then ok "$1: a click ends the show (exit status 0)"; else fail "$1: exit status $exit_status"; fi
  else
    fail "$1: a click did not end the show within 15 s"
    end_show
  fi
}

# end_show: ends a show that is still running.
end_show() {
  kill -KILL "$show_pid" 2>/dev/null
  wait "$show_pid" 2>/dev/null
}
