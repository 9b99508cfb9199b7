#!/usr/bin/env bash
# GLFW failing to start: a system-wide hook refuses GLFW's helper window, so
# glfwInit fails while the display works. The program must say so, go on to
# "Failed to open window", and end with 0, leaving the session's settings as
# they were.
source "$(dirname "$0")/harness.sh"

e2e_begin wine-init-failure
e2e_start_display 320x240
e2e_wine_prefix
e2e_mark_session_settings

e2e_wine_start saver 120 "$GP_E2E_TOOLS/glfw_init_blocker.exe" "$(e2e_windows_path "$GP_SCR")" /s
e2e_dismiss_message_boxes saver 100
e2e_wait_exit saver 10
cat "$E2E_WORK/message-boxes.txt" >&2
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS, not 0"

mapfile -t message_boxes <"$E2E_WORK/message-boxes.txt"
[ "${#message_boxes[@]}" -ge 3 ] || e2e_fail "expected at least three message boxes"
[[ "${message_boxes[0]}" == Error$'\t'Win32:* ]] || e2e_fail "first box is not GLFW's own error: ${message_boxes[0]}"
[ "${message_boxes[1]}" = $'Debug\tFailed to initialize GLFW' ] || e2e_fail "second box: ${message_boxes[1]}"
last=$((${#message_boxes[@]} - 1))
[ "${message_boxes[$last]}" = $'Debug\tFailed to open window' ] || e2e_fail "last box: ${message_boxes[$last]}"
for ((i = 2; i < last; ++i)); do
    [ "${message_boxes[$i]}" = $'Error\tThe GLFW library is not initialized' ] ||
        e2e_fail "box $i: ${message_boxes[$i]}"
done
[ "$(e2e_count_windows Glimmerpond3DScreensaver)" -eq 0 ] || e2e_fail "a window opened"
e2e_expect_session_settings
e2e_pass
