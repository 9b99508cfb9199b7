#!/usr/bin/env bash
# Start-up and peak memory on a private 1920 x 1080 Xvfb display.
#
#   bench/startup.sh WINDOWS_BUILD LINUX_BUILD RUNS
#
# Start-up: from just before the process is started to its first frame on the
# screen, for the Windows build under Wine (startup_probe.exe, the shipped
# program behind an entry that stamps its phases) beside plain_window_floor.exe
# (a full-screen window drawn at once) and startup_probe_reference.exe (the
# same program drawing with the reference text, as before it was made
# quicker), the three taking turns, and for the native build (startup_probe). One run of each is made first and not counted,
# and a wineserver is kept running throughout, so that every run pays for its
# own process only, as on a running Windows.
# Peak memory: the shipped program runs for PEAK_SECONDS (default 10) while
# its VmHWM is read every 0.2 s, under Wine and natively.
#
# Also, COLD_RUNS times each (default RUNS): the floor and the Windows build
# with the wineserver stopped before every run (Wine then starts its own
# services beside the program), and the Windows build, with either text,
# without Mesa's shader cache (the driver then builds the shader's machine
# code at the first draw).
#
# Prints "startup KIND RUN PHASE SECONDS" lines, one per run and phase (KIND
# is floor, wine, wine_reference, native, floor_cold, wine_cold, wine_nocache
# or wine_reference_nocache; PHASE as
# startup_probe.cpp names them, counted from the process start), and
# "peak KIND KIB" lines.
set -euo pipefail
windows_build=$(realpath "$1")
linux_build=$(realpath "$2")
runs=$3
cd "$(dirname "$0")/.."

export GP_E2E_BUILD_DIR=$windows_build
export E2E_DISPLAYS=${E2E_DISPLAYS:-100-109}
# shellcheck source=tests/e2e/harness.sh
source tests/e2e/harness.sh
e2e_begin bench-startup
e2e_start_display 1920x1080
e2e_wine_prefix
wineserver -p

floor_exe=$windows_build/bench/plain_window_floor.exe
probe_exe=$windows_build/bench/startup_probe.exe
reference_exe=$windows_build/bench/startup_probe_reference.exe
native_probe=$linux_build/bench/startup_probe

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

run_once floor 0 wine "$floor_exe" >/dev/null
run_once wine 0 wine "$probe_exe" >/dev/null
run_once wine_reference 0 wine "$reference_exe" >/dev/null
for i in $(seq "$runs"); do
    run_once floor "$i" wine "$floor_exe"
    run_once wine "$i" wine "$probe_exe"
    run_once wine_reference "$i" wine "$reference_exe"
done
no_cache=(env MESA_SHADER_CACHE_DISABLE=true wine)
for i in $(seq "${COLD_RUNS:-$runs}"); do
    run_once wine_nocache "$i" "${no_cache[@]}" "$probe_exe"
    run_once wine_reference_nocache "$i" "${no_cache[@]}" "$reference_exe"
done
run_once native 0 "$native_probe" >/dev/null
for i in $(seq "$runs"); do
    run_once native "$i" "$native_probe"
done
for i in $(seq "${COLD_RUNS:-$runs}"); do
    timeout 20 wineserver -k || true
    run_once floor_cold "$i" wine "$floor_exe"
    timeout 20 wineserver -k || true
    run_once wine_cold "$i" wine "$probe_exe"
    timeout 20 wineserver -k || true
done

# The highest VmHWM of process PID while it runs for SECONDS, in KiB.
peak_of() {
    local pid=$1 seconds=$2 peak=0 value
    local deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt $deadline ] && [ -r "/proc/$pid/status" ]; do
        value=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
        [ -z "$value" ] || [ "$value" -le "$peak" ] || peak=$value
        sleep 0.2
    done
    echo "$peak"
}

# The program itself is the child of `timeout` (wine execs into it).
measure_peak() {
    local kind=$1
    shift
    e2e_start peak 120 "$@" /s
    local outer child=""
    outer=$(e2e_pid peak)
    for _ in $(seq 50); do
        child=$(pgrep -P "$outer" | head -n1 || true)
        [ -z "$child" ] || break
        sleep 0.1
    done
    [ -n "$child" ] || e2e_fail "$kind: no process to watch"
    echo "peak $kind $(peak_of "$child" "${PEAK_SECONDS:-10}")"
    kill "$child" 2>/dev/null || true
    e2e_wait_exit peak 30 || true
}

measure_peak wine wine "$windows_build/Glimmerpond3D.scr"
measure_peak native "$linux_build/Glimmerpond3D"
