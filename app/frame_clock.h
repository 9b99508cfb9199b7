// The time and viewport size that drawing code reads: the time is the absolute
// GLFW timer value of the current frame (not time since start), set once per
// frame by the main loop; the viewport is set by the renderer before each pass.
#pragma once

class FrameClock {
  public:
    explicit FrameClock(float startTime) : time_(startTime) {}

    void setViewport(float width, float height) {
        width_ = width;
        height_ = height;
    }
    void setTime(float time) { time_ = time; }

    float width() const { return width_; }
    float height() const { return height_; }
    float time() const { return time_; }

  private:
    float width_ = 0.0f;
    float height_ = 0.0f;
    float time_;
};
