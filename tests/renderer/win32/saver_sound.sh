#!/usr/bin/env bash
# Lumora.dll's sound under Wine, heard through a PulseAudio null sink whose
# monitor is recorded:
# - a show opens a sound stream, is heard soon after its window appears
#   (the first launch is at least 1.49 km from the eye, 4.4 s away at the
#   speed of sound: heard within 8 s) and is silent 2 s after it closes;
# - "20" = 0 opens no stream at all and is silent;
# - the sound server going away mid-show leaves the show running silent,
#   and a click still ends it normally;
# - with no sound server at all the show runs and ends normally.
# Each case says why in the debug log, which is checked too, and the log's
# start-to-first-frame figure is printed.
#
#   saver_sound.sh WINE LUMORA_DLL SAVER_PROBE
set -uo pipefail
for tool in pulseaudio pactl parecord python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=saver_test_lib.sh
source "$(dirname "$0")/saver_test_lib.sh"
# The program's OutputDebugStringA lines, on Wine's debugstr channel.
export WINEDEBUG=-all,warn+debugstr
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
settings='HKCU\Software\VB and VBA Program Settings\Kelvane\Section'

start_pulse() {
  # Without --exit-idle-time=-1 it quits after 20 s idle and Wine silently
  # finds no device.
  pulseaudio -n -D --exit-idle-time=-1 --disallow-exit --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=capture rate=48000 channels=2" </dev/null >/dev/null 2>&1
  wait_until 10 pactl info >/dev/null 2>&1 && pactl set-default-sink capture
}
stop_pulse() {
  local pid
  pid=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null) || return 0
  kill "$pid" 2>/dev/null
  wait_until 10 bash -c "! kill -0 $pid 2>/dev/null"
}
cleanup_hooks+=('stop_pulse')

streams() { pactl list short sink-inputs 2>/dev/null | grep -c . ; }
stream_open() { [[ $(streams) -gt 0 ]]; }
now() { date +%s.%N; }

# record NAME: the sink's monitor into $work/NAME.wav until stop_record.
record() {
  parecord -d capture.monitor --rate=48000 --channels=2 --format=s16le --file-format=wav --latency-msec=20 \
    "$work/$1.wav" </dev/null >/dev/null 2>&1 &
  rec_pid=$!
  started+=("$rec_pid")
}
# The recording's clock is tied to the wall clock at its end: parecord
# starts recording up to a second after it is started, but stops at once.
stop_record() {
  rec_end=$(now)
  kill -INT "$rec_pid" 2>/dev/null
  wait "$rec_pid" 2>/dev/null
}
# span FILE: seconds of the recording's first and last audible sample (-1 -1
# when silent), and its length.
span() {
  python3 - "$1" <<'EOF'
import array, sys, wave
with wave.open(sys.argv[1]) as w:
    a = array.array("h", w.readframes(w.getnframes()))
loud = [i for i in range(0, len(a), 2) if abs(a[i]) > 30 or abs(a[i + 1]) > 30]
first, last = (loud[0] / 96000, loud[-1] / 96000) if loud else (-1, -1)
print(f"{first:.3f} {last:.3f} {len(a) / 96000:.3f}")
EOF
}
logged() { grep -o 'Lumora: [^"\\]*' "$work/show.log"; }

# 1. The default volume: heard, and silent soon after the end.
if ! start_pulse; then
  fail "the PulseAudio daemon did not start"
  finish
fi
: >"$work/show.log"
record default
new_show
tw=$(now)
if wait_until 10 stream_open; then ok "the show opens a sound stream"; else fail "no sound stream while the show runs"; fi
sleep 10
click_ends "with sound"
tc=$(now)
sleep 3.5
stop_record
read -r first last length < <(span "$work/default.wav")
# Wall-clock seconds of a recording time.
wall() { awk -v e="$rec_end" -v n="$length" -v r="$1" 'BEGIN { printf "%.3f", e - (n - r) }'; }
heard=$(awk -v f="$(wall "$first")" -v w="$tw" 'BEGIN { printf "%.2f", f - w }')
closed=$(awk -v l="$(wall "$last")" -v c="$tc" 'BEGIN { printf "%.2f", l - c }')
if awk -v f="$first" -v h="$heard" 'BEGIN { exit !(f >= 0 && h <= 8) }'; then
  ok "heard $heard s after the window appeared"
else
  fail "not heard within 8 s of the window (first sound at $first s of a $length s recording)"
fi
if awk -v c="$closed" 'BEGIN { exit !(c <= 2) }'; then
  ok "silent from $closed s after the show closed"
else
  fail "still sounding $closed s after the show closed"
fi
if logged | grep -q 'sound plays through waveOut'; then ok "the log says: sound plays through waveOut"; else fail "no waveOut line: $(logged | paste -sd ';' -)"; fi
echo "     $(logged | grep 'first frame')"

# 2. "20" = 0: no device opened at all, silence.
timeout 30 "$WINE" reg add "$settings" /v 20 /t REG_SZ /d 0 /f </dev/null >/dev/null 2>&1
: >"$work/show.log"
record muted
new_show
sleep 6
if [[ $(streams) -eq 0 ]]; then ok "volume 0: no sound stream"; else fail "volume 0: $(streams) sound stream(s) open"; fi
click_ends "volume 0"
stop_record
read -r first last length < <(span "$work/muted.wav")
if [[ $first == -1.000 ]]; then ok "volume 0: $length s of silence"; else fail "volume 0: sound at $first s"; fi
if logged | grep -q 'effects volume 0: no sound device opened'; then ok "volume 0: the log says so"; else fail "volume 0: $(logged | paste -sd ';' -)"; fi
echo "     volume 0: $(logged | grep 'first frame')"
timeout 30 "$WINE" reg delete "$settings" /v 20 /f </dev/null >/dev/null 2>&1

# 3. The sound server goes away in the middle of a show.
: >"$work/show.log"
new_show
wait_until 10 stream_open || fail "no sound stream before the server went away"
sleep 2
stop_pulse
if still_running "$show_pid" 5; then ok "the server gone mid-show: the show goes on"; else fail "the show ended when the server went away"; fi
click_ends "the server gone mid-show"
echo "     the server gone mid-show: $(logged | grep -v 'first frame' | paste -sd ';' -)"

# 4. No sound server at all.
: >"$work/show.log"
new_show
if still_running "$show_pid" 3; then ok "no sound server: the show runs"; else fail "no sound server: the show ended by itself"; fi
click_ends "no sound server"
if logged | grep -q 'no sound device'; then ok "no sound server: $(logged | grep 'no sound device')"; else fail "no sound server: $(logged | paste -sd ';' -)"; fi
finish
