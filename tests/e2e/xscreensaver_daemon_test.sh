#!/usr/bin/env bash
# The hack under the real XScreenSaver daemon, installed as a user installs it
# (cmake --install into a prefix of its own). As root, the daemon runs as an
# ordinary user that the test creates when missing, and fails when it cannot.
# --activate must show moving water on the screen (with the settings' switches
# on its line); after --deactivate the hack must be gone within 2 s. The
# installed settings file and manual page offer every switch.
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/xscreensaver_session.sh"

: "${GP_E2E_BUILD_DIR:?set by CTest}"

# Installs the build into a prefix that the daemon's user may read and run.
install_hack() {
    prefix=$(mktemp -d /tmp/glimmerpond-e2e-prefix.XXXXXX)
    chmod 755 "$prefix"
    timeout 60 cmake --install "$GP_E2E_BUILD_DIR" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 ||
        e2e_fail "cmake --install failed"
    hack="$prefix/libexec/xscreensaver/glimmerpond3d"
    [ -x "$hack" ] || e2e_fail "no hack at $hack"
    xss_expect_settings_file "$prefix/share/xscreensaver/config/glimmerpond3d.xml"
    xss_expect_manual_page "$prefix/share/man/man6/glimmerpond3d.6.gz"
}

# Keeps the exit status for e2e_cleanup, which runs next.
cleanup_hacks() {
    local status=$?
    xss_end_hacks
    [ -z "${prefix:-}" ] || rm -rf "$prefix"
    return $status
}

e2e_begin native-xscreensaver-daemon
trap 'cleanup_hacks; e2e_cleanup' EXIT
e2e_start_display 640x480
xss_prepare_user glimmerpond-e2e
install_hack
# The settings' switches as the settings dialog writes them into the line.
xss_run_hack "$hack" "GL: $hack --root --speed 0.5 --pictures tiles,mosaic --frame-rate about-30"
e2e_pass
