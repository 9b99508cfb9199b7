#!/usr/bin/env bash
# The Windows screensaver in full screen under Wine, driven like a user.
#   wine_fullscreen_test.sh draws-and-key-ends | click-ends | close-request-ends
#                           | one-switchless-run | display-may-sleep | display-off-pauses
#                           | two-monitors-key | two-monitors-click
#                           | water-on-each-monitor | main-monitor-only
#                           | desktop-grows | desktop-shrinks | unusable-settings
# The three paths out leave the session's settings as they found them.
source "$(dirname "$0")/harness.sh"

readonly saver_title=Glimmerpond3DScreensaver
readonly screen=320x240

start_screensaver() {
    local id=$1
    shift
    e2e_wine_start "$id" 60 "$GP_SCR" "$@"
    [ -n "$(e2e_wait_window "$saver_title" 30)" ] || e2e_fail "no window titled $saver_title"
}

expect_exit_zero() {
    e2e_wait_exit "$1" "$2"
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$1 ended with $E2E_STATUS, not 0"
}

draws_and_key_ends() {
    start_screensaver saver /s
    local window
    window=$(e2e_wait_window "$saver_title" 5)
    xdotool getwindowgeometry "$window" | grep -q "Geometry: $screen" ||
        e2e_fail "window does not cover the screen: $(xdotool getwindowgeometry "$window")"
    [ "$(e2e_window_icon_size "$window")" = "64 x 64" ] || e2e_fail "the window has no 64 x 64 icon"
    e2e_wait_drawn "$E2E_WORK/fullscreen.png" 30 || e2e_fail "nothing drawn within 30 s"
    e2e_expect_covered "$E2E_WORK/fullscreen.png"
    e2e_log "centre shows $(e2e_pixel "$E2E_WORK/fullscreen.png" 160 120)"
    # Moving the pointer is not a reason to stop.
    xdotool mousemove 10 10 sleep 0.3 mousemove 300 200 sleep 0.3 mousemove 160 120
    sleep 1
    e2e_running saver || e2e_fail "pointer movement ended the screensaver"
    # A modifier alone is a key too.
    xdotool key shift
    expect_exit_zero saver 10
    e2e_expect_session_settings
}

click_ends() {
    start_screensaver saver /s
    xdotool mousemove 100 100
    sleep 0.5
    e2e_running saver || e2e_fail "ended before the click"
    xdotool click 1
    expect_exit_zero saver 10
    e2e_expect_session_settings
}

close_request_ends() {
    start_screensaver saver /s
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" close "$saver_title" ||
        e2e_fail "could not ask the window to close"
    expect_exit_zero saver 10
    e2e_expect_session_settings
}

# With two monitors one window covers both with the water; a key, or a click
# on the second monitor, ends the run.
two_monitors() {
    local way_out=$1
    start_screensaver saver /s
    local window
    window=$(e2e_wait_window "$saver_title" 5)
    xdotool getwindowgeometry "$window" | grep -q "Geometry: 2304x768" ||
        e2e_fail "the window does not span both monitors: $(xdotool getwindowgeometry "$window")"
    e2e_wait_drawn "$E2E_WORK/monitors-1.png" 60 || e2e_fail "nothing drawn within 60 s"
    sleep 1
    e2e_screenshot "$E2E_WORK/monitors-2.png"
    local at first second
    # The middle and two corners of each monitor.
    for at in "640 360" "20 20" "1260 700" "1792 384" "1300 20" "2290 750"; do
        first=$(e2e_pixel "$E2E_WORK/monitors-1.png" $at)
        second=$(e2e_pixel "$E2E_WORK/monitors-2.png" $at)
        [ "$second" != "$E2E_ROOT_COLOUR" ] || e2e_fail "($at) shows the bare screen"
        [ "$second" != "0 0 0" ] || e2e_fail "($at) is black: nothing was drawn"
        e2e_log "($at): $first, a second later $second"
    done
    # The water moves on the second monitor too.
    [ "$(compare -metric AE -extract 1024x768+1280+0 "$E2E_WORK/monitors-1.png" \
        "$E2E_WORK/monitors-2.png" null: 2>&1 | cut -d' ' -f1)" -gt 1000 ] ||
        e2e_fail "the second monitor's picture did not move"
    case $way_out in
    key) xdotool key a ;;
    click) xdotool mousemove 1800 400 sleep 0.3 click 1 ;;
    esac
    expect_exit_zero saver 10
}

