#!/usr/bin/env bash
# Start-up and peak memory on a private 1920 x 1080 Xvfb display (or
# GP_STARTUP_SCREEN, e.g. 3840x2160, where a full-resolution frame is four
# times as dear: what a slow machine pays). With GP_STARTUP_SCREEN_ONLY=1 only
# the launch-to-water runs of the floor and the Windows build, before and
# now, are made.
#
#   bench/startup.sh WINDOWS_BUILD LINUX_BUILD BEFORE RUNS
#
# BEFORE holds the programs as they were at an earlier commit
# (bench/build_before.sh): windows/Glimmerpond3D.scr, windows/startup_probe.exe,
# linux/Glimmerpond3D, linux/startup_probe.
#
# On the screen (screen_poller): from just before the process starts until a
# 64 x 64 square at the screen's centre, read every 5 ms, holds more than a
# few colours; the program then runs 2 s more, its peak resident memory
# (VmHWM) is read and it is ended. Taking turns, RUNS times each after one run
# not counted: plain_window_floor.exe (a full-screen window that draws a colour
# ramp at once: the floor), the shipped Windows program before and now under
# Wine with "/s", and the Linux program before and now.
#
# In-process stamps (startup_probe, the shipped program behind an entry that
# stamps its phases and ends after its first frame), taking turns: the floor,
# the Windows build now, before, and with the reference text; the Linux build
# now and before. A wineserver is kept running throughout, so that every run
# pays for its own process only, as on a running Windows.
#
# Also, COLD_RUNS times each (default 3): the floor and the Windows build
# with the wineserver stopped before every run, and the Windows build, with
# either text, without Mesa's shader cache. The preview: the Windows program
# in a 152 x 112 pane of preview_host.exe, peak memory after 4 s, before and
# now. First-touch speed of fresh memory (first_touch, 682 MiB).
#
# Prints "startup KIND RUN PHASE SECONDS" lines (PHASE as startup_probe.cpp
# names them, counted from the process start), "screen KIND RUN drawn SECONDS",
# "peak KIND RUN KIB" and "first_touch MIB SECONDS MB_PER_S".
set -euo pipefail
windows_build=$(realpath "$1")
linux_build=$(realpath "$2")
before=$(realpath "$3")
runs=$4
cd "$(dirname "$0")/.."

export GP_E2E_BUILD_DIR=$windows_build
export E2E_DISPLAYS=${E2E_DISPLAYS:-100-109}
# shellcheck source=tests/e2e/harness.sh
source tests/e2e/harness.sh
e2e_begin bench-startup
e2e_start_display "${GP_STARTUP_SCREEN:-1920x1080}" +extension Composite
e2e_wine_prefix
wineserver -p

floor_exe=$windows_build/bench/plain_window_floor.exe
probe_exe=$windows_build/bench/startup_probe.exe
reference_exe=$windows_build/bench/startup_probe_reference.exe
native_probe=$linux_build/bench/startup_probe
poller=$linux_build/bench/screen_poller

# --- on the screen ---------------------------------------------------------
# One poller run: "screen KIND RUN drawn S" and "peak KIND RUN KIB".
poll_once() {
    local kind=$1 run=$2
    shift 2
    timeout -k 5 90 "$poller" --hold 2 --timeout 60 "$@" >"$E2E_WORK/poll.txt" \
        2>"$E2E_WORK/poll.log" || e2e_fail "$kind: nothing drawn ($(tail -n3 "$E2E_WORK/poll.log"))"
    awk -v kind="$kind" -v run="$run" '
        $1 == "drawn" { printf "screen %s %s drawn %s\n", kind, run, $2 }
        $1 == "peak" { printf "peak %s %s %s\n", kind, run, $2 }' "$E2E_WORK/poll.txt"
}
screen_round() {
    local run=$1
    poll_once floor "$run" wine "$floor_exe" hold
    poll_once wine_before "$run" wine "$before/windows/Glimmerpond3D.scr" /s
    poll_once wine "$run" wine "$windows_build/Glimmerpond3D.scr" /s
    [ "${GP_STARTUP_SCREEN_ONLY:-0}" = 1 ] && return 0
    poll_once native_before "$run" "$before/linux/Glimmerpond3D" /s
    poll_once native "$run" "$linux_build/Glimmerpond3D" /s
}
screen_round 0 >/dev/null
for i in $(seq "$runs"); do
    screen_round "$i"
