// Frame pacing (see frame_pacer.h).
#include "app/frame_pacer.h"

#include <algorithm>
#include <cmath>

double frameRateCap(FrameRateChoice choice) {
    switch (choice) {
        case FrameRateChoice::UpTo60:
            return 60.0;
        case FrameRateChoice::About30:
            return 30.0;
        case FrameRateChoice::EveryRefresh:
            break;
    }
    return 0.0;
}

int refreshesPerFrame(int refreshHz, FrameRateChoice choice) {
    const double refresh = refreshHz > 0 ? refreshHz : kAssumedRefreshHz;
    const double cap = frameRateCap(choice);
    return cap > 0.0 ? std::max(1, static_cast<int>(std::lround(refresh / cap))) : 1;
}

double minimumFrameInterval(PacedWindow window, int refreshHz, FrameRateChoice choice,
                            double delaySeconds) {
    const double refresh = refreshHz > 0 ? refreshHz : kAssumedRefreshHz;
    int refreshes = refreshesPerFrame(refreshHz, choice);
    switch (window) {
        case PacedWindow::Preview: {
            // Still a whole number of refreshes, enough to stay at most 30 a second.
            const int atMost30 = static_cast<int>(std::ceil(refresh / kPreviewFramesPerSecond));
            refreshes = std::max(refreshes, atMost30);
            break;
        }
        case PacedWindow::HandedWindow:
            return std::max(refreshes / refresh, delaySeconds);
        case PacedWindow::FullScreen:
            break;
    }
    return refreshes / refresh;
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

void FramePacer::frameStarted(double now) {
    // A late frame counts from now: the frames after it do not hurry to catch up.
    lastStart_ = std::max(now, lastStart_ + interval_);
}

double FramePacer::waitBeforeNextFrame(double now) const {
    const double wait = lastStart_ + interval_ - now;
    return wait >= kShortestWaitSeconds ? wait : 0.0;
}
