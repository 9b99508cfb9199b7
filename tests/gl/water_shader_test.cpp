// The shipped water program (texts 137 and 136) drawn on Mesa and compared,
// pixel by pixel, with the CPU reference of its formulas; and the program that
// reads its cell points from the table compared with the one that works them
// out per pixel.
//
// Tolerance: 1e-3 on every channel of a float target. With the hash arguments
// formed in single precision (water_reference.cpp) the largest difference
// measured on llvmpipe is 6e-5 at iTime 0 and 1.5e-4 at iTime 2.5: the floor is
// one unit in the last place of the single-precision "sin(x) * 521.582" (6e-5),
// which fract keeps. 1e-3 leaves a margin of six and still catches a 1% change
// of the layer normalisation, of a smoothstep edge or of a colour weight.
// The times run to the end of the water's loop (4095.9 s): the hashes take
// cells within the lattice's period and the turns are whole numbers, so the
// arguments never grow with the time.
#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

#include "gfx/glfw_program.h"
#include "gfx/glfw_texture.h"
#include "gfx/shader_text_resource.h"
#include "platform/failure.h"
#include "platform/resources.h"
#include "resources/background_pictures.h"
#include "scene/cell_point_table.h"
#include "scene/normals_target.h"
#include "scene/render_mode_decision.h"
#include "scene/water_texts.h"
#include "scene/waves_read_back.h"
#include "tests/gl/gl_test_context.h"
#include "tests/support/program_probes.h"
#include "tests/support/resource_builds.h"
#include "tests/gl/test_texture.h"
#include "tests/gl/water_drawing.h"
#include "tests/gl/water_reference.h"
#include "scene/water_clock.h"

namespace {

constexpr double kTolerance = 1e-3;
// One step of an 8-bit channel is rounded to the nearest: half a step either way.
constexpr double kEightBitTolerance = 0.5 / 255.0 + kTolerance;

constexpr std::uint16_t kVertexText = 137;
constexpr std::uint16_t kFragmentText = 136;
constexpr int kNormalsTextureSide = 1024;

// Pictures whose every lookup the reference can follow: smooth ramps, so that a
// coordinate that is off shows in the colour.
Rgba firstPicture(int i, int j) {
    return {i / 31.0, j / 31.0, 0.6, 1.0};
}
Rgba secondPicture(int i, int j) {
    return {1.0 - j / 31.0, 0.3, i / 31.0, 0.5};
}

double clamp01(double v) {
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

Rgba clamped(const Rgba& c) {
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(c.a)};
}

Rgba blend(const Rgba& a, const Rgba& b, double k) {
    return {a.r + (b.r - a.r) * k, a.g + (b.g - a.g) * k, a.b + (b.b - a.b) * k,
            a.a + (b.a - a.a) * k};
}

struct Comparison {
    double worst = 0.0;
    int compared = 0;
    std::string firstMiss;
};

// Compares every pixel whose expectation `expectedAt` gives (it returns false
// to skip a pixel) and remembers the worst channel and the first miss.
template <typename Expectation>
Comparison compare(const std::vector<float>& pixels, int width, int height, double tolerance,
                   Expectation expectedAt) {
    Comparison result;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgba expected;
            if (!expectedAt(x, y, &expected)) {
                continue;
            }
            ++result.compared;
            const float* got = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            const double want[4] = {expected.r, expected.g, expected.b, expected.a};
            for (int c = 0; c < 4; ++c) {
                double miss = std::fabs(got[c] - want[c]);
                if (miss > result.worst) {
                    result.worst = miss;
                }
                if (miss > tolerance && result.firstMiss.empty()) {
                    std::ostringstream text;
                    text << "pixel (" << x << ", " << y << ") channel " << c << ": got " << got[c]
                         << ", expected " << want[c];
                    result.firstMiss = text.str();
                }
            }
        }
    }
    return result;
}

class WaterShaderTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        program_ = programFromResources(kVertexText, kFragmentText);
        quad_ = std::make_unique<FullViewportQuad>();
        first_ = std::make_unique<TestTexture>(32, 32, GL_RGBA32F, GL_LINEAR, firstPicture);
        second_ = std::make_unique<TestTexture>(32, 32, GL_RGBA32F, GL_LINEAR, secondPicture);
    }

    // Draws one mode over the whole target with the given pictures bound.
    std::vector<float> render(const OffscreenTarget& target, const WaterInputs& inputs, int mode,
                              GLuint normals, GLuint background, GLuint background2) {
        target.bind();
        glViewport(0, 0, target.width, target.height);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        setWaterUniforms(*program_, inputs, mode);
        setTexture(*program_, "normalsTexture", 0, normals);
        setTexture(*program_, "backgroundTexture", 1, background);
        setTexture(*program_, "backgroundTexture2", 2, background2);
        quad_->draw(*program_);
        return target.readPixels();
    }

    std::unique_ptr<GLFWProgram> program_;
    std::unique_ptr<FullViewportQuad> quad_;
    std::unique_ptr<TestTexture> first_;
    std::unique_ptr<TestTexture> second_;
};

struct Viewport {
    int width;
    int height;
};

// Square, landscape (1920x1080 at a twentieth) and portrait.
const Viewport kViewports[] = {{64, 64}, {96, 54}, {54, 96}};
const double kTimes[] = {0.0, 2.5, 4095.9};

WaterInputs inputsFor(Viewport v, double iTime, double textureTime) {
    WaterInputs inputs;
    inputs.iTime = iTime;
    inputs.viewportWidth = v.width;
    inputs.viewportHeight = v.height;
    inputs.textureTime = textureTime;
    return inputs;
}

TEST_F(WaterShaderTest, FullResolutionModeMatchesTheFormulas) {
    // Both pictures take part at this textureTime (weight 0.784 on the second).
    const double textureTime = 0.6;
    for (Viewport v : kViewports) {
        for (double iTime : kTimes) {
            SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " iTime " << iTime);
            WaterInputs inputs = inputsFor(v, iTime, textureTime);
            OffscreenTarget target(v.width, v.height, GL_RGBA32F);
            std::vector<float> pixels =
                render(target, inputs, 1, 0, first_->name(), second_->name());
            Comparison c =
                compare(pixels, v.width, v.height, kTolerance, [&](int x, int y, Rgba* expected) {
                    FragmentFrame f = fragmentFrame(x + 0.5, y + 0.5, inputs);
                    WaveParameters wave = referenceWave(f, iTime);
                    Point2 t = backgroundCoordinates(f, wave.res);
                    Rgba b =
                        blend(first_->sample(t), second_->sample(t), crossFadeWeight(textureTime));
                    *expected = waterColour(wave, b);
                    return true;
                });
            EXPECT_EQ(c.compared, v.width * v.height);
            EXPECT_LE(c.worst, kTolerance) << c.firstMiss;
        }
    }
}

TEST_F(WaterShaderTest, WaveParameterModeWritesResAndFractVoro) {
    for (Viewport v : kViewports) {
        for (double iTime : kTimes) {
            SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " iTime " << iTime);
            WaterInputs inputs = inputsFor(v, iTime, -1.0);
            OffscreenTarget target(v.width, v.height, GL_RGBA32F);
            std::vector<float> pixels = render(target, inputs, 0, 0, 0, 0);
            Comparison c =
                compare(pixels, v.width, v.height, kTolerance, [&](int x, int y, Rgba* expected) {
                    WaveParameters wave =
                        referenceWave(fragmentFrame(x + 0.5, y + 0.5, inputs), iTime);
                    *expected = {wave.res, wave.fractVoro, 0.0, 0.0};
                    return true;
                });
            EXPECT_LE(c.worst, kTolerance) << c.firstMiss;
        }
    }
}

