// The product is taken in single precision, as the frame's time is a float.
#include "scene/frame_seed.h"

#include <cmath>

namespace {

constexpr float kTicksPerSecond = 100000.0f;
constexpr double kSeedRange = 10000.0;

}  // namespace

unsigned firstFrameSeed(float timerSeconds) {
    float ticks = timerSeconds * kTicksPerSecond;
    if (!std::isfinite(ticks) || ticks < 0.0f) {
        return 0;  // no meaningful timer value to count
    }
    // fmod of the truncated value equals the unsigned remainder wherever the
    // conversion to unsigned is defined, and stays defined beyond it.
    return static_cast<unsigned>(std::fmod(std::trunc(static_cast<double>(ticks)), kSeedRange));
}
