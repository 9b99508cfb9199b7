#!/usr/bin/env bash
# What the screensaver costs while it runs, and while no one can see it: on
# llvmpipe every frame is CPU time, so the process's CPU time is its rendering
# energy. For the program as it was at commit BEFORE and as it is now, taking
# turns, each for SECONDS (default 20) after it has settled:
#   - the Windows build's preview in a 152 x 112 pane of preview_host.exe,
#     visible, then with the host minimised, then hidden;
#   - the Windows build full screen at 640 x 360, 1280 x 720 and 1920 x 1080,
#     once its render mode is chosen;
#   - the Linux build as a hack in a 320 x 240 window of x11_host_window at its
#     default delay.
# Each gives CPU-seconds per minute (/proc/PID/stat) and frames a second seen
# from outside (tests/e2e/frame_watch: a 64 x 64 square at the centre of the
# window, or of the off-screen window where Wine keeps a child's OpenGL).
# Writes out/bench/cost.md.
#
#   bench/cost.sh BEFORE_DIR [SECONDS]
#   bench/cost.sh --frame-rate [SECONDS] [ROUNDS]
#       instead: the Windows build now, full screen at 1280 x 720 and 640 x 360,
#       with its stored frame rate "Up to 60" and "About 30" taking turns,
#       ROUNDS times (default 3); writes out/bench/frame-rate.md.
# BEFORE_DIR as bench/build_before.sh makes it (linux/Glimmerpond3D,
# windows/Glimmerpond3D.scr); the programs now and the test tools come from
# build/bench-linux and build/bench-windows (GP_BENCH_LINUX_DIR, GP_BENCH_WINDOWS_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
frame_rates=0
if [ "${1:-}" = --frame-rate ]; then
    frame_rates=1
    shift
    set -- "" "$@"
    before=""
else
    before=$(realpath "${1:?the before folder}")
fi
seconds=${2:-20}
linux=$(realpath -m "${GP_BENCH_LINUX_DIR:-build/bench-linux}")
windows=$(realpath -m "${GP_BENCH_WINDOWS_DIR:-build/bench-windows}")
out=out/bench
mkdir -p "$out"
settle=${GP_COST_SETTLE:-40}  # seconds for 100 frames and the render mode at 1920 x 1080

export GP_E2E_BUILD_DIR=$windows
# shellcheck source=tests/e2e/harness.sh
source tests/e2e/harness.sh
e2e_begin bench-cost
watch=$windows/tests/e2e/frame_watch

# "cores frames-per-second" of PID over SECONDS, frames counted in window XID
# (none counted where XID is empty).
measure() {
    local pid=$1 window=$2 cores rate=0
    if [ -n "$window" ]; then
        "$watch" count "$window" "$seconds" >"$E2E_WORK/frames.txt" 2>/dev/null &
        local watcher=$!
    fi
    cores=$(e2e_cpu_cores "$pid" "$seconds")
    if [ -n "$window" ]; then
        wait "$watcher" && rate=$(awk '{ print $6 }' "$E2E_WORK/frames.txt")
    fi
    echo "$cores $rate"
}

# A new private display of SIZE, the old one and its wineserver gone.
use_display() {
    timeout 20 wineserver -k 2>/dev/null || true
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
        E2E_XVFB_PID=""
    fi
    e2e_start_display "$@"
    e2e_wine_prefix
}

preview() {
    local kind=$1 program=$2 go="$E2E_WORK/go" pid drawing
    rm -f "$go"*
    e2e_wine_start host 200 "$windows/tests/e2e/preview_host.exe" \
        "$(e2e_windows_path "$program")" visibility "$(e2e_windows_path "$E2E_WORK")\\go"
    e2e_wait_for_line host '^ready' 60 || e2e_fail "$kind: the preview did not start"
    sleep 3
    pid=$(e2e_wine_process Glimmerpond3D.scr /p)
    drawing=$(e2e_wait_offscreen_gl_window 152 112 10)
    echo "cost $kind preview_visible $(measure "$pid" "$drawing")"
    touch "$go-minimise"
    e2e_wait_for_line host '^minimised' 10 || e2e_fail "$kind: not minimised"
    sleep 1
    echo "cost $kind preview_minimised $(measure "$pid" "$(e2e_offscreen_gl_window 152 112)")"
    touch "$go-hide"
    e2e_wait_for_line host '^hidden' 10 || e2e_fail "$kind: not hidden"
    sleep 1
    echo "cost $kind preview_hidden $(measure "$pid" "$(e2e_offscreen_gl_window 152 112)")"
    touch "$go-show" "$go"
    e2e_wait_exit host 60
}

