#!/usr/bin/env bash
# Runs a short show: for now the headless trace of one seed, one line per
# frame ("<frame> <rng> <live> <shells> <hash>", then "total <rng>").
#
#   bash tools/show.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target lumora-trace
build/native/bin/lumora-trace --seed 7 --frames 600