# The monitors of the choice tests: small enough that llvmpipe could draw
# both more often than the cap allows, so the cap is what holds them back.
readonly main_monitor=160x90 other_monitor=128x96

# The geometry of every window of the screensaver's, "WxH+X+Y" one a line.
saver_windows() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$saver_title\$"); do
        xwininfo -id "$id" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 }
            /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
            END { print w "x" h "+" x "+" y }'
    done | sort
}

# compare says 1 when the pictures differ.
changed_pixels() { compare -metric AE -extract "$3" "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }
brightest() { convert "$1" -crop "$2" -format '%[fx:int(255*maxima)]' info:; }

# The user's monitor choice as Settings stores it: "The water on each
# monitor" (1) gives a window covering each monitor, the water moving on both,
# neither drawing more frames a second than the cap, and both resting while
# the display is off; "Main monitor only" (2) leaves the other monitor black
# while the main one moves. A key, or a click on the black monitor, ends the
# run with 0.
monitor_choice() {
    local choice=$1
    wine reg add 'HKCU\Software\Quillbrook\Glimmerpond 3D' /v Monitors /t REG_DWORD /d "$choice" /f \
        >/dev/null 2>&1 || e2e_fail "could not store the monitor choice"
    start_screensaver saver /s
    local main="$main_monitor+0+0" other="$other_monitor+${main_monitor%x*}+0"
    local deadline=$((SECONDS + 30))
    until [ "$(saver_windows | wc -l)" -eq 2 ]; do
        [ $SECONDS -lt $deadline ] || e2e_fail "not two windows: $(saver_windows | tr '\n' ' ')"
        sleep 0.2
    done
    [ "$(saver_windows | tr '\n' ' ')" = "$(printf '%s\n' "$other" "$main" | sort | tr '\n' ' ')" ] ||
        e2e_fail "the windows do not each cover a monitor: $(saver_windows | tr '\n' ' ')"
    e2e_log "windows: $(saver_windows | tr '\n' ' ')"
    e2e_wait_drawn "$E2E_WORK/choice-1.png" 60 || e2e_fail "nothing drawn within 60 s"
    sleep 1
    e2e_screenshot "$E2E_WORK/choice-2.png"
    local moved
    moved=$(changed_pixels "$E2E_WORK/choice-1.png" "$E2E_WORK/choice-2.png" "$main")
    e2e_log "main monitor: $moved pixels changed in a second"
    [ "$moved" -gt 1000 ] || e2e_fail "the water stands still on the main monitor"
    if [ "$choice" = 2 ]; then
        local shot
        for shot in choice-1 choice-2; do
            [ "$(brightest "$E2E_WORK/$shot.png" "$other")" = 0 ] ||
                e2e_fail "the other monitor is not black in $shot.png"
        done
    else
        moved=$(changed_pixels "$E2E_WORK/choice-1.png" "$E2E_WORK/choice-2.png" "$other")
        e2e_log "other monitor: $moved pixels changed in a second"
        [ "$moved" -gt 1000 ] || e2e_fail "the water stands still on the other monitor"
        # Counted from outside, where a viewer would see them.
        local id rate pid cores
        pid=$(e2e_wine_process Glimmerpond3D.scr /s)
        e2e_log "the run keeps $(e2e_cpu_cores "$pid" 3) cores busy"
        for id in $(xdotool search --onlyvisible --name "^$saver_title\$"); do
            rate=$("$GP_E2E_TOOLS/frame_watch" count "$id" 5) || e2e_fail "cannot count frames of $id"
            e2e_log "window $id: $rate"
            e2e_at_most "$(awk '{ print $6 }' <<<"$rate")" 61 || e2e_fail "more frames than the cap: $rate"
        done
        # With the display off neither window draws; once it is on, both do.
        timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" display-state off "$saver_title" ||
            e2e_fail "could not tell the windows the display is off"
        sleep 0.5
        cores=$(e2e_cpu_cores "$pid" 3)
        e2e_log "display off: $cores cores over 3 s"
        e2e_at_most "$cores" 0.02 || e2e_fail "the run keeps $cores cores busy with the display off"
        timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" display-state on "$saver_title" ||
            e2e_fail "could not tell the windows the display is on"
        for id in $(xdotool search --onlyvisible --name "^$saver_title\$"); do
            rate=$("$GP_E2E_TOOLS/frame_watch" first "$id" 1) ||
                e2e_fail "window $id: no frame within 1 s of the display coming back"
            e2e_log "display on, window $id: $rate"
        done
    fi
    # A key, or a click on the black monitor, ends the run.
    if [ "$choice" = 2 ]; then
        xdotool mousemove $((${main_monitor%x*} + 200)) 200 sleep 0.3 click 1
    else
        xdotool key a
    fi
    expect_exit_zero saver 10
}

# A switchless run (on Windows: the Settings window) refuses a second
# switchless run, but not a "/s" run.
one_switchless_run() {
    local settings_title="Glimmerpond 3D Settings"
    e2e_wine_start first 60 "$GP_SCR"
    [ -n "$(e2e_wait_window "$settings_title" 30)" ] || e2e_fail "the switchless run showed no Settings"
    e2e_wine_start second 30 "$GP_SCR"
    expect_exit_zero second 20
    [ "$(e2e_count_windows "$settings_title")" -eq 1 ] || e2e_fail "the second switchless run showed a window"
    e2e_running first || e2e_fail "the first run ended"

    e2e_wine_start third 60 "$GP_SCR" /s
    e2e_wait_window_count "$saver_title" 1 30 || e2e_fail "\"/s\" beside a switchless run did not open"
    e2e_running third || e2e_fail "the \"/s\" run ended"
}

# GLFW keeps the display on for a full-screen window (the execution state
# ES_DISPLAY_REQUIRED, when the window is made and each time it is restored)
# and swallows SC_MONITORPOWER. A relay trace of the run shows what is left.
display_may_sleep() {
    wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
        /d 'SetThreadExecutionState;DefWindowProcW' /f >/dev/null 2>&1 || e2e_fail "no relay filter"
    e2e_start saver 90 env WINEDEBUG=+relay wine "$GP_SCR" /s
    [ -n "$(e2e_wait_window "$saver_title" 60)" ] || e2e_fail "no window titled $saver_title"
    e2e_wait_drawn "$E2E_WORK/fullscreen.png" 60 || e2e_fail "nothing drawn within 60 s"
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" minimize-restore "$saver_title" ||
        e2e_fail "could not minimise and restore the window"
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" monitor-power "$saver_title" ||
        e2e_fail "could not send SC_MONITORPOWER"
    sleep 0.5
    e2e_running saver || e2e_fail "the screensaver ended before the key"
    xdotool key shift
    expect_exit_zero saver 20
    grep -a 'SetThreadExecutionState(' "$E2E_WORK/saver.log" | grep -a 'Call' |
        sed 's/.*SetThreadExecutionState(\([0-9a-fA-F]*\)).*/\1/' >"$E2E_WORK/states.txt" || true
    e2e_log "execution states set, in order: $(tr '\n' ' ' <"$E2E_WORK/states.txt")"
    # GLFW asks for the display at creation and again on the restore.
    [ "$(grep -ci '^80000002$' "$E2E_WORK/states.txt")" -ge 2 ] ||
        e2e_fail "the trace does not show GLFW's requests (relay not working?)"
    local last
    last=$(tail -n1 "$E2E_WORK/states.txt")
    # ES_SYSTEM_REQUIRED 0x1, ES_DISPLAY_REQUIRED 0x2
    (((0x$last & 0x3) == 0)) || e2e_fail "the last execution state is $last: the display is kept on"
    grep -a 'Call user32.DefWindowProcW(' "$E2E_WORK/saver.log" | grep -aqi ',00000112,0000f170,' ||
        e2e_fail "SC_MONITORPOWER never reached DefWindowProcW"
}

# While the system says the display is off the run draws nothing (at most
# 0.02 cores, the screen stands still); once it says the display is on again,
# the water moves within a second. Wine sends no such notice, so the probe
# delivers it as the system would.
display_off_pauses() {
    start_screensaver saver /s
    e2e_wait_drawn "$E2E_WORK/drawn.png" 30 || e2e_fail "nothing drawn within 30 s"
    local pid root cores
    pid=$(e2e_wine_process Glimmerpond3D.scr /s)
    [ -n "$pid" ] || e2e_fail "no process of the screensaver"
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    e2e_log "drawing: $(e2e_cpu_cores "$pid" 2) cores, $("$GP_E2E_TOOLS/frame_watch" count "$root" 2)"
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" display-state off "$saver_title" ||
        e2e_fail "could not tell the window the display is off"
    sleep 0.5
    e2e_screenshot "$E2E_WORK/off-1.png"
    cores=$(e2e_cpu_cores "$pid" 5)
    e2e_screenshot "$E2E_WORK/off-2.png"
    e2e_log "display off: $cores cores over 5 s"
    e2e_at_most "$cores" 0.02 || e2e_fail "the run keeps $cores cores busy with the display off"
    [ "$(compare -metric AE "$E2E_WORK/off-1.png" "$E2E_WORK/off-2.png" null: 2>&1 | cut -d' ' -f1)" = 0 ] ||
        e2e_fail "frames were drawn with the display off"
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" display-state on "$saver_title" ||
        e2e_fail "could not tell the window the display is on"
    "$GP_E2E_TOOLS/frame_watch" first "$root" 1 >"$E2E_WORK/on.txt" ||
        e2e_fail "no frame within 1 s of the display coming back: $(cat "$E2E_WORK/on.txt")"
    e2e_log "display on: $(cat "$E2E_WORK/on.txt")"
    xdotool key a
    expect_exit_zero saver 10
}

# The screen changes size under the running screensaver, as when a laptop is
# docked: within about a second the window takes the new screen's size, the
# water then covers all of it, and a key still ends the run with 0. (A
# screenshot of a busy Xephyr takes seconds, so the window's size is what is
# timed.)
desktop_resized() {
    local from=$1 to=$2
    start_screensaver saver /s
    e2e_wait_drawn "$E2E_WORK/before.png" 60 || e2e_fail "nothing drawn within 60 s"
    local window
    window=$(e2e_wait_window "$saver_title" 5)
    e2e_clock
    local start=$E2E_NOW_US elapsed
    timeout 10 xrandr -s "$to" 2>/dev/null || e2e_fail "xrandr could not set $to"
    until xdotool getwindowgeometry "$window" | grep -q "Geometry: $to"; do
        e2e_clock
        elapsed=$(((E2E_NOW_US - start) / 1000))
        [ "$elapsed" -lt 5000 ] ||
            e2e_fail "the window is not $to after 5 s: $(xdotool getwindowgeometry "$window" | tail -n1)"
        sleep 0.05
    done
    e2e_clock
    elapsed=$(((E2E_NOW_US - start) / 1000))
    e2e_log "$from to $to: the window covers the new screen ${elapsed} ms after the change"
    [ "$elapsed" -le 1500 ] || e2e_fail "it took ${elapsed} ms"
    e2e_wait_covered "$E2E_WORK/after.png" 20
    e2e_screenshot "$E2E_WORK/later.png"
    [ "$(compare -metric AE "$E2E_WORK/after.png" "$E2E_WORK/later.png" null: 2>&1 | cut -d' ' -f1)" != 0 ] ||
        e2e_fail "the water stands still after the change"
    xdotool key a
    expect_exit_zero saver 10
}

# Stored settings that cannot be used, one kind a run: each spoiled setting
# takes its default and the run goes on as ever: the water drawn over the
# whole screen, no message box, a key ends it with 0.
unusable_settings() {
    local user='HKCU\Software\Quillbrook\Glimmerpond 3D'
    local policy='HKLM\Software\Policies\Quillbrook\Glimmerpond 3D'
    local kind value n=0
    for kind in "values missing" "wrong types" "out of range" "no picture on" "unknown choices"; do
        timeout 30 wine reg delete "$user" /f >/dev/null 2>&1 || true
        timeout 30 wine reg delete "$policy" /f >/dev/null 2>&1 || true
        case $kind in
            "values missing") values=("$user|Unrelated|REG_DWORD|1" "$policy|Unrelated|REG_DWORD|1") ;;
            "wrong types") values=("$user|WaterSpeedPercent|REG_SZ|garbage" "$user|FrameRate|REG_SZ|1"
                "$policy|PictureChangeSeconds|REG_BINARY|1e00" "$user|Monitors|REG_QWORD|1") ;;
            "out of range") values=("$user|WaterSpeedPercent|REG_DWORD|500" "$user|PictureChangeSeconds|REG_DWORD|45"
                "$policy|WaterSpeedPercent|REG_DWORD|10" "$user|PicturesShown|REG_DWORD|4096") ;;
            "no picture on") values=("$user|PicturesShown|REG_DWORD|0" "$policy|PicturesShown|REG_DWORD|0") ;;
            "unknown choices") values=("$user|FrameRate|REG_DWORD|7" "$user|Monitors|REG_DWORD|9"
                "$policy|FrameRate|REG_DWORD|4294967295") ;;
        esac
        for value in "${values[@]}"; do
            IFS='|' read -r key name type data <<<"$value"
            timeout 30 wine reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null 2>&1 ||
                e2e_fail "could not store $name as $type"
        done
        n=$((n + 1))
        start_screensaver "run$n" /s
        e2e_wait_drawn "$E2E_WORK/run$n.png" 30 || e2e_fail "$kind: nothing drawn within 30 s"
        e2e_expect_covered "$E2E_WORK/run$n.png"
        [ -z "$(e2e_box_text 0)" ] || e2e_fail "$kind: a message box: $(e2e_box_text 0)"
        e2e_log "$kind: drawn, centre $(e2e_pixel "$E2E_WORK/run$n.png" 160 120), no message box"
        xdotool key a
        expect_exit_zero "run$n" 10
    done
}

