#!/usr/bin/env bash
# A failure of the scene's set-up, under Wine:
#   setup_failure_test.sh fragment|vertex|picture|mesh PROGRAM
# PROGRAM is the screensaver built with one thing broken. A water text that
# does not compile must show the driver's log in a "Debug" box, then "<Stage>
# shader compilation error", and no other box (after a vertex error the
# fragment text is never compiled). Pictures that are every one damaged and a
# quad without a mesh must each show their one "Debug" box before any frame. Every path ends with exit code 0, leaving the session's
# settings as they were.
source "$(dirname "$0")/harness.sh"

stage=${1:?fragment, vertex, picture or mesh}
program=${2:?the test build of the screensaver}
case "$stage" in
picture)
    only_box="Failed to load the floor pictures (every one is damaged)"
    ;;
mesh)
    only_box="Failed to load mesh"
    ;;
fragment)
    compile_message="Fragment shader compilation error"
    broken_name="undeclaredWaterColour"
    ;;
vertex)
    compile_message="Vertex shader compilation error"
    broken_name="undeclaredScale"
    ;;
*) e2e_fail "unknown stage '$stage'" ;;
esac

e2e_begin "wine-setup-failure-$stage"
e2e_start_display 320x240
e2e_wine_prefix
e2e_mark_session_settings

e2e_wine_start saver 80 "$program" /s
# A program that goes on drawing instead of failing is stopped here.
e2e_dismiss_message_boxes saver 60
e2e_wait_exit saver 10

# A driver log may run over several lines: a line that starts with a title and
# a tab opens a box, any other line continues the box before it.
message_boxes=()
while IFS= read -r line; do
    if [[ "$line" == *$'\t'* ]] || [ "${#message_boxes[@]}" -eq 0 ]; then
        message_boxes+=("$line")
    else
        message_boxes[-1]+=$'\n'"$line"
    fi
done <"$E2E_WORK/message-boxes.txt"
for ((i = 0; i < ${#message_boxes[@]}; ++i)); do
    e2e_log "box $((i + 1)): ${message_boxes[$i]}"
done

[ "$E2E_STATUS" -eq 0 ] || e2e_fail "ended with $E2E_STATUS, not 0"
if [ -n "${only_box:-}" ]; then
    [ "${#message_boxes[@]}" -eq 1 ] || e2e_fail "expected one box, saw ${#message_boxes[@]}"
    [ "${message_boxes[0]}" = "Debug"$'\t'"$only_box" ] || e2e_fail "box: ${message_boxes[0]}"
    e2e_expect_session_settings
    e2e_pass
fi
[ "${#message_boxes[@]}" -eq 2 ] || e2e_fail "expected two message boxes, saw ${#message_boxes[@]}"
log=${message_boxes[0]#Debug$'\t'}
[ "$log" != "${message_boxes[0]}" ] || e2e_fail "the first box is not titled Debug"
shopt -s nocasematch
[[ "$log" == *error* ]] || e2e_fail "the first box does not read as a compile log"
shopt -u nocasematch
[[ "$log" == *"$broken_name"* ]] || e2e_fail "the first box does not name $broken_name"
[ "${message_boxes[1]}" = "Debug"$'\t'"$compile_message" ] || e2e_fail "second box: ${message_boxes[1]}"
e2e_expect_session_settings
e2e_pass
