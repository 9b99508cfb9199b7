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
#   scene_test.sh settings WxH PICTURES...
#       the user's settings as a run honours them: registry values under Wine,
#       the hack's switches natively (--root). With the timer held still, the
#       water at 25 % after 32 s and 33 s is the water at 100 % after 8 s and
#       8.25 s: a second at a quarter of the speed moves it as far as a quarter
#       second. With one picture checked and a change every 30 s, that picture
#       alone all the time, and "About 30" draws at most 31 frames a second;
#       with two checked, changes 30 s apart between those two only.
#   scene_test.sh damaged WxH PICTURES...
#       a test build whose pictures 1 and 4 are damaged whole and in their
#       small copies, and picture 6 in its whole data alone, with its timer at
#       12 times its speed: the water drawn over a picture whole; over eight
#       changes pictures 1 and 4 are never shown and picture 6 never comes
#       with a change; a key ends the run with 0
# PICTURES are the painted floors as bitmaps, in the scene's order.
source "$(dirname "$0")/harness.sh"

readonly saver_title=Glimmerpond3DScreensaver
readonly pixels="$(dirname "$0")/scene_pixels.py"
readonly settings_key='HKCU\Software\Quillbrook\Glimmerpond 3D'
readonly picture_names=(sand pebbles tiles shells stones seagrass coral mosaic)
readonly frame_rate_names=(up-to-60 about-30 every-refresh)
readonly frames_for_darkest=6

