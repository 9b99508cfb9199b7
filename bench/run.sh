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
# Mesa without a display (EGL surfaceless), each draw ended by glFinish;
# start-up and memory from the real programs on a private Xvfb (see
# bench/startup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --soak ]; then
    shift
    exec bench/soak.sh "$@"
fi
rounds=${1:-7}
linux=${GP_BENCH_LINUX_DIR:-build/bench-linux}
windows=${GP_BENCH_WINDOWS_DIR:-build/bench-windows}
results=out/bench/results.md
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

scripts/install-deps.sh
scripts/fetch-glfw.sh >/dev/null
echo "== building" >&2
cmake --preset linux -B "$linux" -DGP_BUILD_BENCH=ON >/dev/null
cmake --build "$linux" --target Glimmerpond3D startup_probe water_bench bitmap_conversion >/dev/null
cmake --preset windows -B "$windows" -DGP_BUILD_BENCH=ON >/dev/null
cmake --build "$windows" --target Glimmerpond3D startup_probe startup_probe_reference \
    plain_window_floor >/dev/null

export EGL_PLATFORM=surfaceless
water_bench() { "$linux/bench/water_bench" "$@"; }
# The "min median" lines of `water_bench time` joined on one line.
water_times() {
    water_bench time "$@" | tr '\n' ' '
    echo
}
reference=bench/water_reference.frag
shipped=shaders/water.frag
python3 bench/shader_variants.py "$work/variants"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# "min median" of the numbers on standard input.
min_median() {
    sort -g | awk '{ v[NR] = $1 } END { printf "%.2f %.2f", v[1], v[int((NR + 1) / 2)] }'
}
# "min / median" from "min median".
pair() { printf '%s / %s' "$1" "$2"; }

# --- the water program ---------------------------------------------------
echo "== water program: reference and shipped text, full resolution" >&2
declare -A shipped_median
{
    echo "## The water's fragment stage: shipped text against the straight transcription"
    echo
    echo "Mode 1 (full resolution), iTime 2.5, both texts drawn in turn, $rounds rounds;"
    echo "milliseconds per frame, min / median."
    echo
    echo "| Viewport | reference (bench/water_reference.frag) | shipped (shaders/water.frag) | speed-up (medians) |"
    echo "|---|---|---|---|"
    for size in 640x360 1280x720 1920x1080; do
        read -r rmin rmed smin smed < <(water_times "${size%x*}" "${size#*x}" 1 1024 "$rounds" \
            2.5 "$reference" "$shipped")
        shipped_median[$size]=$smed
        speedup=$(awk -v a="$rmed" -v b="$smed" 'BEGIN { printf "%.2f", a / b }')
        echo "| ${size/x/ x } | $(pair "$rmin" "$rmed") | $(pair "$smin" "$smed") | ${speedup}x |"
    done
    echo
    echo "Largest difference of any output channel over a whole frame (values clamped to"
    echo "[0, 1] as the framebuffer keeps them), shipped against reference, in units of 1/255:"
    echo
    echo "| iTime | mode 1, 1920 x 1080 | mode 0, 1024 x 1024 |"
    echo "|---|---|---|"
    for t in 0 2.5 100 1000 10000 100000 1000000 3000000; do
        full=$(water_bench diff 1920 1080 1 "$t" "$reference" "$shipped" | cut -d' ' -f2)
        waves=$(water_bench diff 1024 1024 0 "$t" "$reference" "$shipped" | cut -d' ' -f2)
        echo "| $t | $full | $waves |"
    done
    echo
} >"$work/shader.md"

