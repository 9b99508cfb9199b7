// The About window of configuration mode. Making the object shows nothing;
// run() makes the window and runs it until the user has closed it.
#pragma once

#include "about/configuration_window.h"

class Failure;

class AboutWindow : public ConfigurationWindow {
  public:
    // Without an owner it stands alone, centred on the main screen.
    AboutWindow(void* moduleInstance, int showCommand, NativeWindowHandle ownerWindow = 0)
        : ConfigurationWindow(moduleInstance, showCommand, ownerWindow) {}

    // Shows the window and returns when the user has closed it, or at once,
    // with what went wrong in `failure`, when the window cannot be made.
    void run(Failure& failure);
};
