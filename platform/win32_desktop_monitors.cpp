// The desktop's monitors from EnumDisplayMonitors, the list the shell itself
// lays windows out by.
#include <windows.h>

#include "platform/desktop_monitors.h"

namespace {

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
        {rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
    return TRUE;
}

}  // namespace

std::vector<ScreenRect> desktopMonitors() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}