echo "== water program: frame cost of each pass" >&2
{
    echo "## Frame cost of the shipped water program"
    echo
    echo "Milliseconds per pass, min / median of $rounds. Mode 0 draws the pattern into the"
    echo "S x S corner of the off-screen target; mode 2 reads it back over the window."
    echo
    echo "| Pass | 640 x 360 | 1280 x 720 | 1920 x 1080 |"
    echo "|---|---|---|---|"
    row="| mode 1 (full resolution) |"
    for size in 640x360 1280x720 1920x1080; do
        row+=" $(water_times "${size%x*}" "${size#*x}" 1 1024 "$rounds" 2.5 "$shipped" |
            awk '{ printf "%s / %s", $1, $2 }') |"
    done
    echo "$row"
    declare -A mode2
    row="| mode 2 (read-back, S = 256) |"
    for size in 640x360 1280x720 1920x1080; do
        read -r m2min m2med < <(water_bench time "${size%x*}" "${size#*x}" 2 256 "$rounds" 2.5 \
            "$shipped")
        mode2[$size]=$m2med
        row+=" $(pair "$m2min" "$m2med") |"
    done
    echo "$row"
    echo
    echo "| Reduced path | S = 256 | S = 512 | S = 1024 |"
    echo "|---|---|---|---|"
    row="| mode 0 at S x S |"
    frame="| whole reduced frame at 1920 x 1080 (mode 0 + mode 2, medians) |"
    for side in 256 512 1024; do
        read -r m0min m0med < <(water_bench time 1920 1080 0 "$side" "$rounds" 2.5 "$shipped")
        row+=" $(pair "$m0min" "$m0med") |"
        frame+=" $(awk -v a="$m0med" -v b="${mode2[1920x1080]}" 'BEGIN { printf "%.2f", a + b }') |"
    done
    echo "$row"
    echo "$frame"
    echo
    read -r smin smed fmin fmed < <(water_times 1920 1080 2 256 "$rounds" 2.5 "$shipped" \
        "$work/variants/mode2_alone.frag")
    awk -v m2="$smed" -v m1="${shipped_median[1920x1080]}" -v floor="$fmed" -v fmin="$fmin" \
        -v smin="$smin" 'BEGIN {
        printf "Mode 2 at 1920 x 1080 against a mode-1 frame there (medians): %.1f%%.\n", 100 * m2 / m1
        printf "Measured side by side: the shipped text in mode 2 %.2f / %.2f ms; a text with\n", smin, m2
        printf "no pattern code at all (the read-back and the two picture lookups alone)\n"
        printf "%.2f / %.2f ms, which is %.1f%% of the mode-1 frame.\n", fmin, floor, 100 * floor / m1
    }'
    echo
} >"$work/frames.md"

echo "== water program: where the reference spends its time" >&2
{
    echo "## Where the time goes in the straight transcription"
    echo
    echo "Mode 1 at 1920 x 1080, iTime 2.5: the reference with one part taken out or"
    echo "changed (bench/shader_variants.py), all drawn in turn, $rounds rounds; ms min / median."
    echo
    echo "| Variant | ms | against the reference (medians) |"
    echo "|---|---|---|"
    mapfile -t names < <(cut -f1 "$work/variants/variants.txt" | grep -v '^mode2_alone$')
    texts=()
    for name in "${names[@]}"; do
        texts+=("$work/variants/$name.frag")
    done
    mapfile -t times < <(water_bench time 1920 1080 1 1024 "$rounds" 2.5 "${texts[@]}")
    base=${times[0]#* }
    for i in "${!names[@]}"; do
        meaning=$(awk -F'\t' -v n="${names[$i]}" '$1 == n { print $2 }' "$work/variants/variants.txt")
        read -r fastest median <<<"${times[$i]}"
        echo "| ${names[$i]}: $meaning | $(pair "$fastest" "$median") |" \
            "$(awk -v a="$median" -v b="$base" 'BEGIN { printf "%+.1f ms", a - b }') |"
    done
    echo
} >"$work/profile.md"

# --- start-up and memory -------------------------------------------------
echo "== start-up and peak memory" >&2
bench/startup.sh "$windows" "$linux" "$rounds" >"$work/startup.txt"
# Per run: the phases as durations. setup..pictures holds reading,
# converting and uploading the pictures; storage_seconds and upload_seconds
# are the time inside glTexStorage2D and glTexSubImage2D.
awk '
    $1 == "startup" { t[$2 " " $3 " " $4] = $5; runs[$2 " " $3] = 1 }
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
            if (k[1] == "wine_reference" && (("floor " k[2] " presented") in t))
                print "reference_over_floor", "total",
                    t[r " presented"] - t["floor " k[2] " presented"]
            if (k[1] == "wine" && (("floor " k[2] " presented") in t))
                print "over_floor", "total", t[r " presented"] - t["floor " k[2] " presented"]
            if (k[1] == "wine_cold" && (("floor_cold " k[2] " presented") in t))
                print "over_floor_cold", "total",
                    t[r " presented"] - t["floor_cold " k[2] " presented"]
        }
    }' "$work/startup.txt" >"$work/phases.txt"
