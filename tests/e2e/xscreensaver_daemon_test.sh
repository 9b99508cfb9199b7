#!/usr/bin/env bash
# The hack under the real XScreenSaver daemon, installed as a user installs it
# (cmake --install into a prefix). The daemon runs no hacks as root: as root,
# the test runs it as an ordinary user that it creates when missing, and fails
# when it cannot. --activate must show moving water on the screen; after
# --deactivate the hack must be gone within 2 s.
source "$(dirname "$0")/harness.sh"

readonly daemon_user=glimmerpond-e2e
: "${GP_E2E_BUILD_DIR:?set by CTest}"

E2E_HACK_PIDS=()

# The account the daemon and xscreensaver-command run as: the current one
# when it is not root, else the test's own ordinary user. Sets `as_user`, the
# command prefix that runs a program as that user on the test's display.
prepare_user() {
    if [ "$(id -u)" -ne 0 ]; then
        user_home="$E2E_WORK/home"
        mkdir -p "$user_home"
        as_user=(env HOME="$user_home" DISPLAY="$DISPLAY")
        return 0
    fi
    if ! id "$daemon_user" >/dev/null 2>&1; then
        timeout 30 useradd --create-home --shell /usr/sbin/nologin "$daemon_user" ||
            e2e_fail "cannot create the user $daemon_user to run the daemon as"
    fi
    user_home=$(getent passwd "$daemon_user" | cut -d: -f6)
    [ -d "$user_home" ] || e2e_fail "$daemon_user has no home folder"
    as_user=(runuser -u "$daemon_user" -- env HOME="$user_home" DISPLAY="$DISPLAY")
}

run_as_user() { "${as_user[@]}" "$@"; }

# Installs the build into a prefix that the daemon's user may read and run.
install_hack() {
    prefix=$(mktemp -d /tmp/glimmerpond-e2e-prefix.XXXXXX)
    chmod 755 "$prefix"
    timeout 60 cmake --install "$GP_E2E_BUILD_DIR" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 ||
        e2e_fail "cmake --install failed"
    hack="$prefix/libexec/xscreensaver/glimmerpond3d"
    [ -x "$hack" ] || e2e_fail "no hack at $hack"
    local settings="$prefix/share/xscreensaver/config/glimmerpond3d.xml"
    python3 - "$settings" <<'PY' || e2e_fail "the settings file is not what XScreenSaver reads"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "screensaver", root.tag
assert root.get("name") == "glimmerpond3d", root.get("name")
assert root.get("_label") == "Glimmerpond 3D", root.get("_label")
assert root.get("gl") == "yes", root.get("gl")
assert [c.get("arg") for c in root.iter("command")] == ["--root"]
PY
}

write_settings() {
    # A GL hack's line in programs: starts with "GL:", as the settings dialog writes it.
    cat >"$user_home/.xscreensaver" <<SETTINGS
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
timeout: 0:30:00
programs: GL: $hack --root \\n
SETTINGS
    [ "$(id -u)" -ne 0 ] || chown "$daemon_user" "$user_home/.xscreensaver"
}

# Processes running the installed hack; the cleanup ends them by PID.
hack_pids() { pgrep -f "^$hack( |\$)" || true; }

# Keeps the exit status for e2e_cleanup, which runs next.
cleanup_hacks() {
    local status=$? pid
    for pid in $(hack_pids) "${E2E_HACK_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    [ -z "${prefix:-}" ] || rm -rf "$prefix"
    return $status
}

wait_for_daemon() {
    local deadline=$((SECONDS + 20))
    until run_as_user timeout 5 xscreensaver-command --version >/dev/null 2>&1; do
        e2e_running daemon || e2e_fail "the daemon ended"
        [ $SECONDS -lt $deadline ] || e2e_fail "the daemon did not answer within 20 s"
        sleep 0.2
    done
}

e2e_begin native-xscreensaver-daemon
trap 'cleanup_hacks; e2e_cleanup' EXIT
e2e_start_display 640x480
prepare_user
install_hack
write_settings

e2e_start daemon 120 "${as_user[@]}" xscreensaver --no-splash --verbose
wait_for_daemon

run_as_user timeout 10 xscreensaver-command --activate >>"$E2E_WORK/command.log" 2>&1 ||
    e2e_fail "xscreensaver-command --activate failed"
deadline=$((SECONDS + 20))
until [ -n "$(hack_pids)" ]; do
    [ $SECONDS -lt $deadline ] || e2e_fail "the daemon started no hack within 20 s"
    sleep 0.1
done
mapfile -t E2E_HACK_PIDS < <(hack_pids)
e2e_log "the daemon runs the hack: $(ps -o pid=,user=,args= -p "${E2E_HACK_PIDS[0]}")"

e2e_wait_drawn "$E2E_WORK/active-1.png" 40 || e2e_fail "the screen shows no water within 40 s"
e2e_expect_covered "$E2E_WORK/active-1.png"
sleep 0.5
e2e_screenshot "$E2E_WORK/active-2.png"
changed=$(compare -metric AE "$E2E_WORK/active-1.png" "$E2E_WORK/active-2.png" null: 2>&1 || true)
[ "${changed%% *}" != 0 ] || e2e_fail "the water stands still"
e2e_log "$changed pixels changed in 0.5 s"

run_as_user timeout 10 xscreensaver-command --deactivate >>"$E2E_WORK/command.log" 2>&1 ||
    e2e_fail "xscreensaver-command --deactivate failed"
e2e_clock
start=$E2E_NOW_US
for pid in "${E2E_HACK_PIDS[@]}"; do
    e2e_wait_gone "$pid" 2000 "$start" ||
        e2e_fail "the hack still runs ${E2E_ELAPSED_MS} ms after --deactivate"
done
e2e_log "the hack ended within ${E2E_ELAPSED_MS} ms of --deactivate"

run_as_user timeout 10 xscreensaver-command --exit >>"$E2E_WORK/command.log" 2>&1 || true
e2e_wait_exit daemon 10
e2e_pass
