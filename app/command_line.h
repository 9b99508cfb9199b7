// The screensaver host's command line, read into the run mode and the host's
// preview window. The switch letter is lower case; the window handle is a
// decimal number that begins three characters after the slash.
#pragma once

#include "platform/host_window.h"
#include "platform/user_settings.h"

enum ScreensaverMode : int {
    Preview = 0,     // "/p <handle>": draw into the host's preview window
    FullScreen = 1,  // "/s"
    Configure = 2,   // "/c" or "/c:<settings page>": the Settings window
    NoSwitch = 3,    // nothing recognised: one instance at a time; the Settings window
                     // on Windows, full screen on Linux
    // Never read from a Windows command line: a window handed over on Linux by
    // XScreenSaver (its own full-screen window or its settings' preview), by
    // the user (--window-id) or made for the purpose (--window, the root
    // window). Drawn into like a preview's host, paced by --delay, and never
    // refused for another run beside it.
    HandedWindow = 4,
};

struct CommandLine {
    // `text` is the NUL-terminated text after the program's name; null reads as empty.
    explicit CommandLine(const char* text);

    ScreensaverMode mode = NoSwitch;
    NativeWindowHandle hostWindow = 0;  // 0 until a switch is recognised
    double frameDelaySeconds = -1.0;    // a hack's --delay; negative: none given
    // What the run honours: read from the store when a run starts on Windows,
    // from the hack's switches on Linux; defaults otherwise.
    UserSettings settings;
};

// Whether the run draws into a window it was given (a preview's host or a
// handed window) rather than one of its own.
bool drawsIntoHostWindow(ScreensaverMode mode);

// Reads a decimal integer as the C library's atoi does (leading white space, an
// optional sign, digits up to the first non-digit; no digits give 0), but
// saturates at the limits of int instead of overflowing.
int readDecimal(const char* text);
