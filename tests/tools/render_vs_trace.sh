#!/usr/bin/env bash
# A render and a trace of the same seed are the same show: lumora-render's
# per-frame trace lines (drawing with OpenGL) must equal lumora-trace's.
#
#   render_vs_trace.sh LUMORA_RENDER LUMORA_TRACE
set -u
render=$1 trace=$2
status=0
check() {
    if ! diff <("$render" --size 96x54 --trace "$@") <("$trace" "$@") >/tmp/render_vs_trace.$$ 2>&1; then
        echo "render and trace differ for: $*"
        head -5 /tmp/render_vs_trace.$$
        status=1
    else
        echo "same show: $*"
    fi
    rm -f /tmp/render_vs_trace.$$
}
check --seed 11 --frames 300
check --seed 7 --frames 400 --set MaxFireworks=30 --set SmokeSpan=30
check --seed 5 --frames 300 --ms 33 --set Weather=0 --set StarDensity=0 --set LensFlareBrightness=0
exit $status
