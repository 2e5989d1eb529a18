#!/usr/bin/env bash
# The release's installer under Wine, driven silently as an administrator or
# a test would, in one fresh prefix, one step after another:
#  1. `setup.exe /S`: the release's files and the uninstaller in
#     %LOCALAPPDATA%\Programs\Lumora, the Start-menu shortcut, the uninstall
#     entry's values exactly, and the start-at-logon Run value;
#  2. a logon (`wine wineboot` runs the Run entries) starts the installed
#     front end: its icon appears; its menu's "Windows の起動時に開始"
#     unchecks (the Run value goes) and checks again (it comes back);
#  3. installing again while the front end and a show run ends both (the
#     show's renderer ignores WM_CLOSE), succeeds and starts the front end
#     again;
#  4. with the front end stopped (it cannot answer a WM_CLOSE) the silent
#     installer gives up after its 10 s with exit code 2 and changes nothing;
#     once it is free, an upgrade keeps the start-at-logon the user turned
#     off;
#  5. `Uninstall.exe /S` while the front end (started from the shortcut)
#     runs: it ends, its icon goes, every file, the folder, the shortcut, the
#     entry and the Run value go; the settings stay.
#
#   installer_test.sh WINE LUMORA_SCR RENDERER_STANDIN SHELL_PROBE PACKAGE_DIR
# PACKAGE_DIR is where `cpack -G NSIS -B PACKAGE_DIR` made the installer; the
# files it staged there are what the installer must install.
set -uo pipefail
# shellcheck source=../../frontend/win32/scr_test_lib.sh
source "$(dirname "$0")/../../frontend/win32/scr_test_lib.sh"