done
[ "${GP_STARTUP_SCREEN_ONLY:-0}" != 1 ] || exit 0

# --- in-process stamps -----------------------------------------------------
# Runs one program to its first frame and prints its phases, counted from the start.
run_once() {
    local kind=$1 run=$2
    shift 2
    local start=$EPOCHREALTIME
    e2e_start run 120 "$@" /s
    e2e_wait_exit run 120
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$kind ended with $E2E_STATUS"
    grep -q '^stamp presented ' "$E2E_WORK/run.log" || e2e_fail "$kind printed no stamps"
    awk -v kind="$kind" -v run="$run" -v start="$start" '
        /^stamp / { printf "startup %s %s %s %.4f\n", kind, run, $2, $3 - start }
        /^seconds / { printf "startup %s %s %s_seconds %.4f\n", kind, run, $2, $3 }' \
        "$E2E_WORK/run.log"
}
stamp_round() {
    local run=$1
    run_once floor "$run" wine "$floor_exe"
    run_once wine "$run" wine "$probe_exe"
    run_once wine_before "$run" wine "$before/windows/startup_probe.exe"
    run_once wine_reference "$run" wine "$reference_exe"
    run_once native "$run" "$native_probe"
    run_once native_before "$run" "$before/linux/startup_probe"
}
stamp_round 0 >/dev/null
for i in $(seq "$runs"); do
    stamp_round "$i"
done
cold_runs=${COLD_RUNS:-3}
no_cache=(env MESA_SHADER_CACHE_DISABLE=true wine)
for i in $(seq "$cold_runs"); do
    run_once wine_nocache "$i" "${no_cache[@]}" "$probe_exe"
    run_once wine_reference_nocache "$i" "${no_cache[@]}" "$reference_exe"
done
for i in $(seq "$cold_runs"); do
    timeout 20 wineserver -k || true
    run_once floor_cold "$i" wine "$floor_exe"
    timeout 20 wineserver -k || true
    run_once wine_cold "$i" wine "$probe_exe"
    timeout 20 wineserver -k || true
done
wineserver -p

# --- the preview -----------------------------------------------------------
# preview_host starts "PROGRAM /p PANE" itself; its process is found by that
# command line among the processes started since, and read, not ended: the
# host ends it by destroying the pane once the go file appears.
preview_peak() {
    local kind=$1 program=$2 pid="" go="$E2E_WORK/go"
    rm -f "$go"
    e2e_wine_start host 90 "$windows_build/tests/e2e/preview_host.exe" \
        "$(e2e_windows_path "$program")" destroy "$(e2e_windows_path "$E2E_WORK")\\go"
    e2e_wait_for_line host '^ready' 60 || e2e_fail "$kind: the preview did not start"
    sleep 4
    pid=$(pgrep -n -f "$(basename "$program") /p [0-9]" || true)
    [ -n "$pid" ] || e2e_fail "$kind: no preview process"
    echo "peak $kind $3 $(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")"
    touch "$go"
    e2e_wait_exit host 60
}
for i in $(seq "$cold_runs"); do
    preview_peak preview_before "$before/windows/Glimmerpond3D.scr" "$i"
    preview_peak preview "$windows_build/Glimmerpond3D.scr" "$i"
done

for _ in $(seq "$cold_runs"); do
    "$linux_build/bench/first_touch" 682 | grep '^first_touch'
done