e2e_begin "wine-fullscreen-$1"
case $1 in
    two-monitors-*) e2e_start_two_monitors ;;
    water-on-each-monitor | main-monitor-only) e2e_start_two_monitors "$main_monitor" "$other_monitor" ;;
    desktop-grows | desktop-shrinks) e2e_start_resizable_display 1024x768 ;;
    *) e2e_start_display "$screen" ;;
esac
e2e_wine_prefix
case $1 in
    draws-and-key-ends | click-ends | close-request-ends) e2e_mark_session_settings ;;
esac
case $1 in
    draws-and-key-ends) draws_and_key_ends ;;
    click-ends) click_ends ;;
    close-request-ends) close_request_ends ;;
    one-switchless-run) one_switchless_run ;;
    display-may-sleep) display_may_sleep ;;
    display-off-pauses) display_off_pauses ;;
    two-monitors-key) two_monitors key ;;
    two-monitors-click) two_monitors click ;;
    water-on-each-monitor) monitor_choice 1 ;;
    main-monitor-only) monitor_choice 2 ;;
    desktop-grows) desktop_resized 1024x768 1280x960 ;;
    desktop-shrinks) desktop_resized 1024x768 800x600 ;;
    unusable-settings) unusable_settings ;;
    *) e2e_fail "unknown case $1" ;;
esac
e2e_pass
