// The background schedule (see background_schedule.h). Sums of times are made
// in double precision and kept as floats; the end of a ramp is a float sum.
#include "scene/background_schedule.h"

#include <limits>

namespace {

bool isShown(unsigned shown, int picture) {
    return ((shown >> picture) & 1u) != 0;
}

int shownCount(unsigned shown) {
    int count = 0;
    for (int picture = 0; picture < kBackgroundCount; ++picture) {
        count += isShown(shown, picture) ? 1 : 0;
    }
    return count;
}

}  // namespace

int pickPictureAfter(int other, int randomValue, unsigned shown) {
    if ((shown & kAllPicturesShown) == 0) {
        shown = kAllPicturesShown;
    }
    // With every picture shown these are the kPickSpan places after `other`,
    // so the default choice is the same as ever.
    int candidates[kPickSpan];
    int count = 0;
    for (int step = 1; step <= kPickSpan; ++step) {
        const int picture = (other + step) % kBackgroundCount;
        if (isShown(shown, picture)) {
            candidates[count++] = picture;
        }
    }
    if (count > 0) {
        return candidates[randomValue % count];
    }
    // Only `other` or the one before it is shown: the one before, else `other`.
    const int before = (other + kBackgroundCount - 1) % kBackgroundCount;
    return isShown(shown, before) ? before : other;
}

BackgroundSchedule::BackgroundSchedule(Random random, double changeSeconds, unsigned shown)
    : random_(random),
      changeSeconds_(changeSeconds),
      shown_(shown),
      changes_(changeSeconds > 0.0 && shownCount(shown) > 1) {}

void BackgroundSchedule::scheduleFade(double now, double delay) {
    if (!changes_) {
        // No fade ever comes: whoever waits for the next one waits as long as it may.
        fadeStart_ = std::numeric_limits<float>::infinity();
        nextSwitch_ = fadeStart_;
        return;
    }
    fadeStart_ = static_cast<float>(now + delay);
    nextSwitch_ = static_cast<float>(now + delay + changeSeconds_);
}

bool BackgroundSchedule::advance(double now) {
    if (!changes_) {
        // Unit 1's picture alone, as on the very first frame.
        fadeValue_ = 0.0f;
        return false;
    }
    const bool changed = changePictureIfDue(now);
    updateFadeValue(now);
    return changed;
}

int BackgroundSchedule::aloneAt(double now) const {
    if (!changes_) {
        return backgroundA_;
    }
    if (now < static_cast<double>(fadeStart_) + kFadeSeconds) {
        return -1;
    }
    return fadeToSecond_ == 1 ? backgroundB_ : backgroundA_;
}

bool BackgroundSchedule::leaveOut(int picture) {
    shown_ &= ~(1u << picture);
    if (shownCount(shown_) == 0) {
        return false;
    }
    const bool changed = changes_;
    changes_ = changeSeconds_ > 0.0 && shownCount(shown_) > 1;
    if (changed && !changes_) {
        // One picture left: it stays all run, as with one picture checked.
        scheduleFade(0.0, 0.0);
    }
    if (upcoming_ == picture) {
        upcoming_ = -1;
    }
    if (backgroundA_ == picture) {
        backgroundA_ = pickPictureAfter(backgroundB_, random_(), shown_);
    }
    if (backgroundB_ == picture || !changes_) {
        pickBackgroundB();
    }
    return true;
}

bool BackgroundSchedule::keepUsable(const std::function<bool(int picture)>& usable) {
    for (;;) {
        const int refused = !usable(backgroundA_)   ? backgroundA_
                            : !usable(backgroundB_) ? backgroundB_
                                                    : -1;
        if (refused < 0) {
            return true;
        }
        if (!leaveOut(refused)) {
            return false;
        }
    }
}

void BackgroundSchedule::postpone(double seconds) {
    fadeStart_ = static_cast<float>(fadeStart_ + seconds);
    nextSwitch_ = static_cast<float>(nextSwitch_ + seconds);
}

int BackgroundSchedule::upcomingPicture() {
    if (!changes_) {
        return backgroundA_;  // nothing to make ready
    }
    if (upcoming_ < 0) {
        // The picture that stays on screen through the change.
        const int staying = fadeToSecond_ == 1 ? backgroundB_ : backgroundA_;
        upcoming_ = pickPictureAfter(staying, random_(), shown_);
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
