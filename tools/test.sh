#!/usr/bin/env bash
# Builds the three presets and runs every test: natively, then the Windows
# build under a private Wine (tools/wine/run.sh), then the native tests again
# built with clang's AddressSanitizer and UndefinedBehaviorSanitizer (preset
# sanitize), and a short run of the GIF fuzzer. Stages go on after a failure
# where they can, so one run reports everything; the exit status is non-zero
# if any stage failed.
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
  timings+=("$(printf '%-18s %4d s  %s' "$name" $((SECONDS - start)) "$([[ $rc -eq 0 ]] && echo ok || echo "FAILED ($rc)")")")
  [[ $rc -eq 0 ]] || failed+=("$name")
  return "$rc"
}

# Configure, then build everything that still builds (-k), so that one broken
# file does not hide the results of every other test.
configure() { cmake --preset "$1"; }
build() { cmake --build --preset "$1" -- -k; }

# The release: made by CPack, the zip holding the two programs, the help page
# (rendered offline from the zip, as the native test renders its own copy)
# and the text, and beside it the installer (what it does is the Windows
# tests' part).
package_check() {
  rm -f build/windows/Lumora-1.0.0-setup.exe
  cmake --build --preset windows --target package >/dev/null || return 1
  local listing
  listing=$(cd build/windows && cmake -E tar tf Lumora-1.0.0-win64.zip) || return 1
  echo "$listing"
  [[ $(sort <<<"$listing" | tr '\n' ' ') == "Lumora-1.0.0-win64/Lumora.dll Lumora-1.0.0-win64/Lumora.html Lumora-1.0.0-win64/Lumora.scr Lumora-1.0.0-win64/README.txt " ]] || return 1
  # An installer starts with the "MZ" of a Windows program.
  [[ $(head -c 2 build/windows/Lumora-1.0.0-setup.exe 2>/dev/null) == MZ ]] || { echo "no Lumora-1.0.0-setup.exe"; return 1; }
  echo "Lumora-1.0.0-setup.exe"
  bash tests/release/help_page_test.sh build/windows/Lumora-1.0.0-win64.zip
}

total_start=$SECONDS
declare -A configured=()
for preset in native windows sanitize; do
  if stage "$preset configure" configure "$preset"; then
    configured[$preset]=1
    stage "$preset build" build "$preset"
  fi
done
# Tests run whenever their preset configured; after a failed build ctest
# reports the missing programs as failures (or runs older ones: the failed
# build stays in the summary either way).
if [[ -n ${configured[native]:-} ]]; then
  stage "native tests" ctest --preset native
fi
if [[ -n ${configured[windows]:-} ]]; then
  stage "windows tests" bash tools/wine/run.sh --xvfb ctest --preset windows
  stage "windows package" package_check
fi
if [[ -n ${configured[sanitize]:-} ]]; then
  stage "sanitize tests" ctest --preset sanitize
  # Seeded with the GIF decoder suite and our own cases; a finding is kept in build/sanitize/fuzz-artifacts.
  stage "gif fuzz" bash tests/fuzz/run_gif_fuzz.sh build/sanitize/bin/gif-fuzz 30
fi

echo
echo "=== summary"
printf '%s\n' "${timings[@]}"
printf '%-18s %4d s\n' "total" $((SECONDS - total_start))
if [[ ${#failed[@]} -ne 0 ]]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all passed"
