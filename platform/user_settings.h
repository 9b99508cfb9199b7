// What a user may shape, declared once: each setting's stored name, default,
// accepted values and switch. The Windows store, the Settings window, the
// hack's switches, its XScreenSaver XML and its manual page all follow this
// table, so a new setting is one more row. Stored values are whole numbers
// (a REG_DWORD each on Windows); a value the table does not accept gives that
// setting its default and leaves the others alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>

enum class MonitorChoice : std::uint32_t {
    SpanAll = 0,      // one scene across all monitors (one window over the desktop)
    EachMonitor = 1,  // a window and a scene of its own on each monitor
    MainOnly = 2,     // the water on the main monitor, the others black
};

enum class FrameRateChoice : std::uint32_t {
    UpTo60 = 0,        // a whole fraction of the refresh, at most about 60 a second
    About30 = 1,       // the same at about 30 a second, to save power
    EveryRefresh = 2,  // as often as the monitor refreshes
};

enum class SettingId : int { WaterSpeed, PictureChange, Pictures, Monitors, FrameRate };
constexpr int kSettingCount = 5;

// The plain record every run reads once at its start.
struct UserSettings {
    std::uint32_t waterSpeedPercent = 100;    // 25 to 200: a quarter to twice the water's speed
    std::uint32_t pictureChangeSeconds = 60;  // 30, 60, 120, 300, 600, or 0 for never
    std::uint32_t picturesShown = 0xFF;       // bit i: floor picture i may be shown; never 0
    MonitorChoice monitors = MonitorChoice::SpanAll;
    FrameRateChoice frameRate = FrameRateChoice::UpTo60;

    double waterSpeed() const { return waterSpeedPercent / 100.0; }
    bool pictureShown(int index) const { return ((picturesShown >> index) & 1u) != 0; }
    bool operator==(const UserSettings& other) const;
    bool operator!=(const UserSettings& other) const { return !(*this == other); }
};

// One row of the table.
struct SettingSpec {
    SettingId id;
    const char* storedName;  // the REG_DWORD's name, and the XML control's id
    const char* hackSwitch;  // the hack's switch without dashes; null: Windows only
    std::uint32_t defaultValue;
    // Accepted stored values: a range, or (where `choices` is set) a list.
    std::uint32_t least;
    std::uint32_t most;
    const std::uint32_t* choices;
    int choiceCount;
};

const std::array<SettingSpec, kSettingCount>& settingTable();
const SettingSpec& settingSpec(SettingId id);

// Whether the table accepts `value` for the setting.
bool settingAccepts(const SettingSpec& spec, std::uint32_t value);

// The setting's value in `settings` as it is stored, and the other way round.
// setStoredValue gives the setting its default where the value is not accepted,
// and says whether it was.
std::uint32_t storedValue(const UserSettings& settings, SettingId id);
bool setStoredValue(UserSettings& settings, SettingId id, std::uint32_t value);

// The choices of "New picture every", in the order the Settings window lists them.
constexpr std::uint32_t kPictureChangeChoices[] = {30, 60, 120, 300, 600, 0};
constexpr int kPictureChangeChoiceCount = 6;

// The hack's switch values. Each reader gives the stored value, or false with
// what is wrong in `error`. --speed: a decimal from 0.25 to 2; --change-seconds:
// one of the choices above; --pictures: picture names separated by commas or
// spaces; --frame-rate: "up-to-60", "about-30" or "every-refresh".
bool readSwitchValue(SettingId id, const char* text, std::uint32_t* value, std::string* error);

// The frame-rate choice's name as --frame-rate takes it.
const char* frameRateSwitchName(FrameRateChoice choice);
