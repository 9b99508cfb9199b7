// Whole-frame time statistics (see frame_time_stats.h). Times are held in
// single precision, as the timer's value is taken as a float.
#include "scene/frame_time_stats.h"

namespace {

constexpr double kMillisecondsPerSecond = 1000.0;

}  // namespace

void FrameTimeStats::tick(double now, double waitedSeconds) {
    if (started_ == 0) {
        start_ = static_cast<float>(now);
        started_ = 1;
        return;
    }
    end_ = static_cast<float>(now);
    const double worked = (end_ - start_) - waitedSeconds;
    last_ = static_cast<float>((worked > 0.0 ? worked : 0.0) * kMillisecondsPerSecond);
    total_ += last_;
    count_ += 1;
    average_ = total_ / static_cast<float>(count_);
    if (firstFrames_.size() < keptFrames_) {
        firstFrames_.push_back(last_);
    }
    start_ = end_;
}
