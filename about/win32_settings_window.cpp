// The Settings window on Windows: a dialog built in memory from the form's
// table, in the system's dialog font and standard controls, so that it grows
// with the display's scale and screen readers read each control by its label.
// It only moves values between the controls and the settings; the rules live
// in settings_form.cpp and the registry in the settings store.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "about/about_window.h"
#include "about/settings_form.h"
#include "about/settings_window.h"
#include "about/win32_work_area.h"
#include "platform/failure.h"
#include "platform/settings_store.h"
#include "resources/background_pictures.h"

using namespace settings_form;

namespace {

// An in-memory DLGTEMPLATEEX: 16-bit words, items starting on 32-bit bounds.
class DialogTemplate {
  public:
    void word(WORD value) { words_.push_back(value); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    // The texts are plain ASCII, so each char widens to one UTF-16 unit.
    void text(const std::string& value) {
        for (char c : value) {
            word(static_cast<unsigned char>(c));
        }
        word(0);
    }
    void alignToDword() {
        if (words_.size() % 2 != 0) {
            word(0);
        }
    }
    void box(const Box& box) {
        word(static_cast<WORD>(box.x));
        word(static_cast<WORD>(box.y));
        word(static_cast<WORD>(box.width));
        word(static_cast<WORD>(box.height));
    }
    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

// The predefined classes by their atoms; the trackbar by its name.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kComboBoxAtom = 0x0085;

DWORD controlStyle(ControlKind kind) {
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::ValueText:
            return shown | WS_GROUP | SS_LEFT;
        case ControlKind::Slider:
            return shown | WS_GROUP | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM;
        case ControlKind::DropDown:
            return shown | WS_GROUP | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
        case ControlKind::Group:
            return shown | WS_GROUP | BS_GROUPBOX;
        case ControlKind::CheckBox:
            // Not automatic: a click asks the form what the pictures become.
            return shown | WS_GROUP | WS_TABSTOP | BS_CHECKBOX;
        case ControlKind::FirstRadio:
            return shown | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON;
        case ControlKind::Radio:
            return shown | BS_AUTORADIOBUTTON;
        case ControlKind::Button:
            return shown | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
        case ControlKind::DefaultButton:
            return shown | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON;
    }
    return shown;
}

void writeControlClass(DialogTemplate& dialog, ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::ValueText:
            dialog.word(0xFFFF);
            dialog.word(kStaticAtom);
            return;
        case ControlKind::Slider:
            dialog.text("msctls_trackbar32");
            return;
        case ControlKind::DropDown:
            dialog.word(0xFFFF);
            dialog.word(kComboBoxAtom);
            return;
        default:
            dialog.word(0xFFFF);
            dialog.word(kButtonAtom);
            return;
    }
}

DialogTemplate buildTemplate(const std::vector<Control>& list) {
    DialogTemplate dialog;
    dialog.word(1);       // dlgVer
    dialog.word(0xFFFF);  // signature: the extended form
    dialog.dword(0);      // helpID
    dialog.dword(0);      // exStyle
    dialog.dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT);
    dialog.word(static_cast<WORD>(list.size()));
    dialog.box(Box{0, 0, kWidth, kHeight});
    dialog.word(0);  // no menu
    dialog.word(0);  // the dialog class
    dialog.text(kWindowTitle);
    dialog.word(kFontPoints);
    dialog.word(FW_NORMAL);
    dialog.word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
    dialog.text(kFontFace);
    for (const Control& control : list) {
        dialog.alignToDword();
        dialog.dword(0);  // helpID
        dialog.dword(0);  // exStyle
        dialog.dword(controlStyle(control.kind));
        dialog.box(control.box);
        dialog.dword(static_cast<DWORD>(control.id));
        writeControlClass(dialog, control.kind);
        dialog.text(control.text);
        dialog.word(0);  // no creation data
    }
    return dialog;
}

// One open Settings window: what was loaded (for policy and Defaults) and
// where a failure of the About window goes. Its dialog procedure finds it
// through DWLP_USER from WM_INITDIALOG on.
class Win32SettingsWindow {
  public:
    Win32SettingsWindow(HINSTANCE instance, HWND owner, Failure& failure)
        : instance_(instance), owner_(owner), failure_(failure), loaded_(loadSettings()) {}

    // Runs the dialog until OK or Cancel; false when it could not be made.
    bool run() {
        const DialogTemplate dialog = buildTemplate(controls());
        return DialogBoxIndirectParamW(instance_, dialog.data(), owner_, procedure,
                                       reinterpret_cast<LPARAM>(this)) != -1;
    }

  private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void start();
    void command(int id, int notification);
    void showValues(const UserSettings& settings);
    UserSettings readValues() const;
    std::uint32_t shownPictures() const;
    void showSpeed();
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    HINSTANCE instance_;
    HWND owner_;
    Failure& failure_;
    LoadedSettings loaded_;
    HWND dialog_ = nullptr;
};

INT_PTR CALLBACK Win32SettingsWindow::procedure(HWND dialog, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32SettingsWindow*>(lParam);
        self->dialog_ = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        self->start();
        return TRUE;  // the focus goes to the first control, the slider
    }
    auto* self = reinterpret_cast<Win32SettingsWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == self->item(kSpeedSliderId)) {
                self->showSpeed();
            }
            return TRUE;
        case WM_COMMAND:
            self->command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

