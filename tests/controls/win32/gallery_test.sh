#!/usr/bin/env bash
# The skinned controls and the GIF player in their windows, under Wine: the
# controls gallery driven with the mouse and keyboard as a user would, its
# event log read back.
#  - Every control's pixels, read back from a screenshot, are the native
#    painter's (controls-gallery-check), caption rows aside.
#  - A button: a click raises one Click; a press taken off the button for
#    longer than its leave timer and released there raises none, nor does
#    one that comes back before the release; a right click raises Click;
#    Space and Enter on the focused button each raise one.
#  - A scroll bar: a quick click on an arrow does not step; holding an arrow
#    steps about every 100 ms; dragging the thumb follows the mouse and
#    raises Scroll; the keys step through the Value rules; Tab moves on.
#  - The GIF player animates (two screenshots show different frames), its
#    transparent pixels show the window's background, a click on it reaches
#    its owner; a download from a loopback server raises
#    RemoteLoadComplete, a 404 or a file that is not a GIF raises
#    RemoteLoadFailure.
#
#   gallery_test.sh WINE CONTROLS_GALLERY GALLERY_CHECK
set -uo pipefail

if [[ $# -ne 3 ]]; then
  echo "usage: $0 WINE CONTROLS_GALLERY GALLERY_CHECK" >&2
  exit 2
fi
for tool in xdotool import convert python3 Xvfb; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/setup.sh)"; exit 77; }
done
if [[ ${LUMORA_GALLERY_INNER:-} != 1 ]]; then
  export LUMORA_GALLERY_INNER=1
  exec bash "$(dirname "$0")/../../../tools/wine/run.sh" --xvfb bash "$0" "$@"
fi
WINE=$1 GALLERY=$2 CHECK=$3
export LC_ALL=C.UTF-8
# shellcheck source=../../tools/check_lib.sh
source "$(dirname "$0")/../../tools/check_lib.sh"

# Japanese captions need a font behind the face name the buttons use.
timeout 30 "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_MULTI_SZ \
  /d 'VL Gothic\0IPAGothic\0Noto Sans CJK JP' /f </dev/null >/dev/null 2>&1

winpath() { local p=$1; echo "Z:${p//\//\\}"; }
log=$work/events.log
count() { grep -c -x -- "$1" "$log" 2>/dev/null || true; }  # lines equal to $1
logged() { grep -q -- "$1" "$log" 2>/dev/null; }

# start_gallery ARGS...: a gallery logging to a fresh $log; fails unless it is ready within 30 s.
start_gallery() {
  : >"$log"
  "$WINE" "$GALLERY" --log "$(winpath "$log")" "$@" </dev/null >>"$work/gallery.out" 2>&1 &
  gallery_pid=$!
  started+=("$gallery_pid")
  wait_until 30 logged '^ready '
}
stop_gallery() { kill "$gallery_pid" 2>/dev/null; wait "$gallery_pid" 2>/dev/null; }

# A two-frame animation, 60 x 40, each frame drawn on transparency and
# cleared after it: a red disc, then a blue square.
convert -size 60x40 xc:none -fill red -draw 'circle 20,20 20,5' \
  \( -size 60x40 xc:none -fill blue -draw 'rectangle 30,5 55,35' \) \
  -set delay 40 -set dispose background -loop 0 "$work/anim.gif"
echo "not a picture, but long enough to be one" >"$work/note.txt"

xdotool mousemove 1 1
if ! start_gallery --gif "$(winpath "$work/anim.gif")"; then
  fail "the gallery did not come up within 30 s"
  cat "$work/gallery.out"
  finish
fi
read -r _ cx cy cw ch _ label < <(grep '^ready ' "$log")
declare -A X Y W H TP TW
while read -r _ name x y w h tp tw; do
  X[$name]=$x Y[$name]=$y W[$name]=$w H[$name]=$h TP[$name]=${tp:-} TW[$name]=${tw:-}
done < <(grep '^control ' "$log")
# move NAME DX DY [XDOTOOL ARGS...]: the mouse to DX, DY into a control,
# then the rest of an xdotool command line.
move() {
  local x=${X[$1]} y=${Y[$1]}
  xdotool mousemove $((cx + x + $2)) $((cy + y + $3)) "${@:4}"
}
client_shot() {  # FILE: the client area as a PPM
  import -window root "$work/root.png" && convert "$work/root.png" -crop "${cw}x${ch}+${cx}+${cy}" +repage -depth 8 "$1"
}
pixel() {  # FILE X Y: the client pixel as RRGGBB
  convert "$1" -format '%[hex:p{'"$2,$3"'}]' info: | cut -c1-6
}

# ---- Pixels: the windows show what the native painters paint.
sleep 1
client_shot "$work/client.ppm"
if out=$("$CHECK" "$work/client.ppm" "$label"); then
  ok "every control's pixels match the native painter ($(grep -c '^ok' <<<"$out") controls, caption rows aside)"
else
  fail "pixels differ from the native painter:"
  grep FAIL <<<"$out"
fi

# ---- The GIF player.
gx=${X[gif]} gy=${Y[gif]}
# Each frame is cleared before the next (disposal 2): a screenshot shows
# the disc or the square, never both.
saw_red=0 saw_blue=0 saw_both=0 background=1
for _ in $(seq 12); do
  client_shot "$work/gif.ppm"
  red=0 blue=0
  [[ $(pixel "$work/gif.ppm" $((gx + 20)) $((gy + 20))) == FF0000 ]] && red=1 saw_red=1
  [[ $(pixel "$work/gif.ppm" $((gx + 42)) $((gy + 20))) == 0000FF ]] && blue=1 saw_blue=1
  ((red && blue)) && saw_both=1
  [[ $(pixel "$work/gif.ppm" $((gx + 2)) $((gy + 2))) == ECE9D8 ]] || background=0
  sleep 0.15
done
if ((saw_red && saw_blue && !saw_both)); then ok "the GIF animates: screenshots show its two frames, each cleared before the next"
else fail "the GIF does not animate as it should (disc seen: $saw_red, square seen: $saw_blue, both at once: $saw_both)"; fi
if ((background)); then ok "its transparent pixels show the window's background"
else fail "a transparent corner of the GIF is not the background"; fi
move gif 20 20 click 1
sleep 0.3
if [[ $(count 'Click gif') == 1 ]]; then ok "a click on the GIF player reaches its owner"
else fail "a click on the GIF player raised $(count 'Click gif') Click events"; fi

# ---- A button and the mouse.
xdotool mousemove 1 1
move ok 44 12 click 1
sleep 0.3
if [[ $(count 'Click ok') == 1 ]]; then ok "a click on a button raises one Click"
else fail "a click raised $(count 'Click ok') Click events"; fi
move ok 44 12 mousedown 1
move ok 44 80
sleep 0.4  # longer than the 100 ms leave timer
xdotool mouseup 1
sleep 0.3
if [[ $(count 'Click ok') == 1 ]]; then ok "a press released off the button raises no Click"
else fail "a press released off the button raised Click"; fi
move ok 44 12 mousedown 1
move ok 44 80
sleep 0.4
move ok 44 12
sleep 0.2
xdotool mouseup 1
sleep 0.3
if [[ $(count 'Click ok') == 1 ]]; then ok "nor one that came back before the release"
else fail "a press that left and came back raised Click"; fi
move ok 44 12 click 3
sleep 0.3
if [[ $(count 'Click ok') == 2 ]]; then ok "a right click on the hovered button raises Click"
else fail "a right click raised $(($(count 'Click ok') - 1)) Click events"; fi
xdotool key space
sleep 0.3
xdotool key Return
sleep 0.3
if [[ $(count 'Click ok') == 4 ]]; then ok "Space and Enter on the focused button raise one Click each"
else fail "Space and Enter raised $(($(count 'Click ok') - 2)) Click events"; fi

# ---- A scroll bar and the mouse.
changes() { grep -c "^Change $1 " "$log" 2>/dev/null || true; }
last_value() { grep "^Change $1 " "$log" | tail -1 | cut -d' ' -f3; }
before=$(changes blue-wide)
bar_w=${W[blue-wide]} thumb_pos=${TP[blue-wide]} thumb_w=${TW[blue-wide]}
move blue-wide $((bar_w - 9)) 8 click 1
sleep 0.5
if [[ $(changes blue-wide) == "$before" ]]; then ok "a quick click on an arrow does not step"
else fail "a quick click on an arrow stepped the value"; fi

# The thumb: from its middle, half the travel to the right.
travel=$((bar_w - 34 - thumb_w))
thumb_x=$((thumb_pos + thumb_w / 2))
move blue-wide "$thumb_x" 8 mousedown 1
for step in 1 2 3 4; do
  move blue-wide $((thumb_x + travel * step / 8)) 8
  sleep 0.1
done
xdotool mouseup 1
sleep 0.3
scrolls=$(grep -c '^Scroll blue-wide ' "$log")
if ((scrolls >= 4)) && [[ $(last_value blue-wide) == 75 ]]; then
  ok "dragging the thumb half its travel takes Value from 25 to 75, with $scrolls Scroll events"
else
  fail "after the drag: Value $(last_value blue-wide), $scrolls Scroll events"
fi

# Held on the left arrow for two seconds: a step about every 100 ms. (Each
# repeat tick raises Change twice: for the new value, and once more.)
before=$(changes blue-wide)
start_value=$(last_value blue-wide)
move blue-wide 8 8 mousedown 1
sleep 2
xdotool mouseup 1
sleep 0.3
steps=$((start_value - $(last_value blue-wide)))
ticks=$(grep '^Change blue-wide ' "$log" | tail -n +$((before + 1)) |
  awk '$3 != previous { if (n++ == 0) first = $4; last = $4; previous = $3 } END { print last - first }')
if ((steps >= 10 && steps <= 22)); then
  ok "holding an arrow for 2 s stepped $steps times ($((ticks / (steps > 1 ? steps - 1 : 1))) ms apart on average)"
else
  fail "holding an arrow for 2 s stepped $steps times"
fi

# ---- The keys on a focused bar: the level bar (Min 1, Max 30, Value 1).
move blue-level 8 8 click 1  # focus, and a quick click does not step
sleep 0.3
keys=(Right End Home Next Prior)
expected=(2 30 1 11 1)
got=()
for k in "${keys[@]}"; do
  xdotool key "$k"
  sleep 0.2
  got+=("$(last_value blue-level)")
done
if [[ ${got[*]} == "${expected[*]}" ]]; then ok "Right, End, Home, Page Down, Page Up on the focused bar: ${got[*]}"
else fail "the keys gave ${got[*]} (expected ${expected[*]})"; fi
# Tab moves on to the next control in the gallery's order: the bar below.
xdotool key Tab
sleep 0.2
xdotool key End
sleep 0.2
if [[ $(last_value blue-max100) == 100 ]]; then ok "Tab takes the focus to the next bar"
else fail "after Tab, End did not reach the next bar (its value: $(last_value blue-max100))"; fi
stop_gallery

# ---- Remote loads from a loopback server.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work" >"$work/http.log" 2>&1 &
started+=($!)
wait_until 10 python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/note.txt')"
remote() {  # PATH EXPECTED: a gallery loading http://127.0.0.1:PORT/PATH logs EXPECTED within 20 s
  if start_gallery --url "http://127.0.0.1:$port/$1" && wait_until 20 logged "^$2"; then
    ok "$1 from a loopback server: $(grep -E '^Remote' "$log" | head -1)"
  else
    fail "$1 from a loopback server: expected $2, the log says: $(grep -E '^Remote' "$log" | head -1)"
  fi
  stop_gallery
}
remote anim.gif 'RemoteLoadComplete 60 40$'
remote missing.gif 'RemoteLoadFailure$'
remote note.txt 'RemoteLoadFailure$'
finish
