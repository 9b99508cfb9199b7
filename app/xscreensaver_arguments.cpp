// Reading XScreenSaver's command line for hacks; plain code, driven by tests.
#include "app/xscreensaver_arguments.h"

#include <cstdint>
#include <cstring>

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

bool readWindowId(const char* text, NativeWindowHandle* id) {
    if (text == nullptr) {
        return false;
    }
    while (isSpace(*text)) {
        ++text;
    }
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    constexpr std::uint64_t kLargestId = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    const char* digits = text;
    for (int digit; (digit = digitValue(*text, base)) >= 0; ++text) {
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > kLargestId) {
            return false;
        }
    }
    if (text == digits) {
        return false;
    }
    while (isSpace(*text)) {
        ++text;
    }
    if (*text != '\0' || value == 0) {
        return false;
    }
    *id = static_cast<NativeWindowHandle>(value);
    return true;
}

XScreenSaverArguments readXScreenSaverArguments(int argc, const char* const* argv,
                                                const char* screensaverWindow) {
    XScreenSaverArguments read;
    for (int i = 1; i < argc; ++i) {
        const char* name = optionName(argv[i]);
        if (name == nullptr) {
            continue;
        }
        if (std::strcmp(name, "root") == 0) {
            NativeWindowHandle given = 0;
            bool usable = readWindowId(screensaverWindow, &given);
            read.target = usable ? HackWindow::Given : HackWindow::Root;
            read.window = usable ? given : 0;
        } else if (std::strcmp(name, "window-id") == 0) {
            read.target = HackWindow::Given;
            read.window = 0;
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            if (!readWindowId(value, &read.window)) {
                read.error =
                    std::string("--window-id needs a window id (decimal or 0x hex), not \"") +
                    (value != nullptr ? value : "") + "\"";
            }
        } else if (std::strcmp(name, "window") == 0) {
            read.target = HackWindow::OwnWindow;
            read.window = 0;
        } else if (std::strcmp(name, "fps") == 0) {
            read.showFps = true;
        }
    }
    return read;
}
