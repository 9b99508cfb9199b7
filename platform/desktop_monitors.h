// The monitors of the desktop as the system reports them: each one's place
// and size in pixels. The window library may see fewer (GLFW on Windows lists
// display adapters, which a desktop spread over one adapter does not show).
#pragma once
#include <vector>

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

std::vector<ScreenRect> desktopMonitors();

// A monitor's place on the desktop and how often it refreshes (0 or less
// where the system cannot say).
struct MonitorRefresh {
    ScreenRect area;
    int refreshHz = 0;
};

std::vector<MonitorRefresh> monitorRefreshRates();
