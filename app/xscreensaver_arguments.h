// The command line XScreenSaver gives its hacks: "--root" (the window in
// XSCREENSAVER_WINDOW, else the root window), "--window-id ID", "--window"
// (a window of its own), "--fps" and "--delay MICROSECONDS", each with one
// dash or two, and the user's settings as the table of settings names their
// switches ("--speed", "--change-seconds", "--pictures", "--frame-rate").
// Runs with no window switch read the Windows-style switches instead ("/s",
// "/p ID", "/c").
#pragma once

#include <string>

#include "platform/host_window.h"
#include "platform/user_settings.h"

enum class HackWindow {
    None,      // no XScreenSaver-style switch: the Windows-style command line applies
    Given,     // draw into `window` ("--window-id", or "--root" with XSCREENSAVER_WINDOW)
    Root,      // "--root" without a usable XSCREENSAVER_WINDOW: the screen's root window
    OwnWindow  // "--window": a 640 x 480 window of its own
};

// The least time between the starts of two frames where no --delay is given:
// about 33 frames a second, the pace of XScreenSaver's own GL hacks. The water
// drifts slowly, so more would cost twice the power for no smoother picture.
constexpr long kDefaultDelayMicroseconds = 30000;
// The longest --delay taken: a frame a minute.
constexpr long kLongestDelayMicroseconds = 60000000;

struct XScreenSaverArguments {
    HackWindow target = HackWindow::None;
    NativeWindowHandle window = 0;  // set for HackWindow::Given
    bool showFps = false;
    long delayMicroseconds = kDefaultDelayMicroseconds;
    UserSettings settings;  // defaults where no switch gives them
    std::string error;      // what is wrong with the arguments; empty when they are usable
};

// Reads argv[1..argc-1]; `screensaverWindow` is the value of XSCREENSAVER_WINDOW
// (null when unset). The last window switch, the last delay and the last of
// each setting win; other arguments are left to the Windows-style reader.
XScreenSaverArguments readXScreenSaverArguments(int argc, const char* const* argv,
                                                const char* screensaverWindow);

// Reads an X window id as XScreenSaver writes and its hacks read it: "0x" and
// hex digits, or decimal digits, with white space around; nothing else. False
// for anything else, for 0 and for ids beyond 32 bits (X ids have 29 bits).
bool readWindowId(const char* text, NativeWindowHandle* id);

// Reads --delay's value: decimal digits with white space around, at most
// kLongestDelayMicroseconds; false for anything else.
bool readMicroseconds(const char* text, long* microseconds);
