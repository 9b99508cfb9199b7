#!/usr/bin/env bash
# What the Windows shell reads from the screensaver file: the name in the
# Screen Saver Settings list (string 1), the version resource behind
# Properties > Details and the application manifest.
#   shell_resources_test.sh VERSION MANIFEST
# VERSION is the project's version (x.y.z); MANIFEST the manifest source file.
source "$(dirname "$0")/harness.sh"

version=${1:?the project version}
manifest=${2:?the manifest source}

e2e_begin wine-shell-resources

# The listing as a resource tool shows it: a string table, a version resource
# and manifest 1 beside the pictures, texts and icons.
timeout 30 wrestool -l "$GP_SCR" >"$E2E_WORK/resources.txt" || e2e_fail "wrestool cannot read the file"
grep -E -- "--type=(6|16|24) " "$E2E_WORK/resources.txt" >&2 || true
for listed in "--type=6 --name=1 " "--type=16 --name=1 " "--type=24 --name=1 "; do
    grep -qF -- "$listed" "$E2E_WORK/resources.txt" || e2e_fail "the listing has no $listed"
done
timeout 30 wrestool -x --raw --type=24 --name=1 "$GP_SCR" >"$E2E_WORK/manifest.xml" ||
    e2e_fail "cannot extract the manifest"
cmp "$E2E_WORK/manifest.xml" "$manifest" >&2 || e2e_fail "the manifest in the file is not $manifest"

# The same, read through Windows' own functions.
e2e_start_display 320x240
e2e_wine_prefix
e2e_wine_start probe 60 "$GP_E2E_TOOLS/shell_resources_probe.exe" "$(e2e_windows_path "$GP_SCR")"
e2e_wait_exit probe 60
tr -d '\r' <"$E2E_WORK/probe.log" >"$E2E_WORK/read.txt"
cat "$E2E_WORK/read.txt" >&2
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "the probe could not load the file as data"
copyright=$(sed -n 's/^About notice line 1\t//p' "$E2E_WORK/read.txt")
[ -n "$copyright" ] || e2e_fail "the probe printed no notice line"
diff <(printf '%s\t%s\n' \
    "string 1" "Glimmerpond 3D" \
    "manifest 1" "present" \
    "fixed FileVersion" "$version.0" \
    "CompanyName" "Quillbrook" \
    "FileDescription" "Glimmerpond 3D Screensaver" \
    "FileVersion" "$version" \
    "LegalCopyright" "$copyright" \
    "ProductName" "Glimmerpond 3D" \
    "ProductVersion" "$version" \
    "About notice line 1" "$copyright") "$E2E_WORK/read.txt" >&2 ||
    e2e_fail "the shell would read other values"
e2e_pass
