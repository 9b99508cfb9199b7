// The table of settings and the readers of their switch values (see user_settings.h).
#include "platform/user_settings.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "resources/background_pictures.h"

namespace {

constexpr std::uint32_t kAllPictures = (1u << kBackgroundCount) - 1u;
constexpr std::uint32_t kMonitorChoices[] = {0, 1, 2};
constexpr std::uint32_t kFrameRateChoices[] = {0, 1, 2};

constexpr std::uint32_t kSlowestSpeedPercent = 25;
constexpr std::uint32_t kFastestSpeedPercent = 200;

const std::array<SettingSpec, kSettingCount> kTable = {{
    {SettingId::WaterSpeed, "WaterSpeedPercent", "speed", 100, kSlowestSpeedPercent,
     kFastestSpeedPercent, nullptr, 0},
    {SettingId::PictureChange, "PictureChangeSeconds", "change-seconds", 60, 0, 0,
     kPictureChangeChoices, kPictureChangeChoiceCount},
    {SettingId::Pictures, "PicturesShown", "pictures", kAllPictures, 1, kAllPictures, nullptr, 0},
    // XScreenSaver runs one hack per monitor: the choice is Windows' alone.
    {SettingId::Monitors, "Monitors", nullptr, 0, 0, 0, kMonitorChoices, 3},
    {SettingId::FrameRate, "FrameRate", "frame-rate", 0, 0, 0, kFrameRateChoices, 3},
}};

const char* const kFrameRateNames[] = {"up-to-60", "about-30", "every-refresh"};

bool isSeparator(char c) {
    return c == ',' || c == ' ' || c == '\t';
}

bool readSpeed(const char* text, std::uint32_t* value, std::string* error) {
    char* end = nullptr;
    const double speed = std::strtod(text, &end);
    while (end != nullptr && *end == ' ') {
        ++end;
    }
    const double percent = speed * 100.0;
    if (end == text || end == nullptr || *end != '\0' || !std::isfinite(speed) ||
        percent < kSlowestSpeedPercent - 1e-6 || percent > kFastestSpeedPercent + 1e-6) {
        *error = std::string("--speed needs a number from 0.25 to 2, not \"") + text + "\"";
        return false;
    }
    *value = static_cast<std::uint32_t>(std::lround(percent));
    return true;
}

bool readChangeSeconds(const char* text, std::uint32_t* value, std::string* error) {
    for (std::uint32_t choice : kPictureChangeChoices) {
        if (std::to_string(choice) == text) {
            *value = choice;
            return true;
        }
    }
    *error = std::string("--change-seconds needs 30, 60, 120, 300, 600 or 0 (never), not \"") +
             text + "\"";
    return false;
}

bool readPictureNames(const char* text, std::uint32_t* value, std::string* error) {
    std::uint32_t mask = 0;
    for (const char* p = text; *p != '\0';) {
        while (isSeparator(*p)) {
            ++p;
        }
        const char* start = p;
        while (*p != '\0' && !isSeparator(*p)) {
            ++p;
        }
        if (p == start) {
            break;
        }
        const std::string name(start, p);
        int found = -1;
        for (int i = 0; i < kBackgroundCount; ++i) {
            if (name == kBackgroundPictures[i].name) {
                found = i;
            }
        }
        if (found < 0) {
            std::string known;
            for (const BackgroundPicture& picture : kBackgroundPictures) {
                known += known.empty() ? "" : ", ";
                known += picture.name;
            }
            *error = "--pictures knows " + known + "; not \"" + name + "\"";
            return false;
        }
        mask |= 1u << found;
    }
    if (mask == 0) {
        *error = "--pictures needs at least one picture's name";
        return false;
    }
    *value = mask;
    return true;
}

bool readFrameRate(const char* text, std::uint32_t* value, std::string* error) {
    for (std::uint32_t i = 0; i < 3; ++i) {
        if (std::strcmp(text, kFrameRateNames[i]) == 0) {
            *value = i;
            return true;
        }
    }
    *error =
        std::string("--frame-rate needs up-to-60, about-30 or every-refresh, not \"") + text + "\"";
    return false;
}

}  // namespace

bool UserSettings::operator==(const UserSettings& other) const {
    for (const SettingSpec& spec : kTable) {
        if (storedValue(*this, spec.id) != storedValue(other, spec.id)) {
            return false;
        }
    }
    return true;
}

const std::array<SettingSpec, kSettingCount>& settingTable() {
    return kTable;
}

const SettingSpec& settingSpec(SettingId id) {
    return kTable[static_cast<std::size_t>(id)];
}

bool settingAccepts(const SettingSpec& spec, std::uint32_t value) {
    if (spec.choices == nullptr) {
        return value >= spec.least && value <= spec.most;
    }
    for (int i = 0; i < spec.choiceCount; ++i) {
        if (spec.choices[i] == value) {
            return true;
        }
    }
    return false;
}

std::uint32_t storedValue(const UserSettings& settings, SettingId id) {
    switch (id) {
        case SettingId::WaterSpeed:
            return settings.waterSpeedPercent;
        case SettingId::PictureChange:
            return settings.pictureChangeSeconds;
        case SettingId::Pictures:
            return settings.picturesShown;
        case SettingId::Monitors:
            return static_cast<std::uint32_t>(settings.monitors);
        case SettingId::FrameRate:
            return static_cast<std::uint32_t>(settings.frameRate);
    }
    return 0;
}

bool setStoredValue(UserSettings& settings, SettingId id, std::uint32_t value) {
    const SettingSpec& spec = settingSpec(id);
    const bool accepted = settingAccepts(spec, value);
    const std::uint32_t v = accepted ? value : spec.defaultValue;
    switch (id) {
        case SettingId::WaterSpeed:
            settings.waterSpeedPercent = v;
            break;
        case SettingId::PictureChange:
            settings.pictureChangeSeconds = v;
            break;
        case SettingId::Pictures:
            settings.picturesShown = v;
            break;
        case SettingId::Monitors:
            settings.monitors = static_cast<MonitorChoice>(v);
            break;
        case SettingId::FrameRate:
            settings.frameRate = static_cast<FrameRateChoice>(v);
            break;
    }
    return accepted;
}

bool readSwitchValue(SettingId id, const char* text, std::uint32_t* value, std::string* error) {
    if (text == nullptr) {
        *error = std::string("--") +
                 (settingSpec(id).hackSwitch != nullptr ? settingSpec(id).hackSwitch
                                                        : settingSpec(id).storedName) +
                 " needs a value";
        return false;
    }
    switch (id) {
        case SettingId::WaterSpeed:
            return readSpeed(text, value, error);
        case SettingId::PictureChange:
            return readChangeSeconds(text, value, error);
        case SettingId::Pictures:
            return readPictureNames(text, value, error);
        case SettingId::FrameRate:
            return readFrameRate(text, value, error);
        case SettingId::Monitors:
            break;
    }
    *error = "no such switch";
    return false;
}

const char* frameRateSwitchName(FrameRateChoice choice) {
    return kFrameRateNames[static_cast<std::uint32_t>(choice) % 3];
}