package_dir=${5:?PACKAGE_DIR}
setups=("$package_dir"/Lumora-*-setup.exe)
if [[ ${#setups[@]} -ne 1 || ! -f ${setups[0]} ]]; then
  fail "not exactly one Lumora-*-setup.exe in $package_dir"
  finish
fi
setup=${setups[0]}
version=${setup##*/Lumora-}
version=${version%-setup.exe}
staging=$package_dir/_CPack_Packages/win64/NSIS/Lumora-$version-setup

win_env() { timeout 30 "$WINE" cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { timeout 30 "$WINE" winepath -u "$1" </dev/null 2>/dev/null | tr -d '\r'; }
win_inst="$(win_env LOCALAPPDATA)\\Programs\\Lumora"
inst=$(unix_path "$win_inst")
shortcut="$(unix_path "$(win_env APPDATA)")/Microsoft/Windows/Start Menu/Programs/Lumora.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_value="\"$win_inst\\Lumora.scr\""

# key_values KEY: "NAME|TYPE|DATA" a line, sorted; fails when the key is missing.
key_values() {
  local out
  out=$(timeout 30 "$WINE" reg query "$1" </dev/null 2>/dev/null | tr -d '\r') || return 1
  awk -F '    ' '$3 ~ /^REG_/ { print $2 "|" $3 "|" $4 }' <<<"$out" | sort
}
# value KEY NAME: its data; fails when it does not exist.
value() { key_values "$1" | awk -F '|' -v n="$2" '$1 == n { found = 1; print $3 } END { exit !found }'; }

# run_setup ARGS...: the installer's exit status in setup_status, its time
# in setup_ms.
run_setup() {
  local start
  start=$(date +%s%N)
  timeout 120 "$WINE" "$setup" "$@" </dev/null >>"$work/setup.log" 2>&1
  setup_status=$?
  setup_ms=$((($(date +%s%N) - start) / 1000000))
}

# The installed front end's processes in this prefix. Wine shows a process's
# Windows command line, with the path however it was started.
scr_pids() {
  local d
  for d in /proc/[0-9]*; do
    [[ $(tr '\0' ' ' 2>/dev/null <"$d/cmdline") == *"$win_inst\\Lumora.scr"* ]] || continue
    tr '\0' '\n' 2>/dev/null <"$d/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    running "${d#/proc/}" && echo "${d#/proc/}"
  done
}
front_end_runs() { [[ -n $(scr_pids) ]] && has_tray; }
front_end_gone() { [[ -z $(scr_pids) ]] && no_tray; }

# The installed files are the staged ones, byte for byte, and the uninstaller.
installed_files_match() {
  local expected actual f
  expected=$({ (cd "$staging" && find . -type f); echo ./Uninstall.exe; } | sort)
  actual=$(cd "$inst" 2>/dev/null && find . -type f | sort)
  [[ $expected == "$actual" ]] || return 1
  while read -r f; do cmp -s "$staging/$f" "$inst/$f" || return 1; done < <(cd "$staging" && find . -type f)
}
# The uninstall entry, every value of it.
entry_matches() {
  local bytes expected
  bytes=$(cat "$inst"/* | wc -c)
  expected=$(sort <<EOF
DisplayIcon|REG_SZ|$win_inst\\Lumora.scr
DisplayName|REG_SZ|Lumora
DisplayVersion|REG_SZ|$version
EstimatedSize|REG_DWORD|$(printf '0x%x' $((bytes / 1024)))
InstallLocation|REG_SZ|$win_inst
NoModify|REG_DWORD|0x1
NoRepair|REG_DWORD|0x1
Publisher|REG_SZ|Lumora
UninstallString|REG_SZ|"$win_inst\\Uninstall.exe"
EOF
)
  entry=$(key_values "$uninstall_key")
  [[ $entry == "$expected" ]]
}
# The shortcut names the installed front end (the link stores its paths as
# UTF-16, each after its length).
shortcut_matches() { [[ -f $shortcut ]] && strings -el "$shortcut" | grep -qF "$win_inst\\Lumora.scr"; }

# ---- 1. A silent first install.
run_setup /S
if [[ $setup_status -eq 0 ]]; then ok "setup.exe /S succeeds (${setup_ms} ms)"; else fail "setup.exe /S exited with $setup_status"; fi
if installed_files_match; then ok "the release's files and Uninstall.exe are in $win_inst"
else fail "installed files: $(cd "$inst" 2>/dev/null && find . -type f | tr '\n' ' ')"; fi
if shortcut_matches; then ok "the Start-menu shortcut \"Lumora\" names the front end"
else fail "no Start-menu shortcut to the front end at $shortcut"; fi
if entry_matches; then ok "the uninstall entry holds exactly the expected values"
else fail "the uninstall entry: $(tr '\n' ' ' <<<"$entry")"; fi
if [[ $(value "$run_key" Lumora) == "$run_value" ]]; then ok "a first install starts Lumora at logon"
else fail "the Run value after a first install: $(value "$run_key" Lumora)"; fi

# ---- 2. A logon starts it.
timeout 60 "$WINE" wineboot </dev/null >/dev/null 2>&1
if wait_until 30 front_end_runs; then ok "a logon (wineboot) starts the installed front end and its icon"
else fail "30 s after wineboot the installed front end does not run"; fi
# The menu's start-at-logon entry on what the installer wrote.
if open_menu; then
  click_menu_entry m_Startup
  if wait_until 10 eval '! value "$run_key" Lumora >/dev/null'; then ok "the menu's start-at-logon entry unchecks: the Run value is gone"
  else fail "the Run value stays after the menu's start-at-logon entry"; fi
  open_menu && click_menu_entry m_Startup
  if wait_until 10 eval '[[ $(value "$run_key" Lumora) == "$run_value" ]]'; then ok "and checks again: the Run value is back"
  else fail "the Run value after checking the entry again: $(value "$run_key" Lumora)"; fi
else
  fail "the installed front end's menu does not open"
fi

# ---- 3. Installing over the running program and a running show.
old_pid=$(scr_pids | head -1)
(exec "$WINE" "$win_inst\\Lumora.dll" </dev/null >>"$work/show.log" 2>&1) &
show_pid=$!
started+=("$show_pid")
if wait_until 60 has_show; then
  run_setup /S
  if [[ $setup_status -eq 0 ]]; then ok "installing over the running program succeeds (${setup_ms} ms)"
  else fail "installing over the running program exited with $setup_status"; fi
  if [[ -n $old_pid ]] && ! running "$old_pid"; then ok "it ended the running front end"
  else fail "the front end that ran before ($old_pid) still runs"; fi
  if wait_exit "$show_pid" 5 && no_show; then ok "it ended the running show"
  else fail "the show still runs after the install"; fi
  if wait_until 30 front_end_runs && [[ $(scr_pids) != "$old_pid" ]]; then ok "it started the front end again"
  else fail "the front end was not started again"; fi
  if installed_files_match && entry_matches; then ok "the files and the entry are those of the release"
  else fail "after the upgrade the files or the entry differ"; fi
else
  fail "the installed renderer shows no window within 60 s"
fi

# ---- 4. A front end that cannot end; then an upgrade of a start-up turned off.
stopped=$(scr_pids | head -1)
if [[ -n $stopped ]]; then
  kill -STOP "$stopped"
  cleanup_hooks+=("kill -CONT $stopped 2>/dev/null")
  # What an install would change: the version, the shortcut, a file; and
  # the user turns start-at-logon off.
  timeout 30 "$WINE" reg add "$uninstall_key" /v DisplayVersion /d 0.9 /f </dev/null >/dev/null 2>&1
  timeout 30 "$WINE" reg delete "$run_key" /v Lumora /f </dev/null >/dev/null 2>&1
  rm -f "$shortcut"
  echo "changed" >>"$inst/README.txt"
  run_setup /S
  if [[ $setup_status -eq 2 && $setup_ms -ge 9500 ]]; then ok "a front end that does not end: the silent installer exits with 2 (${setup_ms} ms)"
  else fail "a front end that does not end: exit status $setup_status after $setup_ms ms"; fi
  if [[ $(value "$uninstall_key" DisplayVersion) == 0.9 && ! -e $shortcut ]] &&
     [[ $(tail -1 "$inst/README.txt") == changed ]] && ! value "$run_key" Lumora >/dev/null; then
    ok "and changes nothing"
  else
    fail "the refused install changed the entry, the shortcut, the files or the Run value"
  fi
  kill -CONT "$stopped"
  # It finds the installer's WM_CLOSE waiting and ends.
  if wait_until 15 front_end_gone; then ok "once free, the front end ends on the installer's WM_CLOSE"
  else fail "the front end still runs 15 s after it was let go"; fi
  run_setup /S
  if [[ $setup_status -eq 0 ]] && installed_files_match && entry_matches && shortcut_matches; then
    ok "the next install puts everything back"
  else
    fail "the next install: status $setup_status, the files, entry or shortcut differ"
  fi
  if ! value "$run_key" Lumora >/dev/null; then ok "an upgrade keeps start-at-logon off"
  else fail "an upgrade turned start-at-logon back on"; fi
else
  fail "no front end to stop"
fi

# ---- 5. Uninstalling while it runs.
timeout 30 "$WINE" reg add "$run_key" /v Lumora /d "$run_value" /f </dev/null >/dev/null 2>&1
timeout 30 "$WINE" start /unix "$shortcut" </dev/null >/dev/null 2>&1
if wait_until 30 front_end_runs; then ok "the Start-menu shortcut starts the front end"
else fail "the shortcut did not start the front end within 30 s"; fi
settings_before=$(reg_names)
timeout 60 "$WINE" "$win_inst\\Uninstall.exe" /S </dev/null >>"$work/setup.log" 2>&1
# The uninstaller works from a copy of itself and returns at once.
if wait_until 30 test ! -e "$inst"; then ok "Uninstall.exe /S removes every file and the folder"
else fail "left behind: $(cd "$inst" && find . | tr '\n' ' ')"; fi
if front_end_gone; then ok "the front end was ended and its icon is gone"
else fail "the front end or its icon is still there"; fi
if [[ ! -e $shortcut ]]; then ok "the shortcut is gone"; else fail "the shortcut is still there"; fi
if ! key_values "$uninstall_key" >/dev/null; then ok "the uninstall entry is gone"
else fail "the uninstall entry is still there"; fi
if ! value "$run_key" Lumora >/dev/null; then ok "the Run value is gone"; else fail "the Run value is still there"; fi
if [[ -n $settings_before && $(reg_names) == "$settings_before" ]]; then ok "the settings are kept"
else fail "settings before: $(tr '\n' ' ' <<<"$settings_before"), after: $(reg_names | tr '\n' ' ')"; fi
finish
