#!/usr/bin/env bash
# The Settings window of configuration mode ("/c:<page>") and the About window
# it opens, under Wine, driven like a user.
#   about_window_test.sh look | look-144dpi | dpi-change | website | close-box
#                        | alt-f4 | close-request | beside-switchless | failure-paths
#                        | settings-look | settings-look-144dpi | settings-keys
#                        | settings-cancel | settings-policy
# Arguments after the case: bitmap 101 as the build made it (for the looks) and
# the program's texts header (for "website"). "look-144dpi" runs in a prefix set
# to 150 % scaling (144 dpi), where everything is half as large again;
# "dpi-change" starts at 96 dpi and is then told its monitor is at 144 dpi
# (by a test program that shows the same window).
source "$(dirname "$0")/harness.sh"

readonly about_title=About
readonly settings_title="Glimmerpond 3D Settings"
readonly settings_key='HKCU\Software\Quillbrook\Glimmerpond 3D'
readonly policy_key='HKLM\Software\Policies\Quillbrook\Glimmerpond 3D'
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

# "/c" shows the Settings window; its "About Glimmerpond 3D..." button (Alt+A)
# the About window.
start_settings() {
    local id=$1
    e2e_wine_start "$id" 60 "$GP_SCR" "${2:-/c}"
    SETTINGS_WINDOW=$(e2e_wait_window "$settings_title" 30)
    [ -n "$SETTINGS_WINDOW" ] || e2e_fail "no window titled $settings_title"
    sleep 0.5
}

