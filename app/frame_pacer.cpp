// Frame pacing (see frame_pacer.h).
#include "app/frame_pacer.h"

#include <algorithm>

double minimumFrameInterval(PacedWindow window, int refreshHz, double delaySeconds) {
    const double refresh = refreshHz > 0 ? refreshHz : kAssumedRefreshHz;
    const double displayInterval = 1.0 / refresh;
    switch (window) {
        case PacedWindow::Preview:
            return std::max(displayInterval, 1.0 / kPreviewFramesPerSecond);
        case PacedWindow::HandedWindow:
            return std::max(displayInterval, delaySeconds);
        case PacedWindow::FullScreen:
            break;
    }
    return displayInterval;
}

int refreshRateUnder(const ScreenRect& window, const std::vector<MonitorRefresh>& monitors) {
    int fastest = 0;
    for (const MonitorRefresh& monitor : monitors) {
        const ScreenRect& m = monitor.area;
        const bool overlaps = window.x < m.x + m.width && m.x < window.x + window.width &&
                              window.y < m.y + m.height && m.y < window.y + window.height;
        if (overlaps) {
            fastest = std::max(fastest, monitor.refreshHz);
        }
    }
    return fastest;
}

double FramePacer::waitBeforeNextFrame(double now) const {
    const double wait = lastStart_ + interval_ - now;
    return wait >= kShortestWaitSeconds ? wait : 0.0;
}
