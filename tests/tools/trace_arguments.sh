#!/usr/bin/env bash
# lumora-trace from the outside: a bad command line exits with status 2, one
# line on stderr and nothing on stdout; a good one prints frame lines and a
# total line and nothing on stderr, and the same command prints the same bytes
# every time.
#
#   trace_arguments.sh TRACE [RUNNER...]
#
# RUNNER (e.g. wine) goes in front of TRACE on every run.
set -uo pipefail

if [[ $# -lt 1 ]]; then
  echo "usage: $0 TRACE [RUNNER...]" >&2
  exit 2
fi
trace=$1
shift
runner=("$@")
export WINEDEBUG=${WINEDEBUG:--all}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL [$1]: $2"; failures=$((failures + 1)); }

# run ARGS...: leaves stdout, stderr and the status in $work.
run() {
  "${runner[@]}" "$trace" "$@" >"$work/out" 2>"$work/err" </dev/null
  echo $? >"$work/rc"
}

BAD=(
  "--bogus"
  "--seed x"
  "--seed"
  "--seed -1"
  "--seed 4294967296"
  "--frames 1.5"
  "--ms 1000001"
  "--set Nope=1"
  "--set MaxFireworks=abc"
  "--set MaxFireworks"
  "--set MaxFireworks=2147483648"
  "--seed 7 --frames 10 extra"
)
for args in "${BAD[@]}"; do
  read -ra argv <<<"$args"
  run "${argv[@]}"
  rc=$(<"$work/rc")
  lines=$(wc -l <"$work/err")
  if [[ $rc -ne 2 ]]; then fail "$args" "exit status $rc, expected 2"; fi
  if [[ $lines -ne 1 ]]; then fail "$args" "$lines lines on stderr, expected 1"; cat "$work/err"; fi
  if [[ -s $work/out ]]; then fail "$args" "wrote to stdout"; fi
done

# No frame before the first tick: only the total of the draws the scene set-up
# makes (its 20 discards among them).
run --frames 0
if [[ $(<"$work/rc") -ne 0 || -s $work/err ]]; then
  fail "--frames 0" "status $(<"$work/rc"), stderr: $(cat "$work/err")"
elif ! grep -Eqx 'total [0-9]+' "$work/out" || [[ $(wc -l <"$work/out") -ne 1 ]]; then
  fail "--frames 0" "expected a single 'total N' line, got: $(cat -A "$work/out")"
elif (($(cut -d' ' -f2 "$work/out") < 20)); then
  fail "--frames 0" "total below the 20 discards: $(cat "$work/out")"
fi
setup_total=$(cut -d' ' -f2 "$work/out")

# A short run: frame lines "<frame> <rng> <live> <shells> <hash>" numbered
# from 1, then the total, which is the generator count of the last frame; the
# count never goes down and starts from the set-up draws.
run --seed 5 --frames 300 --set MaxFireworks=30
cp "$work/out" "$work/first"
if [[ $(<"$work/rc") -ne 0 || -s $work/err ]]; then
  fail "--seed 5 --frames 300" "status $(<"$work/rc"), stderr: $(cat "$work/err")"
else
  problem=$(awk -v setup="$setup_total" '
    function bad(why) { print why; failed = 1; exit }
    done { bad("line after the total: " $0) }
    /^total / { if (NR == 1 || $2 != rng) bad("total " $2 " after a frame at " rng)
                done = 1; next }
    NF != 5 || $1 !~ /^[0-9]+$/ || $2 !~ /^[0-9]+$/ || $3 !~ /^[0-9]+$/ || $4 !~ /^[0-9]+$/ ||
      length($5) != 16 || $5 ~ /[^0-9a-f]/ { bad("malformed line " NR ": " $0) }
    $1 != NR { bad("frame " $1 " on line " NR) }
    $2 < (NR == 1 ? setup : rng) { bad("generator count went down on line " NR) }
    { rng = $2 }
    END { if (!failed && !done) print "no total line" }' "$work/first")
  if [[ -n $problem ]]; then fail "--seed 5 --frames 300" "$problem"; fi
fi

# Same command, same bytes (no uninitialised state, no clock).
run --seed 5 --frames 300 --set MaxFireworks=30
cmp -s "$work/out" "$work/first" || fail "--seed 5 --frames 300" "second run printed different output"

# A longer run replays the shorter one frame for frame before going on.
run --seed 5 --frames 400 --set MaxFireworks=30
if ! cmp -s <(sed '$d' "$work/first") <(head -n "$(($(wc -l <"$work/first") - 1))" "$work/out"); then
  fail "--seed 5 --frames 400" "its frames differ from the 300-tick run"
fi

# A setting that changes the show changes the trace.
run --seed 5 --frames 300 --set MaxFireworks=1
cmp -s "$work/out" "$work/first" && fail "--set MaxFireworks=1" "trace identical to MaxFireworks=30"

if [[ $failures -ne 0 ]]; then
  echo "$failures checks failed"
  exit 1
fi
echo "all checks passed (${#BAD[@]} bad command lines, set-up total $setup_total)"
