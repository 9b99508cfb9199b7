#!/usr/bin/env bash
# glfwAttachNativeWindow inside one process, under Wine (the test program
# checks everything itself and counts its failures).
source "$(dirname "$0")/harness.sh"

e2e_begin wine-attach
e2e_start_display 640x480
e2e_wine_prefix
e2e_wine_start attach 60 "$GP_E2E_TOOLS/attach_native_window_test.exe"
e2e_wait_exit attach 60
cat "$E2E_WORK/attach.log" >&2
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "$E2E_STATUS failed checks"
e2e_pass
