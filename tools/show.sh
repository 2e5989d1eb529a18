#!/usr/bin/env bash
# Runs the show. With a display: lumora-show, full screen, until a mouse
# button, Alt or F10 is pressed or another window takes the focus. Without
# one: lumora-render draws a seeded show headless and writes every 100th
# frame as a PNG into ./frames.
#
#   bash tools/show.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset native >/dev/null
if [ -n "${DISPLAY:-}" ]; then
    cmake --build --preset native --target lumora-show
    exec build/native/bin/lumora-show
fi
cmake --build --preset native --target lumora-render
seed=$(date +%s)
echo "No display: rendering seed $seed headless into ./frames ..."
build/native/bin/lumora-render --seed "$seed" --frames 600 --every 100 --out frames
ls frames
