// The window size rule and the window's state.
#include "app/window_size.h"

#include <algorithm>

namespace {

constexpr WindowSize kClassicFullScreenSize{800, 600};

}  // namespace

WindowSize fullScreenWindowSize(bool keepsDisplayMode, WindowSize primaryMode) {
    if (!keepsDisplayMode || primaryMode.width <= 0 || primaryMode.height <= 0) {
        return kClassicFullScreenSize;
    }
    return primaryMode;
}

ScreenRect desktopSpanning(const std::vector<ScreenRect>& monitors) {
    bool any = false;
    int left = 0, top = 0, right = 0, bottom = 0;
    for (const ScreenRect& m : monitors) {
        if (m.width <= 0 || m.height <= 0) {
            continue;
        }
        left = any ? std::min(left, m.x) : m.x;
        top = any ? std::min(top, m.y) : m.y;
        right = any ? std::max(right, m.x + m.width) : m.x + m.width;
        bottom = any ? std::max(bottom, m.y + m.height) : m.y + m.height;
        any = true;
    }
    return any ? ScreenRect{left, top, right - left, bottom - top} : ScreenRect{};
}

int primaryMonitorIndex(const std::vector<ScreenRect>& monitors) {
    int firstSized = -1;
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        const ScreenRect& m = monitors[i];
        if (m.width <= 0 || m.height <= 0) {
            continue;
        }
        if (m.x == 0 && m.y == 0) {
            return i;
        }
        if (firstSized < 0) {
            firstSized = i;
        }
    }
    return firstSized;
}

std::vector<CoverWindow> coverWindows(const DesktopCover& desktop,
                                      const std::vector<ScreenRect>& monitors,
                                      MonitorChoice choice) {
    const std::vector<CoverWindow> one{{desktop.area, !desktop.spansMonitors, true}};
    const int primary = primaryMonitorIndex(monitors);
    if (choice == MonitorChoice::SpanAll || !desktop.spansMonitors || primary < 0) {
        return one;
    }
    std::vector<CoverWindow> windows{{monitors[primary], false, true}};
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        const ScreenRect& m = monitors[i];
        if (i != primary && m.width > 0 && m.height > 0) {
            windows.push_back({m, false, choice == MonitorChoice::EachMonitor});
        }
    }
    // Sized monitors too few to share out: the desktop as one.
    return windows.size() > 1 ? windows : one;
}

float aspectRatioOf(int width, int height, float previous) {
    if (height <= 0) {
        return previous;
    }
    return static_cast<float>(width) / static_cast<float>(height);
}

void WindowState::resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    aspectRatio = aspectRatioOf(newWidth, newHeight, aspectRatio);
}
