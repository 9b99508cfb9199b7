#!/usr/bin/env bash
# The administrators' Group Policy templates as the build ships them: both
# files well-formed, one policy per setting writing the name the program
# reads under its policy key, and every text and presentation the ADMX names
# present in the ADML.
#   policy_templates_test.sh ADMX ADML SETTINGS_TABLE_SOURCE SETTINGS_STORE_HEADER
set -euo pipefail
admx=$1 adml=$2 table=$3 store=$4
fail() { echo "FAIL: $*" >&2; exit 1; }

xmllint --noout "$admx" "$adml" || fail "not well-formed"

xpath() { xmllint --xpath "$2" "$1" 2>/dev/null | tr ' ' '\n' | sed -n 's/^[a-zA-Z]*="\(.*\)"$/\1/p' | sort; }

stored=$(sed -n 's/.*{SettingId::[A-Za-z]*, "\([A-Za-z]*\)".*/\1/p' "$table" | sort)
[ -n "$stored" ] || fail "no stored names in $table"
diff <(echo "$stored") <(xpath "$admx" '//*[local-name()="policy"]//@valueName') >&2 ||
    fail "the policies' value names differ from the settings' stored names"

key=$(sed -n 's/.*kPolicySettingsKey = "\(.*\)";/\1/p' "$store" | sed 's/\\\\/\\/g')
[ -n "$key" ] || fail "no policy key in $store"
keys=$(xmllint --xpath '//*[local-name()="policy"]/@key' "$admx" | grep -o 'key="[^"]*"' | sort -u)
[ "$keys" = "key=\"$key\"" ] || fail "policies write under $keys, not $key"

for kind in string presentation; do
    wanted=$(grep -o "\$($kind\.[A-Za-z0-9_]*)" "$admx" | sed "s/^\$($kind\.\(.*\))$/\1/" | sort -u)
    have=$(xpath "$adml" "//*[local-name()=\"$kind\"]/@id" | sort -u)
    missing=$(comm -23 <(echo "$wanted") <(echo "$have"))
    [ -z "$missing" ] || fail "the ADML lacks these ${kind}s: $missing"
done
echo "policy templates: $(echo "$stored" | wc -l) policies, well-formed and complete" >&2
