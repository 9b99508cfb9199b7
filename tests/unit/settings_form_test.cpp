// The Settings window's rules and table (the picture and list rules are
// driven end to end under Wine): Defaults keeps what a policy sets, and every
// control has its own id and mnemonic, lies inside the window and comes
// in reading order.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "about/settings_form.h"

using namespace settings_form;

TEST(SettingsForm, DefaultsKeepWhatAPolicySets) {
    LoadedSettings loaded;
    loaded.settings.waterSpeedPercent = 40;
    loaded.settings.frameRate = FrameRateChoice::EveryRefresh;
    loaded.setByPolicy[static_cast<int>(SettingId::FrameRate)] = true;
    const UserSettings defaults = defaultsKeepingPolicy(loaded);
    EXPECT_EQ(defaults.waterSpeedPercent, 100u);
    EXPECT_EQ(defaults.frameRate, FrameRateChoice::EveryRefresh);
}

TEST(SettingsForm, EachControlHasItsOwnIdAndMnemonicInsideTheWindow) {
    // The table's order is the tab order: top to bottom, a row left to right.
    const std::vector<Control> list = controls();
    for (std::size_t i = 1; i < list.size(); ++i) {
        const Box& before = list[i - 1].box;
        const Box& box = list[i].box;
        EXPECT_TRUE(box.y > before.y || (box.y + box.height > before.y && box.x > before.x))
            << list[i].text << " comes before " << list[i - 1].text << " in reading order";
    }
    std::set<int> ids;
    std::set<char> mnemonics;
    std::set<SettingId> shown;
    for (const Control& control : list) {
        EXPECT_TRUE(ids.insert(control.id).second) << "id " << control.id << " twice";
        const auto amp = control.text.find('&');
        if (amp != std::string::npos) {
            const char letter = static_cast<char>(std::tolower(control.text[amp + 1]));
            EXPECT_TRUE(mnemonics.insert(letter).second)
                << control.text << ": '" << letter << "' taken";
        }
        if (control.showsSetting) {
            shown.insert(control.setting);
        }
        const Box& b = control.box;
        EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.width <= kWidth) << control.text;
        if (control.kind != ControlKind::DropDown) {  // its height is the open list's
            EXPECT_LE(b.y + b.height, kHeight) << control.text;
        }
    }
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(kSettingCount));
    EXPECT_TRUE(ids.count(kOkId) && ids.count(kCancelId) && ids.count(kAboutButtonId));
}
