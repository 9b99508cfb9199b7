# End-to-end harness: source it from a test script (bash). It drives programs
# like a user on a private X display: the Windows build under Wine, or the
# Linux build natively.
#
#   e2e_begin NAME                 fresh work folder $E2E_WORK; cleanup on exit
#   e2e_start_display [WxH] [Xvfb options...]
#                                  private Xvfb (white root), DISPLAY exported
#   e2e_start_resizable_display WxH   a Xephyr whose size `xrandr -s` changes
#   e2e_wine_prefix                per-test Wine prefix from the build's template
#   e2e_start ID SECONDS CMD...    runs CMD in the background under `timeout`;
#                                  output in $E2E_WORK/ID.log
#   e2e_wine_start ID SECONDS PROGRAM [ARGS...]   the same through wine
#   e2e_wait_exit ID SECONDS       waits for ID; its exit code in $E2E_STATUS
#   e2e_clock                      now in microseconds, in $E2E_NOW_US
#   e2e_wait_gone PID MS START_US  waits until PID has ended, at most MS ms after
#                                  START_US; the time it took in $E2E_ELAPSED_MS
#   e2e_running ID                 true while ID runs
#   e2e_wait_window TITLE SECONDS  X id of a visible window titled exactly TITLE
#   e2e_count_windows TITLE        how many visible windows carry that title
#   e2e_wait_window_count TITLE N SECONDS   waits until N visible windows carry it
#   e2e_wait_for_line ID REGEX SECONDS   waits until ID's output has a matching line
#   e2e_box_text [WAIT_MS]         "title<TAB>text" of the visible message box
#   e2e_dismiss_message_boxes ID SECONDS   answers every message box until ID
#                                  ends; "title<TAB>text" lines in
#                                  $E2E_WORK/message-boxes.txt
#   e2e_window_icon_size XID       "W x H" of the icon an X window carries
#   e2e_screenshot FILE            the whole screen as PNG
#   e2e_wait_drawn FILE SECONDS [XID]   screenshots (of the screen or one X
#                                  window) until its centre shows a drawn frame
#   e2e_pixel FILE X Y             "r g b" of one pixel
#   e2e_expect_covered FILE        every sample point differs from the white root and black
#   e2e_wait_covered FILE SECONDS  screenshots until that holds
#   e2e_offscreen_gl_window W H    X id where Wine keeps a W x H child's OpenGL drawing
#   e2e_wait_offscreen_gl_window W H SECONDS   the same, waited for
#   e2e_windows_path PATH          PATH as a Windows program under Wine names it
#   e2e_mark_session_settings      sets the session-wide settings that GLFW
#                                  changes to values of our own, before a run
#   e2e_expect_session_settings    after the run they still read as marked
#   e2e_cpu_cores PID SECONDS      the cores PID keeps busy over SECONDS ("0.012")
#   e2e_wine_process NAME ARGS     the Linux PID of a Wine program, e.g. Glimmerpond3D.scr /s
#   e2e_at_most A B                true when the number A is at most B
#   e2e_fail MESSAGE / e2e_pass    end the test
#
# Environment from CTest: GP_SCR (the program), GP_E2E_TOOLS (the Windows test
# programs), GP_E2E_BUILD_DIR (where the template prefix lives). Optional:
# E2E_DISPLAYS="50-59" picks display numbers from that range instead of letting
# Xvfb choose; E2E_KEEP=1 keeps the work folder.
#
# Every step has its own time limit; cleanup ends what the test started, by
# PID, and stops the wineserver of the test's own prefix.

set -euo pipefail

E2E_PIDS=()
E2E_XVFB_PID=""
E2E_XEPHYR_PID=""
E2E_STATUS=""
E2E_ROOT_COLOUR="255 255 255"

e2e_log() { printf '[%s] %s\n' "${E2E_NAME:-e2e}" "$*" >&2; }

e2e_fail() {
    e2e_log "FAIL: $*"
    exit 1
}

e2e_pass() {
    e2e_log "passed"
    exit 0
}

# What was running and shown when a test failed, taken before cleanup ends it:
# a program that never showed its window says here how far it got.
e2e_log_state() {
    e2e_log "--- processes"
    ps -eo pid,ppid,stat,etime,time,wchan:24,args --sort=pid |
        grep -E 'wine|\.exe|\.scr|Glimmerpond|Xvfb|Xephyr' | grep -v grep | cut -c1-200 >&2 || true
    if [ -n "${DISPLAY:-}" ]; then
        e2e_log "--- windows on $DISPLAY"
        timeout 5 xwininfo -root -children 2>/dev/null | grep -E '^ +0x' | head -n 20 >&2 || true
    fi
}

