// The background schedule: two of the pictures are bound at all times
// (units 1 and 2); one change interval (a minute unless the user chose
// otherwise) after set-up a 3-second cross-fade to the second begins, and
// from then on every interval the picture not on screen is replaced by a
// random one of those the user checked and a cross-fade to it starts at once.
// With no interval ("never") or one picture checked, unit 1's picture stays
// all run. Each call is given the frame's time, and random numbers come from
// the function it is given, so tests drive it with their own.
#pragma once

#include <functional>

#include "resources/background_pictures.h"

// A new picture lies 1 to 6 places after the other unit's, cyclically.
constexpr int kPickSpan = 6;
// From set-up to the first cross-fade, and from the start of a cross-fade to
// the next picture change, unless the user chose otherwise.
constexpr double kDefaultChangeSeconds = 60.0;
constexpr float kFadeSeconds = 3.0f;
// Bit i set: picture i may be shown.
constexpr unsigned kAllPicturesShown = (1u << kBackgroundCount) - 1u;

// The picture index 1 to 6 places after `other`, chosen by `randomValue`
// (a rand() value) among those `shown`: never `other` itself nor the one just
// before it, unless no other picture is shown.
int pickPictureAfter(int other, int randomValue, unsigned shown = kAllPicturesShown);

class BackgroundSchedule {
  public:
    using Random = int (*)();

    // `changeSeconds` 0: never a change.
    explicit BackgroundSchedule(Random random, double changeSeconds = kDefaultChangeSeconds,
                                unsigned shown = kAllPicturesShown);

    void pickBackgroundA() { backgroundA_ = pickPictureAfter(backgroundB_, random_(), shown_); }
    // Where the picture never changes, unit 2 shares unit 1's picture, so no
    // texture is made for a picture never shown.
    void pickBackgroundB() {
        backgroundB_ = changes_ ? pickPictureAfter(backgroundA_, random_(), shown_) : backgroundA_;
    }

    // The next cross-fade starts `delay` seconds after `now`; the next
    // picture change is due one change interval after that.
    void scheduleFade(double now, double delay);
    // Set-up's: the first cross-fade one change interval after `now`.
    void scheduleFirstFade(double now) { scheduleFade(now, changeSeconds_); }
    // False where the picture never changes.
    bool changes() const { return changes_; }
    // Where no cross-fade runs or is still to come before the next change at
    // `now`, the one picture on screen; -1 otherwise. The other unit's
    // picture is then not seen until the next change replaces it.
    int aloneAt(double now) const;

    // After each frame drawn at `now`: a picture change when one is due, then
    // the value that the next frame sends as textureTime. True when a picture
    // changed.
    bool advance(double now);

    // Takes `picture` out of those that may be shown (its data is damaged):
    // it is never picked again, and where it is on unit 1 or 2 or is the one
    // the next change brings, another takes its place. False once no picture
    // is left.
    bool leaveOut(int picture);
    // Asks `usable` of the pictures on units 1 and 2 (it may decode them),
    // leaving out and replacing each it refuses. False once none is left.
    bool keepUsable(const std::function<bool(int picture)>& usable);

    // Moves the cross-fade and the next change `seconds` later: while no one
    // could see the water its pictures stood still, so a fade that was
    // running goes on where it stopped and no changes pile up.
    void postpone(double seconds);

    // The picture the next change will bring in. It is drawn the first time
    // it is asked for, rather than at the change: the random values are
    // drawn in the same order either way, so the pictures are the same.
    int upcomingPicture();

    float fadeValue() const { return fadeValue_; }
    float fadeStart() const { return fadeStart_; }
    float nextSwitch() const { return nextSwitch_; }
    int fadeToSecond() const { return fadeToSecond_; }
    int backgroundA() const { return backgroundA_; }
    int backgroundB() const { return backgroundB_; }

  private:
    bool changePictureIfDue(double now);
    void updateFadeValue(double now);

    Random random_;
    double changeSeconds_;
    unsigned shown_;
    bool changes_;
    float fadeValue_ = 0.0f;
    float fadeStart_ = 0.0f;   // seconds on the timer
    float nextSwitch_ = 0.0f;  // seconds on the timer
    int fadeToSecond_ = 1;     // 1 while fading towards unit 2's picture
    int backgroundA_ = 0;      // on unit 1
    int backgroundB_ = 0;      // on unit 2
    int upcoming_ = -1;        // -1 until asked for
};
