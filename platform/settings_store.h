// Where the settings are kept: on Windows one REG_DWORD per setting under the
// user's key, written only by the Settings window's OK; an administrator's
// value of the same name under the policy key wins over the user's. Every run
// reads them once at its start. Linux keeps nothing here: the hack takes its
// settings as switches.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "platform/user_settings.h"

// Under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE respectively.
constexpr const char* kUserSettingsKey = "Software\\Quillbrook\\Glimmerpond 3D";
constexpr const char* kPolicySettingsKey = "Software\\Policies\\Quillbrook\\Glimmerpond 3D";

struct LoadedSettings {
    UserSettings settings;                          // what the run honours
    std::array<bool, kSettingCount> setByPolicy{};  // by SettingId: its control is greyed
};

// One stored value as the store found it.
struct StoredNumber {
    bool present = false;   // the value exists (under a key that exists)
    bool isNumber = false;  // and is a REG_DWORD
    std::uint32_t value = 0;
};
enum class SettingsPlace { User, Policy };
using ReadStoredNumber = std::function<StoredNumber(SettingsPlace place, const char* name)>;

// Each setting from the policy where it holds an accepted value, else from the
// user's where that does, else its default: a missing key, a value of
// another type or one the table does not accept spoil only that setting.
LoadedSettings combineStoredSettings(const ReadStoredNumber& read);

// The settings as stored now; defaults where nothing usable is stored (always,
// on Linux). Never fails.
LoadedSettings loadSettings();

// Writes the user's value of every setting that no policy sets; false when the
// key could not be written (nothing to write to on Linux).
bool saveSettings(const UserSettings& settings, const std::array<bool, kSettingCount>& setByPolicy);