void Win32SettingsWindow::start() {
    const SettingSpec& speed = settingSpec(SettingId::WaterSpeed);
    HWND slider = item(kSpeedSliderId);
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(speed.least));
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(speed.most));
    SendMessageW(slider, TBM_SETTICFREQ, 25, 0);
    SendMessageW(slider, TBM_SETLINESIZE, 0, 5);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 25);
    for (int i = 0; i < kPictureChangeChoiceCount; ++i) {
        SendMessageA(item(kPictureChangeId), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(pictureChangeText(i)));
    }
    showValues(loaded_.settings);

    // A setting an administrator sets is shown, greyed, with its label.
    for (const Control& control : controls()) {
        if (control.showsSetting &&
            loaded_.setByPolicy[static_cast<std::size_t>(control.setting)]) {
            EnableWindow(item(control.id), FALSE);
        }
    }
    if (anySetByPolicy(loaded_.setByPolicy)) {
        SetDlgItemTextA(dialog_, kPolicyNoteId, kPolicyNote);
    }

    RECT outer;
    GetWindowRect(dialog_, &outer);
    const about::Point origin =
        centredOnOwnersMonitor(owner_, outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(dialog_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Win32SettingsWindow::showSpeed() {
    const auto percent =
        static_cast<std::uint32_t>(SendMessageW(item(kSpeedSliderId), TBM_GETPOS, 0, 0));
    SetDlgItemTextA(dialog_, kSpeedValueId, speedText(percent).c_str());
}

void Win32SettingsWindow::showValues(const UserSettings& settings) {
    SendMessageW(item(kSpeedSliderId), TBM_SETPOS, TRUE,
                 static_cast<LPARAM>(settings.waterSpeedPercent));
    showSpeed();
    SendMessageW(item(kPictureChangeId), CB_SETCURSEL,
                 static_cast<WPARAM>(pictureChangeIndex(settings.pictureChangeSeconds)), 0);
    for (int i = 0; i < kBackgroundCount; ++i) {
        CheckDlgButton(dialog_, kFirstPictureId + i,
                       settings.pictureShown(i) ? BST_CHECKED : BST_UNCHECKED);
    }
    CheckRadioButton(dialog_, kFirstMonitorChoiceId, kFirstMonitorChoiceId + 2,
                     kFirstMonitorChoiceId + static_cast<int>(settings.monitors));
    CheckRadioButton(dialog_, kFirstFrameRateChoiceId, kFirstFrameRateChoiceId + 2,
                     kFirstFrameRateChoiceId + static_cast<int>(settings.frameRate));
}

std::uint32_t Win32SettingsWindow::shownPictures() const {
    std::uint32_t shown = 0;
    for (int i = 0; i < kBackgroundCount; ++i) {
        if (IsDlgButtonChecked(dialog_, kFirstPictureId + i) == BST_CHECKED) {
            shown |= 1u << i;
        }
    }
    return shown;
}

// The radio button checked among three, as its index.
int checkedChoice(HWND dialog, int firstId) {
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(dialog, firstId + i) == BST_CHECKED) {
            return i;
        }
    }
    return 0;
}

UserSettings Win32SettingsWindow::readValues() const {
    UserSettings settings;
    setStoredValue(
        settings, SettingId::WaterSpeed,
        static_cast<std::uint32_t>(SendMessageW(item(kSpeedSliderId), TBM_GETPOS, 0, 0)));
    setStoredValue(settings, SettingId::PictureChange,
                   pictureChangeSeconds(
                       static_cast<int>(SendMessageW(item(kPictureChangeId), CB_GETCURSEL, 0, 0))));
    setStoredValue(settings, SettingId::Pictures, shownPictures());
    setStoredValue(settings, SettingId::Monitors,
                   static_cast<std::uint32_t>(checkedChoice(dialog_, kFirstMonitorChoiceId)));
    setStoredValue(settings, SettingId::FrameRate,
                   static_cast<std::uint32_t>(checkedChoice(dialog_, kFirstFrameRateChoiceId)));
    return settings;
}

void Win32SettingsWindow::command(int id, int notification) {
    if (id >= kFirstPictureId && id < kFirstPictureId + kBackgroundCount) {
        if (notification == BN_CLICKED) {
            const std::uint32_t shown = picturesAfterClick(shownPictures(), id - kFirstPictureId);
            for (int i = 0; i < kBackgroundCount; ++i) {
                CheckDlgButton(dialog_, kFirstPictureId + i,
                               (shown >> i) & 1u ? BST_CHECKED : BST_UNCHECKED);
            }
        }
        return;
    }
    switch (id) {
        case kOkId:
            if (!saveSettings(readValues(), loaded_.setByPolicy)) {
                failure_.add("The settings could not be saved.", "Error!",
                             MessageIcon::Exclamation);
            }
            EndDialog(dialog_, kOkId);
            return;
        case kCancelId:  // the Cancel button, Esc and the close box
            EndDialog(dialog_, kCancelId);
            return;
        case kAboutButtonId:
            AboutWindow(instance_, SW_SHOWNORMAL, reinterpret_cast<NativeWindowHandle>(dialog_))
                .run(failure_);
            return;
        case kDefaultsButtonId:
            showValues(defaultsKeepingPolicy(loaded_));
            return;
        default:
            return;
    }
}

}  // namespace

void SettingsWindow::run(Failure& failure) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    // As for the About window: the manifest asks for per-monitor awareness, and
    // a build without it still gets the system's scale.
    SetProcessDPIAware();
    // A handle that names no window (the page has gone, or a bare "/c") leaves
    // the window on its own, centred on the main monitor.
    HWND owner = reinterpret_cast<HWND>(ownerWindow_);
    if (owner != nullptr && !IsWindow(owner)) {
        owner = nullptr;
    }
    Win32SettingsWindow window(static_cast<HINSTANCE>(moduleInstance_), owner, failure);
    if (!window.run()) {
        failure.add("Window Creation Failed!", "Error!", MessageIcon::Exclamation);
    }
}

bool switchlessRunShowsSettings() {
    return true;
}
