// The background schedule driven by a test clock and a scripted random
// source: the first minute before any fade, the first cross-fade, the first
// picture change two minutes after set-up, then a change and a fade every
// minute with the units taking turns; a pause that stands the pictures
// still; and the picking rule.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "app/pictures_without_gl.h"
#include "scene/background_schedule.h"
#include "tests/support/scripted_timer.h"

namespace {

// rand() values: a counter, so that every remainder mod 6 comes round.
int nextRandom = 0;
int countingRandom() {
    return nextRandom++;
}

int largeRandom() {
    return 2147483647 - (nextRandom++ * 7919);
}

constexpr double kSetUp = 1000.0;  // T, when set-up schedules the first fade
constexpr double kStep = 0.125;    // exact in float at these times

// What a frame sees after advancing the schedule at `timerNow`.
struct Sample {
    double time;
    float fade;
    bool changed;
    int backgroundA;
    int backgroundB;
    int fadeToSecond;
};

std::vector<Sample> run(BackgroundSchedule& schedule, double until) {
    std::vector<Sample> samples;
    for (; timerNow <= until; timerNow += kStep) {
        const bool changed = schedule.advance(timerNow);
        samples.push_back({timerNow, schedule.fadeValue(), changed, schedule.backgroundA(),
                           schedule.backgroundB(), schedule.fadeToSecond()});
    }
    return samples;
}

BackgroundSchedule setUpAt(double time) {
    timerNow = time;
    nextRandom = 0;
    BackgroundSchedule schedule(countingRandom);
    schedule.pickBackgroundA();
    schedule.pickBackgroundB();
    schedule.scheduleFade(timerNow, kDefaultChangeSeconds);
    return schedule;
}

}  // namespace

TEST(BackgroundSchedule, SetUpPicksTwoPicturesAndTheFirstFadeAMinuteAhead) {
    BackgroundSchedule schedule = setUpAt(kSetUp);
    // backgroundB is still 0 when A is picked: A is 1 to 6; B then follows A.
    EXPECT_EQ(schedule.backgroundA(), 1);  // rand 0
    EXPECT_EQ(schedule.backgroundB(), 3);  // rand 1: 1 + 1 + 1
    EXPECT_EQ(schedule.fadeStart(), static_cast<float>(kSetUp + 60.0));
    EXPECT_EQ(schedule.nextSwitch(), static_cast<float>(kSetUp + 120.0));
    EXPECT_EQ(schedule.fadeToSecond(), 1);
    EXPECT_EQ(schedule.fadeValue(), 0.0f);  // what the very first frame sends
}

TEST(BackgroundSchedule, TimetableOfTheFirstFourMinutes) {
    BackgroundSchedule schedule = setUpAt(kSetUp);
    const int firstA = schedule.backgroundA();
    const int firstB = schedule.backgroundB();
    const std::vector<Sample> samples = run(schedule, kSetUp + 245.0);

    std::vector<const Sample*> changes;
    for (const Sample& s : samples) {
        const double t = s.time - kSetUp;
        if (s.changed) {
            changes.push_back(&s);
        }
        if (t < 60.0) {
            // Negative: the shader shows unit 1's picture alone.
            EXPECT_LT(s.fade, 0.0f) << "at T+" << t;
            EXPECT_NEAR(s.fade, (t - 60.0) / 3.0, 1e-4) << "at T+" << t;
        } else if (t <= 63.0) {
            EXPECT_NEAR(s.fade, (t - 60.0) / 3.0, 1e-4) << "at T+" << t;
        } else if (t < 120.0) {
            EXPECT_EQ(s.fade, 1.0f) << "at T+" << t;
        } else if (t <= 123.0) {
            EXPECT_NEAR(s.fade, 1.0 - (t - 120.0) / 3.0, 1e-4) << "at T+" << t;
        } else if (t < 180.0) {
            EXPECT_EQ(s.fade, 0.0f) << "at T+" << t;
        } else if (t <= 183.0) {
            EXPECT_NEAR(s.fade, (t - 180.0) / 3.0, 1e-4) << "at T+" << t;
        } else if (t < 240.0) {
            EXPECT_EQ(s.fade, 1.0f) << "at T+" << t;
        }
    }
    EXPECT_NEAR(samples.front().fade, -20.0f, 1e-4);

    ASSERT_EQ(changes.size(), 3u);
    // T+120: unit 1 gets a new picture and the fade runs back to it.
    EXPECT_EQ(changes[0]->time, kSetUp + 120.0);
    EXPECT_EQ(changes[0]->fadeToSecond, 0);
    EXPECT_NE(changes[0]->backgroundA, firstA);
    EXPECT_EQ(changes[0]->backgroundB, firstB);
    // T+180: unit 2's turn.
    EXPECT_EQ(changes[1]->time, kSetUp + 180.0);
    EXPECT_EQ(changes[1]->fadeToSecond, 1);
    EXPECT_EQ(changes[1]->backgroundA, changes[0]->backgroundA);
    EXPECT_NE(changes[1]->backgroundB, firstB);
    EXPECT_EQ(changes[2]->time, kSetUp + 240.0);
    EXPECT_EQ(changes[2]->fadeToSecond, 0);
    EXPECT_EQ(changes[2]->backgroundB, changes[1]->backgroundB);
}

