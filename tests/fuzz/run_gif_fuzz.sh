#!/usr/bin/env bash
# Runs the GIF fuzzer (gif-fuzz, built by the sanitize preset) for a while,
# seeded with the GIFs of the decoder suite and of our own cases, and reports
# executions, coverage and peak memory. Exit status 0 when it ran its time
# with no crash, leak, timeout or oversized allocation; a finding is saved as
# ARTIFACTS/crash-..., etc.
#
#   run_gif_fuzz.sh FUZZER SECONDS [CORPUS_DIR] [ARTIFACTS_DIR]
#
# One allocation of 256 MB or more counts as a failure (-malloc_limit_mb): a
# load never takes more than that in all.
set -uo pipefail

if [[ $# -lt 2 ]]; then
  echo "usage: $0 FUZZER SECONDS [CORPUS_DIR] [ARTIFACTS_DIR]" >&2
  exit 2
fi
fuzzer=$1 seconds=$2
suite=$(cd "$(dirname "$0")/../controls/gif/suite" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus=${3:-$work/corpus}
artifacts=${4:-$(dirname "$fuzzer")/../fuzz-artifacts}
mkdir -p "$corpus" "$artifacts" "$work/seeds"
cp "$suite"/*.gif "$suite"/../cases/*.gif "$work/seeds/"
# A smaller quarantine than ASan's 256 MB: each input frees well under 1 MB,
# so use after free is still caught many inputs later, and the fuzzer runs
# about twice as fast without cycling through fresh pages.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}

"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=256 -max_len=8192 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$work/seeds" >"$work/log" 2>&1
rc=$?
# The last status line (executions, coverage, peak RSS) and the final stats.
grep -E '^#[0-9]+' "$work/log" | tail -n 1
grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb|slowest_unit_time_sec)' "$work/log"
if [[ $rc -ne 0 ]]; then
  grep -E 'ERROR|SUMMARY|Test unit written' "$work/log" | head -n 20
  echo "gif-fuzz: FAILED (exit $rc), artifacts in $artifacts"
  exit 1
fi
echo "gif-fuzz: no crash, leak, timeout or oversized allocation in ${seconds} s"
