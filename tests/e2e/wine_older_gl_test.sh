#!/usr/bin/env bash
# The Windows build under Wine on a display whose OpenGL offers less, as Mesa
# is told to (Wine then hands out no entry point for what is missing, as a
# Windows driver does):
#   wine_older_gl_test.sh no-texture-storage   OpenGL 2.1 without ARB_texture_storage:
#                                               the water is drawn
#   wine_older_gl_test.sh no-framebuffers      OpenGL 2.1 without framebuffer objects:
#                                               the water at full resolution only
#   wine_older_gl_test.sh gl-1.1               one message box that says what is
#                                               needed and offered, then exit 0
# Never a crash, and every run ends with exit code 0.
source "$(dirname "$0")/harness.sh"

readonly saver_title=Glimmerpond3DScreensaver
readonly test_saver="$GP_E2E_TOOLS/scene_test_saver.exe"

older_gl() {
    export MESA_GL_VERSION_OVERRIDE=2.1 MESA_GLSL_VERSION_OVERRIDE=120
    export MESA_EXTENSION_OVERRIDE=$1
}

# A drawn, moving picture of many colours, that a key ends with 0 and no crash.
expect_water_then_key_ends() {
    [ -n "$(e2e_wait_window "$saver_title" 30)" ] || e2e_fail "no window titled $saver_title"
    e2e_wait_drawn "$E2E_WORK/drawn.png" 60 || e2e_fail "nothing drawn within 60 s"
    sleep 1
    e2e_screenshot "$E2E_WORK/water.png"
    local colours
    colours=$(convert "$E2E_WORK/water.png" -format %k info:)
    e2e_log "$colours colours on the screen"
    [ "$colours" -gt 50 ] || e2e_fail "only $colours colours: no water"
    [ "$(compare -metric AE "$E2E_WORK/drawn.png" "$E2E_WORK/water.png" null: 2>&1 | cut -d' ' -f1)" != 0 ] ||
        e2e_fail "the water stands still"
    xdotool key a
    e2e_wait_exit saver 20
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS"
    ! grep -aqiE 'unhandled exception|wine: Unhandled|backtrace' "$E2E_WORK/saver.log" ||
        e2e_fail "it crashed"
    [ -z "$(e2e_box_text 0)" ] || e2e_fail "a message box: $(e2e_box_text 0)"
}

no_texture_storage() {
    older_gl -GL_ARB_texture_storage
    e2e_wine_start saver 90 "$GP_SCR" /s
    expect_water_then_key_ends
}

# At 1280 x 720 llvmpipe's frames are slow enough for the reduced way, which a
# display without framebuffer objects cannot take.
no_framebuffers() {
    older_gl "-GL_ARB_framebuffer_object -GL_EXT_framebuffer_object"
    e2e_wine_start saver 150 "$test_saver" /s
    e2e_wait_for_line saver '^scene: render mode' 90 || e2e_fail "no render-mode decision"
    local decision
    decision=$(tr -d '\r' <"$E2E_WORK/saver.log" | grep -m1 '^scene: render mode')
    e2e_log "${decision#scene: }"
    [[ "$decision" == "scene: render mode 1,"* ]] || e2e_fail "not at full resolution"
    expect_water_then_key_ends
}

gl_1_1() {
    export MESA_GL_VERSION_OVERRIDE=1.1
    e2e_wine_start saver 60 "$GP_SCR" /s
    e2e_dismiss_message_boxes saver 45
    e2e_wait_exit saver 10
    e2e_log "message boxes: $(tr '\t\n' ': ' <"$E2E_WORK/message-boxes.txt")"
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS"
    [ "$(wc -l <"$E2E_WORK/message-boxes.txt")" -eq 1 ] || e2e_fail "expected one message box"
    grep -qE '^Glimmerpond 3D'$'\t''Glimmerpond 3D needs OpenGL 2\.1 with GLSL 1\.20; this display offers OpenGL 1\.1 \(.+\)\.$' \
        "$E2E_WORK/message-boxes.txt" || e2e_fail "not the message that says what is needed"
    ! grep -aqiE 'unhandled exception|wine: Unhandled|backtrace' "$E2E_WORK/saver.log" ||
        e2e_fail "it crashed"
}

e2e_begin "wine-older-gl-$1"
case $1 in
    no-framebuffers) e2e_start_display 1280x720 ;;
    *) e2e_start_display 640x360 ;;
esac
e2e_wine_prefix
case $1 in
    no-texture-storage) no_texture_storage ;;
    no-framebuffers) no_framebuffers ;;
    gl-1.1) gl_1_1 ;;
    *) e2e_fail "unknown case $1" ;;
esac
e2e_pass
