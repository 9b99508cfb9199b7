// Whole-frame times: each tick after the first measures the interval since
// the previous tick (the previous frame's drawing, its buffer swap and its
// event polling together) and keeps their running average.
#pragma once

class FrameTimeStats {
  public:
    using Timer = double (*)();

    explicit FrameTimeStats(Timer timer) : timer_(timer) {}

    // The first call only starts the clock; every later call measures one frame.
    void tick();

    int count() const { return count_; }
    float averageMs() const { return average_; }
    float lastMs() const { return last_; }

  private:
    Timer timer_;
    float start_ = 0.0f;    // seconds, when the current interval began
    float end_ = 0.0f;      // seconds, when the last measured interval ended
    float last_ = 0.0f;     // milliseconds
    float total_ = 0.0f;    // milliseconds
    float average_ = 0.0f;  // milliseconds
    int count_ = 0;
    int started_ = 0;
};
