// The settings' table and the store's rule: every kind of bad stored data
// (missing, wrong type, out of range, no picture, unknown choice) spoils only
// its own setting; a policy value wins and marks its setting; the hack's
// switch values read into the same stored values.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/settings_store.h"
#include "platform/user_settings.h"

namespace {

struct FakeStore {
    std::map<std::string, StoredNumber> user, policy;

    LoadedSettings load() const {
        return combineStoredSettings([this](SettingsPlace place, const char* name) {
            const auto& values = place == SettingsPlace::Policy ? policy : user;
            const auto found = values.find(name);
            return found == values.end() ? StoredNumber{} : found->second;
        });
    }
};

StoredNumber number(std::uint32_t value) {
    return StoredNumber{true, true, value};
}

}  // namespace

TEST(UserSettings, BadStoredDataSpoilsOnlyItsOwnSetting) {
    FakeStore store;
    EXPECT_EQ(store.load().settings, UserSettings{});  // no key at all

    store.user["WaterSpeedPercent"] = number(50);
    store.user["PictureChangeSeconds"] = number(45);        // not a choice
    store.user["PicturesShown"] = number(0);                // no picture on
    store.user["Monitors"] = StoredNumber{true, false, 0};  // a string, say
    store.user["FrameRate"] = number(1);
    LoadedSettings loaded = store.load();
    EXPECT_EQ(loaded.settings.waterSpeedPercent, 50u);
    EXPECT_EQ(loaded.settings.pictureChangeSeconds, 60u);
    EXPECT_EQ(loaded.settings.picturesShown, 0xFFu);
    EXPECT_EQ(loaded.settings.monitors, MonitorChoice::SpanAll);
    EXPECT_EQ(loaded.settings.frameRate, FrameRateChoice::About30);

    store.user["WaterSpeedPercent"] = number(201);   // out of range
    store.user["PicturesShown"] = number(0x100);     // a ninth picture
    store.user["Monitors"] = number(3);              // unknown choice
    store.user["PictureChangeSeconds"] = number(0);  // never
    loaded = store.load();
    EXPECT_EQ(loaded.settings.waterSpeedPercent, 100u);
    EXPECT_EQ(loaded.settings.picturesShown, 0xFFu);
    EXPECT_EQ(loaded.settings.monitors, MonitorChoice::SpanAll);
    EXPECT_EQ(loaded.settings.pictureChangeSeconds, 0u);
    for (bool byPolicy : loaded.setByPolicy) {
        EXPECT_FALSE(byPolicy);
    }
}

TEST(UserSettings, PolicyWinsWhereItHoldsAnAcceptedValue) {
    FakeStore store;
    store.user["Monitors"] = number(1);
    store.user["PicturesShown"] = number(0x03);
    store.policy["Monitors"] = number(2);
    store.policy["PicturesShown"] = number(0);  // unusable: the user's holds
    const LoadedSettings loaded = store.load();
    EXPECT_EQ(loaded.settings.monitors, MonitorChoice::MainOnly);
    EXPECT_TRUE(loaded.setByPolicy[static_cast<int>(SettingId::Monitors)]);
    EXPECT_EQ(loaded.settings.picturesShown, 0x03u);
    EXPECT_FALSE(loaded.setByPolicy[static_cast<int>(SettingId::Pictures)]);
}

TEST(UserSettings, SwitchValuesReadIntoStoredValues) {
    std::uint32_t value = 0;
    std::string error;
    EXPECT_TRUE(readSwitchValue(SettingId::WaterSpeed, "0.25", &value, &error));
    EXPECT_EQ(value, 25u);
    EXPECT_TRUE(readSwitchValue(SettingId::WaterSpeed, "2", &value, &error));
    EXPECT_EQ(value, 200u);
    EXPECT_FALSE(readSwitchValue(SettingId::WaterSpeed, "2.1", &value, &error));
    EXPECT_FALSE(readSwitchValue(SettingId::WaterSpeed, "fast", &value, &error));
    EXPECT_NE(error.find("--speed"), std::string::npos);

    EXPECT_TRUE(readSwitchValue(SettingId::PictureChange, "0", &value, &error));
    EXPECT_EQ(value, 0u);
    EXPECT_FALSE(readSwitchValue(SettingId::PictureChange, "45", &value, &error));

    EXPECT_TRUE(readSwitchValue(SettingId::Pictures, "sand, mosaic", &value, &error));
    EXPECT_EQ(value, 0x81u);
    EXPECT_FALSE(readSwitchValue(SettingId::Pictures, "sand,lava", &value, &error));
    EXPECT_NE(error.find("lava"), std::string::npos);
    EXPECT_FALSE(readSwitchValue(SettingId::Pictures, " , ", &value, &error));

    EXPECT_TRUE(readSwitchValue(SettingId::FrameRate, "about-30", &value, &error));
    EXPECT_EQ(value, 1u);
    EXPECT_FALSE(readSwitchValue(SettingId::FrameRate, nullptr, &value, &error));
}
