// Linux keeps no settings: the hack's switches carry them (see settings_store.h).
#include "platform/settings_store.h"

LoadedSettings loadSettings() {
    return LoadedSettings{};
}

bool saveSettings(const UserSettings&, const std::array<bool, kSettingCount>&) {
    return false;
}
