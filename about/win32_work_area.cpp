// Centring on the owner's monitor (see win32_work_area.h).
#include "about/win32_work_area.h"

about::Point centredOnOwnersMonitor(HWND owner, int width, int height) {
    HMONITOR monitor = owner != nullptr ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                        : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) {
        return about::centredWindowOrigin(GetSystemMetrics(SM_CXSCREEN),
                                          GetSystemMetrics(SM_CYSCREEN), width, height);
    }
    const RECT& work = info.rcWork;
    return about::centredInArea(
        about::Box{work.left, work.top, work.right - work.left, work.bottom - work.top}, width,
        height);
}
