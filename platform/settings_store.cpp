// Combining the stored values into the run's settings (see settings_store.h).
#include "platform/settings_store.h"

LoadedSettings combineStoredSettings(const ReadStoredNumber& read) {
    LoadedSettings loaded;
    for (const SettingSpec& spec : settingTable()) {
        const auto index = static_cast<std::size_t>(spec.id);
        const StoredNumber policy = read(SettingsPlace::Policy, spec.storedName);
        if (policy.present && policy.isNumber && settingAccepts(spec, policy.value)) {
            setStoredValue(loaded.settings, spec.id, policy.value);
            loaded.setByPolicy[index] = true;
            continue;
        }
        const StoredNumber user = read(SettingsPlace::User, spec.storedName);
        setStoredValue(loaded.settings, spec.id,
                       user.present && user.isNumber ? user.value : spec.defaultValue);
    }
    return loaded;
}
