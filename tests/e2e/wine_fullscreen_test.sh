#!/usr/bin/env bash
# The Windows screensaver in full screen under Wine, driven like a user.
#   wine_fullscreen_test.sh draws-and-key-ends | click-ends | close-request-ends
#                           | one-switchless-run
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
}

click_ends() {
    start_screensaver saver /s
    xdotool mousemove 100 100
    sleep 0.5
    e2e_running saver || e2e_fail "ended before the click"
    xdotool click 1
    expect_exit_zero saver 10
}

close_request_ends() {
    start_screensaver saver /s
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" close "$saver_title" ||
        e2e_fail "could not ask the window to close"
    expect_exit_zero saver 10
}

# A switchless run refuses a second switchless run, but not a "/s" run.
one_switchless_run() {
    start_screensaver first
    e2e_wine_start second 30 "$GP_SCR"
    expect_exit_zero second 20
    [ "$(e2e_count_windows "$saver_title")" -eq 1 ] || e2e_fail "the second switchless run showed a window"
    e2e_running first || e2e_fail "the first run ended"

    e2e_wine_start third 60 "$GP_SCR" /s
    local deadline=$((SECONDS + 30))
    until [ "$(e2e_count_windows "$saver_title")" -eq 2 ]; do
        [ $SECONDS -lt $deadline ] || e2e_fail "\"/s\" beside a switchless run did not open"
        sleep 0.2
    done
    e2e_running third || e2e_fail "the \"/s\" run ended"
}

e2e_begin "wine-fullscreen-$1"
e2e_start_display "$screen"
e2e_wine_prefix
case $1 in
    draws-and-key-ends) draws_and_key_ends ;;
    click-ends) click_ends ;;
    close-request-ends) close_request_ends ;;
    one-switchless-run) one_switchless_run ;;
    *) e2e_fail "unknown case $1" ;;
esac
e2e_pass
