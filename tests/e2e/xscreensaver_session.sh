# The real XScreenSaver daemon running an installed hack: source it after
# harness.sh. The daemon runs no hacks as root, so as root it runs as an
# ordinary user, made for the test when missing.
#
#   xss_prepare_user NAME     the user (as root) or the current one; sets
#                             user_home and as_user (a command prefix)
#   xss_expect_settings_file FILE   the hack's settings file as XScreenSaver reads
#                             it (xmllint), with a control for every switch
#   xss_expect_manual_page FILE     the manual page renders and tells every switch
#   xss_run_hack HACK LINE    the daemon with "programs: LINE" runs HACK (the
#                             installed path) on --activate: moving water on
#                             the screen; after --deactivate it is gone in 2 s
#   xss_end_hacks             ends what still runs HACK (for the cleanup)

xss_prepare_user() {
    local name=$1
    xss_user=$name
    xss_created_user=0
    if [ "$(id -u)" -ne 0 ]; then
        user_home="$E2E_WORK/home"
        mkdir -p "$user_home"
        as_user=(env HOME="$user_home" DISPLAY="$DISPLAY")
        return 0
    fi
    if ! id "$name" >/dev/null 2>&1; then
        timeout 30 useradd --create-home --shell /usr/sbin/nologin "$name" ||
            e2e_fail "cannot create the user $name to run the daemon as"
        xss_created_user=1
    fi
    user_home=$(getent passwd "$name" | cut -d: -f6)
    [ -d "$user_home" ] || e2e_fail "$name has no home folder"
    as_user=(runuser -u "$name" -- env HOME="$user_home" DISPLAY="$DISPLAY")
}

xss_expect_settings_file() {
    timeout 30 xmllint --noout "$1" >&2 || e2e_fail "xmllint finds $1 not well-formed"
    python3 - "$1" <<'PY' || e2e_fail "$1 is not what XScreenSaver reads"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "screensaver", root.tag
assert root.get("name") == "glimmerpond3d", root.get("name")
assert root.get("_label") == "Glimmerpond 3D", root.get("_label")
assert root.get("gl") == "yes", root.get("gl")
assert [c.get("arg") for c in root.iter("command")] == ["--root"]
# A control for each of the hack's settings, each option of a list with its switch.
args = [e.get("arg") or e.get("arg-set") or "" for e in root.iter() if e.get("id")]
for switch in ("--speed", "--change-seconds", "--pictures", "--frame-rate", "--delay", "--fps"):
    assert any(a.split(" ")[0] == switch for a in args), switch
PY
}

# The installed manual page renders without a warning and tells every switch.
xss_expect_manual_page() {
    LC_ALL=C MANWIDTH=80 timeout 30 man --warnings -l "$1" >"$E2E_WORK/manual.txt" \
        2>"$E2E_WORK/manual-warnings.log" || e2e_fail "man cannot render $1"
    [ ! -s "$E2E_WORK/manual-warnings.log" ] || e2e_fail "groff warns: $(head -n3 "$E2E_WORK/manual-warnings.log")"
    local switch
    for switch in --root --window-id --speed --change-seconds --pictures --frame-rate --delay --fps; do
        grep -Eq -- "^ +$switch( |$)" "$E2E_WORK/manual.txt" || e2e_fail "the manual page lacks $switch"
    done
}

# Processes running the installed program, whoever started them by whatever name.
xss_hack_pids() {
    local pid
    for pid in $(pgrep -x glimmerpond3d || true); do
        [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" != "$xss_hack" ] || echo "$pid"
    done
}

xss_end_hacks() {
    [ -n "${xss_hack:-}" ] || return 0
    local pid
    for pid in $(xss_hack_pids); do
        kill "$pid" 2>/dev/null || true
    done
}

xss_run_as_user() { "${as_user[@]}" "$@"; }

xss_run_hack() {
    xss_hack=$1
    local line=$2
    # A GL hack's line in programs: starts with "GL:", as the settings dialog writes it.
    cat >"$user_home/.xscreensaver" <<SETTINGS
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
timeout: 0:30:00
programs: $line \\n
SETTINGS
    [ "$(id -u)" -ne 0 ] || chown "$xss_user" "$user_home/.xscreensaver"

    e2e_start daemon 120 "${as_user[@]}" xscreensaver --no-splash --verbose
    local deadline=$((SECONDS + 20))
    until xss_run_as_user timeout 5 xscreensaver-command --version >/dev/null 2>&1; do
        if ! e2e_running daemon; then
            local status=0
            wait "$(e2e_pid daemon)" || status=$?
            e2e_fail "the daemon ended with status $status"
        fi
        [ $SECONDS -lt $deadline ] || e2e_fail "the daemon did not answer within 20 s"
        sleep 0.2
    done

    xss_run_as_user timeout 10 xscreensaver-command --activate >>"$E2E_WORK/command.log" 2>&1 ||
        e2e_fail "xscreensaver-command --activate failed"
    local pids=()
    deadline=$((SECONDS + 20))
    until [ ${#pids[@]} -gt 0 ]; do
        [ $SECONDS -lt $deadline ] || e2e_fail "the daemon started no hack within 20 s"
        sleep 0.1
        mapfile -t pids < <(xss_hack_pids)
    done
    e2e_log "the daemon runs the hack: $(ps -o pid=,user=,args= -p "${pids[0]}")"

    e2e_wait_drawn "$E2E_WORK/active-1.png" 40 || e2e_fail "the screen shows no water within 40 s"
    e2e_expect_covered "$E2E_WORK/active-1.png"
    sleep 0.5
    e2e_screenshot "$E2E_WORK/active-2.png"
    local changed
    changed=$(compare -metric AE "$E2E_WORK/active-1.png" "$E2E_WORK/active-2.png" null: 2>&1 || true)
    [ "${changed%% *}" != 0 ] || e2e_fail "the water stands still"
    e2e_log "$changed pixels changed in 0.5 s"

    xss_run_as_user timeout 10 xscreensaver-command --deactivate >>"$E2E_WORK/command.log" 2>&1 ||
        e2e_fail "xscreensaver-command --deactivate failed"
    e2e_clock
    local start=$E2E_NOW_US pid
    for pid in "${pids[@]}"; do
        e2e_wait_gone "$pid" 2000 "$start" ||
            e2e_fail "the hack still runs ${E2E_ELAPSED_MS} ms after --deactivate"
    done
    e2e_log "the hack ended within ${E2E_ELAPSED_MS} ms of --deactivate"

    xss_run_as_user timeout 10 xscreensaver-command --exit >>"$E2E_WORK/command.log" 2>&1 || true
    e2e_wait_exit daemon 10
}
