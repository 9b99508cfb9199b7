#!/usr/bin/env bash
# Preview mode under Wine: a host program in its own process passes its pane
# to "/p"; the preview must live in a child of the pane and end when clicked,
# or when the pane is disabled or destroyed (within a second), with exit code 0
# and the session's settings as they were. With `restart` the host first
# destroys the pane of a preview that is still setting up and starts another in
# a new pane 100 ms later: the first must end within a second, and the second
# must draw in the new pane. With `visibility` the preview draws at most 30
# frames a second; while the host is minimised and while it is hidden the
# preview keeps at most 0.02 cores busy, and once it is shown again it draws
# within a second.
#   wine_preview_test.sh click | disable | destroy | restart | visibility
#
# Wine does not show OpenGL drawn into a child window on screen (the pane
# keeps its own black), with or without Composite. With Composite it keeps the
# drawing in an offscreen X window of the pane's size, and that is read here.
source "$(dirname "$0")/harness.sh"

e2e_begin "wine-preview-$1"
e2e_start_display 320x240 +extension Composite
e2e_wine_prefix
e2e_mark_session_settings

e2e_wine_start host 90 "$GP_E2E_TOOLS/preview_host.exe" "$(e2e_windows_path "$GP_SCR")" "$1" \
    "$(e2e_windows_path "$E2E_WORK")\\go"
e2e_wait_for_line host '^ready' 60 || e2e_fail "the preview did not start"
if [ "$1" = restart ]; then
    first=$(tr -d '\r' <"$E2E_WORK/host.log" | grep -E '^first exit ' || true)
    e2e_log "the preview whose pane went during set-up: ${first:-no report}"
    [[ "$first" == "first exit 0 "* ]] || e2e_fail "the first preview did not end with 0"
    ! grep -q '^FAIL' "$E2E_WORK/host.log" || e2e_fail "$(grep '^FAIL' "$E2E_WORK/host.log")"
fi
read -r _ _ x y width height < <(grep -E '^pane ' "$E2E_WORK/host.log" | tr -d '\r')

e2e_screenshot "$E2E_WORK/screen.png"
e2e_log "pane centre on screen: $(e2e_pixel "$E2E_WORK/screen.png" $((x + width / 2)) $((y + height / 2)))"
drawing=$(e2e_wait_offscreen_gl_window "$width" "$height" 20)
[ -n "$drawing" ] || e2e_fail "no offscreen OpenGL window of the pane's size"
e2e_wait_drawn "$E2E_WORK/preview.png" 30 "$drawing" || true
colour=$(e2e_pixel "$E2E_WORK/preview.png" $((width / 2)) $((height / 2)))
e2e_log "preview's drawing at its centre: $colour"
[ "$colour" != "0 0 0" ] && [ "$colour" != "$E2E_ROOT_COLOUR" ] || e2e_fail "the preview drew nothing"

# Frames counted from outside, then the preview's cost while no one can see it.
visibility() {
    local frames rate pid cores step
    frames=$("$GP_E2E_TOOLS/frame_watch" count "$drawing" 4) || e2e_fail "could not count frames"
    e2e_log "visible: $frames"
    rate=$(awk '{ print $6 }' <<<"$frames")
    e2e_at_most "$rate" 31 || e2e_fail "the preview draws $rate frames a second"
    e2e_at_most 10 "$rate" || e2e_fail "the preview draws only $rate frames a second"
    pid=$(e2e_wine_process Glimmerpond3D.scr /p)
    [ -n "$pid" ] || e2e_fail "no process of the preview"
    e2e_log "drawing: $(e2e_cpu_cores "$pid" 2) cores"
    for step in minimise:minimised hide:hidden; do
        touch "$E2E_WORK/go-${step%:*}"
        e2e_wait_for_line host "^${step#*:}" 10 || e2e_fail "the host did not ${step%:*}"
        step=${step%:*}
        sleep 0.5
        cores=$(e2e_cpu_cores "$pid" 5)
        e2e_log "after $step: $cores cores over 5 s"
        e2e_at_most "$cores" 0.02 || e2e_fail "the preview keeps $cores cores busy after $step"
    done
    touch "$E2E_WORK/go-show"
    e2e_wait_for_line host '^shown' 10 || e2e_fail "the host did not show itself again"
    drawing=$(e2e_wait_offscreen_gl_window "$width" "$height" 1)
    [ -n "$drawing" ] || e2e_fail "no offscreen OpenGL window once shown"
    "$GP_E2E_TOOLS/frame_watch" first "$drawing" 1 >"$E2E_WORK/shown.txt" ||
        e2e_fail "no frame within 1 s of being shown: $(cat "$E2E_WORK/shown.txt")"
    e2e_log "shown again: $(cat "$E2E_WORK/shown.txt")"
}

[ "$1" != visibility ] || visibility
touch "$E2E_WORK/go"
if [ "$1" = click ]; then
    xdotool mousemove $((x + width / 2)) $((y + height / 2)) click 1
fi
e2e_wait_exit host 60
grep -E '^(first exit|exit|FAIL)' "$E2E_WORK/host.log" >&2 || true
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "the host reports $E2E_STATUS failed checks"
grep -Eq '^exit 0 ' "$E2E_WORK/host.log" || e2e_fail "the preview did not end with 0"
e2e_expect_session_settings
e2e_pass
