// The desktop's monitors from EnumDisplayMonitors, the list the shell itself
// lays windows out by, and each one's refresh rate from its display device.
#include <windows.h>

#include "platform/desktop_monitors.h"

namespace {

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
        {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
    return TRUE;
}

// 0 and 1 stand for the hardware's default rate, which the system does not name.
constexpr DWORD kLowestNamedRefresh = 2;

BOOL CALLBACK addMonitorRefresh(HMONITOR monitor, HDC, LPRECT rect, LPARAM list) {
    MonitorRefresh entry;
    entry.area = {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
    MONITORINFOEXA info{};
    info.cbSize = sizeof(info);
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    if (GetMonitorInfoA(monitor, &info) &&
        EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode) &&
        mode.dmDisplayFrequency >= kLowestNamedRefresh) {
        entry.refreshHz = static_cast<int>(mode.dmDisplayFrequency);
    }
    reinterpret_cast<std::vector<MonitorRefresh>*>(list)->push_back(entry);
    return TRUE;
}

}  // namespace

std::vector<MonitorRefresh> monitorRefreshRates() {
    std::vector<MonitorRefresh> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitorRefresh, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::vector<ScreenRect> desktopMonitors() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}
