// How big the render window is: the full-screen size rule, and the window's
// current size and aspect ratio as the renderer reads them.
#pragma once

#include <vector>

#include "platform/desktop_monitors.h"

// Windows Vista: from here on the window takes the primary monitor's mode.
constexpr int kFirstVersionKeepingTheMode = 60;

struct WindowSize {
    int width = 0;
    int height = 0;
};

// Windows Vista (60) and later keep the primary monitor's current mode; older
// systems switch the display to 800 x 600. A missing mode (no monitor, or GLFW
// failed to start) also gives 800 x 600.
WindowSize fullScreenWindowSize(int windowsVersion, WindowSize primaryMode);

// The smallest rectangle that holds every monitor: with more than one
// monitor the screensaver covers it with one window. Monitors without a size
// are left out; none at all give an empty rectangle.
ScreenRect desktopSpanning(const std::vector<ScreenRect>& monitors);

// What a full-screen run covers: with more than one monitor, one borderless
// window over the rectangle that holds them all; otherwise a full-screen
// window of `area`'s size on the primary monitor.
struct DesktopCover {
    bool spansMonitors = false;
    ScreenRect area;

    bool operator==(const DesktopCover& other) const {
        return spansMonitors == other.spansMonitors && area.x == other.area.x &&
               area.y == other.area.y && area.width == other.area.width &&
               area.height == other.area.height;
    }
    bool operator!=(const DesktopCover& other) const { return !(*this == other); }
};

// The aspect ratio of a drawing area; a height of 0 (a minimised window) keeps
// `previous` rather than dividing by zero.
float aspectRatioOf(int width, int height, float previous);

// The render window's size, kept current by its size callback.
struct WindowState {
    int width = 0;
    int height = 0;
    float aspectRatio = 1.0f;  // width / height, as floats

    void resize(int newWidth, int newHeight);
};