e2e_cleanup() {
    local status=$?
    local pid
    [ $status -eq 0 ] || e2e_log_state
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        timeout 10 wineserver -k 2>/dev/null || true
    fi
    if [ -n "${E2E_XEPHYR_PID:-}" ]; then
        kill "$E2E_XEPHYR_PID" 2>/dev/null || true
        wait "$E2E_XEPHYR_PID" 2>/dev/null || true
    fi
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    fi
    if [ $status -ne 0 ] && [ -n "${E2E_WORK:-}" ]; then
        local log
        for log in "$E2E_WORK"/*.log; do
            [ -f "$log" ] || continue
            e2e_log "--- $(basename "$log")"
            # A crash report starts with its backtrace: keep the head of long logs too.
            if [ "$(wc -l <"$log")" -gt 100 ]; then
                head -n 60 "$log" >&2 || true
                e2e_log "..."
            fi
            tail -n 40 "$log" >&2 || true
        done
    fi
    if [ -n "${E2E_WORK:-}" ] && [ "${E2E_KEEP:-0}" != 1 ]; then
        rm -rf "$E2E_WORK/prefix"
    fi
    exit $status
}

e2e_begin() {
    E2E_NAME=$1
    : "${GP_E2E_BUILD_DIR:?set by CTest}"
    E2E_WORK="$GP_E2E_BUILD_DIR/e2e-work/$E2E_NAME"
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK"
    trap e2e_cleanup EXIT
    # A step that fails under `set -e` says where, instead of ending silently.
    set -E
    trap 'e2e_log "stopped at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND"' ERR
    trap 'exit 130' INT TERM
}

# A Xephyr inside an Xvfb of OUTER_SIZE, with the given switches; DISPLAY then
# names the Xephyr server. Like Xvfb, it is waited for at the end: a server
# still going away keeps its display's socket, and the next test's server
# would find it taken.
e2e_start_xephyr() {
    local outer=$1
    shift
    e2e_start_display "$outer"
    : >"$E2E_WORK/xephyr-display"
    Xephyr -displayfd 3 -wr -nolisten tcp -noreset "$@" 3>"$E2E_WORK/xephyr-display" \
        >"$E2E_WORK/xephyr.log" 2>&1 &
    E2E_XEPHYR_PID=$!
    local tries
    for tries in $(seq 100); do
        if [ -s "$E2E_WORK/xephyr-display" ]; then
            export DISPLAY=":$(head -n1 "$E2E_WORK/xephyr-display")"
            return 0
        fi
        kill -0 "$E2E_XEPHYR_PID" 2>/dev/null || break
        sleep 0.1
    done
    e2e_fail "Xephyr did not start"
}

# A display whose screen size can change under a running program, as a
# laptop's does when docked: Xephyr -resizeable (W x H), room left around it
# for the sizes the test sets with `xrandr -s`.
e2e_start_resizable_display() {
    e2e_start_xephyr 1600x1200 -resizeable -screen "$1"
}

# Starts Xvfb (on display $1, or where it chooses when $1 is empty) and waits
# until it reports itself ready on fd 3; false when it ends first. Xvfb writes
# the number only once it listens, so two tests never share a display.
e2e_try_display() {
    local number=$1 size=$2
    shift 2
    : >"$E2E_WORK/display"
    # -noreset: by default the server resets whenever its last client leaves,
    # and drops a client connecting meanwhile (XScreenSaver's daemon, started
    # while xscreensaver-command polls, then ends without a word). -r: no key
    # repeats. xdotool can leave a key it sent to a window down on the server
    # (the "a" of alt+a), and its repeats would type on into whichever window
    # has the focus next (the Settings window, whose "About" button they press).
    Xvfb ${number:+":$number"} -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset -wr -r "$@" \
        3>"$E2E_WORK/display" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local tries
    for tries in $(seq 100); do
        if [ -s "$E2E_WORK/display" ]; then
            export DISPLAY=":$(head -n1 "$E2E_WORK/display")"
            return 0
        fi
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_XVFB_PID=""
    return 1
}

e2e_start_display() {
    local size=${1:-320x240}
    shift || true
    if [ -z "${E2E_DISPLAYS:-}" ]; then
        e2e_try_display "" "$size" "$@" || e2e_fail "Xvfb did not start"
        return 0
    fi
    local number
    for number in $(seq "${E2E_DISPLAYS%-*}" "${E2E_DISPLAYS#*-}"); do
        [ -e "/tmp/.X${number}-lock" ] && continue
        e2e_try_display "$number" "$size" "$@" && return 0
    done
    e2e_fail "no free display in $E2E_DISPLAYS"
}

# Two monitors side by side, as Wine sees them through Xinerama: by default
# 1280 x 720 (primary) at 0,0 and 1024 x 768 at 1280,0 (or W1 x H1 and
# W2 x H2 as given), served by a Xephyr inside an Xvfb wide enough for both.
# DISPLAY then names the Xephyr server.
e2e_start_two_monitors() {
    local first=${1:-1280x720} second=${2:-1024x768}
    local w1=${first%x*} h1=${first#*x} w2=${second%x*} h2=${second#*x}
    e2e_start_xephyr "$((w1 + w2))x$((h1 > h2 ? h1 : h2))" +xinerama -extension RANDR \
        -screen "$first+0+0" -screen "$second+$w1+0"
}

# The template is made once per build folder (locked against parallel tests):
# a fresh prefix where unmanaged windows close at once and a crash prints a
# backtrace instead of waiting on a dialog.
e2e_make_template() {
    local template=$1
    [ -f "$template/.ready" ] && return 0
    rm -rf "$template"
    e2e_log "making the template Wine prefix (once per build folder)"
    (
        export WINEPREFIX=$template WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        unset DISPLAY
        timeout 120 wineboot -i >/dev/null 2>&1
        timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
            >/dev/null 2>&1
        timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
            /d 0 /f >/dev/null 2>&1
        timeout 60 wineserver -w
    ) || e2e_fail "could not make the template Wine prefix"
    touch "$template/.ready"
}

# Binaries are shared with the template through hard links (nothing writes
# them); every other file is copied, so no test can change the template.
e2e_wine_prefix() {
    local template="$GP_E2E_BUILD_DIR/e2e-wineprefix-template"
    (
        flock -w 300 9 || exit 1
        e2e_make_template "$template"
    ) 9>"$GP_E2E_BUILD_DIR/e2e-wineprefix-template.lock" || e2e_fail "template prefix"
    export WINEPREFIX="$E2E_WORK/prefix"
    export WINEDEBUG=-all
    rm -rf "$WINEPREFIX"
    cp -al "$template" "$WINEPREFIX"
    (cd "$template" && find . -type f ! \( -name '*.dll' -o -name '*.exe' -o -name '*.nls' \
        -o -name '*.sys' -o -name '*.drv' -o -name '*.ocx' -o -name '*.cpl' -o -name '*.acm' \
        -o -name '*.tlb' -o -name '*.ds' -o -name '*.msstyles' -o -name '*.com' \) -print0) |
        while IFS= read -r -d '' file; do
            cp --remove-destination -p "$template/$file" "$WINEPREFIX/$file"
        done
}

e2e_start() {
    local id=$1 seconds=$2
    shift 2
    timeout -k 2 "$seconds" "$@" >"$E2E_WORK/$id.log" 2>&1 &
    local pid=$!
    E2E_PIDS+=("$pid")
    printf -v "E2E_PID_$id" '%s' "$pid"
}

e2e_wine_start() {
    local id=$1 seconds=$2
    shift 2
    e2e_start "$id" "$seconds" wine "$@"
}

e2e_pid() {
    local name="E2E_PID_$1"
    printf '%s' "${!name:?no process $1}"
}

e2e_running() { kill -0 "$(e2e_pid "$1")" 2>/dev/null; }

e2e_wait_exit() {
    local id=$1 seconds=$2 pid
    pid=$(e2e_pid "$id")
    local deadline=$((SECONDS + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || e2e_fail "$id still runs after ${seconds}s"
        sleep 0.1
    done
    E2E_STATUS=0
    wait "$pid" || E2E_STATUS=$?
    [ "$E2E_STATUS" -ne 124 ] || e2e_fail "$id ran past its time limit"
}

# Deadlines of a second or two are measured without starting a process, so
# that a busy machine slows the measurement as little as possible.
e2e_clock() { E2E_NOW_US=${EPOCHREALTIME//[.,]/}; }

# A process that has ended but waits for its parent to collect it (a zombie)
# counts as ended.
e2e_wait_gone() {
    local pid=$1 limit_ms=$2 start_us=$3 stat state
    if [ -z "${E2E_TICK_FD:-}" ]; then
        # Reading a FIFO that this shell also holds open for writing just times out.
        mkfifo "$E2E_WORK/.tick"
        exec {E2E_TICK_FD}<>"$E2E_WORK/.tick"
    fi
    while :; do
        e2e_clock
        E2E_ELAPSED_MS=$(((E2E_NOW_US - start_us) / 1000))
        read -r stat 2>/dev/null <"/proc/$pid/stat" || return 0
        state=${stat##*) }
        [ "${state%% *}" != Z ] || return 0
        [ "$E2E_ELAPSED_MS" -le "$limit_ms" ] || return 1
        read -r -t 0.01 -u "$E2E_TICK_FD" _ || true
    done
}

e2e_wait_window() {
    local title=$1 seconds=$2
    timeout "$seconds" xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null |
        head -n1 || true
}

e2e_count_windows() {
    xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null | wc -l
}

e2e_wait_window_count() {
    local deadline=$((SECONDS + $3))
    until [ "$(e2e_count_windows "$1")" -eq "$2" ]; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

e2e_wait_for_line() {
    local id=$1 pattern=$2 seconds=$3
    local deadline=$((SECONDS + seconds))
    until grep -Eq "$pattern" "$E2E_WORK/$id.log" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || return 1
        # A process that has ended will print nothing more.
        e2e_running "$id" || grep -Eq "$pattern" "$E2E_WORK/$id.log" || return 1
        sleep 0.1
    done
}

e2e_box_text() {
    timeout 20 wine "$GP_E2E_TOOLS/window_probe.exe" box-text "${1:-0}" 2>/dev/null | tr -d '\r'
}

# Reads and answers (Return, as a user would) every message box until process
# ID ends.
e2e_dismiss_message_boxes() {
    local id=$1 seconds=$2
    local deadline=$((SECONDS + seconds))
    : >"$E2E_WORK/message-boxes.txt"
    while e2e_running "$id"; do
        [ $SECONDS -lt $deadline ] ||
            e2e_fail "still running after ${seconds}s; message boxes: $(tr '\t\n' ': ' <"$E2E_WORK/message-boxes.txt")"
        local box window
        box=$(e2e_box_text 2000) || true
        [ -n "$box" ] || continue
        printf '%s\n' "$box" >>"$E2E_WORK/message-boxes.txt"
        window=$(e2e_wait_window "${box%%$'\t'*}" 5)
        [ -n "$window" ] || e2e_fail "box '${box}' has no X window"
        xdotool windowfocus "$window" 2>/dev/null || true
        xdotool key Return
        e2e_wait_unmapped "$window" 5 || e2e_fail "box '${box}' stays after Return"
    done
}

e2e_wait_unmapped() {
    local window=$1 seconds=$2
    local deadline=$((SECONDS + seconds))
    while xwininfo -id "$window" 2>/dev/null | grep -q IsViewable; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

e2e_window_icon_size() {
    xprop -id "$1" _NET_WM_ICON >"$E2E_WORK/icon.txt" 2>/dev/null || true
    sed -n 's/.*Icon (\([0-9]* x [0-9]*\)).*/\1/p' "$E2E_WORK/icon.txt" | head -n1
}

