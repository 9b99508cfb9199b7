// The background schedule (see background_schedule.h). Sums of times are made
// in double precision and kept as floats; the end of a ramp is a float sum.
#include "scene/background_schedule.h"

int pickPictureAfter(int other, int randomValue) {
    return (other + 1 + randomValue % kPickSpan) % kBackgroundCount;
}

void BackgroundSchedule::scheduleFade(double delay) {
    fadeStart_ = static_cast<float>(timer_() + delay);
    nextSwitch_ = static_cast<float>(timer_() + delay + kSwitchInterval);
}

bool BackgroundSchedule::advance() {
    const bool changed = changePictureIfDue();
    updateFadeValue();
    return changed;
}

bool BackgroundSchedule::changePictureIfDue() {
    if (timer_() < nextSwitch_) {
        return false;
    }
    // The picture that the finished ramp left off screen is the one replaced.
    if (fadeToSecond_ == 1) {
        pickBackgroundA();
    } else {
        pickBackgroundB();
    }
    scheduleFade(0.0);
    fadeToSecond_ = fadeToSecond_ == 1 ? 0 : 1;
    return true;
}

void BackgroundSchedule::updateFadeValue() {
    const double now = timer_();
    const float rampEnd = fadeStart_ + kFadeSeconds;
    if (now <= rampEnd) {
        // Before the ramp starts this is negative; the shader shows unit 1's picture then.
        fadeValue_ = static_cast<float>((now - fadeStart_) / kFadeSeconds);
        if (fadeToSecond_ == 0) {
            fadeValue_ = static_cast<float>(1.0 - fadeValue_);
        }
    } else {
        fadeValue_ = fadeToSecond_ == 1 ? 1.0f : 0.0f;
    }
}
