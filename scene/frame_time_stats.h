// Whole-frame times: each tick after the first measures the interval since
// the previous tick (the previous frame's drawing, its buffer swap and its
// event polling together), less the time the program chose to wait in it
// (pacing, or a pause while no one could see the window), and keeps their
// running average and the first of them one by one, for the render-mode
// decision.
#pragma once

#include <cstddef>
#include <vector>

class FrameTimeStats {
  public:
    // Keeps the first `keptFrames` measured intervals.
    explicit FrameTimeStats(std::size_t keptFrames = 100) : keptFrames_(keptFrames) {}

    // The first call only starts the clock; every later call measures one
    // frame. `now` is the frame's reading of the timer, `waitedSeconds` how
    // long the program itself waited since the previous tick.
    void tick(double now, double waitedSeconds = 0.0);

    int count() const { return count_; }
    float averageMs() const { return average_; }
    float lastMs() const { return last_; }
    const std::vector<float>& firstFramesMs() const { return firstFrames_; }

  private:
    float start_ = 0.0f;    // seconds, when the current interval began
    float end_ = 0.0f;      // seconds, when the last measured interval ended
    float last_ = 0.0f;     // milliseconds
    float total_ = 0.0f;    // milliseconds
    float average_ = 0.0f;  // milliseconds
    int count_ = 0;
    int started_ = 0;
    std::size_t keptFrames_;
    std::vector<float> firstFrames_;  // milliseconds
};