e2e_screenshot() { timeout 20 import -window root "$1"; }

# The screensaver shows its window a moment before its first frame (the scene
# loads its pictures in between): waits until the centre is neither the bare
# screen nor black. The last screenshot stays in FILE; false after SECONDS.
e2e_wait_drawn() {
    local file=$1 seconds=$2 window=${3:-root}
    local deadline=$((SECONDS + seconds)) width height colour
    while :; do
        if timeout 20 import -window "$window" "$file" 2>/dev/null &&
            read -r width height < <(identify -format '%w %h\n' "$file"); then
            colour=$(e2e_pixel "$file" $((width / 2)) $((height / 2)))
            [ "$colour" = "$E2E_ROOT_COLOUR" ] || [ "$colour" = "0 0 0" ] || return 0
        fi
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

e2e_pixel() {
    convert "$1" -format \
        "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]\n" \
        info:
}

# Corners, edge middles and centre: each must show the program, not the root.
# Screenshots until every sample point is covered, for up to SECONDS; then
# fails as e2e_expect_covered does.
e2e_wait_covered() {
    local file=$1 deadline=$((SECONDS + $2))
    until e2e_screenshot "$file" && (e2e_expect_covered "$file") 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || e2e_expect_covered "$file"
        sleep 0.2
    done
}

e2e_expect_covered() {
    local file=$1 width height
    read -r width height < <(identify -format '%w %h\n' "$file")
    local x y colour
    for x in 0 $((width / 2)) $((width - 1)); do
        for y in 0 $((height / 2)) $((height - 1)); do
            colour=$(e2e_pixel "$file" "$x" "$y")
            [ "$colour" != "$E2E_ROOT_COLOUR" ] || e2e_fail "($x,$y) shows the bare screen"
            [ "$colour" != "0 0 0" ] || e2e_fail "($x,$y) is black: nothing was drawn"
        done
    done
}

# With Composite, Wine keeps OpenGL drawn into a child window in an offscreen
# (redirected) X window of the child's size, nameless and unmapped on screen;
# its contents can still be read. Prints its X id, or nothing.
e2e_offscreen_gl_window() {
    xwininfo -root -tree |
        awk -v size="${1}x${2}+0+0" '/\(has no name\): \(\)/ && index($0, size) { print $1; exit }'
}

# The same, waited for up to SECONDS: Wine makes it with the first frame drawn there.
e2e_wait_offscreen_gl_window() {
    local width=$1 height=$2 deadline=$((SECONDS + $3)) window
    while :; do
        window=$(e2e_offscreen_gl_window "$width" "$height")
        if [ -n "$window" ] || [ $SECONDS -ge $deadline ]; then
            echo "$window"
            return 0
        fi
        sleep 0.1
    done
}

# A Unix path as Windows programs under Wine see it (drive Z: is the root).
e2e_windows_path() {
    local path
    path=$(readlink -f "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# GLFW sets the foreground lock timeout to 0 in glfwInit and the mouse trails
# to 0 while a full-screen window holds its monitor. A session's values live in
# the wineserver, so it is kept running until the test's cleanup: otherwise a
# restart would forget a change and hide it.
readonly E2E_SESSION_MARK="foreground-lock-timeout 200000 mouse-trails 3"

e2e_session_settings() {
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" session-settings 2>/dev/null | tr -d '\r'
}

e2e_mark_session_settings() {
    timeout 10 wineserver -p || e2e_fail "could not start a lasting wineserver"
    timeout 30 wine "$GP_E2E_TOOLS/window_probe.exe" set-session-settings 200000 3 ||
        e2e_fail "could not change the session's settings"
    [ "$(e2e_session_settings)" = "$E2E_SESSION_MARK" ] || e2e_fail "the session's settings do not read back"
}

e2e_expect_session_settings() {
    local now
    now=$(e2e_session_settings)
    e2e_log "session settings after the run: $now"
    [ "$now" = "$E2E_SESSION_MARK" ] || e2e_fail "the run left the session changed: $now, not $E2E_SESSION_MARK"
}

# The CPU time a process has used: user and system ticks (/proc/PID/stat
# fields 14 and 15, counted after the parenthesised name, which may hold spaces).
e2e_cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }

# The cores process PID keeps busy over SECONDS, e.g. "0.012".
e2e_cpu_cores() {
    local pid=$1 seconds=$2 before after
    before=$(e2e_cpu_ticks "$pid") || return 1
    sleep "$seconds"
    after=$(e2e_cpu_ticks "$pid") || return 1
    awk -v ticks=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%.3f\n", ticks / hz / s }'
}

# The Linux process of a Windows program that Wine runs, e.g.
# `e2e_wine_process Glimmerpond3D.scr /p`: among the processes of this test's
# own Wine prefix, the one whose command line starts with the program (by a
# Windows or a Unix path) and holds the arguments; not the launchers that
# started it (timeout, wine).
e2e_wine_process() {
    local name=$1 arguments=$2 pid program
    for pid in $(pgrep -f "$name $arguments"); do
        program=$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -n1)
        if [ "${program##*[/\\]}" = "$name" ] &&
            tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
}

# True when the decimal number A is at most B.
e2e_at_most() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; }