start_about() {
    local id=$1
    if [ -n "${DPI_CHANGE:-}" ]; then
        e2e_wine_start "$id" 60 "$GP_E2E_TOOLS/about_dpi_change_probe.exe" $DPI_CHANGE
    else
        start_settings "$id"
        # What lies under the About window, for its edges to be told from.
        e2e_screenshot "$E2E_WORK/under-about.png"
        xdotool key --window "$SETTINGS_WINDOW" alt+a
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

# The About window has closed and the Settings window it came from is back:
# Esc closes that too, and the run ends with 0.
expect_about_closed() {
    e2e_wait_window_count "$about_title" 0 10 || e2e_fail "the About window stays"
    if [ -n "${DPI_CHANGE:-}" ]; then
        expect_exit_zero "$1" 10
        return
    fi
    e2e_running "$1" || e2e_fail "closing About ended the Settings window"
    sleep 0.5
    # Esc as a keyboard sends it: sent to the window itself, its release would
    # find the window already closed by the press, and xdotool fail.
    settings_keys Escape
    expect_exit_zero "$1" 10
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
# the window is the frame, the next one out is as it was before the window
# came (the Settings window or the bare, white screen).
expect_drawn_edges() {
    local shot=$1 middle_x=$((ABOUT_X + ABOUT_W / 2)) middle_y=$((ABOUT_Y + ABOUT_H / 2))
    local inside outside under=$E2E_WORK/under-about.png
    for inside in "$ABOUT_X $middle_y" "$((ABOUT_X + ABOUT_W - 1)) $middle_y" \
        "$middle_x $ABOUT_Y" "$middle_x $((ABOUT_Y + ABOUT_H - 1))"; do
        [ "$(e2e_pixel "$shot" $inside)" != "$E2E_ROOT_COLOUR" ] || e2e_fail "($inside) is not drawn"
    done
    for outside in "$((ABOUT_X - 1)) $middle_y" "$((ABOUT_X + ABOUT_W)) $middle_y" \
        "$middle_x $((ABOUT_Y - 1))" "$middle_x $((ABOUT_Y + ABOUT_H))"; do
        if [ -f "$under" ]; then
            [ "$(e2e_pixel "$shot" $outside)" = "$(e2e_pixel "$under" $outside)" ] ||
                e2e_fail "($outside) is drawn on"
        else
            [ "$(e2e_pixel "$shot" $outside)" = "$E2E_ROOT_COLOUR" ] || e2e_fail "($outside) is drawn on"
        fi
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
    expect_about_closed about
}

close_box() {
    start_about about
    e2e_screenshot "$E2E_WORK/before.png"
    measure_client_origin "$E2E_WORK/before.png"
    # The close box sits at the right end of the title bar, as tall as the bar.
    local border=$((CLIENT_X - ABOUT_X)) bar=$((CLIENT_Y - ABOUT_Y - (CLIENT_X - ABOUT_X)))
    xdotool mousemove $((ABOUT_X + ABOUT_W - border - bar / 2)) $((ABOUT_Y + border + bar / 2)) click 1
    expect_about_closed about
}

alt_f4() {
    start_about about
    e2e_screenshot "$E2E_WORK/before.png"
    measure_client_origin "$E2E_WORK/before.png"
    # A click on an empty spot of the window, then the keys, as a user would.
    click_client 30 100
    e2e_running about || e2e_fail "a click on the window ended it"
    xdotool key alt+F4
    expect_about_closed about
}

close_request() {
    start_about about
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" close "$about_title" ||
        e2e_fail "could not ask the window to close"
    expect_about_closed about
    [ "$(e2e_count_windows "$settings_title")" -eq 0 ] || e2e_fail "the window stays after the process ended"
}

# A switchless run shows the Settings window (and holds the single-instance
# name, which the full-screen tests check); configuration mode does not look
# at the name, so "/c" beside it shows a second one.
beside_switchless() {
    e2e_wine_start saver 90 "$GP_SCR"
    [ -n "$(e2e_wait_window "$settings_title" 30)" ] || e2e_fail "the switchless run showed no Settings"
    e2e_wine_start about 60 "$GP_SCR" /c
    e2e_wait_window_count "$settings_title" 2 30 ||
        e2e_fail "\"/c\" beside a switchless run showed no window"
    e2e_running saver || e2e_fail "the switchless run ended"
    e2e_running about || e2e_fail "the \"/c\" run ended"
    [ "$(e2e_count_windows "$saver_title")" -eq 0 ] || e2e_fail "a switchless run showed the screensaver"
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

# The stand-in settings page starts "/c:<its window>" and reports whether the
# Settings window keeps it disabled while it shows (it is modal to the page).
start_page() {
    e2e_wine_start page 120 "$GP_E2E_TOOLS/settings_page.exe" "$(e2e_windows_path "$GP_SCR")" "$@"
    SETTINGS_WINDOW=$(e2e_wait_window "$settings_title" 60)
    [ -n "$SETTINGS_WINDOW" ] || e2e_fail "no window titled $settings_title"
    e2e_wait_for_line page '^page (dis|en)abled' 20 || e2e_fail "the page saw no Settings window"
    grep -q '^page disabled' "$E2E_WORK/page.log" || e2e_fail "the page takes input beside its Settings"
}

# Ends with the page's own check: the program ended with 0, the page enabled again.
expect_page_done() {
    e2e_wait_exit page 20
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "settings page: $(tr -d '\r' <"$E2E_WORK/page.log" | grep '^exit')"
}

# Keys as a keyboard sends them, to the focused window: a key sent to one
# window that closes on its press (Enter, Esc) would leave its release
# undelivered, and Wine would hold it down into the next window.
settings_keys() {
    xdotool windowfocus "$SETTINGS_WINDOW"
    xdotool key --delay 150 "$@"
}

probe_controls() {
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" controls "$settings_title" | tr -d '\r' \
        >"$E2E_WORK/controls.txt" || e2e_fail "no controls to read"
}

# "enabled checked" of the control with that id.
control_state() { awk -v id="$1" '$1 == id { print $2, $3 }' "$E2E_WORK/controls.txt"; }

# The window owned by the page and centred on the page's monitor (LEFT,
# WIDTH x HEIGHT), and a screenshot of it to look at.
#   settings_look TAG LEFT WIDTH HEIGHT [PAGE_X PAGE_Y]
settings_look() {
    local tag=$1 left=$2 width=$3 height=$4 x y w h
    shift 4
    start_page "$@"
    sleep 1
    probe_controls
    grep -q "owner $(tr -d '\r' <"$E2E_WORK/page.log" | awk '/^page [0-9]/ { print $2 }')\$" \
        "$E2E_WORK/controls.txt" ||
        e2e_fail "the Settings window is not owned by the page: $(head -n1 "$E2E_WORK/controls.txt")"
    read -r x y w h < <(about_geometry "$SETTINGS_WINDOW")
    e2e_log "outer rectangle at $tag: $x $y $w $h"
    centred_across "$left" "$width" "$x" "$w" && centred_across 0 "$height" "$y" "$h" ||
        e2e_fail "not centred on the page's monitor: $x $y $w $h"
    e2e_screenshot "$E2E_WORK/settings.png"
    convert "$E2E_WORK/settings.png" -crop "${w}x${h}+${x}+${y}" +repage "$E2E_WORK/settings-$tag.png"
    e2e_log "screenshot: $E2E_WORK/settings-$tag.png"
    settings_keys Escape
    expect_page_done
}

# Every setting changed with keys alone, then Enter: each value as set. The
# last picture left cannot be cleared (Alt+B on Pebbles leaves it on).
settings_by_keys() {
    start_page
    settings_keys Home alt+n Down Down Down Down alt+s alt+l alt+k alt+t alt+g alt+c alt+i \
        alt+b alt+e alt+p
    sleep 0.5
    probe_controls
    grep -q '^102 1 0 Static 25 %$' "$E2E_WORK/controls.txt" ||
        e2e_fail "the speed shows as $(grep '^102 ' "$E2E_WORK/controls.txt")"
    settings_keys Return
    expect_page_done
    timeout 30 wine reg query "$settings_key" | tr -d '\r' >"$E2E_WORK/stored.txt" ||
        e2e_fail "nothing stored"
    cat "$E2E_WORK/stored.txt" >&2
    local expected
    for expected in "WaterSpeedPercent REG_DWORD 0x19" "PictureChangeSeconds REG_DWORD 0x0" \
        "PicturesShown REG_DWORD 0x2" "Monitors REG_DWORD 0x1" "FrameRate REG_DWORD 0x1"; do
        grep -q "^ *${expected// /  *}\$" "$E2E_WORK/stored.txt" || e2e_fail "not stored: $expected"
    done
}

# Esc and Alt+F4 (the close box's way) save nothing, whatever was changed.
settings_cancel() {
    local way
    for way in Escape alt+F4; do
        start_page
        settings_keys Home alt+s alt+m alt+p
        settings_keys "$way"
        expect_page_done
        ! timeout 30 wine reg query "$settings_key" >/dev/null 2>&1 || e2e_fail "$way wrote settings"
    done
}

# An administrator's frame rate wins over the user's and greys its choices; OK
# leaves the user's own value as it was.
settings_policy() {
    wine reg add "$policy_key" /v FrameRate /t REG_DWORD /d 2 /f >/dev/null 2>&1 || e2e_fail "reg add"
    wine reg add "$settings_key" /v FrameRate /t REG_DWORD /d 1 /f >/dev/null 2>&1 || e2e_fail "reg add"
    wine reg add "$settings_key" /v WaterSpeedPercent /t REG_DWORD /d 50 /f >/dev/null 2>&1 ||
        e2e_fail "reg add"
    start_page
    probe_controls
    cat "$E2E_WORK/controls.txt" >&2
    local id
    for id in 130 131 132; do
        [ "$(control_state $id)" = "0 0" ] || e2e_fail "control $id is $(control_state $id), not greyed"
    done
    [ "$(control_state 133)" = "0 1" ] || e2e_fail "the policy's Every refresh is not shown greyed"
    [ "$(control_state 121)" = "1 1" ] || e2e_fail "the monitors' choice is greyed"
    grep -q '^102 1 0 Static 50 %$' "$E2E_WORK/controls.txt" || e2e_fail "the user's speed is not shown"
    grep -q '^140 1 0 Static Some settings are set by your administrator.$' "$E2E_WORK/controls.txt" ||
        e2e_fail "no note on the administrator's settings"
    local x y w h
    read -r x y w h < <(about_geometry "$SETTINGS_WINDOW")
    e2e_screenshot "$E2E_WORK/settings.png"
    convert "$E2E_WORK/settings.png" -crop "${w}x${h}+${x}+${y}" +repage "$E2E_WORK/settings-policy.png"
    settings_keys alt+u Return
    expect_page_done
    timeout 30 wine reg query "$settings_key" /v FrameRate | tr -d '\r' | grep -q 'REG_DWORD *0x1$' ||
        e2e_fail "the user's frame rate changed under the policy"
}

# True when a window of width w (X geometry "x y w h") is centred, within a
# pixel, across the span from `left` that is `span` wide.
centred_across() {
    local left=$1 span=$2 x=$3 w=$4 offset
    offset=$((x - left - (span - w) / 2))
    [ "$offset" -ge -1 ] && [ "$offset" -le 1 ]
}

e2e_begin "wine-about-$1"
case $1 in
    beside-switchless | failure-paths) e2e_start_display 640x480 ;;
    settings-look) e2e_start_two_monitors ;;
    *) e2e_start_display "$screen" ;;
esac
e2e_wine_prefix
case $1 in
    look-144dpi | settings-look-144dpi)
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
    # The page on the second monitor (1024 x 768 at 1280,0), not centred on the desktop.
    settings-look) settings_look 96dpi 1280 1024 768 1400 100 ;;
    settings-look-144dpi) settings_look 144dpi 0 1920 1080 ;;
    settings-keys) settings_by_keys ;;
    settings-cancel) settings_cancel ;;
    settings-policy) settings_policy ;;
    *) e2e_fail "unknown case $1" ;;
esac
e2e_pass
