#!/usr/bin/env bash
# The About window of configuration mode ("/c") under Wine, driven like a user.
#   about_window_test.sh look | look-144dpi | dpi-change | website | close-box
#                        | alt-f4 | close-request | beside-switchless | failure-paths
# Arguments after the case: bitmap 101 as the build made it (for the looks) and
# the program's texts header (for "website"). "look-144dpi" runs in a prefix set
# to 150 % scaling (144 dpi), where everything is half as large again;
# "dpi-change" starts at 96 dpi and is then told its monitor is at 144 dpi
# (by a test program that shows the same window).
source "$(dirname "$0")/harness.sh"

readonly about_title=About
readonly saver_title=Glimmerpond3DScreensaver
readonly screen=1920x1080
# At 1920 x 1080 the 400 x 300 window is centred at (760, 390); at 144 dpi
# the 600 x 450 window at (660, 315).
readonly expected_geometry="760 390 400 300"
readonly expected_geometry_144dpi="660 315 600 450"

# X geometry of the About window as "x y width height". Without a window
# manager Wine draws the frame and title bar itself, so the X window is the
# window's whole outer rectangle.
about_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
        END { print x, y, w, h }'
}

start_about() {
    local id=$1
    if [ -n "${DPI_CHANGE:-}" ]; then
        e2e_wine_start "$id" 60 "$GP_E2E_TOOLS/about_dpi_change_probe.exe" $DPI_CHANGE
    else
        e2e_wine_start "$id" 60 "$GP_SCR" /c
    fi
    ABOUT_WINDOW=$(e2e_wait_window "$about_title" 30)
    [ -n "$ABOUT_WINDOW" ] || e2e_fail "no window titled $about_title"
    read -r ABOUT_X ABOUT_Y ABOUT_W ABOUT_H < <(about_geometry "$ABOUT_WINDOW")
    # Let the first paint finish before anyone looks or clicks.
    sleep 1
}

expect_exit_zero() {
    e2e_wait_exit "$1" "$2"
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "$1 ended with $E2E_STATUS, not 0"
}

# The client area's top-left corner on the screen, measured where the green
# fill begins inside the frame (row through the window's middle, then down a
# column just inside the left edge).
measure_client_origin() {
    local shot=$1 middle=$((ABOUT_Y + ABOUT_H / 2)) x y
    for ((x = ABOUT_X; x < ABOUT_X + 40; x++)); do
        [ "$(e2e_pixel "$shot" "$x" "$middle")" = "177 232 179" ] && break
    done
    for ((y = ABOUT_Y; y < ABOUT_Y + 60; y++)); do
        [ "$(e2e_pixel "$shot" $((x + 5)) "$y")" = "177 232 179" ] && break
    done
    CLIENT_X=$x
    CLIENT_Y=$y
}

# What is drawn agrees with the X geometry: on each side the last pixel of
# the window is the frame, the next one out is the bare (white) screen.
expect_drawn_edges() {
    local shot=$1 middle_x=$((ABOUT_X + ABOUT_W / 2)) middle_y=$((ABOUT_Y + ABOUT_H / 2))
    local inside outside
    for inside in "$ABOUT_X $middle_y" "$((ABOUT_X + ABOUT_W - 1)) $middle_y" \
        "$middle_x $ABOUT_Y" "$middle_x $((ABOUT_Y + ABOUT_H - 1))"; do
        [ "$(e2e_pixel "$shot" $inside)" != "$E2E_ROOT_COLOUR" ] || e2e_fail "($inside) is not drawn"
    done
    for outside in "$((ABOUT_X - 1)) $middle_y" "$((ABOUT_X + ABOUT_W)) $middle_y" \
        "$middle_x $((ABOUT_Y - 1))" "$middle_x $((ABOUT_Y + ABOUT_H))"; do
        [ "$(e2e_pixel "$shot" $outside)" = "$E2E_ROOT_COLOUR" ] || e2e_fail "($outside) is drawn on"
    done
}

