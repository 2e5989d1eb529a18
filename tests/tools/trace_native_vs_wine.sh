#!/usr/bin/env bash
# The Windows lumora-trace under Wine must print the very bytes the native one
# prints: same draws from the generator, same float results, same hashes, no
# CR before a newline. One divergence anywhere in a long show ends up in the
# hash of every later frame, so a few long runs with different settings cover
# the simulation well.
#
#   trace_native_vs_wine.sh WINE WINDOWS_TRACE_EXE NATIVE_TRACE
set -uo pipefail

if [[ $# -ne 3 ]]; then
  echo "usage: $0 WINE WINDOWS_TRACE_EXE NATIVE_TRACE" >&2
  exit 2
fi
wine=$1 exe=$2 native=$3

# The native build is made first by tools/test.sh; without it there is
# nothing to compare against, and a silent skip would hide that.
for f in "$exe" "$native"; do
  if [[ ! -x $f ]]; then
    echo "FAIL: $f is missing (build the native preset before testing the windows one)" >&2
    exit 1
  fi
done
export WINEDEBUG=${WINEDEBUG:--all}

CASES=(
  "--seed 7 --frames 3600 --set MaxFireworks=30"
  "--seed 1"
  "--seed 123456 --frames 2000 --set SmokeSpan=30 --set WindSpeed=100"
  "--seed 42 --frames 1500 --ms 33 --set Weather=0 --set Illumination=0 --set StarDensity=0"
  "--seed 4000000000 --frames 1200 --set MaxFireworks=30 --set SmokeSpan=0"
  "--seed 99 --frames 900 --ms 50 --set AmbientBrightness=100 --set LensFlareBrightness=100"
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
for args in "${CASES[@]}"; do
  read -ra argv <<<"$args"
  # Both runs at once: the two are equally long and we have the cores.
  "$native" "${argv[@]}" >"$work/native" 2>"$work/native.err" &
  native_pid=$!
  "$wine" "$exe" "${argv[@]}" >"$work/wine" 2>"$work/wine.err" </dev/null
  wine_rc=$?
  wait "$native_pid"
  native_rc=$?

  if [[ $native_rc -ne 0 || $wine_rc -ne 0 ]]; then
    echo "FAIL [$args]: exit status native $native_rc, wine $wine_rc"
    cat "$work/native.err" "$work/wine.err"
    failures=$((failures + 1))
    continue
  fi
  if ! tail -n 1 "$work/native" | grep -Eq '^total [0-9]+$'; then
    echo "FAIL [$args]: native output does not end with a total line"
    failures=$((failures + 1))
    continue
  fi
  if cmp -s "$work/native" "$work/wine"; then
    echo "ok   [$args]: $(wc -l <"$work/native") lines, $(tail -n 1 "$work/native")"
    continue
  fi
  failures=$((failures + 1))
  # The first line that differs, or the shorter output running out.
  line=$(awk 'NR == FNR { a[FNR] = $0; n = FNR; next }
              { m = FNR }
              FNR > n || a[FNR] != $0 { print FNR; found = 1; exit }
              END { if (!found) print m + 1 }' "$work/native" "$work/wine")
  echo "FAIL [$args]: outputs differ first at line $line"
  echo "  native: $(sed -n "${line}p" "$work/native" | cat -A)"
  echo "  wine:   $(sed -n "${line}p" "$work/wine" | cat -A)"
done

if [[ $failures -ne 0 ]]; then
  echo "$failures of ${#CASES[@]} cases differ"
  exit 1
fi
echo "all ${#CASES[@]} cases identical"