full_screen() {
    local kind=$1 program=$2 size=$3 pid root
    e2e_wine_start saver 200 "$program" /s
    [ -n "$(e2e_wait_window Glimmerpond3DScreensaver 60)" ] || e2e_fail "$kind: no window"
    e2e_wait_drawn "$E2E_WORK/drawn.png" 60 || e2e_fail "$kind: nothing drawn"
    sleep "$settle"
    pid=$(e2e_wine_process Glimmerpond3D.scr /s)
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    echo "cost $kind fullscreen_$size $(measure "$pid" "$root")"
    xdotool key a
    e2e_wait_exit saver 30
}

hack() {
    local kind=$1 program=$2 host
    mkdir -p "$E2E_WORK/host.control"
    e2e_start host 200 "$linux/tests/e2e/x11_host_window" 320 240 0 0 "$E2E_WORK/host.control"
    e2e_wait_for_line host '^window 0x' 10 || e2e_fail "no host window"
    host=$(grep -m1 '^window 0x' "$E2E_WORK/host.log" | cut -d' ' -f2)
    e2e_start hack 200 "$program" --window-id "$host"
    sleep 8
    echo "cost $kind hack_320x240 $(measure "$(pgrep -P "$(e2e_pid hack)" | head -n1)" "$host")"
    kill "$(e2e_pid hack)" "$(e2e_pid host)" 2>/dev/null || true
    e2e_wait_exit hack 20 || true
}

# Full screen at each size with each stored frame-rate choice, taking turns.
frame_rate_choices() {
    local rounds=$1 size round choice
    for round in $(seq "$rounds"); do
        for size in 1280x720 640x360; do
            use_display "$size"
            for choice in 0 1; do
                timeout 30 wine reg add 'HKCU\Software\Quillbrook\Glimmerpond 3D' /v FrameRate \
                    /t REG_DWORD /d "$choice" /f >/dev/null 2>&1 || e2e_fail "could not store FrameRate"
                full_screen "choice$choice" "$windows/Glimmerpond3D.scr" "$size"
            done
        done
    done | tee "$out/frame-rate.log" >&2
    echo "# Frame-rate choices, full screen under Wine"
    echo
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores;"
    echo "Mesa llvmpipe; $(wine --version); load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."
    echo "Each figure over $seconds s after $settle s of settling, min / median of $rounds, the choices taking turns."
    echo
    echo "| Screen | Up to 60: CPU-seconds a minute | Up to 60: frames a second | About 30: CPU-seconds a minute | About 30: frames a second |"
    echo "|---|---|---|---|---|"
    python3 - "$out/frame-rate.log" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    f = line.split()
    if f and f[0] == "cost":
        rows.setdefault(f[2], {}).setdefault(f[1], []).append((float(f[3]) * 60, float(f[4])))
def cell(values, i):
    v = sorted(x[i] for x in values)
    return f"{v[0]:.1f} / {statistics.median(v):.1f}"
for key, by in rows.items():
    a, b = by.get("choice0", []), by.get("choice1", [])
    print(f"| {key.split('_')[1].replace('x', ' x ')} | {cell(a, 0)} | {cell(a, 1)} | {cell(b, 0)} | {cell(b, 1)} |")
PY
}

if [ "$frame_rates" = 1 ]; then
    frame_rate_choices "${3:-3}" >"$out/frame-rate.md"
    cat "$out/frame-rate.md"
    e2e_pass
fi

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
{
    use_display 320x240 +extension Composite
    for kind in before now; do
        program=$([ $kind = before ] && echo "$before/windows/Glimmerpond3D.scr" || echo "$windows/Glimmerpond3D.scr")
        preview "$kind" "$program"
    done
    for size in 640x360 1280x720 1920x1080; do
        use_display "$size"
        for kind in before now; do
            program=$([ $kind = before ] && echo "$before/windows/Glimmerpond3D.scr" || echo "$windows/Glimmerpond3D.scr")
            full_screen "$kind" "$program" "$size"
        done
    done
    use_display 640x480
    hack before "$before/linux/Glimmerpond3D"
    hack now "$linux/Glimmerpond3D"
} | tee "$out/cost.log"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

{
    echo "# What a run costs, seen and unseen"
    echo
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores;"
    echo "Mesa llvmpipe; $(wine --version); load average $load_before before, $load_after after."
    echo "Before: commit $(cat "$before/COMMIT" 2>/dev/null || echo '?'). Each figure over $seconds s, the builds taking turns."
    echo
    echo "| Run | before: CPU-seconds a minute | before: frames a second | now: CPU-seconds a minute | now: frames a second |"
    echo "|---|---|---|---|---|"
    awk '$1 == "cost" { key = $3; if (!(key in seen)) { seen[key] = 1; order[++n] = key }
                        cpu[$2, key] = $4 * 60; fps[$2, key] = $5 }
         END { for (i = 1; i <= n; ++i) { k = order[i]; name = k; gsub("_", " ", name)
               printf "| %s | %.1f | %.1f | %.1f | %.1f |\n", name, cpu["before", k], fps["before", k], cpu["now", k], fps["now", k] } }' \
        "$out/cost.log"
} >"$out/cost.md"
cat "$out/cost.md"
e2e_pass
