# Shared by the black-box tests of Lumora.scr under Wine (sourced, not run).
# The caller's arguments are WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE.
# The script
# re-runs itself through tools/wine/run.sh, so each test has a fresh Wine
# prefix (an empty registry) and an X server of its own, both removed
# afterwards. Every wait has a time limit; every process started here is
# ended on exit.
#
# LUMORA_SCR_SHOTS=DIR keeps screenshots of the message box and the menu.

if [[ $# -lt 4 ]]; then
  echo "usage: $0 WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE" >&2
  exit 2
fi
for tool in xdotool xwininfo import Xvfb; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/setup.sh)"; exit 77; }
done
if [[ ${LUMORA_SCR_INNER:-} != 1 ]]; then
  export LUMORA_SCR_INNER=1
  exec bash "$(dirname "$0")/../../../tools/wine/run.sh" --xvfb bash "$0" "$@"
fi

WINE=$1 SCR=$2 STANDIN=$3 SHELL_PROBE=$4
export LC_ALL=C.UTF-8
# shellcheck source=../../tools/check_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/check_lib.sh"

# The menu's font is linked to 'MS UI Gothic' for Japanese; without a font of
# that name the captions are boxes. Any Japanese font will do.
timeout 30 "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_MULTI_SZ \
  /d 'VL Gothic\0IPAGothic\0Noto Sans CJK JP' /f </dev/null >/dev/null 2>&1

# ---- The settings section.
section='HKCU\Software\VB and VBA Program Settings\Kelvane\Section'
reg_value() {  # NAME: prints its text; fails when it does not exist
  local out
  out=$(timeout 30 "$WINE" reg query "$section" /v "$1" </dev/null 2>/dev/null | tr -d '\r') || return 1
  awk -v n="$1" '$1 == n && $2 == "REG_SZ" { found = 1; print $3 } END { exit !found }' <<<"$out"
}
reg_names() {  # the names of all values, one a line, sorted
  timeout 30 "$WINE" reg query "$section" </dev/null 2>/dev/null | tr -d '\r' |
    awk '$2 ~ /^REG_/ { print $1 }' | sort
}
reg_set() { timeout 30 "$WINE" reg add "$section" /v "$1" /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1; }
reg_delete() { timeout 30 "$WINE" reg delete "$section" /v "$1" /f </dev/null >/dev/null 2>&1; }

# ---- Processes.
# install_app DIR [renderer]: Lumora.scr in DIR, with the stand-in renderer
# as Lumora.dll beside it when asked.
install_app() {
  mkdir -p "$1"
  cp "$SCR" "$1/Lumora.scr"
  if [[ ${2:-} == renderer ]]; then cp "$STANDIN" "$1/Lumora.dll"; fi
}
# start_scr DIR [ARGS...]: Lumora.scr of DIR in the background, from the
# folder in $run_in (default: $work); its pid in scr_pid.
start_scr() {
  local dir=$1
  shift
  (cd "${run_in:-$work}" && exec "$WINE" "$dir/Lumora.scr" "$@" </dev/null >>"$work/scr.log" 2>&1) &
  scr_pid=$!
  started+=("$scr_pid")
}
running() {  # PID: exists and is no zombie
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}
wait_exit() {  # PID SECONDS: succeeds once PID has ended, its status in exit_status
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    if ! running "$1"; then
      wait "$1" 2>/dev/null
      exit_status=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Windows path of a Unix path (Wine shows the Unix root as Z:).
windows_path() { local p=$1; echo "Z:${p//\//\\}"; }

# ---- Windows on the X display.
visible() { xdotool search --onlyvisible "$@" 2>/dev/null | head -1; }
tray_window() { visible --name '^Wine System Tray$'; }
has_tray() { [[ -n $(tray_window) ]]; }
no_tray() { [[ -z $(tray_window) ]]; }
menu_window() { visible --class '^lumora\.scr$'; }
has_menu() { [[ -n $(menu_window) ]]; }
no_menu() { [[ -z $(menu_window) ]]; }
message_box() { visible --name '^Lumora$'; }
has_message_box() { [[ -n $(message_box) ]]; }
no_message_box() { [[ -z $(message_box) ]]; }
show_window() { visible --name '^Lumora_VC$'; }
has_show() { [[ -n $(show_window) ]]; }
no_show() { [[ -z $(show_window) ]]; }

# click_tray BUTTON: clicks the first icon of Wine's tray window. Without a
# window manager the window has a caption: the icon cell is centred at the
# bottom (see the Wine notes).
click_tray() {
  local WINDOW X Y WIDTH HEIGHT SCREEN b
  eval "$(xdotool getwindowgeometry --shell "$(tray_window)")"
  b=$(((WIDTH - 160) / 2))
  xdotool mousemove $((X + b + 10)) $((Y + HEIGHT - b - 10)) click "$1"
}
# click_menu first|last: the top or the bottom entry of the open menu
# ("Lumora" and "終了"); the others lie between separators.
click_menu() {
  local WINDOW X Y WIDTH HEIGHT SCREEN y
  eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
  if [[ $1 == first ]]; then y=$((Y + 9)); else y=$((Y + HEIGHT - 9)); fi
  xdotool mousemove $((X + WIDTH / 2)) "$y" click 1
}
# click_menu_entry NAME: the entry of that name (m_Flarix, m_Sound, m_Set,
# m_URL, m_Startup, m_Exit), placed by the menu's entries in order: captions
# about 19 pixels high, separators about 8, spread over the menu's height.
menu_entries=(m_Flarix m_Sound - m_Set - m_URL m_Startup - m_Exit)
click_menu_entry() {
  local WINDOW X Y WIDTH HEIGHT SCREEN entry total=0 before=-1 h
  for entry in "${menu_entries[@]}"; do
    if [[ $entry == - ]]; then h=8; else h=19; fi
    [[ $entry == "$1" ]] && before=$total
    total=$((total + h))
  done
  ((before >= 0)) || return 1
  eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * (2 * before + 19) / (2 * total))) click 1
}
# open_menu: right-click on the icon until the menu shows (10 s at most).
open_menu() {
  has_tray || return 1
  click_tray 3
  wait_until 10 has_menu
}
# close_show: a click on the stand-in renderer's window closes it.
close_show() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$(show_window)")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  wait_until 10 no_show
}
shell_probe() { timeout 30 "$WINE" "$SHELL_PROBE" "$@" </dev/null >>"$work/probe.log" 2>&1; }
shell_probe_out() { timeout 30 "$WINE" "$SHELL_PROBE" "$@" </dev/null 2>>"$work/probe.log" | tr -d '\r'; }
shot() {  # NAME: a screenshot of the whole display, kept when asked
  [[ -n ${LUMORA_SCR_SHOTS:-} ]] || return 0
  mkdir -p "$LUMORA_SCR_SHOTS" && import -window root "$LUMORA_SCR_SHOTS/$1.png"
}
