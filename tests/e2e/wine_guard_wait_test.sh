#!/usr/bin/env bash
# A new preview and the single-instance name under Wine: it waits for an
# ending holder to let go, and gives up after a second (the test program
# checks everything itself and counts its failures).
source "$(dirname "$0")/harness.sh"

e2e_begin wine-guard-wait
e2e_start_display 320x240
e2e_wine_prefix
e2e_wine_start guard 90 "$GP_E2E_TOOLS/guard_wait_test.exe"
e2e_wait_exit guard 90
tr -d '\r' <"$E2E_WORK/guard.log" >&2
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "$E2E_STATUS failed checks"
e2e_pass
