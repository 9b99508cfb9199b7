// The Settings window's controls and rules (see settings_form.h).
#include "about/settings_form.h"

#include "resources/background_pictures.h"

namespace settings_form {

namespace {

constexpr const char* kPictureChangeTexts[kPictureChangeChoiceCount] = {
    "30 seconds", "1 minute", "2 minutes", "5 minutes", "10 minutes", "Never"};

// By MonitorChoice and FrameRateChoice. Each "&" letter is unique in the
// window, the picture labels' letters included.
constexpr const char* kMonitorTexts[] = {"&One scene across all monitors",
                                         "The water on &each monitor", "&Main monitor only"};
constexpr const char* kFrameRateTexts[] = {"&Up to 60 a second", "About 30 a second (saves &power)",
                                           "Every &refresh"};

constexpr int kMargin = 7;
constexpr int kInnerWidth = kWidth - 2 * kMargin;
constexpr int kFieldX = 84;      // where the slider and the list begin
constexpr int kRowHeight = 12;   // one check box or radio button inside a group
constexpr int kGroupTop = 12;    // from a group box's top to its first row
constexpr int kGroupBottom = 4;  // below its last row
constexpr int kButtonHeight = 14;

Control setting(ControlKind kind, int id, std::string text, Box box, SettingId shown) {
    return Control{kind, id, std::move(text), box, true, shown};
}

Control plain(ControlKind kind, int id, std::string text, Box box) {
    return Control{kind, id, std::move(text), box, false, SettingId::WaterSpeed};
}

// A group box and its radio buttons, one row each; returns the y below it.
// The group's id is the one before its first button's.
int addChoices(std::vector<Control>& list, int top, const char* title, SettingId id, int firstId,
               const char* const* texts, int count) {
    const int height = kGroupTop + count * kRowHeight + kGroupBottom;
    list.push_back(setting(ControlKind::Group, firstId - 1, title,
                           Box{kMargin, top, kInnerWidth, height}, id));
    for (int i = 0; i < count; ++i) {
        list.push_back(
            setting(i == 0 ? ControlKind::FirstRadio : ControlKind::Radio, firstId + i, texts[i],
                    Box{kMargin + 8, top + kGroupTop + i * kRowHeight, kInnerWidth - 16, 10}, id));
    }
    return top + height + 6;
}

}  // namespace

std::vector<Control> controls() {
    std::vector<Control> list;
    list.push_back(setting(ControlKind::Label, kSpeedLabelId,
                           "&Water speed:", Box{kMargin, 10, 74, 8}, SettingId::WaterSpeed));
    list.push_back(setting(ControlKind::Slider, kSpeedSliderId, "", Box{kFieldX, 7, 140, 15},
                           SettingId::WaterSpeed));
    list.push_back(setting(ControlKind::ValueText, kSpeedValueId, "", Box{228, 10, 33, 8},
                           SettingId::WaterSpeed));
    list.push_back(setting(ControlKind::Label, kPictureChangeLabelId, "&New picture every:",
                           Box{kMargin, 30, 74, 8}, SettingId::PictureChange));
    // A drop-down's height is that of its open list.
    list.push_back(setting(ControlKind::DropDown, kPictureChangeId, "", Box{kFieldX, 28, 90, 100},
                           SettingId::PictureChange));

    // The pictures in two columns, row by row, so the tab order reads as the eye does.
    const int picturesTop = 48;
    const int rows = (kBackgroundCount + 1) / 2;
    const int columnWidth = (kInnerWidth - 16) / 2;
    const int picturesHeight = kGroupTop + rows * kRowHeight + kGroupBottom;
    list.push_back(setting(ControlKind::Group, kPicturesGroupId, "Pictures",
                           Box{kMargin, picturesTop, kInnerWidth, picturesHeight},
                           SettingId::Pictures));
    for (int i = 0; i < kBackgroundCount; ++i) {
        list.push_back(
            setting(ControlKind::CheckBox, kFirstPictureId + i, kBackgroundPictures[i].label,
                    Box{kMargin + 8 + (i % 2) * columnWidth,
                        picturesTop + kGroupTop + (i / 2) * kRowHeight, columnWidth - 4, 10},
                    SettingId::Pictures));
    }

    int top = picturesTop + picturesHeight + 6;
    top = addChoices(list, top, "Several monitors", SettingId::Monitors, kFirstMonitorChoiceId,
                     kMonitorTexts, 3);
    top = addChoices(list, top, "Frame rate", SettingId::FrameRate, kFirstFrameRateChoiceId,
                     kFrameRateTexts, 3);

    // Empty unless a policy sets something.
    list.push_back(
        plain(ControlKind::ValueText, kPolicyNoteId, "", Box{kMargin, top, kInnerWidth, 8}));

    const int buttons = kHeight - kMargin - kButtonHeight;
    list.push_back(plain(ControlKind::Button, kAboutButtonId, "&About Glimmerpond 3D...",
                         Box{kMargin, buttons, 100, kButtonHeight}));
    list.push_back(plain(ControlKind::Button, kDefaultsButtonId, "&Defaults",
                         Box{115, buttons, 46, kButtonHeight}));
    list.push_back(
        plain(ControlKind::DefaultButton, kOkId, "OK", Box{165, buttons, 46, kButtonHeight}));
    list.push_back(
        plain(ControlKind::Button, kCancelId, "Cancel", Box{215, buttons, 46, kButtonHeight}));
    return list;
}

const char* pictureChangeText(int index) {
    return index >= 0 && index < kPictureChangeChoiceCount ? kPictureChangeTexts[index] : "";
}

int pictureChangeIndex(std::uint32_t seconds) {
    for (int i = 0; i < kPictureChangeChoiceCount; ++i) {
        if (kPictureChangeChoices[i] == seconds) {
            return i;
        }
    }
    return pictureChangeIndex(settingSpec(SettingId::PictureChange).defaultValue);
}

std::uint32_t pictureChangeSeconds(int index) {
    return index >= 0 && index < kPictureChangeChoiceCount
               ? kPictureChangeChoices[index]
               : settingSpec(SettingId::PictureChange).defaultValue;
}

std::uint32_t picturesAfterClick(std::uint32_t shown, int index) {
    const std::uint32_t after = shown ^ (1u << index);
    return after == 0 ? shown : after;
}

std::string speedText(std::uint32_t percent) {
    return std::to_string(percent) + " %";
}

UserSettings defaultsKeepingPolicy(const LoadedSettings& loaded) {
    UserSettings defaults;
    for (const SettingSpec& spec : settingTable()) {
        if (loaded.setByPolicy[static_cast<std::size_t>(spec.id)]) {
            setStoredValue(defaults, spec.id, storedValue(loaded.settings, spec.id));
        }
    }
    return defaults;
}

bool anySetByPolicy(const std::array<bool, kSettingCount>& setByPolicy) {
    for (bool set : setByPolicy) {
        if (set) {
            return true;
        }
    }
    return false;
}

}  // namespace settings_form
