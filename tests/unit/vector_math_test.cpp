// The matrix product, the camera and projection matrices, and the vector
// operations against results worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "gfx/vector_math.h"

namespace {

void expectMatrix(const mat4& actual, const mat4& expected) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_FLOAT_EQ(actual[c][r], expected[c][r]) << "column " << c << " row " << r;
        }
    }
}

mat4 columns(const vec4& c0, const vec4& c1, const vec4& c2, const vec4& c3) {
    return mat4(c0, c1, c2, c3);
}

}  // namespace

TEST(VectorMath, ScalarConstructorFillsAllSixteenAndIdentityIsTranslateZero) {
    const mat4 ones(1.0f);
    const mat4 zeros(0.0f);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(ones.data()[i], 1.0f);
        EXPECT_EQ(zeros.data()[i], 0.0f);
    }
    const mat4 identity = translate(0, 0, 0);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(identity[c][r], c == r ? 1.0f : 0.0f);
        }
    }
}

TEST(VectorMath, TranslateLiesColumnAfterColumnInMemory) {
    const mat4 m = translate(1, 2, 3);
    const float expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m.data()[i], expected[i]) << i;
    }
    expectMatrix(translate(vec3(1, 2, 3)), m);
}

TEST(VectorMath, ProductMatchesHandResultsAndKeepsItsOrder) {
    const mat4 a =
        columns(vec4(1, 2, 3, 4), vec4(5, 6, 7, 8), vec4(9, 10, 11, 12), vec4(13, 14, 15, 16));
    // B picks column 0, column 2, column 1 and the sum of all four of A.
    const mat4 b = columns(vec4(1, 0, 0, 0), vec4(0, 0, 1, 0), vec4(0, 1, 0, 0), vec4(1, 1, 1, 1));
    expectMatrix(a * b, columns(vec4(1, 2, 3, 4), vec4(9, 10, 11, 12), vec4(5, 6, 7, 8),
                                vec4(28, 32, 36, 40)));

    const mat4 scale =
        columns(vec4(2, 0, 0, 0), vec4(0, 3, 0, 0), vec4(0, 0, 4, 0), vec4(0, 0, 0, 1));
    const mat4 move = translate(1, 2, 3);
    // Translation after scaling, and scaling after translation.
    expectMatrix(move * scale,
                 columns(vec4(2, 0, 0, 0), vec4(0, 3, 0, 0), vec4(0, 0, 4, 0), vec4(1, 2, 3, 1)));
    expectMatrix(scale * move,
                 columns(vec4(2, 0, 0, 0), vec4(0, 3, 0, 0), vec4(0, 0, 4, 0), vec4(2, 6, 12, 1)));
    expectMatrix(translate(1, -2, 5) * translate(-4, 0.5f, 2), translate(-3, -1.5f, 7));
}

TEST(VectorMath, PerspectiveHasTheProgramsConstants) {
    const mat4 p = perspective(50.0f, 16.0f / 9.0f, 0.1f, 1000.0f);
    const float f = 2.1445069f;
    expectMatrix(p, columns(vec4(1.2062851f, 0, 0, 0), vec4(0, f, 0, 0), vec4(0, 0, -1.0002f, -1),
                            vec4(0, 0, -0.20002f, 0)));
    EXPECT_FLOAT_EQ(1.0f / p[1][1], 0.46630767f);
    // near == far divides by zero and says nothing.
    EXPECT_FALSE(std::isfinite(perspective(50.0f, 1.0f, 1.0f, 1.0f)[2][2]));
}

TEST(VectorMath, LookAtAlongMinusZIsATranslationByMinusEye) {
    expectMatrix(lookAt(vec3(0, 0, 100), vec3(0, 0, 99), vec3(0, 1, 0)), translate(0, 0, -100));
}

TEST(VectorMath, LookAtDoesNotRenormaliseTheSideVector) {
    // up leans 45 degrees towards the viewing direction: |s| = sin 45.
    const mat4 m = lookAt(vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, 1, 1));
    const float side = std::sqrt(m[0][0] * m[0][0] + m[1][0] * m[1][0] + m[2][0] * m[2][0]);
    EXPECT_NEAR(side, std::sqrt(0.5f), 1e-6f);
    EXPECT_FLOAT_EQ(m[2][2], 1.0f);  // third row is -f = (0, 0, 1)
}

TEST(VectorMath, VectorOperations) {
    const vec3 z = cross(vec3(1, 0, 0), vec3(0, 1, 0));
    EXPECT_EQ(z[0], 0.0f);
    EXPECT_EQ(z[1], 0.0f);
    EXPECT_EQ(z[2], 1.0f);
    const vec3 self = cross(vec3(2, -3, 5), vec3(2, -3, 5));
    EXPECT_EQ(length(self), 0.0f);
    EXPECT_FLOAT_EQ(radians(180.0f), 3.1415927f);
    EXPECT_FLOAT_EQ(length(vec3(2, 3, 6)), 7.0f);
    const vec3 n = normalize(vec3(0, 3, 4));
    EXPECT_FLOAT_EQ(n[1], 0.6f);
    EXPECT_FLOAT_EQ(n[2], 0.8f);
    EXPECT_FALSE(std::isfinite(normalize(vec3(0, 0, 0))[0]));
    const vec3 mixed = (-(vec3(1, 2, 3) - vec3(4, 4, 4)) + vec3(1, 1, 1) * 2.0f) / 4.0f;
    EXPECT_FLOAT_EQ(mixed[0], 1.25f);
    EXPECT_FLOAT_EQ(mixed[1], 1.0f);
    EXPECT_FLOAT_EQ(mixed[2], 0.75f);
    const vec2 d = vec2(3, 1) - vec2(1, 4);
    EXPECT_EQ(d[0], 2.0f);
    EXPECT_EQ(d[1], -3.0f);
}
