#!/usr/bin/env bash
# The water program's tables, in Markdown on standard output: the program the
# scene builds (its cell point table drawn by the text's own pass, which every
# figure of it includes) against the straight transcription and against the
# fragment text as it was before the table (GP_BENCH_SHADER_BEFORE, default
# 20773d3, read with git show), the cost of each pass, the largest difference
# of any channel, and where the transcription spends its time. The texts
# compared take turns in every measurement. bench/run.sh runs it; alone:
#
#   bench/water.sh BUILD [ROUNDS]     BUILD holds bench/water_bench (-DGP_BUILD_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
rounds=${2:-7}
before_commit=${GP_BENCH_SHADER_BEFORE:-20773d3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export EGL_PLATFORM=surfaceless
water_bench() { "$build/bench/water_bench" "$@"; }
# The "min median" lines of `water_bench time` joined on one line.
water_times() {
    water_bench time "$@" | tr '\n' ' '
    echo
}
pair() { printf '%s / %s' "$1" "$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

reference=bench/water_reference.frag
before=$work/water_before.frag
git show "$before_commit:shaders/water.frag" >"$before"
# With framebuffer objects, and without them (every cell's point per pixel).
now=table:shaders/water.frag
per_pixel=shaders/water.frag
python3 bench/shader_variants.py "$work/variants"

echo "== water program: full resolution" >&2
echo "## The water's fragment stage: before, now and the straight transcription"
echo
echo "Mode 1 (full resolution), iTime 2.5, the four texts drawn in turn, $rounds rounds;"
echo "milliseconds per frame, min / median. Before is shaders/water.frag of $before_commit;"
echo "now is the program the scene builds, its cell point table drawn before every"
echo "frame and counted in it; per pixel is the same text built without the table, as"
echo "it runs where there are no framebuffer objects."
echo
echo "| Viewport | reference | before | now, per pixel | **now** | reference / before | reference / now | before / now |"
echo "|---|---|---|---|---|---|---|---|"
for size in 640x360 1280x720 1920x1080; do
    read -r rmin rmed bmin bmed pmin pmed nmin nmed < <(water_times "${size%x*}" "${size#*x}" \
        1 1024 "$rounds" 2.5 "$reference" "$before" "$per_pixel" "$now")
    echo "| ${size/x/ x } | $(pair "$rmin" "$rmed") | $(pair "$bmin" "$bmed") |" \
        "$(pair "$pmin" "$pmed") | **$(pair "$nmin" "$nmed")** | $(ratio "$rmed" "$bmed")x |" \
        "**$(ratio "$rmed" "$nmed")x** | $(ratio "$bmed" "$nmed")x |"
done
read -r tmin tmed < <(water_bench table "$rounds" 2.5 "$now")
echo
echo "The table pass alone (128 x 64 texels): $(pair "$tmin" "$tmed") ms."
echo

echo "== water program: differences" >&2
echo "Largest difference of any output channel over a whole frame (values clamped to"
echo "[0, 1] as the framebuffer keeps them), in units of 1/255: now against the same"
echo "text worked out per pixel, and against before. Mode 2 reads what the same"
echo "programs drew in mode 0 at S = 1024 into the RGB8 target."
echo
echo "| iTime | against per pixel: mode 1 / 0 / 2 | against before: mode 1 / 0 / 2 | reference against before, mode 1 |"
echo "|---|---|---|---|"
# The three modes' largest differences between two texts, "a / b / c".
modes() {
    local results=() job mode width height
    for job in "1 1920 1080" "0 1024 1024" "2 1920 1080"; do
        read -r mode width height <<<"$job"
        results+=("$(water_bench diff "$width" "$height" "$mode" "$3" "$1" "$2" | cut -d' ' -f2)")
    done
    printf '%s / %s / %s' "${results[@]}"
}
for t in 0 2.5 100 1000 2048.5 4095 4095.99; do
    echo "| $t | $(modes "$per_pixel" "$now" "$t") | $(modes "$before" "$now" "$t") |" \
        "$(water_bench diff 1920 1080 1 "$t" "$before" "$reference" | cut -d' ' -f2) |"
done
echo

echo "== water program: frame cost of each pass" >&2
echo "## Frame cost of each pass, before and now"
echo
echo "Milliseconds per pass, min / median of $rounds, before and now taking turns. Mode 0"
echo "draws the pattern into the S x S corner of the off-screen target (now with the"
echo "table pass); mode 2 reads it back over the window."
echo
echo "| Pass | before | now | before / now (medians) |"
echo "|---|---|---|---|"
for size in 640x360 1280x720 1920x1080; do
    read -r bmin bmed nmin nmed < <(water_times "${size%x*}" "${size#*x}" 2 256 "$rounds" 2.5 \
        "$before" "$now")
    echo "| mode 2 at ${size/x/ x } (S = 256) | $(pair "$bmin" "$bmed") | $(pair "$nmin" "$nmed") |" \
        "$(ratio "$bmed" "$nmed")x |"
done
for side in 256 512 1024; do
    read -r bmin bmed nmin nmed < <(water_times 1920 1080 0 "$side" "$rounds" 2.5 "$before" "$now")
    echo "| mode 0 at S = $side | $(pair "$bmin" "$bmed") | $(pair "$nmin" "$nmed") |" \
        "$(ratio "$bmed" "$nmed")x |"
done
echo
read -r b1min b1med n1min n1med < <(water_times 1920 1080 1 1024 "$rounds" 2.5 "$before" "$now")
read -r b2min b2med n2min n2med fmin fmed < <(water_times 1920 1080 2 256 "$rounds" 2.5 "$before" \
    "$now" "$work/variants/mode2_alone.frag")
awk -v b1="$b1med" -v b2="$b2med" -v n1="$n1med" -v n2="$n2med" -v f="$fmed" -v fmin="$fmin" '
    BEGIN {
        printf "Mode 2 against mode 1 at 1920 x 1080, measured side by side (medians): before\n"
        printf "%.1f%% (%.2f of %.2f ms), now %.1f%% (%.2f of %.2f ms). A text with no pattern code\n",
            100 * b2 / b1, b2, b1, 100 * n2 / n1, n2, n1
        printf "at all (the read-back and the two picture lookups alone) takes %.2f / %.2f ms,\n",
            fmin, f
        printf "%.1f%% of the mode-1 frame now.\n", 100 * f / n1
    }'
echo

echo "== water program: the first frame" >&2
echo "## The first frame against a steady one"
echo
echo "The first frame is drawn the reduced way, the pattern at S = 256 or less (at most"
echo "a sixteenth of the window's pixels) and read back over the window; a steady frame"
echo "at full resolution is mode 1. Milliseconds, min / median of $rounds, now, taking turns."
echo
echo "| Viewport | S | mode 0 at S | mode 2 | first frame (medians) | mode 1 | first / steady |"
echo "|---|---|---|---|---|---|---|"
for size in 640x360 1280x720 1920x1080 3840x2160; do
    width=${size%x*} height=${size#*x}
    side=256
    while [ $((side * side * 16)) -gt $((width * height)) ] && [ "$side" -gt 32 ]; do
        side=$((side / 2))
    done
    read -r zmin zmed < <(water_times "$width" "$height" 0 "$side" "$rounds" 2.5 "$now")
    read -r tmin tmed < <(water_times "$width" "$height" 2 "$side" "$rounds" 2.5 "$now")
    read -r fmin fmed < <(water_times "$width" "$height" 1 1024 "$rounds" 2.5 "$now")
    first=$(awk -v a="$zmed" -v b="$tmed" 'BEGIN { printf "%.2f", a + b }')
    echo "| ${size/x/ x } | $side | $(pair "$zmin" "$zmed") | $(pair "$tmin" "$tmed") | $first |" \
        "$(pair "$fmin" "$fmed") | $(awk -v a="$first" -v b="$fmed" 'BEGIN { printf "%.0f%%", 100 * a / b }') |"
done
echo

echo "== water program: where the reference spends its time" >&2
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