TEST_F(WaterShaderTest, WaveParametersAreClampedAndQuantisedInAnRgb8Target) {
    // Mode 0 at S = 64, as the reduced path draws it. res tops out at exactly
    // 1.0 wherever fractVoro reaches 0.3, fractVoro itself stays well below 1
    // (0.66 at most over iTime 0 to 200 on this viewport), and the target keeps
    // no fourth component, which reads back as 1.
    WaterInputs inputs = inputsFor({64, 64}, 2.5, -1.0);
    OffscreenTarget target(64, 64, GL_RGB8);
    std::vector<float> pixels = render(target, inputs, 0, 0, 0, 0);
    int saturated = 0;
    Comparison c = compare(pixels, 64, 64, kEightBitTolerance, [&](int x, int y, Rgba* expected) {
        WaveParameters wave = referenceWave(fragmentFrame(x + 0.5, y + 0.5, inputs), 2.5);
        saturated += wave.res >= 1.0 ? 1 : 0;
        *expected = {clamp01(wave.res), clamp01(wave.fractVoro), 0.0, 1.0};
        return true;
    });
    EXPECT_LE(c.worst, kEightBitTolerance) << c.firstMiss;
    EXPECT_GT(saturated, 0) << "the picture should hold some fully bright res";
}

TEST_F(WaterShaderTest, FullResolutionColourIsClampedOnlyByAnEightBitTarget) {
    // White pictures push the brightest pixels past 1.0; the shader leaves them there.
    TestTexture white(2, 2, GL_RGBA32F, GL_LINEAR, [](int, int) { return Rgba{1, 1, 1, 1}; });
    WaterInputs inputs = inputsFor({64, 64}, 0.0, -1.0);
    OffscreenTarget floatTarget(64, 64, GL_RGBA32F);
    std::vector<float> unclamped = render(floatTarget, inputs, 1, 0, white.name(), white.name());
    OffscreenTarget byteTarget(64, 64, GL_RGBA8);
    std::vector<float> stored = render(byteTarget, inputs, 1, 0, white.name(), white.name());
    int aboveOne = 0;
    for (float v : unclamped) {
        aboveOne += v > 1.0f ? 1 : 0;
    }
    ASSERT_GT(aboveOne, 0);
    Comparison c = compare(stored, 64, 64, kEightBitTolerance, [&](int x, int y, Rgba* expected) {
        WaveParameters wave = referenceWave(fragmentFrame(x + 0.5, y + 0.5, inputs), 0.0);
        *expected = clamped(waterColour(wave, {1, 1, 1, 1}));
        return true;
    });
    EXPECT_LE(c.worst, kEightBitTolerance) << c.firstMiss;
}

TEST_F(WaterShaderTest, CrossFadeRunsThroughTheMiddleHalfOfTextureTime) {
    TestTexture blue(2, 2, GL_RGBA32F, GL_NEAREST, [](int, int) {
        return Rgba{0.1, 0.3, 0.8, 1.0};
    });
    TestTexture amber(2, 2, GL_RGBA32F, GL_NEAREST, [](int, int) {
        return Rgba{0.9, 0.6, 0.2, 0.0};
    });
    // textureTime and the weight of the second picture it must give.
    const struct {
        double textureTime;
        double weight;
    } kFades[] = {{-1.0, 0.0}, {0.25, 0.0}, {0.4, 0.216}, {0.5, 0.5}, {0.75, 1.0}, {1.0, 1.0}};
    for (auto fade : kFades) {
        SCOPED_TRACE(testing::Message() << "textureTime " << fade.textureTime);
        WaterInputs inputs = inputsFor({64, 64}, 0.0, fade.textureTime);
        OffscreenTarget target(64, 64, GL_RGBA32F);
        std::vector<float> pixels = render(target, inputs, 1, 0, blue.name(), amber.name());
        Rgba b = blend({0.1, 0.3, 0.8, 1.0}, {0.9, 0.6, 0.2, 0.0}, fade.weight);
        Comparison c = compare(pixels, 64, 64, kTolerance, [&](int x, int y, Rgba* expected) {
            *expected = waterColour(referenceWave(fragmentFrame(x + 0.5, y + 0.5, inputs), 0.0), b);
            return true;
        });
        EXPECT_LE(c.worst, kTolerance) << c.firstMiss;
    }
}

