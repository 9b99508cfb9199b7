// The About window of configuration mode. Making the object shows nothing;
// run() makes the window and runs it until the user has closed it.
#pragma once

#include "platform/host_window.h"

class Failure;

class AboutWindow {
  public:
    // moduleInstance: the program's instance handle (HINSTANCE on Windows);
    // showCommand: the show command the program was started with; ownerWindow:
    // the window it is opened from (an HWND), which it is modal to and centred
    // on the monitor of, or 0 to stand alone, centred on the main screen.
    AboutWindow(void* moduleInstance, int showCommand, NativeWindowHandle ownerWindow = 0)
        : moduleInstance_(moduleInstance), showCommand_(showCommand), ownerWindow_(ownerWindow) {}

    // Shows the window and returns when the user has closed it, or at once,
    // with what went wrong in `failure`, when the window cannot be made.
    void run(Failure& failure);

  private:
    // Only Windows makes a window; Linux prints the facts and needs neither.
    [[maybe_unused]] void* moduleInstance_;
    [[maybe_unused]] int showCommand_;
    [[maybe_unused]] NativeWindowHandle ownerWindow_;
};