# "min / median" in milliseconds of one phase of one kind.
phase() {
    local values
    values=$(awk -v k="$1" -v p="$2" '$1 == k && $2 == p { print $3 * 1000 }' "$work/phases.txt")
    [ -n "$values" ] || { printf -- '-'; return; }
    printf '%s' "$values" | min_median | awk '{ printf "%.0f / %.0f", $1, $2 }'
}
{
    echo "## Start-up at 1920 x 1080"
    echo
    echo "From just before the process starts to its first frame on the screen; milliseconds,"
    echo "min / median of $rounds runs. The Windows build is the shipped program behind an"
    echo "entry that stamps its phases (bench/startup_probe.cpp); the floor is a plain Win32"
    echo "program that opens a full-screen window and draws at once (bench/plain_window_floor.cpp),"
    echo "run in turn with it. A wineserver keeps running, as Windows does; Mesa's shader"
    echo "cache is warm unless stated."
    echo
    echo "| Phase | Windows build, Wine | the same with the reference text | Linux build |"
    echo "|---|---|---|---|"
    echo "| process start to entry point | $(phase wine entry) | $(phase wine_reference entry) | $(phase native entry) |"
    echo "| GLFW, full-screen window, context, entry points | $(phase wine window) | $(phase wine_reference window) | $(phase native window) |"
    echo "| picture reading and conversion (8 x 2048 x 2048) | $(phase wine reading) | $(phase wine_reference reading) | $(phase native reading) |"
    echo "| texture storage (glTexStorage2D: 8 x 11 levels of RGBA32F, 682 MiB) | $(phase wine storage) | $(phase wine_reference storage) | $(phase native storage) |"
    echo "| texture upload (glTexSubImage2D) | $(phase wine upload) | $(phase wine_reference upload) | $(phase native upload) |"
    echo "| shader build (compile, link) | $(phase wine shaders) | $(phase wine_reference shaders) | $(phase native shaders) |"
    echo "| first frame: rest of set-up and the draw call | $(phase wine drawcall) | $(phase wine_reference drawcall) | $(phase native drawcall) |"
    echo "| first frame: drawing (glFinish) | $(phase wine render) | $(phase wine_reference render) | $(phase native render) |"
    echo "| first frame: swap and events | $(phase wine present) | $(phase wine_reference present) | $(phase native present) |"
    echo "| **process start to first frame** | **$(phase wine total)** | **$(phase wine_reference total)** | **$(phase native total)** |"
    echo
    echo "| Against the floor (Wine) | ms |"
    echo "|---|---|"
    echo "| floor: process start to first frame | $(phase floor total) |"
    echo "| Windows build minus floor, run by run | $(phase over_floor total) |"
    echo "| the same with the reference text, minus floor | $(phase reference_over_floor total) |"
    echo "| Windows build without a shader cache: process start to first frame | $(phase wine_nocache total) |"
    echo "| ... of which the first draw call (builds the shader's machine code) | $(phase wine_nocache drawcall) |"
    echo "| the same with the reference text: process start to first frame | $(phase wine_reference_nocache total) |"
    echo "| ... of which the first draw call | $(phase wine_reference_nocache drawcall) |"
    echo "| floor, wineserver stopped before each run | $(phase floor_cold total) |"
    echo "| Windows build, wineserver stopped before each run | $(phase wine_cold total) |"
    echo "| ... minus that floor, run by run | $(phase over_floor_cold total) |"
    echo
    echo "## Peak resident memory (VmHWM, the shipped program running 10 s at 1920 x 1080)"
    echo
    echo "| Build | MiB |"
    echo "|---|---|"
    awk '$1 == "peak" { printf "| %s | %.0f |\n", ($2 == "wine" ? "Windows build, Wine" : "Linux build"), $3 / 1024 }' \
        "$work/startup.txt"
    echo
} >"$work/startup.md"

# --- build-time pictures and their conversion ----------------------------
echo "== pictures" >&2
art_runs=$(( rounds < 3 ? rounds : 3 ))
bench/art_generation.sh "$art_runs" 2 >"$work/art.txt"
"$linux/bench/bitmap_conversion" "$rounds" >"$work/conversion.txt"
{
    echo "## Pictures"
    echo
    echo "| What | s, min / median |"
    echo "|---|---|"
    echo "| generating all pictures at build time (gen_art, 2 cores, $art_runs runs) |" \
        "$(sed -n 's/^run [0-9]*: wall \([0-9.]*\) s.*/\1/p' "$work/art.txt" | min_median |
            awk '{ printf "%.2f / %.2f", $1, $2 }') |"
    echo
    echo "Reading the eight floors from the program's resources into floats, without"
    echo "OpenGL (bench/bitmap_conversion.cpp, median of $rounds):"
    echo
    sed -n 's/^  \(whole picture\|strips\): *\(.*\)$/- \1: \2/p' "$work/conversion.txt"
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
    cat "$work/shader.md" "$work/frames.md" "$work/profile.md" "$work/startup.md" \
        "$work/pictures.md"
} >"$results"
cat "$results"
echo "written to $results" >&2
