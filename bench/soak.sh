#!/usr/bin/env bash
# The long run: the shipped program behind the soak entry (bench/soak_probe.cpp)
# draws for SECONDS (default 600) with the scene's timer running RATE times as
# fast (default 30: a picture change every 2 s, 300 in ten minutes) on a
# private 320 x 240 Xvfb, natively and, with --wine, also the Windows build
# under Wine. At every picture change it reports its resident memory and the
# GL objects alive; this script says whether either grows, and writes
# out/bench/soak.md with the raw lines beside it (soak-linux.log,
# soak-windows.log, and soak-run.txt: when, where and how it ran; GP_SOAK_OUT
# names another folder).
#
#   bench/soak.sh [--wine] [SECONDS] [RATE]
#   bench/soak.sh --summarise      the table again from the lines of the last run
#
# Memory counts as growing when VmRSS at the end lies more than
# GP_SOAK_SLACK_KIB (default 1024) above its value at the tenth change (by
# then every picture has been drawn from and the render mode is chosen), or
# VmHWM rose after that change by more than the same slack; GL objects count
# as growing when any count differs from its value at the tenth change.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${GP_SOAK_OUT:-out/bench}
slack=${GP_SOAK_SLACK_KIB:-1024}

# One table row from a log: changes, frames, memory and objects, and the verdict.
summarise() {
    local build=$1 log=$2
    awk -v build="$build" -v slack="$slack" '
        function field(name,    i) {
            for (i = 3; i <= NF; ++i) if (index($i, name "=") == 1) return substr($i, length(name) + 2)
            return ""
        }
        function objects() {
            return field("textures") " " field("buffers") " " field("framebuffers") " " \
                field("programs") " " field("shaders")
        }
        function mib(kib) { return sprintf("%.1f", kib / 1024) }
        $2 == "setup" { setupRss = field("rss_kib"); setupObjects = objects() }
        $2 == "change" || $2 == "end" {
            n = field("n") + 0
            rss = field("rss_kib") + 0; hwm = field("hwm_kib") + 0
            if ($2 == "change") byChange[n] = rss
            if (n == 10 && $2 == "change") { warmRss = rss; warmHwm = hwm; warmObjects = objects() }
            # Every rise of VmRSS from one report to the next after the tenth change.
            if (n > 10 && rss > lastRss) {
                rises++; risen += rss - lastRss
                where = where (rises <= 5 ? " " n : rises == 6 ? " ..." : "")
            }
            lastRss = rss
            # The third picture texture comes with the first frames: the
            # objects are judged from the tenth change on, as memory is.
            if (n >= 10 && objects() != warmObjects) objectsMoved = 1
        }
        $2 == "end" { changes = n; endRss = rss; endHwm = hwm; draws = field("draws"); wall = field("wall") }
        END {
            if (changes < 10 || warmRss == "") { printf "| %s | %d changes: too few to judge |\n", build, changes; exit }
            grows = (endRss - warmRss > slack || endHwm - warmHwm > slack) ? "grows" : "no growth"
            printf "| %s | %d | %.0f | %.0f | %s / %s / %s / %s | %d, %d KiB%s | %s / %s | %s | %s | %s |\n",
                build, changes, wall, draws / wall, mib(setupRss), mib(warmRss),
                mib(byChange[int(changes / 2)]), mib(endRss), rises, risen,
                rises ? " (at change" where ")" : "", mib(warmHwm), mib(endHwm), grows,
                setupObjects " / " warmObjects, objectsMoved ? "changed" : "no change"
        }' "$log"
}

