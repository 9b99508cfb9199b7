#!/usr/bin/env bash
# The Linux build on a private Xvfb display.
#   native_test.sh fullscreen | no-display | desktop-grows | preview | hack-window-id |
#                  hack-own-window | hack-root-windows |
#                  hack-small-window-decision | hack-stall-decides-nothing |
#                  hack-unmapped-pauses | x11-attach
# The last four hand the program a window of another client (tests/e2e's
# x11_host_window, black until drawn), as XScreenSaver or a settings dialog does.
source "$(dirname "$0")/harness.sh"

readonly saver_title=Glimmerpond3DScreensaver

fullscreen() {
    e2e_start saver 30 "$GP_SCR" /s
    local window
    window=$(e2e_wait_window "$saver_title" 20)
    [ -n "$window" ] || e2e_fail "no window titled $saver_title"
    [ "$(e2e_window_icon_size "$window")" = "64 x 64" ] || e2e_fail "the window has no 64 x 64 icon"
    e2e_wait_drawn "$E2E_WORK/fullscreen.png" 30 || e2e_fail "nothing drawn within 30 s"
    e2e_expect_covered "$E2E_WORK/fullscreen.png"
    xdotool mousemove 20 20 sleep 0.3 mousemove 200 150
    sleep 0.5
    e2e_running saver || e2e_fail "pointer movement ended the screensaver"
    xdotool key a
    e2e_wait_exit saver 10
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS"
}

# The screen grows under the running screensaver (a laptop docked): within
# about a second the window takes the new size, and a key still ends it.
desktop_grows() {
    e2e_start saver 60 "$GP_SCR" /s
    local window
    window=$(e2e_wait_window "$saver_title" 20)
    [ -n "$window" ] || e2e_fail "no window titled $saver_title"
    e2e_wait_drawn "$E2E_WORK/before.png" 30 || e2e_fail "nothing drawn within 30 s"
    timeout 10 xrandr -s 1280x960 2>/dev/null || e2e_fail "xrandr could not resize the screen"
    local deadline=$((SECONDS + 3))
    until xdotool getwindowgeometry "$window" | grep -q 'Geometry: 1280x960'; do
        [ $SECONDS -lt $deadline ] || e2e_fail "the window did not follow the screen"
        sleep 0.05
    done
    e2e_wait_covered "$E2E_WORK/after.png" 20
    xdotool key a
    e2e_wait_exit saver 10
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS"
}

# Without a display GLFW cannot start: every message box is printed, in order.
no_display() {
    (unset DISPLAY && exec "$GP_SCR" /s) >"$E2E_WORK/saver.log" 2>&1 ||
        e2e_fail "ended with $?"
    grep -v '^Error: ' "$E2E_WORK/saver.log" >"$E2E_WORK/debug-message-boxes.txt" || true
    diff <(printf 'Debug: Failed to initialize GLFW\nDebug: Failed to open window\n') \
        "$E2E_WORK/debug-message-boxes.txt" >&2 || e2e_fail "unexpected message boxes"
    grep -q '^Error: The GLFW library is not initialized$' "$E2E_WORK/saver.log" ||
        e2e_fail "GLFW's own errors were not shown"
}

# Starts x11_host_window as process ID with a W x H window at X,Y; its ids in
# HOST_HEX and HOST_DECIMAL. Files in $E2E_WORK/ID.control resize or destroy it.
start_host() {
    local id=$1
    shift
    mkdir -p "$E2E_WORK/$id.control"
    e2e_start "$id" 150 "$GP_E2E_TOOLS/x11_host_window" "$@" "$E2E_WORK/$id.control"
    e2e_wait_for_line "$id" '^window 0x' 10 || e2e_fail "$id: no window"
    read -r _ HOST_HEX HOST_DECIMAL < <(grep -m1 '^window 0x' "$E2E_WORK/$id.log")
}

