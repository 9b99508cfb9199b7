#!/usr/bin/env bash
# Configuration mode ("/c") of the Linux build: no window, the About facts on
# standard output, exit code 0; it needs no display.
#   about_native_test.sh TEXTS_HEADER
source "$(dirname "$0")/harness.sh"

e2e_begin native-about
host=$(sed -n 's/.*kMakerHost = "\([^"]*\)".*/\1/p' "$1")
[ -n "$host" ] || e2e_fail "no maker host in $1"
status=0
(unset DISPLAY && exec timeout 20 "$GP_SCR" /c) >"$E2E_WORK/about.out" 2>"$E2E_WORK/about.err" || status=$?
[ "$status" -eq 0 ] || e2e_fail "ended with $status"
cat "$E2E_WORK/about.out" >&2
[ "$(head -n1 "$E2E_WORK/about.out")" = "Glimmerpond 3D Screensaver" ] || e2e_fail "no heading first"
grep -qF "https://$host/?utm_source=About" "$E2E_WORK/about.out" || e2e_fail "no web address"
grep -q "Quillbrook" "$E2E_WORK/about.out" || e2e_fail "no maker"
! grep -q $'\r' "$E2E_WORK/about.out" || e2e_fail "carriage returns in terminal text"
[ ! -s "$E2E_WORK/about.err" ] || e2e_fail "unexpected messages: $(cat "$E2E_WORK/about.err")"
e2e_pass
