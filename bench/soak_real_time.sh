#!/usr/bin/env bash
# A night at real time, shortened: the shipped program behind the soak entry
# (bench/soak_probe.cpp) full screen on a private 320 x 240 Xvfb, its timer at
# its own speed, for FRAMES frames (default 100,000: about half an hour at
# 60 frames a second). It reports its resident memory after set-up, every
# 10,000 frames and at the end; the table (out/bench/soak-real-time.md, from
# whichever builds have run) says how far it moved from the 10,000th frame to
# the end. The two builds may run at once, each on its own display.
#
#   bench/soak_real_time.sh linux|wine [FRAMES]
#   bench/soak_real_time.sh --summarise
set -euo pipefail
cd "$(dirname "$0")/.."
out=${GP_SOAK_OUT:-out/bench}
mkdir -p "$out"

# One row per build: VmRSS in MiB after set-up, at every report, at the end.
write_table() {
    {
        echo "# Soak at real time"
        echo
        echo "The shipped program (bench/soak_probe.cpp) full screen on a 320 x 240 Xvfb at"
        echo "its own speed; resident memory (VmRSS, Wine: the working set) in MiB."
        local build log
        for build in linux wine; do
            log="$out/soak-real-time-$build.log"
            [ -f "$log" ] || continue
            echo
            # shellcheck source=/dev/null
            source "$out/soak-real-time-$build.txt"
            echo "**${build}**: measured $measured on $machine; $renderer; load average $load_before before, $load_after after."
            echo
            awk '
                function field(name,    i) {
                    for (i = 3; i <= NF; ++i) if (index($i, name "=") == 1) return substr($i, length(name) + 2)
                    return ""
                }
                function mib(kib) { return sprintf("%.1f", kib / 1024) }
                $2 == "setup" || $2 == "frames" || $2 == "end" {
                    frames = field("frames") + 0
                    rss = field("rss_kib") + 0
                    head = head " | " ($2 == "setup" ? "set-up" : $2 == "end" ? "end (" frames ")" : frames)
                    line = line " | " mib(rss)
                    rule = rule "|---"
                    if ($2 == "frames" && frames == 10000) warm = rss
                    if (warm != "") { low = (low == "" || rss < low) ? rss : low; high = rss > high ? rss : high }
                    if ($2 == "end") { endRss = rss; wall = field("wall"); changes = field("n") }
                }
                $2 == "render-mode" { mode = $3 " " $4 " " $5 }
                END {
                    print "| frames" head " |"
                    print "|---" rule "|"
                    print "| VmRSS, MiB" line " |"
                    print ""
                    printf "%d picture changes in %.0f s (%.1f frames a second); %s. From the 10,000th frame to the end VmRSS stayed within %.2f MiB (%s to %s).\n",
                        changes, wall, frames / wall, mode, (high - low) / 1024, mib(low), mib(high)
                }' "$log"
        done
    } >"$out/soak-real-time.md"
    cat "$out/soak-real-time.md"
}

if [ "${1:-}" = --summarise ]; then
    write_table
    exit 0
fi
build=${1:?linux or wine}
frames=${2:-100000}
linux=$(realpath -m "${GP_BENCH_LINUX_DIR:-build/bench-linux}")
windows=$(realpath -m "${GP_BENCH_WINDOWS_DIR:-build/bench-windows}")

scripts/install-deps.sh
scripts/fetch-glfw.sh >/dev/null
if [ "$build" = wine ]; then
    cmake --preset windows -B "$windows" -DGP_BUILD_BENCH=ON >/dev/null
    cmake --build "$windows" --target soak_probe >/dev/null
    export GP_E2E_BUILD_DIR=$windows
else
    cmake --preset linux -B "$linux" -DGP_BUILD_BENCH=ON >/dev/null
    cmake --build "$linux" --target soak_probe >/dev/null
    export GP_E2E_BUILD_DIR=$linux
fi
# shellcheck source=tests/e2e/harness.sh
source tests/e2e/harness.sh
e2e_begin "bench-soak-real-time-$build"
e2e_start_display 320x240
[ "$build" != wine ] || e2e_wine_prefix
export GP_SOAK_FRAMES=$frames GP_SOAK_REPORT_FRAMES=10000
unset GP_SCENE_TIME_SHIFT GP_SCENE_TIME_RATE GP_SOAK_SECONDS

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# About 28 minutes at 60 frames a second; room for a machine busy with more.
limit=$((frames / 10 + 600))
echo "== $build: $frames frames at real time (at most $limit s)" >&2
if [ "$build" = wine ]; then
    e2e_start soak "$limit" wine "$windows/bench/soak_probe.exe" /s
else
    e2e_start soak "$limit" "$linux/bench/soak_probe" /s
fi
e2e_wait_exit soak "$limit"
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS"
tr -d '\r' <"$E2E_WORK/soak.log" | grep '^soak ' >"$out/soak-real-time-$build.log" || true
grep -q '^soak end ' "$out/soak-real-time-$build.log" || e2e_fail "the soak did not reach its end"
{
    printf 'measured=%q\n' "$(date -u '+%Y-%m-%d %H:%M UTC')"
    printf 'machine=%q\n' "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores"
    printf 'renderer=%q\n' "$(timeout 20 glxinfo -B 2>/dev/null | sed -n 's/^OpenGL renderer string: //p' | head -n1)"
    printf 'load_before=%q\nload_after=%q\n' "$load_before" "$(cut -d' ' -f1-3 /proc/loadavg)"
} >"$out/soak-real-time-$build.txt"
write_table
e2e_pass