// A half-float normals image in which every texel differs from its
// neighbours, so that reading anywhere but where the reference reads shows.
std::unique_ptr<TestTexture> normalsImage() {
    auto image = std::make_unique<TestTexture>(
        kNormalsTextureSide, kNormalsTextureSide, GL_RGBA16F, GL_LINEAR, [](int i, int j) {
            return Rgba{((7 * i + 3 * j) % 16) / 16.0, ((5 * i + 11 * j) % 16) / 16.0, 0.0, 1.0};
        });
    // As the scene's target: nothing is read beyond its edge.
    glBindTexture(GL_TEXTURE_2D, image->name());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return image;
}

TEST_F(WaterShaderTest, ReadBackModeReadsThePatternBetweenItsTexels) {
    // The pattern S texels across the viewport's width, in its shape: a pixel
    // reads it at f * S / W texels each way, bilinearly. 96x54 is 1920x1080
    // at a twentieth.
    const struct {
        Viewport viewport;
        int side;
    } kCases[] = {{{96, 54}, 40}, {{96, 54}, 96}, {{54, 96}, 30}, {{60, 60}, 25}};
    std::unique_ptr<TestTexture> normals = normalsImage();
    for (auto k : kCases) {
        Viewport v = k.viewport;
        SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " S " << k.side);
        WaterInputs inputs = inputsFor(v, 0.0, 0.6);
        inputs.normalsTextureSize = k.side;
        OffscreenTarget target(v.width, v.height, GL_RGBA32F);
        std::vector<float> pixels =
            render(target, inputs, 2, normals->name(), first_->name(), second_->name());
        double furthestX = 0.0;
        double furthestY = 0.0;
        Comparison c =
            compare(pixels, v.width, v.height, kTolerance, [&](int x, int y, Rgba* expected) {
                FragmentFrame f = fragmentFrame(x + 0.5, y + 0.5, inputs);
                Point2 n = normalsCoordinates(f, k.side);
                double s = n.x * kNormalsTextureSide;
                double t = n.y * kNormalsTextureSide;
                furthestX = std::max(furthestX, s);
                furthestY = std::max(furthestY, t);
                // The reference repeats where the target clamps: below the
                // first texel centre.
                if (s < 0.5 || t < 0.5) {
                    return false;
                }
                Rgba texel = normals->sample(n);
                WaveParameters wave = {texel.r, texel.g};
                Point2 bt = backgroundCoordinates(f, wave.res);
                Rgba b = blend(first_->sample(bt), second_->sample(bt),
                               crossFadeWeight(inputs.textureTime));
                *expected = waterColour(wave, b);
                return true;
            });
        EXPECT_GT(c.compared, v.width * v.height / 2);
        EXPECT_LE(c.worst, kTolerance) << c.firstMiss;
        // The last pixel centre lies half a pixel short of the pattern's end.
        const double spanX = k.side;
        const double spanY = k.side * static_cast<double>(v.height) / v.width;
        const double texelsPerPixel = spanX / v.width;
        EXPECT_LT(furthestX, spanX);
        EXPECT_GT(furthestX, spanX - texelsPerPixel);
        EXPECT_LT(furthestY, spanY);
        EXPECT_GT(furthestY, spanY - texelsPerPixel);
    }
}

}  // namespace

namespace {

// What a viewer would compare between the water at two times, over a few
// stills half a second apart: how its brightness spreads (16 bins of res),
// how much of it is bright line (res above 0.8), and how often a pixel
// repeats its left neighbour exactly, which a pattern that has lost precision
// does in blocks.
struct WaterLook {
    double histogram[16] = {};
    double brightShare = 0.0;
    double repeatShare = 0.0;
};

constexpr int kStills = 4;

void addLook(WaterLook& look, const std::vector<float>& pixels, int width, int height) {
    const double share = 1.0 / (static_cast<double>(width) * height * kStills);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            const int bin = std::min(15, std::max(0, static_cast<int>(p[0] * 16.0f)));
            look.histogram[bin] += share;
            look.brightShare += p[0] > 0.8f ? share : 0.0;
            if (x > 0) {
                look.repeatShare += p[1] == p[1 - 4] ? share : 0.0;
            }
        }
    }
}

