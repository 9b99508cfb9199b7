// The settings in the registry (see settings_store.h): REG_DWORDs under the
// user's key, an administrator's under the policy key.
#include <windows.h>

#include "platform/settings_store.h"

namespace {

StoredNumber readNumber(HKEY root, const char* key, const char* name) {
    StoredNumber stored;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return stored;
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result =
        RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(opened);
    // A value too long for a DWORD is there, but not a number.
    stored.present = result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
    stored.isNumber = result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value;
    stored.value = stored.isNumber ? value : 0;
    return stored;
}

}  // namespace

LoadedSettings loadSettings() {
    return combineStoredSettings([](SettingsPlace place, const char* name) {
        return place == SettingsPlace::Policy
                   ? readNumber(HKEY_LOCAL_MACHINE, kPolicySettingsKey, name)
                   : readNumber(HKEY_CURRENT_USER, kUserSettingsKey, name);
    });
}

bool saveSettings(const UserSettings& settings,
                  const std::array<bool, kSettingCount>& setByPolicy) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kUserSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    bool written = true;
    for (const SettingSpec& spec : settingTable()) {
        if (setByPolicy[static_cast<std::size_t>(spec.id)]) {
            continue;  // the user's own choice stays as it was under the policy
        }
        const DWORD value = storedValue(settings, spec.id);
        written =
            RegSetValueExA(key, spec.storedName, 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS &&
            written;
    }
    RegCloseKey(key);
    return written;
}
