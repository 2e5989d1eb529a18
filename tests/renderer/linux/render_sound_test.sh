#!/usr/bin/env bash
# lumora-render's sound from the outside (--audio, --cues, --camera), on a
# seeded minute of the show:
# - the WAV is 48 kHz stereo 16-bit and exactly as long as the show time of
#   the frames, which the test works out itself from the frame timer's rule;
# - each cue starts at its event's time plus distance / 343 m/s; its
#   distance and pan side agree with the camera at its event's frame; cues
#   come in start order;
# - every isolated boom's onset in the WAV lies within 5 ms of its cue's
#   start; a boom to the view's right is louder in the right channel, one to
#   its left in the left;
# - the same arguments give the same bytes; the trace is unchanged with the
#   sound on; volume 0 gives a silent file of full length and a bare header;
# - a heavy show (MaxFireworks 30) at full volume stays below 0.99 of full
#   scale.
#
#   render_sound_test.sh LUMORA_RENDER LUMORA_TRACE
set -uo pipefail
if [[ $# -ne 2 ]]; then
  echo "usage: $0 LUMORA_RENDER LUMORA_TRACE" >&2
  exit 2
fi
render=$1 trace=$2
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }
# shellcheck source=../../tools/check_lib.sh
source "$(dirname "$0")/../../tools/check_lib.sh"

# A minute of show at 16 ms ticks. Drawing makes no random draws, so the
# particles are left undrawn: the show and its sound are the same, faster.
show=(--seed 5 --frames 3750 --size 16x16 --no-particles)
"$render" "${show[@]}" --trace --audio "$work/a.wav" --cues "$work/a.tsv" --camera "$work/cam.tsv" >"$work/a.trace" ||
  fail "lumora-render with sound exited with $?"
"$render" "${show[@]}" --audio "$work/b.wav" --cues "$work/b.tsv" >/dev/null
if cmp -s "$work/a.wav" "$work/b.wav" && cmp -s "$work/a.tsv" "$work/b.tsv"; then
  ok "the same arguments give the same WAV and cue list"
else
  fail "two runs of the same arguments differ"
fi
if diff -q "$work/a.trace" <("$trace" --seed 5 --frames 3750) >/dev/null; then
  ok "the trace is unchanged with the sound on"
else
  fail "the trace differs with the sound on"
fi
"$render" "${show[@]}" --set EffectsVolume=0 --audio "$work/z.wav" --cues "$work/z.tsv" >/dev/null
"$render" --seed 9 --frames 3750 --size 16x16 --no-particles --set MaxFireworks=30 --set EffectsVolume=100 \
  --audio "$work/h.wav" >/dev/null

python3 - "$work" <<'EOF' || failures=$((failures + 1))
import array, math, struct, sys, wave

work = sys.argv[1]
bad = 0
def check(cond, what):
    global bad
    print(("ok   " if cond else "FAIL ") + what)
    if not cond:
        bad += 1

def samples(path):
    with wave.open(path) as w:
        fmt = (w.getframerate(), w.getnchannels(), w.getsampwidth())
        data = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder != "little":
        data.byteswap()
    return fmt, data

def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]

# The show time of 3750 ticks 16 ms apart, as the frame timer makes it: the
# mean of the last five samples (starting from five of 0.03 s), the first
# sample 0, in binary32.
times = [f32(0.03)] * 5
index, total, seen = 0, 0.0, 0
for tick in range(3750):
    times[index] = 0.0 if tick == 0 else f32(16 * f32(0.001))
    index = (index + 1) % 5
    dt = f32(f32(f32(f32(f32(times[0] + times[1]) + times[2]) + times[3]) + times[4]) * f32(0.2))
    total += dt
expected = round(total * 48000)

