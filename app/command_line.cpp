// Reading the command line: every slash followed by p, s or c sets the mode,
// and from the first recognised switch on every slash reads the handle again.
#include "app/command_line.h"

#include <climits>
#include <cstdint>

namespace {

// The host passes "/p 1234" or "/p:1234": the letter and one separator character.
constexpr int kHandleOffset = 3;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

ScreensaverMode modeForSwitch(char letter, ScreensaverMode current) {
    switch (letter) {
        case 'p':
            return Preview;
        case 's':
            return FullScreen;
        case 'c':
            return Configure;
        default:
            return current;
    }
}

// The handle text after the slash at `slash`, or "" where the text ends first:
// a switch may be the very last characters of the command line.
const char* handleTextAfter(const char* slash) {
    for (int i = 1; i < kHandleOffset; ++i) {
        if (slash[i] == '\0') {
            return "";
        }
    }
    return slash + kHandleOffset;
}

// A window handle is the number sign-extended to pointer width, as an int cast to HWND is.
NativeWindowHandle handleFromNumber(int number) {
    return static_cast<NativeWindowHandle>(static_cast<std::intptr_t>(number));
}

}  // namespace

int readDecimal(const char* text) {
    while (isSpace(*text)) {
        ++text;
    }
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    // One past INT_MAX is the magnitude of INT_MIN; anything beyond saturates.
    const long long limit = static_cast<long long>(INT_MAX) + (negative ? 1 : 0);
    long long magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > limit) {
            magnitude = limit;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

CommandLine::CommandLine(const char* text) {
    if (text == nullptr) {
        return;
    }
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c != '/') {
            continue;
        }
        mode = modeForSwitch(c[1], mode);
        if (mode != NoSwitch) {
            hostWindow = handleFromNumber(readDecimal(handleTextAfter(c)));
        }
    }
}

bool drawsIntoHostWindow(ScreensaverMode mode) {
    return mode == Preview || mode == HandedWindow;
}