# The root's children that are mapped (GLFW's own helper window never is).
mapped_top_level_windows() {
    local window
    timeout 10 xwininfo -root -children | awk '$1 ~ /^0x[0-9a-f]+$/ { print $1 }' |
        while read -r window; do
            if timeout 5 xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable'; then
                echo "$window"
            fi
        done | sort
}

# The process under `timeout` that e2e_start started as ID.
program_pid() { pgrep -P "$(e2e_pid "$1")" | head -n1; }

# The water inside window XID: a drawn frame that covers it, then a later
# frame that differs (it moves). Screenshots in $E2E_WORK/NAME-*.png.
expect_water_in() {
    local window=$1 name=$2
    e2e_wait_drawn "$E2E_WORK/$name-1.png" 40 "$window" || e2e_fail "$name: nothing drawn within 40 s"
    e2e_expect_covered "$E2E_WORK/$name-1.png"
    sleep 0.5
    timeout 20 import -window "$window" "$E2E_WORK/$name-2.png"
    local changed
    changed=$(compare -metric AE "$E2E_WORK/$name-1.png" "$E2E_WORK/$name-2.png" null: 2>&1 || true)
    [ "${changed%% *}" != 0 ] || e2e_fail "$name: the water stands still"
    e2e_log "$name: $changed pixels changed in 0.5 s"
}

# SIGTERM to process ID ends it within a second, with exit code 0.
expect_term_ends() {
    local id=$1 pid
    pid=$(program_pid "$id")
    [ -n "$pid" ] || e2e_fail "$id is not running"
    e2e_clock
    kill -TERM "$pid"
    e2e_wait_gone "$pid" 1000 "$E2E_NOW_US" || e2e_fail "$id still runs ${E2E_ELAPSED_MS} ms after SIGTERM"
    e2e_log "$id ended within ${E2E_ELAPSED_MS} ms of SIGTERM"
    e2e_wait_exit "$id" 5
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$id ended with $E2E_STATUS after SIGTERM"
}

# No GLFW error, X error or message box in the log of ID.
expect_quiet_log() {
    ! grep -E '^(Error|Debug): |X Error|BadWindow|BadDrawable' "$E2E_WORK/$1.log" ||
        e2e_fail "$1 reported errors"
}

preview() {
    start_host host 320 240 40 30
    local before
    before=$(mapped_top_level_windows)
    # The Windows-style switch takes the handle in decimal.
    e2e_start saver 120 "$GP_SCR" /p "$HOST_DECIMAL"
    expect_water_in "$HOST_HEX" preview
    [ "$(mapped_top_level_windows)" = "$before" ] || e2e_fail "a new top-level window appeared"
    e2e_screenshot "$E2E_WORK/preview-screen.png"
    [ "$(e2e_pixel "$E2E_WORK/preview-screen.png" 380 10)" = "$E2E_ROOT_COLOUR" ] ||
        e2e_fail "the picture spills out of the window"
    expect_term_ends saver
    expect_quiet_log saver
}

# The hack paced by --delay, counted from outside; unmapped, it draws nothing
# and keeps at most 0.02 cores busy; mapped again, it draws within a second.
hack_unmapped_pauses() {
    start_host host 320 240 0 0
    e2e_start hack 120 "$GP_SCR" --window-id "$HOST_HEX" --delay 100000
    expect_water_in "$HOST_HEX" delayed
    local frames rate pid cores
    frames=$("$GP_E2E_TOOLS/frame_watch" count "$HOST_HEX" 3) || e2e_fail "could not count frames"
    rate=$(awk '{ print $6 }' <<<"$frames")
    e2e_log "--delay 100000: $frames"
    e2e_at_most "$rate" 10.5 || e2e_fail "--delay 100000 draws $rate frames a second"
    e2e_at_most 5 "$rate" || e2e_fail "--delay 100000 draws only $rate frames a second"
    pid=$(program_pid hack)
    touch "$E2E_WORK/host.control/unmap"
    e2e_wait_for_line host '^unmapped' 5 || e2e_fail "the window was not unmapped"
    sleep 0.5
    cores=$(e2e_cpu_cores "$pid" 5)
    e2e_log "unmapped: $cores cores over 5 s"
    e2e_at_most "$cores" 0.02 || e2e_fail "the hack keeps $cores cores busy while unmapped"
    touch "$E2E_WORK/host.control/map"
    e2e_wait_for_line host '^mapped' 5 || e2e_fail "the window was not mapped again"
    "$GP_E2E_TOOLS/frame_watch" first "$HOST_HEX" 1 >"$E2E_WORK/mapped.txt" 2>&1 ||
        e2e_fail "no frame within 1 s of being mapped: $(cat "$E2E_WORK/mapped.txt")"
    e2e_log "mapped again: $(cat "$E2E_WORK/mapped.txt")"
    expect_term_ends hack
}

