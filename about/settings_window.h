// The Settings window of configuration mode: the settings in standard
// controls, owned by the window that asked for it (the system's settings
// page) and modal to it. OK saves them for every later run; Cancel, Esc and
// the close box save nothing. About is one button away.
#pragma once

#include "about/configuration_window.h"

class Failure;

class SettingsWindow : public ConfigurationWindow {
  public:
    // ownerWindow: the window that asked for it, or 0 for none.
    SettingsWindow(void* moduleInstance, int showCommand, NativeWindowHandle ownerWindow)
        : ConfigurationWindow(moduleInstance, showCommand, ownerWindow) {}

    // Shows the window and returns when the user has closed it, or at once,
    // with what went wrong in `failure`, when it cannot be made.
    void run(Failure& failure);
};

// Whether a run with no switch shows this window (Windows, where such a run
// comes from opening the file) rather than the screensaver (Linux).
bool switchlessRunShowsSettings();
