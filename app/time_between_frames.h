// What a window's next frame is told of the time since its last one: how
// long the loop chose not to draw (waited) and, of that, how long it was
// paused because no one could see it (paused). A window skipped while the
// loop draws others counts its whole time away as both, so its pictures'
// schedule stands still meanwhile and its statistics leave it out.
#pragma once

class TimeBetweenFrames {
  public:
    struct Gap {
        double waited = 0.0;
        double paused = 0.0;
    };

    // The loop waited between two passes; a skipped window counts its time
    // away instead.
    void addLoopWait(double waited, double paused);
    // The window was not drawn in the pass at `now` (seconds on a steady clock).
    void skipped(double now);
    // The gap to hand to the frame drawn at `now`; counting starts afresh.
    Gap take(double now);

  private:
    Gap gap_;
    bool skipping_ = false;
    double skippedSince_ = 0.0;
};