# One run for the window that "--window-id" names: it draws there, follows
# the window's new size, and ends on SIGTERM.
hack_window_id() {
    # A window that does not exist is refused with GLFW's reason, not an X error.
    timeout 30 "$GP_SCR" --window-id 0x3ffffff >"$E2E_WORK/missing.log" 2>&1 ||
        e2e_fail "a missing window ended the run with $?"
    grep -q '^Error: X11: There is no window 0x3ffffff$' "$E2E_WORK/missing.log" ||
        e2e_fail "no clear refusal of a missing window"
    tail -n1 "$E2E_WORK/missing.log" | grep -qx 'Debug: Failed to open window' ||
        e2e_fail "a missing window did not end at 'Failed to open window'"
    local status=0
    timeout 30 "$GP_SCR" --window-id nonsense >"$E2E_WORK/nonsense.log" 2>&1 || status=$?
    [ "$status" -eq 1 ] && grep -q '^Error: --window-id needs a window id' "$E2E_WORK/nonsense.log" ||
        e2e_fail "a window id that is no number did not end with its message and code 1"

    start_host host 320 240 40 30
    local before
    before=$(mapped_top_level_windows)
    e2e_start hack 120 "$GP_SCR" --window-id "$HOST_HEX"
    expect_water_in "$HOST_HEX" window-id
    [ "$(mapped_top_level_windows)" = "$before" ] || e2e_fail "a new top-level window appeared"
    echo "480 360" >"$E2E_WORK/host.control/resize"
    e2e_wait_for_line host '^resized 480 360' 5 || e2e_fail "the window was not resized"
    # The frames after the change fill the whole larger window.
    local deadline=$((SECONDS + 10))
    until e2e_wait_drawn "$E2E_WORK/resized.png" 5 "$HOST_HEX" &&
        [ "$(identify -format '%w %h' "$E2E_WORK/resized.png")" = "480 360" ] &&
        (e2e_expect_covered "$E2E_WORK/resized.png") 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || e2e_expect_covered "$E2E_WORK/resized.png"
        sleep 0.2
    done
    expect_term_ends hack
    expect_quiet_log hack
    # GLFW gives every window its icon; this one had none and is handed back so.
    timeout 10 xprop -id "$HOST_HEX" _NET_WM_ICON | grep -q 'not found' ||
        e2e_fail "the window keeps the icon the program set"
}

# "--window": a window of its own, the only top-level window the hack maps.
hack_own_window() {
    local before after window
    before=$(mapped_top_level_windows)
    e2e_start hack 120 "$GP_SCR" --window
    window=$(e2e_wait_window "Glimmerpond 3D" 20)
    [ -n "$window" ] || e2e_fail "no window titled Glimmerpond 3D"
    [ "$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { print w "x" $2 }')" = 640x480 ] ||
        e2e_fail "the window is not 640 x 480"
    expect_water_in "$window" own-window
    after=$(mapped_top_level_windows)
    [ "$(comm -13 <(echo "$before") <(echo "$after") | wc -l)" -eq 1 ] ||
        e2e_fail "more than the one window appeared"
    expect_term_ends hack
    expect_quiet_log hack
}

