#!/usr/bin/env bash
# Builds both presets and runs every test: natively, then the Windows build
# under a private Wine (tools/wine/run.sh). Stages go on after a failure where
# they can, so one run reports everything; the exit status is non-zero if any
# stage failed.
#
#   bash tools/test.sh
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

bash tools/setup.sh || exit 1

failed=()
timings=()
# stage NAME COMMAND...: runs and times one step, remembering a failure.
stage() {
  local name=$1 start=$SECONDS rc
  shift
  echo
  echo "=== $name"
  "$@"
  rc=$?
  timings+=("$(printf '%-16s %4d s  %s' "$name" $((SECONDS - start)) "$([[ $rc -eq 0 ]] && echo ok || echo "FAILED ($rc)")")")
  [[ $rc -eq 0 ]] || failed+=("$name")
  return "$rc"
}

build() { cmake --preset "$1" && cmake --build --preset "$1"; }

total_start=$SECONDS
native_built=0 windows_built=0
stage "native build" build native && native_built=1
stage "windows build" build windows && windows_built=1
if [[ $native_built -eq 1 ]]; then
  stage "native tests" ctest --preset native
fi
if [[ $windows_built -eq 1 ]]; then
  stage "windows tests" bash tools/wine/run.sh --xvfb ctest --preset windows
fi

echo
echo "=== summary"
printf '%s\n' "${timings[@]}"
printf '%-16s %4d s\n' "total" $((SECONDS - total_start))
if [[ ${#failed[@]} -ne 0 ]]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all passed"