look() {
    local picture=$1 dpi=${2:-96} geometry=${3:-$expected_geometry}
    start_about about
    [ "$(e2e_count_windows "$about_title")" -eq 1 ] || e2e_fail "more than one About window"
    if [ -n "${DPI_CHANGE:-}" ]; then
        e2e_wait_for_line about '^sent dpi' 30 || e2e_fail "the window was not told of a new scale"
        sleep 1
        read -r ABOUT_X ABOUT_Y ABOUT_W ABOUT_H < <(about_geometry "$ABOUT_WINDOW")
    fi
    e2e_log "outer rectangle: $ABOUT_X $ABOUT_Y $ABOUT_W $ABOUT_H"
    [ "$ABOUT_X $ABOUT_Y $ABOUT_W $ABOUT_H" = "$geometry" ] ||
        e2e_fail "outer rectangle is $ABOUT_X $ABOUT_Y $ABOUT_W $ABOUT_H, not $geometry"
    e2e_screenshot "$E2E_WORK/about.png"
    expect_drawn_edges "$E2E_WORK/about.png"
    convert "$E2E_WORK/about.png" -crop "${ABOUT_W}x${ABOUT_H}+${ABOUT_X}+${ABOUT_Y}" +repage \
        "$E2E_WORK/about-window.png"
    convert "$E2E_WORK/about.png" "$E2E_WORK/about.ppm"
    python3 "$(dirname "$0")/about_pixels.py" "$E2E_WORK/about.ppm" \
        "$ABOUT_X" "$ABOUT_Y" "$ABOUT_W" "$ABOUT_H" "$picture" "$dpi" >&2 ||
        e2e_fail "the window does not look as it should (screenshot: $E2E_WORK/about-window.png)"
    rm -f "$E2E_WORK/about.ppm"
    e2e_running about || e2e_fail "the About window ended on its own"
}

# The handler of the web protocols in this prefix appends what it is given,
# in brackets, to a file: the test reads exactly which address was opened.
register_url_recorder() {
    local scheme
    URLS_FILE="$E2E_WORK/opened-urls.txt"
    : >"$URLS_FILE"
    for scheme in http https; do
        wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /f \
            /d "C:\\windows\\system32\\cmd.exe /c echo [%1]>>$(e2e_windows_path "$URLS_FILE")" \
            >/dev/null 2>&1 || e2e_fail "could not register a handler for $scheme"
    done
    wineserver -w
}

opened_count() { grep -c . "$URLS_FILE" || true; }

wait_opened_count() {
    local count=$1 deadline=$((SECONDS + 20))
    until [ "$(opened_count)" -ge "$count" ]; do
        [ $SECONDS -lt $deadline ] || e2e_fail "page opened $(opened_count) times, expected $count"
        sleep 0.2
    done
}

click_client() {
    xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 1
}

website() {
    local texts_header=$1 host expected
    host=$(sed -n 's/.*kMakerHost = "\([^"]*\)".*/\1/p' "$texts_header")
    [ -n "$host" ] || e2e_fail "no maker host in $texts_header"
    expected="[https://$host/?utm_source=About]"
    register_url_recorder
    start_about about
    e2e_screenshot "$E2E_WORK/before.png"
    measure_client_origin "$E2E_WORK/before.png"

    # The notice shares the button's id, but a plain static control sends no
    # command: clicking its text opens nothing.
    click_client 60 158
    sleep 3
    [ "$(opened_count)" -eq 0 ] || e2e_fail "clicking the notice opened: $(cat "$URLS_FILE")"

    click_client 200 226
    wait_opened_count 1
    sleep 1
    e2e_running about || e2e_fail "the window closed after the first click"
    [ "$(e2e_count_windows "$about_title")" -eq 1 ] || e2e_fail "the About window is gone after a click"
    click_client 200 226
    wait_opened_count 2
    sleep 1
    [ "$(opened_count)" -eq 2 ] || e2e_fail "two clicks opened the page $(opened_count) times"
    e2e_log "opened: $(tr -d '\r' <"$URLS_FILE" | tr '\n' ' ')"
    diff <(printf '%s\n%s\n' "$expected" "$expected") <(tr -d '\r' <"$URLS_FILE" | sed 's/ *$//') >&2 ||
        e2e_fail "the button opened the wrong address"
    e2e_running about || e2e_fail "the window closed after the second click"

    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" close "$about_title" || e2e_fail "could not close"
    expect_exit_zero about 10
}