write_table() {
    # shellcheck source=/dev/null
    source "$out/soak-run.txt"
    local rows
    rows=$(summarise "Linux build" "$out/soak-linux.log")
    if [ "$with_wine" -eq 1 ]; then
        rows+=$'\n'$(summarise "Windows build, Wine" "$out/soak-windows.log")
    fi
    {
        echo "# Soak"
        echo
        echo "Measured $measured on: $machine;"
        echo "$renderer; $wine_version; Xvfb 320 x 240."
        echo "Load average before: $load_before; after: $load_after."
        echo
        echo "The shipped program (bench/soak_probe.cpp) full screen for $seconds s with the scene's"
        echo "timer at ${rate}x, a picture change every $(awk -v r="$rate" 'BEGIN { printf "%.1f", 60 / r }') s."
        echo "VmRSS and VmHWM (Wine: the working set and its peak) in MiB; memory counts as"
        echo "growing when it ends more than $slack KiB above its value at the tenth change."
        echo "GL objects alive: made by the program and not deleted / known to the driver"
        echo "(glIs*), as textures, buffers, framebuffers, programs, shaders."
        echo
        echo "| Build | picture changes | seconds | draw calls/s | VmRSS at set-up / change 10 / middle change / end | rises of VmRSS after change 10 | VmHWM at change 10 / end | memory | GL objects at set-up / change 10 | GL objects after change 10 |"
        echo "|---|---|---|---|---|---|---|---|---|---|"
        echo "$rows"
    } >"$out/soak.md"
    cat "$out/soak.md"
    echo "written to $out/soak.md" >&2
}

if [ "${1:-}" = --summarise ]; then
    write_table
    exit 0
fi
with_wine=0
if [ "${1:-}" = --wine ]; then
    with_wine=1
    shift
fi
seconds=${1:-600}
rate=${2:-30}
linux=$(realpath -m "${GP_BENCH_LINUX_DIR:-build/bench-linux}")
windows=$(realpath -m "${GP_BENCH_WINDOWS_DIR:-build/bench-windows}")
mkdir -p "$out"

scripts/install-deps.sh
scripts/fetch-glfw.sh >/dev/null
echo "== building soak_probe" >&2
cmake --preset linux -B "$linux" -DGP_BUILD_BENCH=ON >/dev/null
cmake --build "$linux" --target soak_probe >/dev/null
if [ $with_wine -eq 1 ]; then
    cmake --preset windows -B "$windows" -DGP_BUILD_BENCH=ON >/dev/null
    cmake --build "$windows" --target soak_probe >/dev/null
fi

export GP_E2E_BUILD_DIR=$([ $with_wine -eq 1 ] && echo "$windows" || echo "$linux")
# shellcheck source=tests/e2e/harness.sh
source tests/e2e/harness.sh
e2e_begin bench-soak
e2e_start_display 320x240
[ $with_wine -eq 0 ] || e2e_wine_prefix
export GP_SCENE_TIME_RATE=$rate GP_SOAK_SECONDS=$seconds
unset GP_SCENE_TIME_SHIFT

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
renderer=$(timeout 20 glxinfo -B 2>/dev/null | sed -n 's/^OpenGL renderer string: //p' | head -n1)

# Runs one build for the whole soak; its report lines go to LOG.
soak_once() {
    local name=$1 log=$2
    shift 2
    echo "== $name: ${seconds} s at ${rate}x" >&2
    # Set-up and a slow first frame come on top of the soak itself.
    e2e_start "$name" $((seconds + 240)) "$@" /s
    e2e_wait_exit "$name" $((seconds + 240))
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$name ended with $E2E_STATUS"
    tr -d '\r' <"$E2E_WORK/$name.log" | grep '^soak ' >"$log" || true
    grep -q '^soak end ' "$log" || e2e_fail "$name did not reach the end of the soak"
}

soak_once native "$out/soak-linux.log" "$linux/bench/soak_probe"
if [ $with_wine -eq 1 ]; then
    soak_once wine "$out/soak-windows.log" wine "$windows/bench/soak_probe.exe"
fi
{
    printf 'measured=%q\n' "$(date -u '+%Y-%m-%d %H:%M UTC')"
    printf 'machine=%q\n' "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores, $(free -g | awk '/^Mem:/ { print $2 }') GiB"
    printf 'renderer=%q\n' "${renderer:-unknown renderer}"
    printf 'wine_version=%q\n' "$(wine --version 2>/dev/null || true)"
    printf 'load_before=%q\nload_after=%q\n' "$load_before" "$(cut -d' ' -f1-3 /proc/loadavg)"
    printf 'seconds=%q\nrate=%q\nwith_wine=%q\n' "$seconds" "$rate" "$with_wine"
} >"$out/soak-run.txt"
write_table
exit 0
