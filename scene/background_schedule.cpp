// The background schedule (see background_schedule.h). Sums of times are made
// in double precision and kept as floats; the end of a ramp is a float sum.
#include "scene/background_schedule.h"

int pickPictureAfter(int other, int randomValue) {
    return (other + 1 + randomValue % kPickSpan) % kBackgroundCount;
}

void BackgroundSchedule::scheduleFade(double now, double delay) {
    fadeStart_ = static_cast<float>(now + delay);
    nextSwitch_ = static_cast<float>(now + delay + kSwitchInterval);
}

bool BackgroundSchedule::advance(double now) {
    const bool changed = changePictureIfDue(now);
    updateFadeValue(now);
    return changed;
}

void BackgroundSchedule::postpone(double seconds) {
    fadeStart_ = static_cast<float>(fadeStart_ + seconds);
    nextSwitch_ = static_cast<float>(nextSwitch_ + seconds);
}

int BackgroundSchedule::upcomingPicture() {
    if (upcoming_ < 0) {
        // The picture that stays on screen through the change.
        const int staying = fadeToSecond_ == 1 ? backgroundB_ : backgroundA_;
        upcoming_ = pickPictureAfter(staying, random_());
    }
    return upcoming_;
}

bool BackgroundSchedule::changePictureIfDue(double now) {
    if (now < nextSwitch_) {
        return false;
    }
    // The picture that the finished ramp left off screen is the one replaced.
    const int incoming = upcomingPicture();
    upcoming_ = -1;
    if (fadeToSecond_ == 1) {
        backgroundA_ = incoming;
    } else {
        backgroundB_ = incoming;
    }
    scheduleFade(now, 0.0);
    fadeToSecond_ = fadeToSecond_ == 1 ? 0 : 1;
    return true;
}

void BackgroundSchedule::updateFadeValue(double now) {
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
