#!/usr/bin/env bash
# The Windows installer under Wine, run silently as an administrator would:
# where it puts the screensaver, the entry in the installed programs, what
# uninstalling removes and clears, and an upgrade from an older version.
#   wine_installer_test.sh install-remove MSI VERSION
#   wine_installer_test.sh upgrade MSI VERSION OLDER_MSI OLDER_VERSION
source "$(dirname "$0")/harness.sh"

mode=${1:?install-remove or upgrade}
msi=${2:?the installer}
version=${3:?its version}
readonly uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
readonly desktop_key='HKCU\Control Panel\Desktop'

# msiexec ACTION PACKAGE: /i or /x, silently, with its log kept for failures.
msiexec() {
    local action=$1 package=$2 status=0
    timeout 120 wine msiexec "$action" "$(e2e_windows_path "$package")" /qn \
        /l*v "$(e2e_windows_path "$E2E_WORK")\\msiexec${action#/}-$((++msiexec_runs)).log" ||
        status=$?
    [ "$status" -eq 0 ] || e2e_fail "msiexec $action $(basename "$package") ended with $status"
}
msiexec_runs=0

# "name<TAB>publisher<TAB>version" of every entry of the installed programs
# named like the product.
entries() {
    timeout 30 wine reg query "$uninstall_key" /s | tr -d '\r' | awk '
        function flush() { if (name == "Glimmerpond 3D") print name "\t" publisher "\t" version }
        /^HKEY_/ { flush(); name = publisher = version = ""; next }
        $1 == "DisplayName" { name = value() }
        $1 == "Publisher" { publisher = value() }
        $1 == "DisplayVersion" { version = value() }
        function value() { sub(/^ *[^ ]+ +REG_SZ +/, ""); return $0 }
        END { flush() }'
}

screensaver_choice() {
    # No value at all reads as an empty choice.
    { timeout 30 wine reg query "$desktop_key" /v SCRNSAVE.EXE 2>/dev/null || true; } |
        tr -d '\r' | sed -n 's/^ *SCRNSAVE.EXE *REG_SZ *//p'
}

choose_screensaver() {
    timeout 30 wine reg add "$desktop_key" /v SCRNSAVE.EXE /t REG_SZ /d "$1" /f >/dev/null ||
        e2e_fail "cannot choose $1"
}

expect_installed() {
    local want_version=$1
    cmp -s "$installed" "$GP_SCR" || e2e_fail "the 64-bit system folder holds no copy of $GP_SCR"
    [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/Glimmerpond3D.scr" ] ||
        e2e_fail "the screensaver went into the 32-bit system folder"
    timeout 60 wine "$GP_E2E_TOOLS/shell_resources_probe.exe" 'C:\windows\system32\Glimmerpond3D.scr' |
        tr -d '\r' >"$E2E_WORK/probe.txt" || e2e_fail "the installed file does not load as data"
    grep -qx $'string 1\tGlimmerpond 3D' "$E2E_WORK/probe.txt" ||
        e2e_fail "the Screen Saver Settings list would not show it: $(head -n1 "$E2E_WORK/probe.txt")"
    [ "$(entries)" = $'Glimmerpond 3D\tQuillbrook\t'"$want_version" ] ||
        e2e_fail "installed programs list, not one entry of version $want_version: $(entries)"
}

expect_removed() {
    [ ! -e "$installed" ] || e2e_fail "uninstalling left the screensaver behind"
    [ -z "$(entries)" ] || e2e_fail "uninstalling left the entry: $(entries)"
}

e2e_begin "wine-installer-$mode"
e2e_start_display 320x240
e2e_wine_prefix
installed="$WINEPREFIX/drive_c/windows/system32/Glimmerpond3D.scr"
timeout 10 wineserver -p || e2e_fail "could not start a lasting wineserver"

case "$mode" in
install-remove)
    msiexec /i "$msi"
    expect_installed "$version"
    choose_screensaver 'C:\windows\system32\Glimmerpond3D.scr'
    msiexec /x "$msi"
    expect_removed
    [ -z "$(screensaver_choice)" ] || e2e_fail "the choice still names the removed file: $(screensaver_choice)"

    msiexec /i "$msi"
    choose_screensaver 'C:\windows\system32\scrnsave.scr'
    msiexec /x "$msi"
    expect_removed
    [ "$(screensaver_choice)" = 'C:\windows\system32\scrnsave.scr' ] ||
        e2e_fail "another screensaver's choice was changed to '$(screensaver_choice)'"
    ;;
upgrade)
    older_msi=${4:?the older installer}
    older_version=${5:?its version}
    msiexec /i "$older_msi"
    expect_installed "$older_version"
    # As Windows writes the system folder's name.
    choose_screensaver 'C:\Windows\System32\Glimmerpond3D.scr'
    msiexec /i "$msi"
    expect_installed "$version"
    [ "$(screensaver_choice)" = 'C:\Windows\System32\Glimmerpond3D.scr' ] ||
        e2e_fail "the upgrade lost the choice: '$(screensaver_choice)'"
    msiexec /x "$msi"
    expect_removed
    [ -z "$(screensaver_choice)" ] || e2e_fail "the choice still names the removed file: $(screensaver_choice)"
    ;;
*) e2e_fail "unknown mode $mode" ;;
esac
e2e_pass