close_box() {
    start_about about
    e2e_screenshot "$E2E_WORK/before.png"
    measure_client_origin "$E2E_WORK/before.png"
    # The close box sits at the right end of the title bar, as tall as the bar.
    local border=$((CLIENT_X - ABOUT_X)) bar=$((CLIENT_Y - ABOUT_Y - (CLIENT_X - ABOUT_X)))
    xdotool mousemove $((ABOUT_X + ABOUT_W - border - bar / 2)) $((ABOUT_Y + border + bar / 2)) click 1
    expect_exit_zero about 10
}

alt_f4() {
    start_about about
    e2e_screenshot "$E2E_WORK/before.png"
    measure_client_origin "$E2E_WORK/before.png"
    # A click on an empty spot of the window, then the keys, as a user would.
    click_client 30 100
    e2e_running about || e2e_fail "a click on the window ended it"
    xdotool key alt+F4
    expect_exit_zero about 10
}

close_request() {
    start_about about
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" close "$about_title" ||
        e2e_fail "could not ask the window to close"
    expect_exit_zero about 10
    [ "$(e2e_count_windows "$about_title")" -eq 0 ] || e2e_fail "the window stays after the process ended"
}

# Configuration mode does not look at the single-instance guard.
beside_switchless() {
    e2e_wine_start saver 90 "$GP_SCR"
    [ -n "$(e2e_wait_window "$saver_title" 30)" ] || e2e_fail "the switchless run showed no window"
    start_about about
    e2e_running saver || e2e_fail "the switchless run ended"
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" close "$about_title" || e2e_fail "could not close"
    expect_exit_zero about 10
    e2e_running saver || e2e_fail "closing the About window ended the switchless run"
}

# Registration and creation both fail: two message boxes titled "Error!", then the
# program ends with 0 rather than waiting for a window that does not exist.
failure_paths() {
    e2e_wine_start probe 60 "$GP_E2E_TOOLS/about_failure_probe.exe"
    e2e_dismiss_message_boxes probe 20
    expect_exit_zero probe 10
    diff <(printf 'Error!\tWindow Registration Failed!\nError!\tWindow Creation Failed!\n') \
        "$E2E_WORK/message-boxes.txt" >&2 || e2e_fail "unexpected message boxes"
}

e2e_begin "wine-about-$1"
case $1 in
    beside-switchless | failure-paths) e2e_start_display 640x480 ;;
    *) e2e_start_display "$screen" ;;
esac
e2e_wine_prefix
case $1 in
    look-144dpi)
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
            e2e_fail "could not set 144 dpi"
        timeout 30 wineserver -w
        ;;
esac
case $1 in
    look) look "$2" ;;
    look-144dpi) look "$2" 144 "$expected_geometry_144dpi" ;;
    dpi-change) DPI_CHANGE="144 $expected_geometry_144dpi" look "$2" 144 "$expected_geometry_144dpi" ;;
    website) website "$2" ;;
    close-box) close_box ;;
    alt-f4) alt_f4 ;;
    close-request) close_request ;;
    beside-switchless) beside_switchless ;;
    failure-paths) failure_paths ;;
    *) e2e_fail "unknown case $1" ;;
esac
e2e_pass
