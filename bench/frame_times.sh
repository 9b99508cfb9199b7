#!/usr/bin/env bash
# Frame times across picture changes: the Windows build's frame_times_probe.exe
# under Wine on a private 1280 x 720 Xvfb, its scene timer running ten times
# as fast once the render-mode decision is made, until five pictures have
# changed. RUNS runs (default 1).
#
#   bench/frame_times.sh WINDOWS_BUILD [RUNS]
#
# Prints the probe's "frame MS" and "change N" lines, each prefixed with
# "frames RUN".
set -euo pipefail
windows_build=$(realpath "$1")
runs=${2:-1}
cd "$(dirname "$0")/.."

export GP_E2E_BUILD_DIR=$windows_build
export E2E_DISPLAYS=${E2E_DISPLAYS:-100-109}
# shellcheck source=tests/e2e/harness.sh
source tests/e2e/harness.sh
e2e_begin bench-frame-times
e2e_start_display 1280x720
e2e_wine_prefix
wineserver -p
for i in $(seq "$runs"); do
    e2e_wine_start frames 180 "$windows_build/bench/frame_times_probe.exe" /s
    e2e_wait_exit frames 180
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "frame_times_probe ended with $E2E_STATUS"
    tr -d '\r' <"$E2E_WORK/frames.log" | grep -E '^(frame|change) ' | sed "s/^/frames $i /"
done
