// Reading XScreenSaver's command line for hacks; plain code, driven by tests.
#include "app/xscreensaver_arguments.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int digitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// "--name" or "-name": the name, or null for anything else.
const char* optionName(const char* argument) {
    if (argument[0] != '-') {
        return nullptr;
    }
    return argument[1] == '-' ? argument + 2 : argument + 1;
}

}  // namespace

namespace {

// Digits in `base` with white space around and nothing else, at most
// `largest`: the number, in `value`. "0x" before the digits reads them as hex
// where `hexAllowed`.
bool readWholeNumber(const char* text, bool hexAllowed, std::uint64_t largest,
                     std::uint64_t* value) {
    if (text == nullptr) {
        return false;
    }
    while (isSpace(*text)) {
        ++text;
    }
    int base = 10;
    if (hexAllowed && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    std::uint64_t number = 0;
    const char* digits = text;
    for (int digit; (digit = digitValue(*text, base)) >= 0; ++text) {
        number = number * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (number > largest) {
            return false;
        }
    }
    while (isSpace(*text)) {
        ++text;
    }
    if (text == digits || *text != '\0') {
        return false;
    }
    *value = number;
    return true;
}

}  // namespace

bool readWindowId(const char* text, NativeWindowHandle* id) {
    constexpr std::uint64_t kLargestId = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    if (!readWholeNumber(text, true, kLargestId, &value) || value == 0) {
        return false;
    }
    *id = static_cast<NativeWindowHandle>(value);
    return true;
}

namespace {

// What one switch does to the arguments read so far; `value` is the next
// argument for switches that take one (null when there is none).
using ApplyOption = void (*)(XScreenSaverArguments& read, const char* value,
                             const char* screensaverWindow);

void applyRoot(XScreenSaverArguments& read, const char*, const char* screensaverWindow) {
    NativeWindowHandle given = 0;
    const bool usable = readWindowId(screensaverWindow, &given);
    read.target = usable ? HackWindow::Given : HackWindow::Root;
    read.window = usable ? given : 0;
}

void applyWindowId(XScreenSaverArguments& read, const char* value, const char*) {
    read.target = HackWindow::Given;
    read.window = 0;
    if (!readWindowId(value, &read.window)) {
        read.error = std::string("--window-id needs a window id (decimal or 0x hex), not \"") +
                     (value != nullptr ? value : "") + "\"";
    }
}

void applyOwnWindow(XScreenSaverArguments& read, const char*, const char*) {
    read.target = HackWindow::OwnWindow;
    read.window = 0;
}

void applyFps(XScreenSaverArguments& read, const char*, const char*) {
    read.showFps = true;
}

void applyDelay(XScreenSaverArguments& read, const char* value, const char*) {
    if (!readMicroseconds(value, &read.delayMicroseconds)) {
        read.error = std::string("--delay needs a whole number of microseconds up to ") +
                     std::to_string(kLongestDelayMicroseconds) + ", not \"" +
                     (value != nullptr ? value : "") + "\"";
    }
}

// The switches, as XScreenSaver's hacks declare theirs; the settings file
// (glimmerpond3d.xml) offers the same ones.
struct HackOption {
    const char* name;
    bool takesValue;
    ApplyOption apply;
};

constexpr HackOption kHackOptions[] = {
    {"root", false, applyRoot},        {"window-id", true, applyWindowId},
    {"window", false, applyOwnWindow}, {"fps", false, applyFps},
    {"delay", true, applyDelay},
};

const HackOption* findOption(const char* name) {
    for (const HackOption& option : kHackOptions) {
        if (std::strcmp(name, option.name) == 0) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

bool readMicroseconds(const char* text, long* microseconds) {
    std::uint64_t value = 0;
    if (!readWholeNumber(text, false, kLongestDelayMicroseconds, &value)) {
        return false;
    }
    *microseconds = static_cast<long>(value);
    return true;
}

namespace {

// The setting whose switch is `name`, from the table of settings; null for none.
const SettingSpec* findSettingSwitch(const char* name) {
    for (const SettingSpec& spec : settingTable()) {
        if (spec.hackSwitch != nullptr && std::strcmp(name, spec.hackSwitch) == 0) {
            return &spec;
        }
    }
    return nullptr;
}

void applySetting(XScreenSaverArguments& read, const SettingSpec& spec, const char* value) {
    std::uint32_t stored = 0;
    std::string error;
    if (readSwitchValue(spec.id, value, &stored, &error)) {
        setStoredValue(read.settings, spec.id, stored);
    } else if (read.error.empty()) {
        read.error = error;
    }
}

}  // namespace

XScreenSaverArguments readXScreenSaverArguments(int argc, const char* const* argv,
                                                const char* screensaverWindow) {
    XScreenSaverArguments read;
    for (int i = 1; i < argc; ++i) {
        const char* name = optionName(argv[i]);
        if (name == nullptr) {
            continue;
        }
        if (const SettingSpec* setting = findSettingSwitch(name)) {
            applySetting(read, *setting, i + 1 < argc ? argv[++i] : nullptr);
            continue;
        }
        const HackOption* option = findOption(name);
        if (option == nullptr) {
            continue;
        }
        const char* value = nullptr;
        if (option->takesValue) {
            value = i + 1 < argc ? argv[++i] : nullptr;
        }
        option->apply(read, value, screensaverWindow);
    }
    return read;
}
