// Whole-frame time statistics (see frame_time_stats.h). Times are held in
// single precision, as the timer's value is taken as a float.
#include "scene/frame_time_stats.h"

namespace {

constexpr double kMillisecondsPerSecond = 1000.0;

}  // namespace

void FrameTimeStats::tick() {
    if (started_ == 0) {
        start_ = static_cast<float>(timer_());
        started_ = 1;
        return;
    }
    end_ = static_cast<float>(timer_());
    last_ = static_cast<float>((end_ - start_) * kMillisecondsPerSecond);
    total_ += last_;
    count_ += 1;
    average_ = total_ / static_cast<float>(count_);
    // Read again, so the time spent in this bookkeeping counts towards the next frame.
    start_ = static_cast<float>(timer_());
}
