// Windows before Vista switch the display to 800 x 600 for a full-screen
// window. GetVersion is deprecated but still answers, which is all this needs.
#include <windows.h>

#include "platform/display_mode.h"
#include "platform/windows_version.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

bool fullScreenKeepsDisplayMode() {
    return windowsKeepsDisplayMode(windowsVersion(static_cast<std::uint32_t>(GetVersion())));
}