double histogramDistance(const WaterLook& a, const WaterLook& b) {
    double distance = 0.0;
    for (int i = 0; i < 16; ++i) {
        distance += std::fabs(a.histogram[i] - b.histogram[i]);
    }
    return distance;
}

}  // namespace

TEST_F(WaterShaderTest, AfterThirtyDaysTheWaterLooksAsItDidAtTenSeconds) {
    // 1920 x 1080 at a tenth, at the times the scene hands over.
    const Viewport v{192, 108};
    OffscreenTarget target(v.width, v.height, GL_RGBA32F);
    auto look = [&](double seconds) {
        WaterLook result;
        for (int i = 0; i < kStills; ++i) {
            const WaterInputs inputs = inputsFor(v, waterShaderTime(seconds + 0.5 * i), -1.0);
            addLook(result, render(target, inputs, 0, 0, first_->name(), second_->name()), v.width,
                    v.height);
        }
        return result;
    };
    const WaterLook early = look(10.0);
    const WaterLook month = look(30 * 86400.0 + 10.37);
    // How the water varies by itself over its first hour sets the measure.
    double widest = 0.0, leastBright = 1.0, mostBright = 0.0;
    for (double seconds : {100.0, 1000.0, 2000.0, 3000.0}) {
        const WaterLook other = look(seconds);
        widest = std::fmax(widest, histogramDistance(early, other));
        leastBright = std::fmin(leastBright, std::fmin(other.brightShare, early.brightShare));
        mostBright = std::fmax(mostBright, std::fmax(other.brightShare, early.brightShare));
    }
    EXPECT_LT(histogramDistance(early, month), widest + 0.05);
    EXPECT_GT(leastBright, 0.005);
    EXPECT_GE(month.brightShare, 0.75 * leastBright);
    EXPECT_LE(month.brightShare, 1.25 * mostBright);
    EXPECT_LT(early.repeatShare, 0.01);
    EXPECT_LT(month.repeatShare, 0.01);
}

namespace {

// The water as the scene draws it with framebuffer objects (the cell points
// read from the table that the text's own pass draws, the reduced path's
// window pass by the read-back program) and without (every cell's point
// worked out per pixel, one program for every mode), over two of the floor
// pictures, whose sharp edges show the smallest shift of the lookups.
class WaterVariantsTest : public GLTest {
  protected:
    static constexpr int kSide = 64;  // texels across the pattern

    void SetUp() override {
        GLTest::SetUp();
        Failure failure;
        ShaderTexts texts;
        ASSERT_TRUE(readShaderTextResources(kVertexText, kFragmentText, texts, failure));
        for (WaterVariant v : {WaterVariant::CellPointsHashed, WaterVariant::CellPointsFromTable,
                               WaterVariant::CellPointsIntoTable, WaterVariant::WavesReadBack}) {
            programs_.push_back(std::make_unique<GLFWProgram>(
                texts.vertex, waterFragmentText(texts.fragment, v), failure));
        }
        ASSERT_FALSE(failure.happened()) << failure.messageBoxes().front().text;
        for (int i = 0; i < 2; ++i) {
            pictures_[i] = makePictureTexture(kBackgroundPictures[i].resourceId, 2048);
        }
    }

    GLFWProgram& hashed() { return *programs_[0]; }
    GLFWProgram& fromTable() { return *programs_[1]; }

