// What the windows of configuration mode (Settings, and About from it) are
// opened with.
#pragma once

#include "platform/host_window.h"

class ConfigurationWindow {
  protected:
    // moduleInstance: the program's instance handle (HINSTANCE on Windows);
    // showCommand: the show command the program was started with; ownerWindow:
    // the window it is opened from (an HWND), which it is modal to and centred
    // on the monitor of, or 0 to stand alone.
    ConfigurationWindow(void* moduleInstance, int showCommand, NativeWindowHandle ownerWindow)
        : moduleInstance_(moduleInstance), showCommand_(showCommand), ownerWindow_(ownerWindow) {}

    // Only Windows makes windows; Linux prints what they would show and needs none of these.
    [[maybe_unused]] void* moduleInstance_;
    [[maybe_unused]] int showCommand_;
    [[maybe_unused]] NativeWindowHandle ownerWindow_;
};
