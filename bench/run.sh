#!/usr/bin/env bash
# Every benchmark, one after the other, and their table in out/bench/results.md
# (also printed at the end). Builds what it needs first: the `linux` and
# `windows` presets with the benchmark programs (-DGP_BUILD_BENCH=ON) in
# build/bench-linux and build/bench-windows (or GP_BENCH_LINUX_DIR and
# GP_BENCH_WINDOWS_DIR). Run it on an otherwise idle machine.
#
#   bench/run.sh [ROUNDS]
#   bench/run.sh --soak [--wine] [SECONDS] [RATE]
#
# --soak runs the long run alone instead (bench/soak.sh: ten minutes by
# default, memory and GL objects over hundreds of picture changes), which
# writes out/bench/soak.md.
# ROUNDS (default 7) is how many times each figure is measured; every table
# gives the minimum and the median. Timings of the water program come from
# Mesa without a display (EGL surfaceless), each draw ended by glFinish
# (bench/water.sh, whose "before" is the fragment text at commit
# GP_BENCH_SHADER_BEFORE, default 20773d3); start-up and memory from the real
# programs on a private Xvfb (see bench/startup.sh), frame times across
# picture changes from the Windows build under Wine (bench/frame_times.sh).
# "Before" elsewhere is the program at commit GP_BENCH_BEFORE_COMMIT (default
# 20773d3, before frames were paced and paused and the first frame made
# cheap), built once by bench/build_before.sh into GP_BENCH_BEFORE_DIR
# (default build/before). Start-up is also measured at 3840 x 2160, where a
# full-resolution frame costs four times as much, and bench/cost.sh measures
# what a run costs seen and unseen.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --soak ]; then
    shift
    exec bench/soak.sh "$@"
fi
rounds=${1:-7}
linux=${GP_BENCH_LINUX_DIR:-build/bench-linux}
windows=${GP_BENCH_WINDOWS_DIR:-build/bench-windows}
before_commit=${GP_BENCH_BEFORE_COMMIT:-20773d3}
before=${GP_BENCH_BEFORE_DIR:-build/before}
results=out/bench/results.md
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

scripts/install-deps.sh
scripts/fetch-glfw.sh >/dev/null
echo "== building" >&2
cmake --preset linux -B "$linux" -DGP_BUILD_BENCH=ON >/dev/null
cmake --build "$linux" --target Glimmerpond3D startup_probe water_bench \
    screen_poller first_touch >/dev/null
cmake --preset windows -B "$windows" -DGP_BUILD_BENCH=ON >/dev/null
cmake --build "$windows" --target Glimmerpond3D startup_probe startup_probe_reference \
    plain_window_floor frame_times_probe preview_host e2e_native_tools >/dev/null
cmake --build "$linux" --target x11_host_window >/dev/null
wanted_before=$(git rev-parse "$before_commit")
if [ "$(cat "$before/COMMIT" 2>/dev/null)" != "$wanted_before" ] ||
    [ ! -f "$before/windows/Glimmerpond3D.scr" ] || [ ! -f "$before/linux/water_bench" ]; then
    echo "== building $before_commit into $before" >&2
    bench/build_before.sh "$wanted_before" "$before"
fi

export EGL_PLATFORM=surfaceless
water_bench() { "$linux/bench/water_bench" "$@"; }
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# "min median" of the numbers on standard input.
min_median() {
    sort -g | awk '{ v[NR] = $1 } END { printf "%.2f %.2f", v[1], v[int((NR + 1) / 2)] }'
}
# "min / median" from "min median".
pair() { printf '%s / %s' "$1" "$2"; }

# --- the water program ---------------------------------------------------
bench/water.sh "$linux" "$rounds" >"$work/water.md"
# --- start-up and memory -------------------------------------------------
echo "== start-up and peak memory" >&2
bench/startup.sh "$windows" "$linux" "$before" "$rounds" >"$work/startup.txt"
GP_STARTUP_SCREEN=3840x2160 GP_STARTUP_SCREEN_ONLY=1 \
    bench/startup.sh "$windows" "$linux" "$before" "$rounds" |
    sed 's/^screen \([a-z_]*\)/screen \1_4k/' >>"$work/startup.txt"