    // One pass into the bound framebuffer's viewport, the textures on the water's units.
    void pass(GLFWProgram& program, const WaterInputs& inputs, int mode) {
        const GLuint textures[4] = {waves_.texture(), pictures_[0]->name(), pictures_[1]->name(),
                                    table_.texture()};
        for (int unit = 0; unit < 4; ++unit) {
            glActiveTexture(GL_TEXTURE0 + unit);
            glBindTexture(GL_TEXTURE_2D, textures[unit]);
        }
        glClear(GL_COLOR_BUFFER_BIT);
        if (&program == programs_[3].get()) {
            readBack_.draw(program, static_cast<int>(inputs.viewportWidth),
                           static_cast<int>(inputs.viewportHeight), kSide,
                           static_cast<float>(inputs.textureTime));
            return;
        }
        setWaterUniforms(program, inputs, mode);
        const char* samplers[4] = {"normalsTexture", "backgroundTexture", "backgroundTexture2",
                                   "cellPoints"};
        for (int unit = 0; unit < 4; ++unit) {
            glUniform1i(program.uniformLocation(samplers[unit]), unit);
        }
        quad_.draw(program);
    }

    // A frame of `mode` into the float window; mode 2 after mode 0 into the
    // lower-left corner of the half-float target, as the scene draws. With a
    // table time, the programs that the scene builds with framebuffer objects
    // draw it, after the table for that time.
    std::vector<float> frame(const WaterInputs& inputs, int mode, double tableTime = -1.0) {
        const bool table = tableTime >= 0.0;
        if (table) {
            table_.fill(*programs_[2], static_cast<float>(tableTime));
        }
        GLFWProgram& water = table ? fromTable() : hashed();
        if (mode == 2) {
            // The pattern kSide texels across, in the window's shape, as the scene draws it.
            const PatternPass p = patternPassFor(kSide, window_.width, window_.height);
            WaterInputs pattern = inputs;
            pattern.viewportWidth = p.across;
            pattern.viewportHeight = p.height;
            waves_.bind();
            glViewport(0, 0, p.drawnWidth, p.drawnHeight);
            pass(water, pattern, 0);
        }
        window_.bind();
        glViewport(0, 0, window_.width, window_.height);
        pass(mode == 2 && table ? *programs_[3] : water, inputs, mode);
        std::vector<float> pixels = window_.readPixels();
        for (float& v : pixels) {
            v = static_cast<float>(clamp01(v));
        }
        return pixels;
    }

    std::vector<std::unique_ptr<GLFWProgram>> programs_;
    std::unique_ptr<GLFWTexture> pictures_[2];
    FullViewportQuad quad_;
    CellPointTable table_;
    WavesReadBack readBack_;
    NormalsTarget waves_{kNormalsTextureSide, GL_RGBA16F};
    OffscreenTarget window_{96, 54, GL_RGBA32F};
};

double largestDifference(const std::vector<float>& a, const std::vector<float>& b) {
    double worst = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        worst = std::fmax(worst, std::fabs(a[i] - b[i]));
    }
    return worst;
}

}  // namespace

TEST_F(WaterVariantsTest, WithFramebufferObjectsTheWaterIsTheWaterWorkedOutPerPixel) {
    EXPECT_GE(fromTable().uniformLocation("cellPoints"), 0);
    EXPECT_EQ(hashed().uniformLocation("cellPoints"), -1);
    // Up to the end of the loop, where the turns are widest.
    for (double iTime : {0.0, 2.5, 1000.37, 4095.0, 4095.99}) {
        SCOPED_TRACE(testing::Message() << "iTime " << iTime);
        WaterInputs inputs = inputsFor({96, 54}, iTime, 0.6);
        inputs.normalsTextureSize = kSide;
        // The wave parameters: a table that rounded each coordinate to 24
        // bits moved them by up to 8e-6 here; the table keeps the points as
        // they were worked out, and no difference at all is measured.
        EXPECT_LE(largestDifference(frame(inputs, 0), frame(inputs, 0, iTime)), 1e-6);
        for (int mode : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode);
            EXPECT_LE(largestDifference(frame(inputs, mode), frame(inputs, mode, iTime)),
                      1.0 / 255.0);
        }
        // The points come from the table: one drawn a second later shows.
        EXPECT_GT(largestDifference(frame(inputs, 0), frame(inputs, 0, iTime + 1.0)), 0.01);
    }
}
