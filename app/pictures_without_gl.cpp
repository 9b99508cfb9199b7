// The floor pictures without OpenGL (see pictures_without_gl.h).
#include "app/pictures_without_gl.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/window_size.h"
#include "gfx/picture_decoding.h"
#include "platform/desktop_monitors.h"
#include "platform/failure.h"
#include "platform/picture_cover.h"
#include "resources/background_pictures.h"
#include "scene/frame_seed.h"

namespace {

constexpr char kProductTitle[] = "Glimmerpond 3D";
constexpr double kFadeStepSeconds = 1.0 / 15.0;
// The longest the schedule goes unread: a timer that runs faster than the
// clock (a test's) still has its changes on time within this.
constexpr double kLongestStepSeconds = 1.0;

// The water's curve: the pictures meet over the middle half of the fade.
float fadeCurve(float value) {
    const float t = std::clamp((value - 0.25f) / 0.5f, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// The pictures the cover is showing, decoded: the whole ones over monitors,
// the small copies in a preview's pane. At most the two on screen are kept.
class DecodedPictures {
  public:
    explicit DecodedPictures(bool small) : small_(small) {}

    // Decodes `picture` unless it is kept; false where its data is damaged.
    bool load(int picture) {
        if (kept_[picture].size > 0) {
            return true;
        }
        DecodedPicture decoded;
        if (decodeFloorPicture(picture, small_, decoded) != PictureDecoding::Decoded) {
            return false;
        }
        kept_[picture].size = decoded.size;
        kept_[picture].rows = std::move(decoded.rows);
        return true;
    }
    // Lets go of every picture but these two.
    void keepOnly(int a, int b) {
        for (int picture = 0; picture < kBackgroundCount; ++picture) {
            if (picture != a && picture != b) {
                kept_[picture] = CoverPicture{};
            }
        }
    }
    const CoverPicture& operator()(int picture) const { return kept_[picture]; }

  private:
    bool small_;
    std::array<CoverPicture, kBackgroundCount> kept_;
};

// Both pictures of the schedule's units decoded; a damaged one is left out
// and another picked. False when none is left.
bool loadShownPictures(BackgroundSchedule& schedule, DecodedPictures& pictures) {
    if (!schedule.keepUsable([&pictures](int picture) { return pictures.load(picture); })) {
        return false;
    }
    pictures.keepOnly(schedule.backgroundA(), schedule.backgroundB());
    return true;
}

}  // namespace

PicturesStep picturesStepAt(const BackgroundSchedule& schedule, double now) {
    PicturesStep step;
    step.from = schedule.backgroundA();
    step.to = schedule.backgroundB();
    step.blend = fadeCurve(schedule.fadeValue());
    const double fadeStart = schedule.fadeStart();
    const double fadeEnd = fadeStart + kFadeSeconds;
    if (now >= fadeStart && now < fadeEnd) {
        step.waitSeconds = std::min(kFadeStepSeconds, fadeEnd - now);
    } else {
        const double next = now < fadeStart ? fadeStart : schedule.nextSwitch();
        step.waitSeconds = std::clamp(next - now, 0.0, kLongestStepSeconds);
    }
    return step;
}

void showPicturesWithoutGL(const CommandLine& commandLine, const std::string& why,
                           const SceneHooks& givenHooks, Failure& failure) {
    const bool preview = commandLine.mode == Preview;
    const SceneHooks hooks = completeSceneHooks(givenHooks);
    if (givenHooks.random == nullptr) {
        std::srand(firstFrameSeed(static_cast<float>(hooks.timer())));
    }
    BackgroundSchedule schedule(hooks.random, commandLine.settings.pictureChangeSeconds,
                                commandLine.settings.picturesShown);
    schedule.pickBackgroundA();
    schedule.pickBackgroundB();
    DecodedPictures pictures(preview);
    if (!loadShownPictures(schedule, pictures)) {
        failure.add(kNoFloorPictureText);
        return;
    }
    schedule.scheduleFirstFade(hooks.timer());
    if (hooks.listener.backgroundsPicked != nullptr) {
        hooks.listener.backgroundsPicked(schedule.backgroundA(), schedule.backgroundB());
    }

    std::unique_ptr<PictureCover> cover;
    if (preview) {
        cover = openPicturePreview(commandLine.hostWindow, std::cref(pictures));
    } else if (commandLine.mode != HandedWindow) {
        const std::vector<ScreenRect> monitors = desktopMonitors();
        // "Main monitor only": the others black, as with the water.
        cover = openPictureCover(monitors, std::max(0, primaryMonitorIndex(monitors)), why,
                                 std::cref(pictures),
                                 commandLine.settings.monitors == MonitorChoice::MainOnly);
    }
    if (cover == nullptr) {
        // A preview's pane is no place for words: the Settings page would show them
        // at every selection.
        if (!preview) {
            failure.add(why, kProductTitle);
        }
        return;
    }
    if (preview) {
        cover->show(schedule.backgroundA(), schedule.backgroundA(), 0.0f);
        while (cover->wait(kLongestStepSeconds)) {
        }
        return;
    }

    PicturesStep shown;
    bool drawn = false;
    for (;;) {
        const double now = hooks.timer();
        if (schedule.advance(now)) {
            if (!loadShownPictures(schedule, pictures)) {
                failure.add(kNoFloorPictureText);
                return;
            }
            if (hooks.listener.pictureChanged != nullptr) {
                hooks.listener.pictureChanged(schedule.backgroundA(), schedule.backgroundB(),
                                              schedule.fadeToSecond());
            }
        }
        const PicturesStep step = picturesStepAt(schedule, now);
        // Between changes nothing is drawn at all.
        if (!drawn || !step.showsTheSameAs(shown)) {
            cover->show(step.from, step.to, step.blend);
            shown = step;
            drawn = true;
        }
        if (!cover->wait(step.waitSeconds)) {
            return;
        }
    }
}
