// The Settings window's content without a window: its controls top to bottom
// (the tab order), their labels and places in dialog units, which setting each
// shows, and the rules the window follows (the last picture stays on, what
// Defaults puts back, the value of each choice). The Win32 side builds the
// dialog from this table and only moves values in and out of its controls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "platform/user_settings.h"

namespace settings_form {

constexpr const char* kWindowTitle = "Glimmerpond 3D Settings";
// The dialog font every Windows version maps to its own UI face, in points;
// dialog units follow it, so the window grows with the display's scale.
constexpr const char* kFontFace = "MS Shell Dlg";
constexpr int kFontPoints = 8;

// The dialog's client size in dialog units.
constexpr int kWidth = 268;
constexpr int kHeight = 266;

// The ids Windows gives OK and Cancel (IDOK, IDCANCEL): Enter and Esc reach them.
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kSpeedLabelId = 100;
constexpr int kSpeedSliderId = 101;
constexpr int kSpeedValueId = 102;
constexpr int kPictureChangeLabelId = 103;
constexpr int kPictureChangeId = 104;
constexpr int kPicturesGroupId = 109;
constexpr int kFirstPictureId = 110;  // one check box per picture, in the pictures' order
constexpr int kMonitorsGroupId = 120;
constexpr int kFirstMonitorChoiceId = 121;  // by MonitorChoice
constexpr int kFrameRateGroupId = 130;
constexpr int kFirstFrameRateChoiceId = 131;  // by FrameRateChoice
constexpr int kPolicyNoteId = 140;
constexpr int kAboutButtonId = 141;
constexpr int kDefaultsButtonId = 142;

constexpr const char* kPolicyNote = "Some settings are set by your administrator.";

enum class ControlKind {
    Label,      // a static text; its "&" letter moves to the control after it
    Slider,     // the water speed's trackbar
    ValueText,  // a static text the window fills in
    DropDown,   // a drop-down list
    Group,      // a group box around the choices that follow it
    CheckBox,
    FirstRadio,  // the first radio button of a group: the group's tab stop
    Radio,
    Button,
    DefaultButton,  // OK, pressed by Enter
};

struct Box {
    int x, y, width, height;
};

struct Control {
    ControlKind kind;
    int id;
    std::string text;
    Box box;  // dialog units
    // The setting the control shows or labels; it is greyed when a policy sets it.
    bool showsSetting;
    SettingId setting;
};

// Every control of the window, top to bottom, left to right.
std::vector<Control> controls();

// "New picture every": the list's texts in the order of kPictureChangeChoices.
const char* pictureChangeText(int index);
// The list's line for a stored number of seconds (that of the default for one
// the list does not hold), and the seconds of a line.
int pictureChangeIndex(std::uint32_t seconds);
std::uint32_t pictureChangeSeconds(int index);

// What a click leaves of the pictures shown: the clicked one turned over, but
// the last one shown stays on.
std::uint32_t picturesAfterClick(std::uint32_t shown, int index);

// The speed as the text beside the slider shows it ("100 %").
std::string speedText(std::uint32_t percent);

// What Defaults puts in the controls: each setting's default, except those a
// policy sets, which keep the policy's value.
UserSettings defaultsKeepingPolicy(const LoadedSettings& loaded);

bool anySetByPolicy(const std::array<bool, kSettingCount>& setByPolicy);

}  // namespace settings_form
