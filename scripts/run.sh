#!/usr/bin/env bash
# Builds and runs the screensaver, doing all set-up on a fresh Debian 12
# machine first (packages, GLFW sources, configure, build).
#
#   scripts/run.sh [--wine] [switches...]
#
# Without --wine the Linux build runs natively; with --wine the Windows build
# (Glimmerpond3D.scr) runs under Wine. Switches are the screensaver's own
# ("/s" full screen, the default; "/c" the Settings window). Any key or mouse
# button ends it. Where there is no X display, it runs on a virtual display
# for a few seconds and saves a screenshot, whose path it prints.
# GP_BUILD_DIR chooses the build folder (default build/linux or build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

readonly virtual_screen=800x600
readonly headless_seconds=6

wine_mode=0
if [ "${1:-}" = --wine ]; then
    wine_mode=1
    shift
fi
[ $# -gt 0 ] || set -- /s

preset=linux
[ $wine_mode -eq 0 ] || preset=windows
build_dir=${GP_BUILD_DIR:-build/$preset}

scripts/install-deps.sh
scripts/fetch-glfw.sh >/dev/null
echo "== building the $preset preset in $build_dir"
cmake --preset "$preset" -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target Glimmerpond3D

if [ $wine_mode -eq 1 ]; then
    program=("wine" "$root/$build_dir/Glimmerpond3D.scr")
    # A prefix of the project's own, so that the user's ~/.wine stays untouched.
    export WINEPREFIX="$root/$build_dir/run-wineprefix" WINEDEBUG=-all
    if [ ! -f "$WINEPREFIX/.ready" ]; then
        echo "== making a Wine prefix in $WINEPREFIX (once)"
        (unset DISPLAY && WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 &&
            wineserver -w)
        touch "$WINEPREFIX/.ready"
    fi
    # A wineserver left from an earlier run would keep that run's display.
    wineserver -k 2>/dev/null || true
else
    program=("$root/$build_dir/Glimmerpond3D")
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "== running ${program[*]} $* on display $DISPLAY (any key or click ends it)"
    status=0
    "${program[@]}" "$@" || status=$?
    [ $wine_mode -eq 0 ] || wineserver -k 2>/dev/null || true
    echo "== exit code $status"
    exit $status
fi

echo "There is no X display here (DISPLAY is unset or does not answer)."
echo "Running it for ${headless_seconds} s on a virtual ${virtual_screen} display instead."
mkdir -p out
shot="$root/out/screenshot-$preset.png"
work=$(mktemp -d)
xvfb_pid=""
run_pid=""
cleanup() {
    [ -z "$run_pid" ] || kill "$run_pid" 2>/dev/null || true
    [ $wine_mode -eq 0 ] || timeout 10 wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "${virtual_screen}x24" -nolisten tcp 3>"$work/display" \
    >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
if [ $wine_mode -eq 1 ]; then
    # Without a window manager, Wine must not wait for one to manage windows.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi

timeout -k 2 $((headless_seconds + 30)) "${program[@]}" "$@" &
run_pid=$!
sleep "$headless_seconds"
import -window root "$shot"
echo "Screenshot after ${headless_seconds} s: $shot"
# End it as a user would, with a key.
xdotool key space 2>/dev/null || true
status=0
wait "$run_pid" || status=$?
run_pid=""
echo "== exit code $status"
exit $status
