// How often frames are drawn. The swap interval paces nothing while the
// display is off, the window hidden or the driver ignores it, so the loop also
// sleeps between frames: a whole number of the monitor's refreshes per frame,
// as the user's frame-rate choice caps it (so motion stays even), a preview
// thumbnail at most 30 a second, a hack also as its --delay asks. The pacer
// only says how long to wait; the loop waits on its events that long.
#pragma once

#include <vector>

#include "platform/desktop_monitors.h"
#include "platform/user_settings.h"

// What the run draws into, as far as pacing goes.
enum class PacedWindow {
    FullScreen,    // the screensaver's own window over one monitor or all of them
    Preview,       // the Settings page's small preview pane
    HandedWindow,  // a window handed over by XScreenSaver or the user (--delay applies)
};

// A preview thumbnail's most frames a second.
constexpr double kPreviewFramesPerSecond = 30.0;
// Where the system cannot say how often its monitor refreshes.
constexpr int kAssumedRefreshHz = 60;
// Shorter waits are not worth a trip through the event queue: the frame
// starts that much early instead.
constexpr double kShortestWaitSeconds = 0.001;

// The most frames a second each choice asks for; 0: no cap.
double frameRateCap(FrameRateChoice choice);

// Refreshes of a `refreshHz` monitor (0 or less where unknown) per frame: the
// whole number nearest to refresh / cap, at least 1, so 144 Hz at "up to 60"
// shows 72 a second and 165 Hz shows 55.
int refreshesPerFrame(int refreshHz, FrameRateChoice choice);

// The least time from one frame's start to the next. `refreshHz` is the
// monitor's (0 or less where unknown); `choice` is the user's frame rate;
// `delaySeconds` is a hack's --delay (negative where none was given). A frame
// never comes faster than the monitor refreshes, whatever the delay.
double minimumFrameInterval(PacedWindow window, int refreshHz, FrameRateChoice choice,
                            double delaySeconds);

// The refresh rate that paces a window over `window`: the highest of the
// monitors it overlaps, so that none shows fewer frames than it can; 0 when
// it overlaps none that says.
int refreshRateUnder(const ScreenRect& window, const std::vector<MonitorRefresh>& monitors);

class FramePacer {
  public:
    explicit FramePacer(double minimumInterval) : interval_(minimumInterval) {}

    // A frame starts at `now` (seconds on a steady clock). One started up to
    // kShortestWaitSeconds early counts from when it was due, so that those
    // early starts never add up to more frames than the interval allows.
    void frameStarted(double now);

    // How long to wait at `now` before the next frame may start; 0 when it
    // may start at once.
    double waitBeforeNextFrame(double now) const;

    double interval() const { return interval_; }
    void setInterval(double minimumInterval) { interval_ = minimumInterval; }

  private:
    double interval_;
    double lastStart_ = -1.0e300;  // no frame yet: the first never waits
};