# Per run: the phases as durations. setup..pictures holds reading the
# pictures (and, before, converting them) and uploading them;
# storage_seconds and upload_seconds are the time inside glTexStorage2D and
# glTexSubImage2D.
awk '
    $1 == "startup" { t[$2 " " $3 " " $4] = $5; runs[$2 " " $3] = 1 }
    $1 == "screen" { s[$2 " " $3] = $5; print $2 "_screen", "total", $5 }
    $1 == "peak" { print $2, "peak", $4 / 1024 }
    END {
        for (r in runs) {
            split(r, k, " ")
            kind = k[1]
            p = t[r " presented"]
            print kind, "total", p
            if (kind ~ /^floor/) continue
            print kind, "entry", t[r " entry"]
            print kind, "window", t[r " setup"] - t[r " entry"]
            print kind, "reading", t[r " pictures"] - t[r " setup"] - t[r " storage_seconds"] \
                - t[r " upload_seconds"]
            print kind, "storage", t[r " storage_seconds"]
            print kind, "upload", t[r " upload_seconds"]
            print kind, "shaders", t[r " shaders"] - t[r " pictures"]
            print kind, "drawcall", t[r " draw_call"] - t[r " shaders"]
            print kind, "render", t[r " rendered"] - t[r " draw_call"]
            print kind, "present", p - t[r " rendered"]
            print kind, "firstframe", p - t[r " shaders"]
        }
        for (r in runs) {
            split(r, k, " ")
            if (k[1] ~ /^wine(_before|_reference)?$/ && (("floor " k[2] " presented") in t))
                print k[1] "_over_floor", "total", t[r " presented"] - t["floor " k[2] " presented"]
            if (k[1] == "wine_cold" && (("floor_cold " k[2] " presented") in t))
                print "wine_cold_over_floor", "total",
                    t[r " presented"] - t["floor_cold " k[2] " presented"]
        }
        for (r in s) {
            split(r, k, " ")
            if (k[1] ~ /^wine/ && k[1] !~ /_4k$/ && (("floor " k[2]) in s))
                print k[1] "_screen_over_floor", "total", s[r] - s["floor " k[2]]
            if (k[1] ~ /^wine.*_4k$/ && (("floor_4k " k[2]) in s))
                print k[1] "_screen_over_floor", "total", s[r] - s["floor_4k " k[2]]
        }
    }' "$work/startup.txt" >"$work/phases.txt"
# "min / median" of one phase of one kind, in milliseconds (seconds x 1000)
# or, with a third argument, as the values stand (MiB).
phase() {
    local values scale=${3:-1000}
    values=$(awk -v k="$1" -v p="$2" -v f="$scale" '$1 == k && $2 == p { print $3 * f }' \
        "$work/phases.txt")
    [ -n "$values" ] || { printf -- '-'; return; }
    printf '%s' "$values" | min_median | awk '{ printf "%.0f / %.0f", $1, $2 }'
}
{
    echo "## Start-up at 1920 x 1080 as a user sees it"
    echo
    echo "From just before the process starts until a 64 x 64 square at the screen's"
    echo "centre, read from the X server every 5 ms (bench/screen_poller.cpp), holds more"
    echo "than 8 colours; milliseconds, min / median of $rounds runs, all programs taking"
    echo "turns. The floor is a plain Win32 program that opens a full-screen window and"
    echo "draws a colour ramp at once (bench/plain_window_floor.cpp). \"Before\" is commit"
    echo "$before_commit. A wineserver keeps running, as Windows does. Peak memory is VmHWM"
    echo "2 s after the picture appeared, in MiB."
    echo
    echo "| Program | launch to picture on screen | minus the floor, run by run | peak memory |"
    echo "|---|---|---|---|"
    echo "| plain window (floor), Wine | $(phase floor_screen total) | | $(phase floor peak 1) |"
    echo "| Windows build before, Wine | $(phase wine_before_screen total) | $(phase wine_before_screen_over_floor total) | $(phase wine_before peak 1) |"
    echo "| **Windows build now, Wine** | **$(phase wine_screen total)** | **$(phase wine_screen_over_floor total)** | **$(phase wine peak 1)** |"
    echo "| Linux build before | $(phase native_before_screen total) | | $(phase native_before peak 1) |"
    echo "| **Linux build now** | **$(phase native_screen total)** | | **$(phase native peak 1)** |"
    echo
    echo "The same at 3840 x 2160, where a full-resolution frame costs four times as much:"
    echo
    echo "| Program | launch to picture on screen | minus the floor, run by run |"
    echo "|---|---|---|"
    echo "| plain window (floor), Wine | $(phase floor_4k_screen total) | |"
    echo "| Windows build before, Wine | $(phase wine_before_4k_screen total) | $(phase wine_before_4k_screen_over_floor total) |"
    echo "| **Windows build now, Wine** | **$(phase wine_4k_screen total)** | **$(phase wine_4k_screen_over_floor total)** |"
    echo
    echo "Preview (\"/p\" in a 152 x 112 pane of tests/e2e/preview_host.cpp, under Wine),"
    echo "peak memory 4 s after it started, MiB: before $(phase preview_before peak 1), now"
    echo "$(phase preview peak 1)."
    echo
    echo "First touch of fresh memory on this machine (bench/first_touch.c, one byte per"
    echo "page of 682 MiB): $(awk '$1 == "first_touch" { printf "%s%.2f s (%d MB/s)", sep, $3, $4; sep = ", " }' "$work/startup.txt")."
    echo
    echo "## Start-up phases at 1920 x 1080, stamped in the process"
    echo
    echo "From just before the process starts to its first frame on the screen; milliseconds,"
    echo "min / median of $rounds runs. The programs are the shipped ones behind an entry that"
    echo "stamps their phases (bench/startup_probe.cpp), taking turns with the floor, which"
    echo "prints when its first frame is swapped. Mesa's shader cache is warm unless stated."
    echo
    echo "| Phase | Windows build, Wine | before | before, reference text | Linux build | Linux before |"
    echo "|---|---|---|---|---|---|"
    row() {
        local label=$1 p=$2
        echo "| $label | $(phase wine "$p") | $(phase wine_before "$p") | $(phase wine_reference "$p") | $(phase native "$p") | $(phase native_before "$p") |"
    }
    row "process start to entry point" entry
    row "GLFW, full-screen window, context, entry points" window
    row "checking the pictures" reading
    row "texture storage (glTexStorage2D)" storage
    row "texture upload (glTexSubImage2D)" upload
    row "shader build (compile, link)" shaders
    row "first frame: rest of set-up and the draw call" drawcall
    row "first frame: drawing (glFinish)" render
    row "first frame: swap and events" present
    echo "| **process start to first frame** | **$(phase wine total)** | **$(phase wine_before total)** | **$(phase wine_reference total)** | **$(phase native total)** | **$(phase native_before total)** |"
    echo
    echo "| Against the floor (Wine), stamped | ms |"
    echo "|---|---|"
    echo "| floor: process start to first frame | $(phase floor total) |"
    echo "| Windows build minus floor, run by run | $(phase wine_over_floor total) |"
    echo "| before, minus floor | $(phase wine_before_over_floor total) |"
    echo "| before with the reference text, minus floor | $(phase wine_reference_over_floor total) |"
    echo "| Windows build without a shader cache: process start to first frame | $(phase wine_nocache total) |"
    echo "| ... of which the first draw call (builds the shader's machine code) | $(phase wine_nocache drawcall) |"
    echo "| the same with the reference text: process start to first frame | $(phase wine_reference_nocache total) |"
    echo "| floor, wineserver stopped before each run | $(phase floor_cold total) |"
    echo "| Windows build, wineserver stopped before each run | $(phase wine_cold total) |"
    echo "| ... minus that floor, run by run | $(phase wine_cold_over_floor total) |"
    echo
} >"$work/startup.md"

