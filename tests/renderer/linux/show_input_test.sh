#!/usr/bin/env bash
# Drives lumora-show under a private Xvfb the way a user would: the show must
# end on a mouse button, Alt, F10, losing the focus and a quit request, and
# keep running through mouse motion and ordinary keys (Escape included). It
# also checks the hidden options, that the window shows a picture, and that
# the settings file under $XDG_CONFIG_HOME is read.
#
#   bash show_input_test.sh path/to/lumora-show
#
# Exit status 77 (skipped) when Xvfb or xdotool is missing; the picture checks
# are left out when ImageMagick (import, convert) is. Every wait is bounded.
set -u

show=${1:?usage: show_input_test.sh path/to/lumora-show}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
pictures=1
command -v import >/dev/null && command -v convert >/dev/null || pictures=0

work=$(mktemp -d)
xvfb=
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 640x360x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
# No user settings leak in: an empty configuration folder.
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/lumora"

x() { timeout 10 xdotool "$@" >/dev/null 2>&1; }

# Starts the show (arguments passed on) and waits for its window; sets $pid.
start() {
  "$show" "$@" 2>>"$work/show.log" &
  pid=$!
  pids+=("$pid")
  if ! timeout 20 xdotool search --sync --onlyvisible --name '^Lumora_VC$' >/dev/null 2>&1; then
    fail "no Lumora_VC window appeared ($*)"
    return 1
  fi
  sleep 0.5  # into its event loop
}

# Whether $pid ends within $1 seconds; its exit status in $status.
ends_within() {
  local i
  for i in $(seq $(($1 * 10))); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; status=$?; return 0; }
    sleep 0.1
  done
  return 1
}

stop() { kill -KILL "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }

# One fresh show per ending input: it must end by itself with status 0.
expect_end() {
  local what=$1
  shift
  start || return
  "$@"
  if ends_within 5; then
    [ "$status" -eq 0 ] && pass "$what ends the show" || fail "$what: exit status $status"
  else
    fail "$what did not end the show"
    stop
  fi
}

expect_end "left click" x click 1
expect_end "right click" x click 3
expect_end "left Alt" x key alt
expect_end "right Alt" x key Alt_R
expect_end "F10" x key F10
quit_request() { kill -TERM "$pid"; }  # SDL turns SIGTERM into a quit event
expect_end "a quit request (SIGTERM)" quit_request

# Focus loss: a second client's window takes the keyboard focus. Plain Xvfb
# has no window manager, so the focus is moved by hand.
focus_elsewhere() {
  xmessage -geometry 120x40+10+10 other 2>/dev/null &
  pids+=($!)
  local other
  other=$(timeout 10 xdotool search --sync --onlyvisible --class Xmessage 2>/dev/null | head -n1)
  [ -n "$other" ] && x windowfocus --sync "$other"
}
if command -v xmessage >/dev/null; then
  expect_end "losing the focus" focus_elsewhere
else
  echo "note: xmessage missing, focus loss not checked"
fi

# The inputs that must not end it, on one show.
if start; then
  for input in "mousemove 100 100" "mousemove 300 200" "key a" "key Escape" "key Return" "key space" \
               "key ctrl" "key shift" "key F1" "key F11" "keyup alt"; do
    # shellcheck disable=SC2086
    x $input
    sleep 1
    kill -0 "$pid" 2>/dev/null && pass "$input leaves the show running" || fail "$input ended the show"
  done
  x click 1
  ends_within 5 || { fail "the show did not end on a click after the other inputs"; stop; }
fi

# --seconds ends it alone, with status 0; --windowed sets the window's size.
if start --seconds 3 --windowed 320x200; then
  size=$(timeout 10 xdotool search --onlyvisible --name '^Lumora_VC$' getwindowgeometry 2>/dev/null |
         sed -n 's/.*Geometry: //p')
  [ "$size" = 320x200 ] && pass "--windowed 320x200" || fail "--windowed gave a window of '$size'"
  if ends_within 10; then
    [ "$status" -eq 0 ] && pass "--seconds 3 ends the show" || fail "--seconds: exit status $status"
  else
    fail "--seconds 3 did not end the show"
    stop
  fi
fi

# Bad arguments: one line on stderr, status 2, no window.
for args in "--bogus" "--seconds" "--seconds 0" "--windowed 12"; do
  # shellcheck disable=SC2086
  timeout 10 "$show" $args 2>"$work/err"
  status=$?
  lines=$(wc -l <"$work/err")
  [ "$status" -eq 2 ] && [ "$lines" -eq 1 ] && pass "'$args' refused" ||
    fail "'$args': status $status, $lines lines: $(cat "$work/err")"
done

# The picture: the show draws a sky, and AmbientBrightness ("03") from the
# settings file changes it from near black to bright.
# Sets $mean and $spread: the screen's grey level after $2 seconds with "03=$1".
measure() {
  mean=0 spread=0
  printf '# written by the test\n03=%s\n' "$1" >"$XDG_CONFIG_HOME/lumora/settings.ini"
  start --seconds 8 || return
  sleep "$2"
  timeout 20 import -window root "$work/screen.png" 2>/dev/null
  read -r mean spread < <(convert "$work/screen.png" -colorspace gray \
                          -format '%[fx:mean] %[fx:standard_deviation]\n' info: 2>/dev/null)
  ends_within 15 || stop
}
if [ "$pictures" -eq 1 ]; then
  measure 0 3
  dark=$mean
  measure 100 3
  bright=$mean
  echo "grey mean with 03=0: $dark, with 03=100: $bright (spread $spread)"
  if awk -v d="$dark" -v b="$bright" -v s="$spread" 'BEGIN { exit !(b > d + 0.1 && s > 0.02) }'; then
    pass "the show draws, and follows the settings file"
  else
    fail "the screen did not show the sky the settings ask for"
  fi
else
  echo "note: ImageMagick missing, picture not checked"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; the show's stderr:"
  cat "$work/show.log"
  exit 1
fi
echo "all show input checks passed"
