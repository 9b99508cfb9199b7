// The time a window's frame is told it was not drawn.
#include "app/time_between_frames.h"

void TimeBetweenFrames::addLoopWait(double waited, double paused) {
    if (!skipping_) {
        gap_.waited += waited;
        gap_.paused += paused;
    }
}

void TimeBetweenFrames::skipped(double now) {
    if (!skipping_) {
        skipping_ = true;
        skippedSince_ = now;
    }
}

TimeBetweenFrames::Gap TimeBetweenFrames::take(double now) {
    if (skipping_) {
        skipping_ = false;
        const double away = now - skippedSince_;
        gap_.waited += away;
        gap_.paused += away;
    }
    const Gap gap = gap_;
    gap_ = Gap{};
    return gap;
}