# --- frame times across picture changes ----------------------------------
echo "== frame times across picture changes" >&2
bench/frame_times.sh "$windows" 1 >"$work/frames.txt"
{
    echo "## Frame times across picture changes"
    echo
    echo "The Windows build under Wine at 1280 x 720 (bench/frame_times_probe.cpp): after the"
    echo "render-mode decision its scene timer runs ten times as fast, so that five pictures"
    echo "change within half a minute; every frame's length from one window pass to the next."
    echo
    awk '
        $3 == "change" { changed[$4] = n + 1; ++changes }
        $3 == "frame" { f[++n] = $4 }
        END {
            for (i = 1; i <= n; ++i) {
                v = f[i]
                for (j = i - 1; j >= 1 && s[j] > v; --j) s[j + 1] = s[j]
                s[j + 1] = v
            }
            median = s[int((n + 1) / 2)]
            worst = s[n]
            around = 0
            for (c in changed) for (i = changed[c]; i < changed[c] + 3 && i <= n; ++i)
                if (f[i] > around) around = f[i]
            printf "| Frames | median ms | largest ms | largest / median | largest of the 3 frames after each change |\n"
            printf "|---|---|---|---|---|\n"
            printf "| %d, %d changes | %.1f | %.1f | %.2f | %.1f (%.2f x median) |\n", n, changes,
                median, worst, worst / median, around, around / median
        }' "$work/frames.txt"
    echo
} >"$work/hitch.md"

# --- what a run costs, seen and unseen -----------------------------------
echo "== cost seen and unseen" >&2
GP_BENCH_LINUX_DIR=$linux GP_BENCH_WINDOWS_DIR=$windows bench/cost.sh "$before" >/dev/null
tail -n +2 out/bench/cost.md | sed '1s/^/## What a run costs, seen and unseen\n/' >"$work/cost.md"

# --- build-time pictures ---------------------------------------------------
echo "== pictures" >&2
art_runs=$(( rounds < 3 ? rounds : 3 ))
bench/art_generation.sh "$art_runs" 2 >"$work/art.txt"
{
    echo "## Pictures"
    echo
    echo "| What | s, min / median |"
    echo "|---|---|"
    echo "| generating all pictures at build time (gen_art, 2 cores, $art_runs runs) |" \
        "$(sed -n 's/^run [0-9]*: wall \([0-9.]*\) s.*/\1/p' "$work/art.txt" | min_median |
            awk '{ printf "%.2f / %.2f", $1, $2 }') |"
    echo
} >"$work/pictures.md"

load_after=$(cut -d' ' -f1-3 /proc/loadavg)
mkdir -p "$(dirname "$results")"
{
    echo "# Benchmarks"
    echo
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on: $(grep -m1 'model name' /proc/cpuinfo |
        cut -d: -f2 | sed 's/^ *//'), $(nproc) cores, $(free -g | awk '/^Mem:/ { print $2 }') GiB;"
    echo "$(water_bench info); $(wine --version 2>/dev/null); Xvfb."
    echo "Load average before: $load_before; after: $load_after."
    echo
    cat "$work/water.md" "$work/startup.md" "$work/cost.md" "$work/hitch.md" "$work/pictures.md"
} >"$results"
cat "$results"
echo "written to $results" >&2