TEST(BackgroundSchedule, AChangeAndAFadeEveryMinuteForHours) {
    BackgroundSchedule schedule = setUpAt(kSetUp);
    const std::vector<Sample> samples = run(schedule, kSetUp + 3 * 3600.0 + 10.0);
    int previousFadeToSecond = 1;
    double previousChange = kSetUp + 60.0;
    int changes = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        if (!s.changed) {
            continue;
        }
        ++changes;
        // At whole seconds: the float times stay within one step of them.
        EXPECT_NEAR(s.time - previousChange, 60.0, kStep) << "change " << changes;
        previousChange = s.time;
        EXPECT_NE(s.fadeToSecond, previousFadeToSecond);
        previousFadeToSecond = s.fadeToSecond;
        // The replaced picture is the one the last ramp left off screen.
        const Sample& before = samples[i - 1];
        if (s.fadeToSecond == 0) {
            EXPECT_EQ(s.backgroundB, before.backgroundB);
        } else {
            EXPECT_EQ(s.backgroundA, before.backgroundA);
        }
        EXPECT_NE(s.backgroundA, s.backgroundB);
    }
    EXPECT_EQ(changes, 3 * 60 - 1);
}

// Frames stop for an hour in the middle of the first cross-fade (the display
// went off), then go on: the fade finishes as it would have, and the change
// that was due a minute after it comes a minute after it, not at once.
TEST(BackgroundSchedule, APauseStandsThePicturesStill) {
    BackgroundSchedule schedule = setUpAt(kSetUp);
    run(schedule, kSetUp + 61.5);
    const float halfWay = schedule.fadeValue();
    EXPECT_NEAR(halfWay, 0.5f, 0.05f);
    const int a = schedule.backgroundA();
    const int b = schedule.backgroundB();
    const double pause = 3600.0;
    timerNow += pause;
    schedule.postpone(pause);
    const std::vector<Sample> after = run(schedule, kSetUp + pause + 125.0);
    EXPECT_NEAR(after.front().fade, halfWay, 0.05f);
    int changes = 0;
    for (const Sample& sample : after) {
        if (sample.time < kSetUp + pause + 63.0) {
            EXPECT_GE(sample.fade, halfWay - 0.05f) << sample.time;
            EXPECT_EQ(sample.backgroundA, a);
            EXPECT_EQ(sample.backgroundB, b);
        }
        if (sample.changed) {
            ++changes;
            EXPECT_NEAR(sample.time, kSetUp + pause + 120.0, kStep);
        }
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(after.back().fadeToSecond, 0);
}

TEST(PickingRule, NeverTheOtherPictureNorTheOneBeforeIt) {
    for (int other = 0; other < kBackgroundCount; ++other) {
        std::set<int> seen;
        for (int r = 0; r < 20000; ++r) {
            const int picked = pickPictureAfter(other, r * 37 + 11);
            ASSERT_GE(picked, 0);
            ASSERT_LT(picked, kBackgroundCount);
            EXPECT_NE(picked, other);
            EXPECT_NE(picked, (other + kBackgroundCount - 1) % kBackgroundCount);
            seen.insert(picked);
        }
        EXPECT_EQ(seen.size(), 6u) << "other = " << other;
    }
    // With the other unit on 7, the new picture is 0 to 5.
    std::set<int> afterSeven;
    for (int r = 0; r < 600; ++r) {
        afterSeven.insert(pickPictureAfter(7, r));
    }
    EXPECT_EQ(afterSeven, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

TEST(PickingRule, ScheduledChangesFollowItWithLargeRandomValues) {
    timerNow = kSetUp;
    nextRandom = 0;
    BackgroundSchedule schedule(largeRandom);
    schedule.pickBackgroundA();
    EXPECT_GE(schedule.backgroundA(), 1);
    EXPECT_LE(schedule.backgroundA(), 6);
    schedule.pickBackgroundB();
    schedule.scheduleFade(timerNow, kDefaultChangeSeconds);
    for (int minute = 0; minute < 500; ++minute) {
        const int a = schedule.backgroundA();
        const int b = schedule.backgroundB();
        const int toSecond = schedule.fadeToSecond();
        timerNow = schedule.nextSwitch();
        ASSERT_TRUE(schedule.advance(timerNow));
        // The picture that changed, and the one on screen while it did.
        const int changed = toSecond == 1 ? schedule.backgroundA() : schedule.backgroundB();
        const int onScreen = toSecond == 1 ? b : a;
        const int step = (changed - onScreen + kBackgroundCount) % kBackgroundCount;
        EXPECT_GE(step, 1) << "minute " << minute;
        EXPECT_LE(step, 6) << "minute " << minute;
    }
}

TEST(PickingRule, TheUpcomingPictureIsKnownAheadAndChangesNoPick) {
    // Two schedules on the same random values: one is asked for the upcoming
    // picture at every step, the other never.
    int randomA = 0, randomB = 0;
    static int* counter = nullptr;
    auto random = [] { return 2147483647 - ((*counter)++ * 7919); };
    timerNow = kSetUp;
    counter = &randomA;
    BackgroundSchedule asked(+random);
    asked.pickBackgroundA();
    asked.pickBackgroundB();
    asked.scheduleFade(timerNow, kDefaultChangeSeconds);
    counter = &randomB;
    BackgroundSchedule silent(+random);
    silent.pickBackgroundA();
    silent.pickBackgroundB();
    silent.scheduleFade(timerNow, kDefaultChangeSeconds);
    int changes = 0;
    for (; timerNow < kSetUp + 2 * 3600.0; timerNow += 0.5) {
        counter = &randomA;
        const int upcoming = asked.upcomingPicture();
        const int toSecond = asked.fadeToSecond();
        const bool changed = asked.advance(timerNow);
        if (changed) {
            ++changes;
            EXPECT_EQ(toSecond == 1 ? asked.backgroundA() : asked.backgroundB(), upcoming);
        }
        counter = &randomB;
        ASSERT_EQ(silent.advance(timerNow), changed);
        ASSERT_EQ(silent.backgroundA(), asked.backgroundA()) << "at " << timerNow;
        ASSERT_EQ(silent.backgroundB(), asked.backgroundB()) << "at " << timerNow;
    }
    EXPECT_GE(changes, 118);
}

// The user's choices: a change every 30 s among the two pictures checked;
// one picture checked, or "never", keeps unit 1's picture all run.
TEST(BackgroundSchedule, TheChosenIntervalAndOnlyTheCheckedPictures) {
    timerNow = kSetUp;
    nextRandom = 0;
    const unsigned twoShown = (1u << 2) | (1u << 5);
    BackgroundSchedule schedule(countingRandom, 30.0, twoShown);
    schedule.pickBackgroundA();
    schedule.pickBackgroundB();
    schedule.scheduleFirstFade(timerNow);
    EXPECT_EQ(schedule.fadeStart(), static_cast<float>(kSetUp + 30.0));
    std::vector<double> changes;
    for (const Sample& s : run(schedule, kSetUp + 600.0)) {
        EXPECT_TRUE(s.backgroundA == 2 || s.backgroundA == 5) << s.backgroundA;
        EXPECT_NE(s.backgroundA, s.backgroundB) << "at " << s.time;
        EXPECT_TRUE(s.backgroundB == 2 || s.backgroundB == 5) << s.backgroundB;
        if (s.changed) {
            changes.push_back(s.time - kSetUp);
        }
    }
    ASSERT_EQ(changes.size(), 19u);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        EXPECT_NEAR(changes[i], 60.0 + 30.0 * i, kStep);
    }

    for (const auto& [seconds, shown] :
         {std::pair<double, unsigned>{30.0, 1u << 6}, {0.0, kAllPicturesShown}, {0.0, 1u << 0}}) {
        timerNow = kSetUp;
        BackgroundSchedule still(largeRandom, seconds, shown);
        still.pickBackgroundA();
        still.pickBackgroundB();
        still.scheduleFirstFade(timerNow);
        EXPECT_FALSE(still.changes());
        // Nothing to wait for, not a fade due at once.
        EXPECT_GT(still.fadeStart(), 1e30f);
        EXPECT_GT(still.nextSwitch(), 1e30f);
        const int picture = still.backgroundA();
        EXPECT_TRUE((shown >> picture) & 1u);
        EXPECT_EQ(still.upcomingPicture(), picture);
        for (const Sample& s : run(still, kSetUp + 2 * 3600.0)) {
            ASSERT_FALSE(s.changed);
            ASSERT_EQ(s.fade, 0.0f);  // unit 1 alone
            ASSERT_EQ(s.backgroundA, picture);
        }
    }
}

// The pictures drawn without OpenGL, stepped as their loop steps them over
// four minutes: drawn at set-up and while a cross-fade runs, never between
// changes, and every fade ends on the incoming picture alone.
TEST(PicturesWithoutGL, DrawnOnlyWhileAFadeRunsEachEndingOnTheNewPicture) {
    BackgroundSchedule schedule = setUpAt(kSetUp);
    PicturesStep shown;
    int draws = 0;
    int fadesEnded = 0;
    bool wasFading = false;
    for (double now = kSetUp; now < kSetUp + 240.0;) {
        schedule.advance(now);
        const PicturesStep step = picturesStepAt(schedule, now);
        const bool fading =
            now >= schedule.fadeStart() && now < schedule.fadeStart() + kFadeSeconds;
        if (draws == 0 || !step.showsTheSameAs(shown)) {
            EXPECT_TRUE(draws == 0 || fading || now == schedule.fadeStart() + kFadeSeconds)
                << "drawn between changes at " << now - kSetUp;
            ++draws;
        }
        if (wasFading && !fading) {
            // The step that ends a fade: one picture alone, the one that came in.
            ++fadesEnded;
            const int incoming = schedule.fadeToSecond() == 1 ? step.to : step.from;
            EXPECT_EQ(step.blend, schedule.fadeToSecond() == 1 ? 1.0f : 0.0f) << now - kSetUp;
            EXPECT_EQ(incoming, schedule.fadeToSecond() == 1 ? schedule.backgroundB()
                                                             : schedule.backgroundA());
        }
        shown = step;
        wasFading = fading;
        ASSERT_GT(step.waitSeconds, 0.0) << now - kSetUp;
        EXPECT_LE(step.waitSeconds, fading ? 1.0 / 15.0 + 1e-9 : 1.0) << now - kSetUp;
        now += step.waitSeconds;
    }
    // Fades at one, two and three minutes (and the fourth begun at four), each
    // drawn at about fifteen steps a second.
    EXPECT_EQ(fadesEnded, 3);
    EXPECT_LE(draws, 1 + 3 * (15 * 3 + 2));
}
