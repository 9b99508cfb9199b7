#!/usr/bin/env bash
# The water scene as a user sees it, checked on screenshots (scene_pixels.py).
#   scene_test.sh look WxH PICTURES...
#       Windows test build under Wine: caustics over picture A at full
#       resolution, then the render-mode decision, then the same again at the
#       chosen resolution. The timer is held 10 minutes back so that picture A
#       stays alone on screen throughout.
#   scene_test.sh shipped WxH PICTURES...
#       the shipped program (under Wine, or natively in the Linux build):
#       caustics over one of the eight pictures, framed as the shader frames it
#   scene_test.sh picture-change WxH PICTURES...
#       Windows test build with its timer 114 s ahead and running at a quarter
#       of its speed: picture B alone, then a change of the hidden picture and
#       a 12-second cross-fade to it, then the new picture alone
# PICTURES are the eight background bitmaps, in the scene's order.
source "$(dirname "$0")/harness.sh"

readonly saver_title=Glimmerpond3DScreensaver
readonly pixels="$(dirname "$0")/scene_pixels.py"
readonly test_saver="${GP_E2E_TOOLS:-}/scene_test_saver.exe"
readonly frames_for_darkest=6

case_name=$1
screen=$2
shift 2
pictures=("$@")
[ ${#pictures[@]} -eq 8 ] || { echo "eight pictures expected" >&2; exit 2; }

on_wine() { [[ "$GP_SCR" == *.scr ]]; }

start_saver() {
    local program=$1
    if on_wine; then
        e2e_wine_start saver 200 "$program" /s
    else
        e2e_start saver 200 "$program" /s
    fi
    [ -n "$(e2e_wait_window "$saver_title" 60)" ] || e2e_fail "no window titled $saver_title"
    e2e_wait_drawn "$E2E_WORK/first.png" 60 || e2e_fail "nothing drawn within 60 s"
}

# The test build's report lines, without Wine's carriage returns.
report() { tr -d '\r' <"$E2E_WORK/saver.log" | grep '^scene: ' || true; }

wait_report() {
    e2e_wait_for_line saver "^scene: $1" "$2" || e2e_fail "no report '$1' within $2 s"
    report | grep "^scene: $1" | tail -n1
}

# NAME-1.ppm and NAME-2.ppm, two frames apart, and NAME-darkest.ppm, the
# pixel-wise least of a few frames, SECONDS apart (default 0.6: the caustics
# move on enough between them at the water's own speed).
shoot() {
    local name=$1 spacing=${2:-0.6} i
    for i in $(seq "$frames_for_darkest"); do
        e2e_screenshot "$E2E_WORK/$name-$i.png"
        sleep "$spacing"
    done
    convert "$E2E_WORK/$name-1.png" "$E2E_WORK/$name-1.ppm"
    convert "$E2E_WORK/$name-2.png" "$E2E_WORK/$name-2.ppm"
    convert "$E2E_WORK/$name"-[0-9].png -evaluate-sequence min "$E2E_WORK/$name-darkest.ppm"
}

check() {
    python3 "$pixels" "$@" >&2 || e2e_fail "scene_pixels.py $1 $2 failed"
}

check_look() { check look "$E2E_WORK/$1-1.ppm" "$E2E_WORK/$1-2.ppm"; }

check_shows() { check shows "$E2E_WORK/$1-darkest.ppm" "$2" "${pictures[@]}"; }

look() {
    export GP_SCENE_TIME_SHIFT=-600
    start_saver "$test_saver"
    local first
    first=$(wait_report "set up" 5)
    e2e_log "$first"
    local picture=${first#*unit 1 shows }
    picture=${picture%%,*}

    shoot full
    if report | grep -q '^scene: render mode 2'; then
        # A machine quick enough to measure 100 frames meanwhile.
        e2e_log "the reduced way was chosen during the first shots"
    fi
    check_look full
    check_shows full "$picture"

    local decision
    decision=$(wait_report "render mode" 150)
    e2e_log "at $screen: ${decision#scene: }"
    sleep 1
    shoot decided
    check_look decided
    check_shows decided "$picture"
}

shipped() {
    start_saver "$GP_SCR"
    shoot shipped
    check_look shipped
    check shows "$E2E_WORK/shipped-darkest.ppm" any "${pictures[@]}"
}

picture_change() {
    # The change comes 40 s after the first frame: time enough for the first
    # shots on a busy machine. The water runs at a quarter of its speed too, so
    # the shots of one picture are taken four times as far apart as elsewhere.
    export GP_SCENE_TIME_SHIFT=110 GP_SCENE_TIME_RATE=0.25
    local spacing=2.4
    start_saver "$test_saver"
    local first
    first=$(wait_report "set up" 5)
    e2e_log "$first"
    local b=${first#*unit 2 shows }
    shoot before "$spacing"
    report | grep -q '^scene: picture change' && e2e_fail "the change came before the first shots"
    check_shows before "$b"

    local change
    change=$(wait_report "picture change" 50)
    e2e_log "$change"
    local a=${change#*unit 1 shows }
    a=${a%%,*}
    [[ "$change" == *"unit 2 shows $b, fading to unit 1" ]] || e2e_fail "the wrong unit changed"
    # The new picture lies 1 to 6 places after the one on screen, cyclically.
    local step=$(((a - b + 8) % 8))
    [ "$step" -ge 1 ] && [ "$step" -le 6 ] || e2e_fail "picture $a follows $b by $step"

    # The ramp, 12 s at this rate, blends visibly over its middle half.
    sleep 4.5
    local i
    for i in 1 2 3 4; do
        e2e_screenshot "$E2E_WORK/fading-$i.png"
        sleep 0.6
    done
    convert "$E2E_WORK"/fading-[0-9].png -evaluate-sequence min "$E2E_WORK/fading-darkest.ppm"
    check blend "$E2E_WORK/fading-darkest.ppm" "${pictures[$b]}" "${pictures[$a]}"

    sleep 6
    shoot after "$spacing"
    check_look after
    check_shows after "$a"
}

e2e_begin "scene-$case_name-$screen"
e2e_start_display "$screen"
on_wine && e2e_wine_prefix
case $case_name in
    look) look ;;
    shipped) shipped ;;
    picture-change) picture_change ;;
    *) e2e_fail "unknown case $case_name" ;;
esac
e2e_pass