# XScreenSaver's way, once per monitor: two runs at once, each on the window
# in its XSCREENSAVER_WINDOW (hex and decimal, "-root" and "--root"), the first
# with its frame rate shown. The first ends on SIGTERM; the second when its
# window is destroyed under it.
hack_root_windows() {
    start_host left 300 220 10 10
    local left=$HOST_HEX
    start_host right 300 220 330 10
    local right=$HOST_HEX right_decimal=$HOST_DECIMAL
    local before
    before=$(mapped_top_level_windows)
    XSCREENSAVER_WINDOW=$left e2e_start first 120 "$GP_SCR" --root --fps
    XSCREENSAVER_WINDOW=$right_decimal e2e_start second 120 "$GP_SCR" -root
    expect_water_in "$left" root-left
    expect_water_in "$right" root-right
    # --fps: after a second, white text ("0.0 fps" at the shortest) in a black
    # box in the lower left corner.
    sleep 1.5
    timeout 20 import -window "$left" "$E2E_WORK/fps.png"
    [ "$(convert "$E2E_WORK/fps.png" -crop 87x21+6+193 +repage -unique-colors txt:- |
        grep -c '^[0-9]')" -eq 2 ] &&
        [ "$(e2e_pixel "$E2E_WORK/fps.png" 7 212)" = "0 0 0" ] ||
        e2e_fail "no frame rate in the lower left corner"
    [ "$(e2e_pixel "$E2E_WORK/root-right-2.png" 7 212)" != "0 0 0" ] ||
        e2e_fail "a frame rate without --fps"
    [ "$(mapped_top_level_windows)" = "$before" ] || e2e_fail "a new top-level window appeared"
    e2e_screenshot "$E2E_WORK/root-windows-screen.png"
    # Each run's reaction is timed while the other is paused, so that the two
    # do not share the machine's cores meanwhile.
    local second_pid
    second_pid=$(program_pid second)
    kill -STOP "$second_pid"
    expect_term_ends first
    kill -CONT "$second_pid"
    e2e_running second || e2e_fail "the second run ended with the first"

    e2e_clock
    touch "$E2E_WORK/right.control/destroy"
    e2e_wait_gone "$second_pid" 1000 "$E2E_NOW_US" ||
        e2e_fail "the second run still runs ${E2E_ELAPSED_MS} ms after its window was destroyed"
    e2e_log "second ended within ${E2E_ELAPSED_MS} ms of its window's destruction"
    grep -q '^destroyed' "$E2E_WORK/right.log" || e2e_fail "the window was not destroyed"
    e2e_wait_exit second 5
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "the second run ended with $E2E_STATUS once its window went"
    expect_quiet_log first
    ! grep -E 'X Error|BadWindow|BadDrawable|core dumped' "$E2E_WORK/second.log" ||
        e2e_fail "the second run reported an X error"
}

# Reads "scene: render mode M, pattern P across, typical T ms over 100
# frames, slowest S ms" from ID's log into DECISION, MODE, ACROSS, TYPICAL, SLOWEST.
read_decision() {
    DECISION=$(grep -m1 '^scene: render mode' "$E2E_WORK/$1.log")
    read -r MODE ACROSS TYPICAL SLOWEST < <(sed -E \
        's/^scene: render mode ([0-9]+), pattern ([0-9]+) across, typical ([0-9.]+) ms over 100 frames, slowest ([0-9.]+) ms$/\1 \2 \3 \4/' \
        <<<"$DECISION")
}

# What the rule gives for a typical frame of $1 ms.
rule_for() {
    awk -v ms="$1" 'BEGIN {
        if (ms > 100) print "2 280"; else if (ms > 50) print "2 400";
        else if (ms > 25) print "2 560"; else print "1 800" }'
}