case_name=$1
screen=$2
shift 2
pictures=("$@")
[ ${#pictures[@]} -eq 8 ] || { echo "eight pictures expected" >&2; exit 2; }

on_wine() { [[ "$GP_SCR" == *.scr ]]; }

if on_wine; then
    readonly test_saver="${GP_E2E_TOOLS:-}/scene_test_saver.exe"
else
    readonly test_saver="${GP_E2E_TOOLS:-}/scene_test_saver"
fi

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
report() { tr -d '\r' <"$E2E_WORK/${1:-saver}.log" | grep '^scene: ' || true; }

wait_report() {
    local id=${3:-saver}
    e2e_wait_for_line "$id" "^scene: $1" "$2" || e2e_fail "no report '$1' within $2 s"
    report "$id" | grep "^scene: $1" | tail -n1
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

    # The ramp takes 12 s at this rate. Shots over the whole of it, from its
    # first second on and about 1.2 s apart, see the blend rise from one
    # picture to the other: a pair whose shares read compressed (the pale sand
    # after the mosaic) still rises well, which shots over its middle alone
    # did not show.
    sleep 0.7
    local i shots=()
    for i in 1 2 3 4 5 6 7 8; do
        e2e_screenshot "$E2E_WORK/fading-$i.png"
        convert "$E2E_WORK/fading-$i.png" "$E2E_WORK/fading-$i.ppm"
        shots+=("$E2E_WORK/fading-$i.ppm")
        sleep 0.9
    done
    check fade "${pictures[$b]}" "${pictures[$a]}" "${shots[@]}"

    sleep 4
    shoot after "$spacing"
    check_look after
    check_shows after "$a"
}

# Starts the test build as ID with these settings: water speed in percent,
# the pictures checked (a bit each), seconds between changes, frame-rate
# choice (0 to 2); waits for its first frame.
start_with_settings() {
    local id=$1 speed=$2 shown=$3 change=$4 rate=$5
    if on_wine; then
        local pair
        for pair in "WaterSpeedPercent $speed" "PicturesShown $shown" \
            "PictureChangeSeconds $change" "FrameRate $rate"; do
            timeout 30 wine reg add "$settings_key" /v "${pair% *}" /t REG_DWORD /d "${pair#* }" /f \
                >/dev/null 2>&1 || e2e_fail "could not store ${pair% *}"
        done
        e2e_wine_start "$id" 120 "$test_saver" /s
    else
        local names="" i
        for i in "${!picture_names[@]}"; do
            ((shown >> i & 1)) && names+="${names:+,}${picture_names[$i]}"
        done
        e2e_start "$id" 120 "$test_saver" --root --delay 0 --frame-rate "${frame_rate_names[$rate]}" \
            --speed "$(awk -v p="$speed" 'BEGIN { print p / 100 }')" --pictures "$names" \
            --change-seconds "$change"
    fi
    e2e_wait_drawn "$E2E_WORK/$id-first.png" 60 || e2e_fail "$id: nothing drawn within 60 s"
}

# Ends ID as its viewer would (a key under Wine, SIGTERM for the hack); it exits with 0.
stop_run() {
    local id=$1
    if on_wine; then
        xdotool key a
    else
        kill -TERM "$(pgrep -P "$(e2e_pid "$id")" | head -n1)"
    fi
    e2e_wait_exit "$id" 20
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$id ended with $E2E_STATUS"
}

# The share of pixels that differ between two screenshots, in per cent.
differing() {
    local changed
    changed=$(compare -metric AE -fuzz 2% "$1" "$2" null: 2>&1 || true)
    awk -v n="${changed%% *}" -v size="$(identify -format '%w %h' "$1")" \
        'BEGIN { split(size, s, " "); printf "%.2f\n", 100 * n / (s[1] * s[2]) }'
}

settings() {
    local one=2 other=5
    # The water held still at four moments: (speed, timer).
    local moment i=0
    for moment in "100 8" "100 8.25" "25 32" "25 33"; do
        i=$((i + 1))
        GP_SCENE_TIME_AT=${moment#* } GP_SCENE_TIME_RATE=0 \
            start_with_settings "still_$i" "${moment% *}" $((1 << one)) 60 0
        sleep 1.5  # past the cheap first frame
        e2e_screenshot "$E2E_WORK/still-$i.png"
        stop_run "still_$i"
    done
    local same_start same_end moved
    same_start=$(differing "$E2E_WORK/still-1.png" "$E2E_WORK/still-3.png")
    same_end=$(differing "$E2E_WORK/still-2.png" "$E2E_WORK/still-4.png")
    moved=$(differing "$E2E_WORK/still-1.png" "$E2E_WORK/still-2.png")
    e2e_log "100 % at 8 s against 25 % at 32 s: $same_start % of the pixels differ; at 8.25 s and 33 s: $same_end %; 100 % from 8 s to 8.25 s: $moved %"
    e2e_at_most "$same_start" 1 && e2e_at_most "$same_end" 1 ||
        e2e_fail "a second at 25 % does not move the water as far as a quarter second at 100 %"
    e2e_at_most 10 "$moved" || e2e_fail "the water hardly moved in a quarter second"

    # One picture checked, a change due every 30 s, the timer at 10 times its speed.
    GP_SCENE_TIME_RATE=10 start_with_settings one 100 $((1 << one)) 30 1
    local root counted
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    counted=$("$GP_E2E_TOOLS/frame_watch" count "$root" 3)
    e2e_log "About 30: $counted"
    e2e_at_most "${counted##* }" 31 || e2e_fail "more than 31 frames a second at About 30"
    shoot one-early 0.1
    check_shows one-early "$one"
    sleep 3  # past the scene's first change, 60 s after set-up
    shoot one-late 0.1
    check_shows one-late "$one"
    ! report one | grep 'picture change' || e2e_fail "the one picture checked changed"
    stop_run one

    # Two checked: changes 30 s apart, between those two alone. A change comes
    # with the first frame at or after its time, a frame (at most a second of
    # the scene's time at this rate) late.
    GP_SCENE_TIME_RATE=5 start_with_settings two 100 $(((1 << one) | (1 << other))) 30 1
    local deadline=$((SECONDS + 40))
    until [ "$(report two | grep -c 'picture change')" -ge 3 ]; do
        [ $SECONDS -lt $deadline ] || e2e_fail "fewer than three picture changes in 40 s"
        sleep 0.5
    done
    stop_run two
    report two | grep 'picture change' | head -n3 >"$E2E_WORK/changes.txt"
    e2e_log "$(cat "$E2E_WORK/changes.txt")"
    sed 's/.*scene time \([0-9.]*\) s: unit 1 shows \([0-9]\), unit 2 shows \([0-9]\).*/\1 \2 \3/' \
        "$E2E_WORK/changes.txt" | awk -v a="$one" -v b="$other" '
        { if (($2 != a && $2 != b) || ($3 != a && $3 != b) || $2 == $3) bad = bad " unchecked picture at " $1
          if (NR > 1 && ($1 - last < 29.99 || $1 - last > 31)) bad = bad " gap " $1 - last
          last = $1 }
        END { if (bad != "") { print bad; exit 1 } }' >&2 || e2e_fail "changes not 30 s apart among the checked pictures"
}

damaged() {
    export GP_SCENE_TIME_RATE=12
    e2e_wine_start saver 120 "$GP_E2E_TOOLS/three_damaged_saver.exe" /s
    [ -n "$(e2e_wait_window "$saver_title" 60)" ] || e2e_fail "no window titled $saver_title"
    e2e_wait_drawn "$E2E_WORK/first.png" 60 || e2e_fail "nothing drawn within 60 s"
    local first
    first=$(wait_report "set up" 5)
    e2e_log "$first"
    local deadline=$((SECONDS + 80)) count=0
    until [ "$count" -ge 8 ]; do
        [ $SECONDS -lt $deadline ] || e2e_fail "fewer than eight picture changes in 80 s"
        sleep 0.2
        count=$(report | grep -c 'picture change' || true)
    done
    # Between changes, five seconds apart: one picture alone under the water.
    local last
    last=$(report | grep 'picture change' | tail -n1)
    sleep 0.6
    shoot damaged 0.1
    check_look damaged
    local shown=${last#*unit 1 shows }
    [[ "$last" == *"fading to unit 2" ]] && shown=${last#*unit 2 shows }
    check_shows damaged "${shown%%,*}"
    xdotool key a
    e2e_wait_exit saver 20
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS"
    report | grep 'picture change' >"$E2E_WORK/changes.txt"
    e2e_log "$(wc -l <"$E2E_WORK/changes.txt") changes"
    ! grep -E 'shows (1|4)\b' <(echo "$first") || e2e_fail "a damaged picture at set-up"
    ! grep -E 'shows (1|4|6)\b' "$E2E_WORK/changes.txt" || e2e_fail "a damaged picture came with a change"
}

e2e_begin "scene-$case_name-$screen"
e2e_start_display "$screen"
on_wine && e2e_wine_prefix
case $case_name in
    look) look ;;
    shipped) shipped ;;
    picture-change) picture_change ;;
    settings) settings ;;
    damaged) damaged ;;
    *) e2e_fail "unknown case $case_name" ;;
esac
e2e_pass
