#!/usr/bin/env bash
# The Debian package installed for real with dpkg (root only; it skips
# otherwise): every file where Debian and XScreenSaver look for it, the manual
# page renders, the real daemon runs the installed hack by its name, and
# dpkg -r removes every file. The system is left as found, also on failure.
#   deb_package_test.sh PACKAGE.deb
source "$(dirname "$0")/harness.sh"
source "$(dirname "$0")/xscreensaver_session.sh"

deb=${1:?the .deb}
readonly package=glimmerpond3d
readonly hack=/usr/libexec/xscreensaver/glimmerpond3d
readonly manual=/usr/share/man/man6/glimmerpond3d.6.gz
readonly files=("$hack" /usr/share/xscreensaver/config/glimmerpond3d.xml "$manual"
    /usr/share/applications/screensavers/glimmerpond3d.desktop
    /usr/share/doc/glimmerpond3d/changelog.gz /usr/share/doc/glimmerpond3d/copyright)
readonly skip_status=77

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing a Debian package needs root" >&2
    exit $skip_status
fi

installed() { dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null | grep -q '^.i'; }

# Keeps the exit status for e2e_cleanup, which runs next.
cleanup_package() {
    local status=$?
    xss_end_hacks
    if [ "${we_installed:-0}" = 1 ]; then
        timeout 120 dpkg --purge "$package" >>"$E2E_WORK/dpkg.log" 2>&1 || e2e_log "dpkg --purge failed"
    fi
    # The daemon, and whatever else runs as the user this test made, ends
    # before the user goes.
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ "${xss_created_user:-0}" = 1 ]; then
        for pid in $(pgrep -u "$xss_user" || true); do
            kill "$pid" 2>/dev/null || true
        done
        for _ in $(seq 50); do
            pgrep -u "$xss_user" >/dev/null || break
            sleep 0.1
        done
        timeout 30 userdel --remove "$xss_user" 2>/dev/null || e2e_log "could not remove $xss_user"
    fi
    return $status
}

e2e_begin native-deb-package
trap 'cleanup_package; e2e_cleanup' EXIT
# What the package would replace or remove could not be put back as it was.
! installed || e2e_fail "$package is installed already; remove it to run this test"
for file in "${files[@]}"; do
    [ ! -e "$file" ] || e2e_fail "$file exists already; remove it to run this test"
done

we_installed=1
timeout 120 dpkg -i "$deb" >"$E2E_WORK/dpkg.log" 2>&1 || e2e_fail "dpkg -i failed"
installed || e2e_fail "dpkg -i left $package not installed"
diff <(printf '%s\n' "${files[@]}" | sort) \
    <(dpkg-query -L "$package" | while read -r path; do [ -d "$path" ] || echo "$path"; done | sort) >&2 ||
    e2e_fail "the package holds other files than expected"
for file in "${files[@]}"; do
    [ -f "$file" ] || e2e_fail "dpkg -i did not put $file in place"
done
[ -x "$hack" ] || e2e_fail "$hack is not a program"
xss_expect_settings_file /usr/share/xscreensaver/config/glimmerpond3d.xml

# man finds the page by name, and renders it without a complaint of groff.
[ "$(man -w 6 glimmerpond3d)" = "$manual" ] || e2e_fail "man does not find the page in man6"
LC_ALL=C MANWIDTH=80 timeout 30 man --warnings -l "$manual" >"$E2E_WORK/manual.txt" 2>"$E2E_WORK/manual-warnings.log" ||
    e2e_fail "man cannot render $manual"
[ ! -s "$E2E_WORK/manual-warnings.log" ] || e2e_fail "groff warns: $(head -n3 "$E2E_WORK/manual-warnings.log")"
for text in "glimmerpond3d - " "--window-id" "--delay" "GL: *glimmerpond3d --root *\\\\n\\\\"; do
    grep -Eq -- "$text" "$E2E_WORK/manual.txt" || e2e_fail "the manual page lacks '$text'"
done

# XScreenSaver finds the hack by name in its own folder, as the README's line says.
e2e_start_display 640x480
xss_prepare_user glimmerpond-deb-e2e
xss_run_hack "$hack" "GL: glimmerpond3d --root"

timeout 120 dpkg -r "$package" >>"$E2E_WORK/dpkg.log" 2>&1 || e2e_fail "dpkg -r failed"
for file in "${files[@]}"; do
    [ ! -e "$file" ] || e2e_fail "dpkg -r left $file"
done
! installed || e2e_fail "dpkg -r left $package installed"
e2e_pass