# In a 640 x 480 window the scene measures its frames and chooses the render
# mode by the same rule as in full screen.
hack_small_window_decision() {
    start_host host 640 480 0 0
    e2e_start hack 150 "$GP_E2E_TOOLS/scene_test_saver" --window-id "$HOST_HEX"
    e2e_wait_for_line hack '^scene: render mode' 120 || e2e_fail "no render-mode decision"
    read_decision hack
    e2e_log "640 x 480: ${DECISION#scene: }"
    local expected
    expected=$(rule_for "$TYPICAL")
    [ "$MODE $ACROSS" = "$expected" ] ||
        e2e_fail "mode $MODE, $ACROSS across at $TYPICAL ms; the rule gives $expected"
    expect_water_in "$HOST_HEX" decided
    expect_term_ends hack
}

# The process is stopped for 2 s among its measured frames, in a 200 x 150
# window whose frames take a few milliseconds: the decision keeps the
# pattern at its own size, and shows the stall as its slowest frame. Frames
# come every 100 ms, so the hundred measured ones take 10 s; a stop that
# finds the program waiting for its next frame (in ppoll, syscall 271) would
# be time it chose to wait, so it is let go at once and tried again.
hack_stall_decides_nothing() {
    start_host host 200 150 0 0
    e2e_start hack 150 "$GP_E2E_TOOLS/scene_test_saver" --window-id "$HOST_HEX" --delay 100000
    e2e_wait_for_line hack '^scene: set up' 60 || e2e_fail "no set-up"
    sleep 1
    local pid call tries=0
    pid=$(program_pid hack)
    while :; do
        tries=$((tries + 1))
        [ "$tries" -le 200 ] || e2e_fail "never stopped outside the wait for a frame"
        kill -STOP "$pid"
        sleep 0.02
        read -r call _ <"/proc/$pid/syscall"
        [ "$call" != 271 ] && [ "$call" != 7 ] && break
        kill -CONT "$pid"
        sleep "0.0$((RANDOM % 9 + 1))"
    done
    sleep 2
    kill -CONT "$pid"
    grep -q '^scene: render mode' "$E2E_WORK/hack.log" &&
        e2e_fail "the decision came before the stall"
    e2e_log "stopped for 2 s (in syscall $call, try $tries)"
    e2e_wait_for_line hack '^scene: render mode' 60 || e2e_fail "no render-mode decision"
    read_decision hack
    e2e_log "200 x 150: ${DECISION#scene: }"
    awk -v ms="$SLOWEST" 'BEGIN { exit !(ms >= 2000) }' ||
        e2e_fail "the stall was not among the measured frames (slowest $SLOWEST ms)"
    awk -v ms="$TYPICAL" 'BEGIN { exit !(ms < 25) }' ||
        e2e_fail "frames take $TYPICAL ms here: not the quick window this test needs"
    [ "$MODE $ACROSS" = "1 800" ] || e2e_fail "mode $MODE, $ACROSS across after one stall"
    expect_water_in "$HOST_HEX" after-stall
    expect_term_ends hack
}

x11_attach() {
    e2e_start attach 40 "$GP_E2E_TOOLS/x11_attach_test"
    e2e_wait_exit attach 45
    grep -E '^(case|FAIL)' "$E2E_WORK/attach.log" >&2 || true
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$E2E_STATUS failed checks"
}

e2e_begin "native-$1"
case $1 in
    fullscreen) e2e_start_display 320x240 && fullscreen ;;
    no-display) no_display ;;
    desktop-grows) e2e_start_resizable_display 1024x768 && desktop_grows ;;
    preview) e2e_start_display 640x480 && preview ;;
    hack-window-id) e2e_start_display 640x480 && hack_window_id ;;
    hack-own-window) e2e_start_display 800x600 && hack_own_window ;;
    hack-root-windows) e2e_start_display 640x480 && hack_root_windows ;;
    hack-small-window-decision) e2e_start_display 800x600 && hack_small_window_decision ;;
    hack-stall-decides-nothing) e2e_start_display 640x480 && hack_stall_decides_nothing ;;
    hack-unmapped-pauses) e2e_start_display 640x480 && hack_unmapped_pauses ;;
    x11-attach) e2e_start_display 320x240 && x11_attach ;;
    *) e2e_fail "unknown case $1" ;;
esac
e2e_pass
