#!/usr/bin/env bash
# The Linux build on a private Xvfb display.
#   native_test.sh fullscreen | no-display | preview-refused
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

# Without a display GLFW cannot start: every box is printed, in order.
no_display() {
    (unset DISPLAY && exec "$GP_SCR" /s) >"$E2E_WORK/saver.log" 2>&1 ||
        e2e_fail "ended with $?"
    grep -v '^Error: ' "$E2E_WORK/saver.log" >"$E2E_WORK/debug-boxes.txt" || true
    diff <(printf 'Debug: Failed to initialize GLFW\nDebug: Failed to open window\n') \
        "$E2E_WORK/debug-boxes.txt" >&2 || e2e_fail "unexpected boxes"
    grep -q '^Error: The GLFW library is not initialized$' "$E2E_WORK/saver.log" ||
        e2e_fail "GLFW's own errors were not shown"
}

preview_refused() {
    e2e_start saver 30 "$GP_SCR" /p 1234
    e2e_wait_exit saver 20
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS"
    grep -q '^Error: X11: .*no preview' "$E2E_WORK/saver.log" || e2e_fail "no clear refusal"
    tail -n1 "$E2E_WORK/saver.log" | grep -qx 'Debug: Failed to open window' ||
        e2e_fail "did not end at 'Failed to open window'"
}

e2e_begin "native-$1"
case $1 in
    fullscreen) e2e_start_display 320x240 && fullscreen ;;
    no-display) no_display ;;
    preview-refused) e2e_start_display 320x240 && preview_refused ;;
    *) e2e_fail "unknown case $1" ;;
esac
e2e_pass
