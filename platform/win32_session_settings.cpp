// The session settings GLFW changes on Windows, kept and put back at exit.
// glfwInit sets the foreground lock timeout to 0 (so that its windows may take
// the foreground) and a full-screen window turns the mouse trails off while it
// holds its monitor; glfwTerminate, or giving up the monitor, puts them back.
// Nothing else of the session is touched: GLFW leaves the accessibility
// shortcuts (sticky, toggle and filter keys) alone, its DPI awareness is the
// process's own, and a changed display mode (CDS_FULLSCREEN) ends with the
// process by itself.
#include <windows.h>

#include <cstdlib>

#include "platform/session_settings.h"

namespace {

struct SessionSettings {
    UINT foregroundLockTimeout = 0;
    UINT mouseTrails = 0;
};

SessionSettings keptSettings;

bool readSessionSettings(SessionSettings& settings) {
    return SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &settings.foregroundLockTimeout,
                                 0) &&
           SystemParametersInfoW(SPI_GETMOUSETRAILS, 0, &settings.mouseTrails, 0);
}

// Written back the way GLFW writes them (for this session, not the profile),
// and only where they differ, so an untouched session hears of no change.
void putBackSessionSettings() {
    SessionSettings now;
    if (!readSessionSettings(now)) {
        return;
    }
    if (now.foregroundLockTimeout != keptSettings.foregroundLockTimeout) {
        SystemParametersInfoW(
            SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
            reinterpret_cast<void*>(static_cast<UINT_PTR>(keptSettings.foregroundLockTimeout)),
            SPIF_SENDCHANGE);
    }
    if (now.mouseTrails != keptSettings.mouseTrails) {
        SystemParametersInfoW(SPI_SETMOUSETRAILS, keptSettings.mouseTrails, nullptr, 0);
    }
}

}  // namespace

void restoreSessionSettingsAtExit() {
    static bool registered = false;
    if (registered || !readSessionSettings(keptSettings)) {
        return;  // already kept, or nothing known that could be put back
    }
    registered = std::atexit(putBackSessionSettings) == 0;
}
