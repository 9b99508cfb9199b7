// The view camera's pitch and view slots.
#include <gtest/gtest.h>

#include <cmath>

#include "mesh/camera.h"

namespace {

void expectMatrixNear(const mat4& a, const mat4& b) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(a[c][r], b[c][r], 1e-5f) << "column " << c << " row " << r;
        }
    }
}

}  // namespace

TEST(Camera, UnpitchedViewIsATranslationByMinusPosition) {
    Camera camera(0, 0, 100);
    camera.updateView(0);
    expectMatrixNear(camera.currentView(), translate(0, 0, -100));
}

TEST(Camera, PitchTurnsDirectionAndUpTogether) {
    Camera camera(0, 0, 100);
    camera.pitch(1.0f);
    const float s = std::sin(radians(1.0f));
    const float c = std::cos(radians(1.0f));
    EXPECT_FLOAT_EQ(camera.direction()[1], s);
    EXPECT_FLOAT_EQ(camera.direction()[2], -c);
    EXPECT_FLOAT_EQ(camera.up()[1], c);
    EXPECT_FLOAT_EQ(camera.up()[2], s);
    EXPECT_FLOAT_EQ(camera.target()[2], 100 - c);
    camera.updateView(2);
    expectMatrixNear(camera.currentView(), lookAt(vec3(0, 0, 100), camera.target(), camera.up()));
}

TEST(Camera, SlotsAreKeptApartAndOutOfRangeSlotsIgnored) {
    Camera camera(0, 0, 100);
    expectMatrixNear(camera.currentView(), translate(0, 0, 0));
    camera.updateView(0);
    camera.pitch(30.0f);
    camera.updateView(4);
    camera.updateView(5);
    camera.selectView(-1);
    const mat4 pitched = camera.currentView();
    EXPECT_GT(std::fabs(pitched[1][2]), 0.4f);  // the 30-degree turn
    camera.selectView(0);
    expectMatrixNear(camera.currentView(), translate(0, 0, -100));
    camera.setProjection(translate(1, 2, 3));
    expectMatrixNear(camera.projection(), translate(1, 2, 3));
}
