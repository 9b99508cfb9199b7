// How big the render window is: the full-screen size rule, and the window's
// current size and aspect ratio as the renderer reads them.
#pragma once

#include <vector>

#include "platform/desktop_monitors.h"
#include "platform/user_settings.h"

struct WindowSize {
    int width = 0;
    int height = 0;
};

// A system that keeps the display's mode for a full-screen window gets a window
// of the primary monitor's current mode; one that switches the display gets
// 800 x 600. A missing mode (no monitor, or GLFW failed to start) also gives
// 800 x 600.
WindowSize fullScreenWindowSize(bool keepsDisplayMode, WindowSize primaryMode);

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
        return spansMonitors == other.spansMonitors && area == other.area;
    }
};

// One window of a full-screen run: where it goes and whether it shows the
// water or stays black.
struct CoverWindow {
    ScreenRect area;
    // A full-screen window of the system's on the primary monitor (one
    // monitor); otherwise a borderless window above the others over `area`.
    bool ownsPrimaryMonitor = false;
    bool showsWater = true;

    bool operator==(const CoverWindow& other) const {
        return area == other.area && ownsPrimaryMonitor == other.ownsPrimaryMonitor &&
               showsWater == other.showsWater;
    }
};

// The main monitor: the one whose top left corner is the desktop's origin, as
// the system places it; the first with a size where none is.
int primaryMonitorIndex(const std::vector<ScreenRect>& monitors);

// The windows that cover `desktop` for the user's monitor choice, the main
// monitor's first. One scene across all monitors, and every choice on a
// single monitor, is one window over `desktop`; otherwise each monitor with
// a size gets a borderless window of its own, every one with the water, or
// only the main monitor's with the rest black.
std::vector<CoverWindow> coverWindows(const DesktopCover& desktop,
                                      const std::vector<ScreenRect>& monitors,
                                      MonitorChoice choice);

// The aspect ratio of a drawing area; a height of 0 (a minimised window) keeps
// `previous` rather than dividing by zero.
float aspectRatioOf(int width, int height, float previous);

// A render window's size, kept current by its size callback.
struct WindowState {
    int width = 0;
    int height = 0;
    float aspectRatio = 1.0f;  // width / height, as floats
    // The system lost what the window showed: a window that is drawn only
    // once (a black one) draws again.
    bool contentsLost = false;

    void resize(int newWidth, int newHeight);
};
