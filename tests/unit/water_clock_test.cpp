// The caustics' time after long runs: frames 1/60 s apart reach the shader
// 1/60 s apart, times the water's speed (a quarter, as is, twice), to within
// a millisecond at any uptime up to and past 30 days (the loop's own turn
// counts as no step at all), and the program's loop is the one the shader
// text loops over.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/resources.h"
#include "scene/water_clock.h"

namespace {

constexpr double kDay = 86400.0;
constexpr double kFrame = 1.0 / 60.0;

// The step the shader sees between two frames, the loop's turn taken out.
double shaderStep(double from, double to, std::uint32_t speedPercent) {
    double step = static_cast<double>(waterShaderTime(to, speedPercent)) -
                  waterShaderTime(from, speedPercent);
    if (step < -kWaterLoopSeconds / 2) {
        step += kWaterLoopSeconds;
    }
    return step;
}

}  // namespace

TEST(WaterClock, FramesASixtiethApartStayASixtiethApartAfterThirtyDays) {
    int frames = 0;
    double worst = 0.0;
    // Starts of the run, the 36 hours where whole seconds began to show, a
    // loop's turn (of the run's time and of the water's at twice its speed),
    // and 30 days with its neighbours.
    for (std::uint32_t speed : {25u, 100u, 200u}) {
        const double expected = kFrame * speed / 100.0;
        for (double start :
             {0.0, 36 * 3600.0, 3 * kWaterLoopSeconds - 1.0, 1.5 * kWaterLoopSeconds - 1.0,
              30 * kDay - 2.0, 30 * kDay + 0.37, 31 * kDay - 1.0}) {
            double previous = start;
            for (int i = 1; i <= 600; ++i) {
                const double now = start + i * kFrame;
                const double step = shaderStep(previous, now, speed);
                worst = std::fmax(worst, std::fabs(step - expected));
                EXPECT_NEAR(step, expected, 1e-3) << "at " << now << " s, speed " << speed;
                previous = now;
                ++frames;
            }
        }
    }
    EXPECT_EQ(frames, 3 * 7 * 600);
    EXPECT_LT(worst, 1e-3);
}

TEST(WaterClock, TimeStaysWithinOneLoop) {
    for (double t : {0.0, 1.5, kWaterLoopSeconds, 30 * kDay, 1e9, -1.0}) {
        const float time = waterShaderTime(t);
        EXPECT_GE(time, 0.0f) << t;
        EXPECT_LT(time, static_cast<float>(kWaterLoopSeconds)) << t;
    }
    EXPECT_EQ(waterShaderTime(2.5), 2.5f);
    EXPECT_EQ(waterShaderTime(kWaterLoopSeconds + 2.5), 2.5f);
    // A quarter of the speed: four of the run's seconds are one of the water's.
    EXPECT_EQ(waterShaderTime(10.0, 25), 2.5f);
    EXPECT_EQ(waterShaderTime(4 * kWaterLoopSeconds + 10.0, 25), 2.5f);
    EXPECT_EQ(waterShaderTime(30 * kDay, 200), waterShaderTime(60 * kDay));
}

TEST(WaterClock, TheShaderLoopsOverTheSameSeconds) {
    const ResourceData text = findTextResource(136);
    ASSERT_TRUE(text.found());
    const std::string fragment(reinterpret_cast<const char*>(text.bytes), text.size);
    const std::string name = "const float LOOP_SECONDS = ";
    const std::size_t at = fragment.find(name);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(std::strtod(fragment.c_str() + at + name.size(), nullptr), kWaterLoopSeconds);
}