fmt, a = samples(f"{work}/a.wav")
check(fmt == (48000, 2, 2), f"48 kHz stereo 16-bit ({fmt})")
check(len(a) // 2 == expected, f"{len(a) // 2} samples: the show time of the frames, {total:.6f} s")

camera = []
for line in open(f"{work}/cam.tsv"):
    t, ex, ey, ez, rx, ry, rz = map(float, line.split("\t"))
    camera.append((t, (ex, ey, ez), (rx, ry, rz)))
check(len(camera) == 3750 and abs(camera[-1][0] - total) < 2e-6, "one camera line a frame, ending at the show time")

lines = open(f"{work}/a.tsv").read().splitlines()
check(lines[0] == "event_s\tkind\tdistance_m\tstart_s\tpan\tx\ty\tz", "the cue list's header")
cues = []
for line in lines[1:]:
    f = line.split("\t")
    cues.append({"event": float(f[0]), "kind": f[1], "distance": float(f[2]), "start": float(f[3]),
                 "pan": float(f[4]), "at": tuple(map(float, f[5:8]))})
kinds = {c["kind"] for c in cues}
check({"boom", "launch"} <= kinds, f"{len(cues)} cues of kinds {sorted(kinds)}")
check(all(x["start"] <= y["start"] for x, y in zip(cues, cues[1:])), "cues in start order")
check(all(0 <= c["start"] < total for c in cues), "every cue starts within the file")
check(all(abs(c["start"] - c["event"] - c["distance"] / 343.0) < 1.5e-4 for c in cues),
      "each cue starts at its event's time plus distance / 343 m/s")

# The camera at each cue's event frame.
by_time = {round(t, 4): (eye, right) for t, eye, right in camera}
placed = sided = 0
for c in cues:
    eye, right = by_time[round(c["event"], 4)]
    d = [c["at"][i] - eye[i] for i in range(3)]
    units = math.sqrt(sum(v * v for v in d))
    placed += abs(c["distance"] - 0.3048 * units) < 0.01 + 1e-5 * c["distance"]
    side = sum(d[i] * right[i] for i in range(3)) / (units * math.sqrt(sum(r * r for r in right)))
    sided += abs(c["pan"] - side) < 2e-3
check(placed == len(cues), f"distance from the eye at the event's frame, for {placed} of {len(cues)} cues")
check(sided == len(cues), f"pan from the view's right at the event's frame, for {sided} of {len(cues)} cues")

# Booms no other sudden sound comes near: their onset is the first sample
# that stands out of what was playing just before.
sudden = [c for c in cues if c["kind"] in ("boom", "pop", "stage2", "crackle")]
def level(n):
    return abs(a[2 * n]) + abs(a[2 * n + 1])
onsets, unclear, right_louder, left_louder = [], 0, [], []
for c in sudden:
    if c["kind"] != "boom" or any(o is not c and c["start"] - 0.5 < o["start"] < c["start"] + 0.06 for o in sudden):
        continue
    s = round(c["start"] * 48000)
    if s < 12000 or s + 14400 > len(a) // 2:
        continue
    background = max(level(n) for n in range(s - 12000, s - 480))
    threshold = max(4 * background, 24)
    after = max(level(n) for n in range(s, s + 2400))
    if after < 2 * threshold:
        unclear += 1
        continue
    onset = next(n for n in range(s - 960, s + 2400) if level(n) > threshold)
    onsets.append((onset - s) / 48.0)
    left = sum(a[2 * n] ** 2 for n in range(s, s + 14400))
    right = sum(a[2 * n + 1] ** 2 for n in range(s, s + 14400))
    if c["pan"] > 0.15:
        right_louder.append(right > left)
    if c["pan"] < -0.15:
        left_louder.append(left > right)
worst = max((abs(o) for o in onsets), default=99)
check(len(onsets) >= 5 and worst <= 5.0,
      f"{len(onsets)} isolated booms start within 5 ms of their cues (worst {worst:.2f} ms; {unclear} too faint to tell)")
check(right_louder and all(right_louder) and left_louder and all(left_louder),
      f"booms to the right are louder on the right ({right_louder}), to the left on the left ({left_louder})")

fmt, z = samples(f"{work}/z.wav")
check(len(z) == len(a) and not any(z), f"volume 0: {len(z) // 2} samples, all zero")
check(open(f"{work}/z.tsv").read() == lines[0] + "\n", "volume 0: the cue list is its header alone")

fmt, h = samples(f"{work}/h.wav")
peak = max(max(h), -min(h)) / 32768.0
check(peak < 0.99, f"a heavy show at full volume peaks at {peak:.4f} of full scale")
sys.exit(1 if bad else 0)
EOF
finish
