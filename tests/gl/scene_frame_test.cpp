// The real scene on Mesa, through Scene::setupScene and renderFrame, in a 400 x 300
// "window" (a framebuffer of the test's, standing in for framebuffer 0):
// set-up leaves the 1024 x 1024 half-float, bilinear target bound; every
// frame with a new time first draws the cell point table; in a window this
// small the pattern at its own size would have nearly the window's pixels,
// so the first hundred and two frames draw the whole picture in one pass;
// the decision judges a hundred of them and not the first; after them a slow
// machine's pattern, 280 texels across, is drawn into the lower-left of the
// target in the window's shape and read back between its texels. Without framebuffer objects the
// scene never touches one. The 2048 x 2048 backgrounds (two at set-up, a third for the next change
// after the first frames) are read from the program's resources but stored as one texel each, to
// spare memory.
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <cstdio>
#include <memory>

#include "gfx/glfw_program.h"
#include "gfx/picture_decoding.h"
#include "gfx/shader_text_resource.h"
#include "platform/failure.h"
#include "platform/resources.h"
#include "resources/background_pictures.h"
#include "scene/scene.h"
#include "scene/water_clock.h"
#include "scene/water_texts.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/water_drawing.h"
#include "tests/gl/water_reference.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/scripted_timer.h"

namespace {

constexpr int kWindowWidth = 400;  // twice the pixels of the smallest pattern
constexpr int kWindowHeight = 300;
constexpr int kTargetSize = 1024;
constexpr int kPictureSize = 2048;
constexpr double kFrameSeconds = 0.2;  // slow frames: the smallest pattern
constexpr int kReducedSize = 280;      // what the decision takes for slow frames
// The window is RGBA8; half floats keep the wave parameters to 1e-3 of their size.
constexpr double kWindowTolerance = 1.5 / 255.0;
constexpr double kTexelTolerance = 2e-3;

// The test's framebuffer stands in for the window's; the shims record which
// framebuffers each frame draws into.
GLuint windowFramebuffer = 0;
std::vector<GLuint> framebufferBinds;
int framebuffersMade = 0;
std::map<GLuint, Rgba> pictureColours;  // texture name -> its one texel
std::map<GLuint, int> pictureSizes;     // texture name -> the picture's size
std::map<GLuint, int> rowsUploaded;     // texture name -> rows since its picture's top band
int wholePicturesMade = 0;              // textures made for whole pictures
PFNGLBINDFRAMEBUFFERPROC realBindFramebuffer;
PFNGLGENFRAMEBUFFERSPROC realGenFramebuffers;
PFNGLTEXSTORAGE2DPROC realTexStorage2D;
PFNGLTEXSUBIMAGE2DPROC realTexSubImage2D;

void APIENTRY bindFramebufferShim(GLenum target, GLuint framebuffer) {
    framebufferBinds.push_back(framebuffer);
    realBindFramebuffer(target, framebuffer == 0 ? windowFramebuffer : framebuffer);
}

void APIENTRY genFramebuffersShim(GLsizei count, GLuint* names) {
    framebuffersMade += count;
    realGenFramebuffers(count, names);
}

GLuint boundTexture() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<GLuint>(bound);
}

// A picture (whole or its small copy) keeps only its lower-left pixel, so
// every lookup in it gives that colour.
void APIENTRY texStorage2DShim(GLenum target, GLsizei levels, GLenum format, GLsizei width,
                               GLsizei height) {
    if ((width == kPictureSize || width == kSmallBackgroundSize) && height == width) {
        pictureColours[boundTexture()] = {-1.0, -1.0, -1.0, -1.0};
        pictureSizes[boundTexture()] = width;
        wholePicturesMade += width == kPictureSize ? 1 : 0;
        realTexStorage2D(target, 1, format, 1, 1);
        return;
    }
    realTexStorage2D(target, levels, format, width, height);
}

void APIENTRY texSubImage2DShim(GLenum target, GLint level, GLint x, GLint y, GLsizei width,
                                GLsizei height, GLenum format, GLenum type, const void* pixels) {
    const auto picture = pictureColours.find(boundTexture());
    if (picture == pictureColours.end()) {
        realTexSubImage2D(target, level, x, y, width, height, format, type, pixels);
        return;
    }
    // Bands come from the picture's top down; the top band starts a picture.
    int& rows = rowsUploaded[boundTexture()];
    rows = y + height == pictureSizes[boundTexture()] ? height : rows + height;
    // The pictures arrive decoded as the bitmaps store them: blue, green, red bytes.
    if (x == 0 && y == 0 && format == GL_BGR && type == GL_UNSIGNED_BYTE) {
        const unsigned char* p = static_cast<const unsigned char*>(pixels);
        picture->second = {p[2] / 255.0, p[1] / 255.0, p[0] / 255.0, 1.0};
        realTexSubImage2D(target, level, 0, 0, 1, 1, format, type, pixels);
    }
}

struct Shims {
    Shims() {
        realBindFramebuffer = gp_glBindFramebuffer;
        realGenFramebuffers = gp_glGenFramebuffers;
        realTexStorage2D = gp_glTexStorage2D;
        realTexSubImage2D = gp_glTexSubImage2D;
        gp_glBindFramebuffer = bindFramebufferShim;
        gp_glGenFramebuffers = genFramebuffersShim;
        gp_glTexStorage2D = texStorage2DShim;
        gp_glTexSubImage2D = texSubImage2DShim;
    }
    ~Shims() {
        gp_glBindFramebuffer = realBindFramebuffer;
        gp_glGenFramebuffers = realGenFramebuffers;
        gp_glTexStorage2D = realTexStorage2D;
        gp_glTexSubImage2D = realTexSubImage2D;
    }
};

// One frame as the main loop runs it: the timer's reading and the window's size.
void drawFrame(Scene& scene) {
    FrameInputs inputs;
    inputs.time = timerNow;
    inputs.framebufferWidth = kWindowWidth;
    inputs.framebufferHeight = kWindowHeight;
    inputs.aspectRatio = static_cast<float>(kWindowWidth) / kWindowHeight;
    scene.renderFrame(inputs);
    timerNow += kFrameSeconds;
}

GLint textureOnUnit(int unit) {
    GLint name = 0;
    glActiveTexture(GL_TEXTURE0 + unit);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

// The target's texels as RGBA floats, bottom row first, read through its framebuffer.
std::vector<float> readTarget(GLuint framebuffer, int size) {
    std::vector<float> texels(static_cast<std::size_t>(size) * size * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glReadPixels(0, 0, size, size, GL_RGBA, GL_FLOAT, texels.data());
    return texels;
}

// Bilinear filtering of the target's red and green at texel coordinates
// (s, t), clamped to its edge, as the window's pass reads it.
WaveParameters bilinear(const std::vector<float>& texels, double s, double t) {
    auto at = [&](int i, int j, int c) {
        i = std::min(std::max(i, 0), kTargetSize - 1);
        j = std::min(std::max(j, 0), kTargetSize - 1);
        return texels[(static_cast<std::size_t>(j) * kTargetSize + i) * 4 + c];
    };
    const double u = s - 0.5, v = t - 0.5;
    const int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
    const double a = u - i, b = v - j;
    double result[2];
    for (int c = 0; c < 2; ++c) {
        result[c] = (1 - a) * (1 - b) * at(i, j, c) + a * (1 - b) * at(i + 1, j, c) +
                    (1 - a) * b * at(i, j + 1, c) + a * b * at(i + 1, j + 1, c);
    }
    return {result[0], result[1]};
}

// Channel by channel, the worst miss and where it first exceeds the tolerance.
struct WindowComparison {
    double worst = 0.0;
    std::string firstMiss;
};

template <typename Expectation>
WindowComparison compareWindow(const std::vector<float>& pixels, Expectation expectedAt) {
    WindowComparison result;
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            const Rgba want = expectedAt(x, y);
            const float* got = &pixels[(static_cast<std::size_t>(y) * kWindowWidth + x) * 4];
            const double expected[3] = {want.r, want.g, want.b};
            for (int c = 0; c < 3; ++c) {
                const double clampedWant = std::fmin(1.0, std::fmax(0.0, expected[c]));
                const double miss = std::fabs(got[c] - clampedWant);
                result.worst = std::fmax(result.worst, miss);
                if (miss > kWindowTolerance && result.firstMiss.empty()) {
                    std::ostringstream text;
                    text << "pixel (" << x << ", " << y << ") channel " << c << ": got " << got[c]
                         << ", expected " << clampedWant;
                    result.firstMiss = text.str();
                }
            }
        }
    }
    return result;
}

class SceneFrameTest : public GLTest {};

}  // namespace

namespace {

// What the decision was made from, as the scene's listener tells it.
int chosenMode = 0, chosenSize = 0, chosenFrames = 0;
float chosenTypicalMs = 0.0f, chosenSlowestMs = 0.0f;
void modeChosen(int mode, int size, float typicalMs, int frames, float slowestMs) {
    chosenMode = mode;
    chosenSize = size;
    chosenTypicalMs = typicalMs;
    chosenFrames = frames;
    chosenSlowestMs = slowestMs;
}

// A frame drawn with the pattern `across` texels wide at `time`: the pattern
// in the window's shape in only the lower-left texels of the target, one
// more each way than the window needs, then the window from it.
void expectPatternFrame(GLuint normalsFramebuffer, const OffscreenTarget& window, float time,
                        const Rgba& picture, int across) {
    const std::vector<float> texels = readTarget(normalsFramebuffer, kTargetSize);
    WaterInputs patternInputs;
    patternInputs.iTime = time;
    patternInputs.viewportWidth = across;
    patternInputs.viewportHeight = static_cast<double>(across) * kWindowHeight / kWindowWidth;
    const int drawnWidth = across + 1;
    const int drawnHeight = static_cast<int>(std::ceil(patternInputs.viewportHeight)) + 1;
    int outsideLit = 0, insideDark = 0, insideMisses = 0;
    for (int j = 0; j < kTargetSize; ++j) {
        for (int i = 0; i < kTargetSize; ++i) {
            const float* t = &texels[(static_cast<std::size_t>(j) * kTargetSize + i) * 4];
            if (i >= drawnWidth || j >= drawnHeight) {
                outsideLit += t[0] != 0.0f || t[1] != 0.0f || t[2] != 0.0f;
                continue;
            }
            // res never falls below 0.352, so every written texel has red.
            insideDark += t[0] < 0.35f || t[2] != 0.0f;
            if (i % 17 == 0 && j % 13 == 0) {
                const WaveParameters w =
                    referenceWave(fragmentFrame(i + 0.5, j + 0.5, patternInputs), time);
                insideMisses += std::fabs(t[0] - w.res) > kTexelTolerance ||
                                std::fabs(t[1] - w.fractVoro) > kTexelTolerance * 2.0;
            }
        }
    }
    EXPECT_EQ(outsideLit, 0) << "texels outside the drawn region were written";
    EXPECT_EQ(insideDark, 0) << "texels inside it without the wave parameters";
    EXPECT_EQ(insideMisses, 0) << "the pattern was not drawn in the window's shape";

    // The window pass reads the stored parameters between texels, where the
    // shader maps each pixel.
    WaterInputs windowInputs;
    windowInputs.iTime = time;
    windowInputs.viewportWidth = kWindowWidth;
    windowInputs.viewportHeight = kWindowHeight;
    WindowComparison reduced = compareWindow(window.readPixels(), [&](int x, int y) {
        const FragmentFrame f = fragmentFrame(x + 0.5, y + 0.5, windowInputs);
        const Point2 at = normalsCoordinates(f, across);
        return waterColour(bilinear(texels, at.x * kTargetSize, at.y * kTargetSize), picture);
    });
    EXPECT_LE(reduced.worst, kWindowTolerance) << reduced.firstMiss;
}

}  // namespace

TEST_F(SceneFrameTest, AHundredMeasuredFramesThenTheDecisionThenASmallerPattern) {
    Shims shims;
    pictureColours.clear();
    pictureSizes.clear();
    OffscreenTarget window(kWindowWidth, kWindowHeight);
    windowFramebuffer = window.framebuffer;
    timerNow = 30.0;
    SceneHooks hooks;
    hooks.timer = settableTimer;
    hooks.listener.renderModeChosen = modeChosen;
    chosenFrames = 0;
    Failure failure;
    const std::unique_ptr<Scene> scene = Scene::setupScene(hooks, true, UserSettings{}, failure);
    ASSERT_NE(scene, nullptr) << messageBoxesOf(failure).front();
    // The off-screen target is left bound, on its framebuffer.
    GLint normalsFramebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &normalsFramebuffer);
    const GLint normalsTarget = textureOnUnit(0);
    ASSERT_NE(normalsFramebuffer, 0);
    ASSERT_NE(static_cast<GLuint>(normalsFramebuffer), window.framebuffer);
    GLint width = 0, height = 0, format = 0, minFilter = 0, magFilter = 0;
    glBindTexture(GL_TEXTURE_2D, normalsTarget);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(width, kTargetSize);
    EXPECT_EQ(height, kTargetSize);
    EXPECT_EQ(format, GL_RGBA16F) << std::hex << format;
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    GLint attached = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &attached);
    EXPECT_EQ(attached, normalsTarget);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_NE(program, 0) << "the scene's program is left current";
    ASSERT_EQ(pictureColours.size(), 2u) << "only the two pictures on units 1 and 2 at first";
    for (const auto& picture : pictureSizes) {
        EXPECT_EQ(picture.second, kSmallBackgroundSize) << "set-up decodes only small copies";
    }
    for (const auto& picture : pictureColours) {
        ASSERT_GE(picture.second.r, 0.0) << "picture " << picture.first << " has no pixels";
    }

    // Frame 1: the table, then the whole picture in one pass, on unit 1's
    // picture (the fade value is still 0).
    framebufferBinds.clear();
    const float firstTime = static_cast<float>(timerNow);
    drawFrame(*scene);
    ASSERT_EQ(framebufferBinds.size(), 2u);
    const GLuint table = framebufferBinds[0];
    EXPECT_NE(table, static_cast<GLuint>(normalsFramebuffer));
    EXPECT_EQ(framebufferBinds, (std::vector<GLuint>{table, 0u}));
    ASSERT_EQ(textureOnUnit(0), normalsTarget);
    const Rgba firstPicture = pictureColours.at(static_cast<GLuint>(textureOnUnit(1)));
    EXPECT_NE(pictureColours.count(static_cast<GLuint>(textureOnUnit(2))), 0u);
    WaterInputs windowInputs;
    windowInputs.iTime = firstTime;
    windowInputs.viewportWidth = kWindowWidth;
    windowInputs.viewportHeight = kWindowHeight;
    WindowComparison full = compareWindow(window.readPixels(), [&](int x, int y) {
        const FragmentFrame f = fragmentFrame(x + 0.5, y + 0.5, windowInputs);
        return waterColour(referenceWave(f, windowInputs.iTime), firstPicture);
    });
    EXPECT_LE(full.worst, kWindowTolerance) << full.firstMiss;
    // The first frame took long: were it measured, the decision would show it.
    timerNow += 30.0;

    // Frame 2: as the first.
    framebufferBinds.clear();
    drawFrame(*scene);
    EXPECT_EQ(framebufferBinds, (std::vector<GLuint>{table, 0u}));

    // Frames 3 to 102 stay at full resolution, whatever their speed: the
    // hundredth measured interval (frame 101's) ends as frame 102 starts. A
    // frame at the time of the one before (paused) keeps the table it has.
    for (int frame = 3; frame <= 102; ++frame) {
        framebufferBinds.clear();
        timerNow -= frame == 50 ? kFrameSeconds : 0.0;
        drawFrame(*scene);
        ASSERT_EQ(framebufferBinds,
                  frame == 50 ? std::vector<GLuint>{0} : (std::vector<GLuint>{table, 0u}))
            << "frame " << frame;
        ASSERT_EQ(chosenFrames, frame == 102 ? 100 : 0) << "frame " << frame;
    }
    EXPECT_EQ(chosenMode, 2);
    EXPECT_EQ(chosenSize, kReducedSize);
    // 99 intervals of 200 ms and the paused one of 0, which is among the
    // quickest kept; the first frame's 30.2 s would be the slowest.
    EXPECT_NEAR(chosenTypicalMs, kFrameSeconds * 1000.0 * 89.0 / 90.0, 0.5);
    EXPECT_NEAR(chosenSlowestMs, kFrameSeconds * 1000.0, 0.5) << "the first frame was measured";

    // Frame 103: the pattern, 280 across, into the target, then the window from it.
    framebufferBinds.clear();
    const float reducedTime = static_cast<float>(timerNow);
    drawFrame(*scene);
    EXPECT_EQ(framebufferBinds,
              (std::vector<GLuint>{table, static_cast<GLuint>(normalsFramebuffer), 0u}));
    const Rgba picture = pictureColours.at(static_cast<GLuint>(textureOnUnit(1)));
    expectPatternFrame(static_cast<GLuint>(normalsFramebuffer), window, reducedTime, picture,
                       kReducedSize);
}

namespace {

// Only the window's framebuffer is redirected: the pictures are stored whole.
struct WindowShim {
    WindowShim() {
        realBindFramebuffer = gp_glBindFramebuffer;
        gp_glBindFramebuffer = bindFramebufferShim;
    }
    ~WindowShim() { gp_glBindFramebuffer = realBindFramebuffer; }
};

std::vector<unsigned char> readBytes(const OffscreenTarget& target) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(target.width) * target.height * 4);
    target.bind();
    glReadPixels(0, 0, target.width, target.height, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}

// Per colour channel: the 99th percentile of the differences, in 1/255, and
// the PSNR in dB.
struct ChannelFigures {
    int p99 = 0;
    double psnr = 0.0;
};

ChannelFigures compareChannel(const std::vector<unsigned char>& a,
                              const std::vector<unsigned char>& b, int channel) {
    std::vector<long long> counts(256, 0);
    double squares = 0.0;
    const std::size_t pixels = a.size() / 4;
    for (std::size_t i = 0; i < pixels; ++i) {
        const int d = std::abs(a[i * 4 + channel] - b[i * 4 + channel]);
        ++counts[d];
        squares += static_cast<double>(d) * d;
    }
    ChannelFigures figures;
    long long seen = 0;
    while (seen + counts[figures.p99] < static_cast<long long>(pixels * 0.99 + 0.5)) {
        seen += counts[figures.p99++];
    }
    const double mse = squares / static_cast<double>(pixels);
    figures.psnr = mse > 0.0 ? 10.0 * std::log10(255.0 * 255.0 / mse) : 99.0;
    return figures;
}

}  // namespace

// The look of the water as the scene draws it, the pattern worked out at
// about 800 texels across and read back between them, against the same
// frame with the pattern worked out for every pixel by the water program
// itself, over the real floor pictures in the middle of a cross-fade, then
// on one picture alone, at three times across the loop.
TEST_F(SceneFrameTest, ThePictureAsDrawnIsThePatternWorkedOutForEveryPixel) {
    Failure failure;
    ShaderTexts texts;
    ASSERT_TRUE(readShaderTextResources(137, 136, texts, failure));
    GLFWProgram perPixel(texts.vertex,
                         waterFragmentText(texts.fragment, WaterVariant::CellPointsFromTable),
                         failure);
    ASSERT_FALSE(failure.happened());
    FullViewportQuad quad;
    WindowShim shim;
    // Seconds after set-up, and the cross-fade they show: halfway, then the
    // second picture alone.
    const struct {
        double time, sinceSetUp, textureTime;
    } kMoments[] = {{161.5, 61.5, 0.5}, {2000.25, 61.5, 0.5}, {4090.0, 70.0, 1.0}};
    const struct { int width, height; } kScreens[] = {{640, 360}, {1920, 1080}, {3840, 2160}};
    for (const auto& screen : kScreens) {
        OffscreenTarget window(screen.width, screen.height);
        OffscreenTarget reference(screen.width, screen.height);
        windowFramebuffer = window.framebuffer;
        for (const auto& moment : kMoments) {
            SCOPED_TRACE(testing::Message()
                         << screen.width << "x" << screen.height << " at " << moment.time << " s");
            timerNow = moment.time - moment.sinceSetUp;
            SceneHooks hooks;
            hooks.timer = settableTimer;
            const std::unique_ptr<Scene> scene =
                Scene::setupScene(hooks, true, UserSettings{}, failure);
            ASSERT_NE(scene, nullptr);
            // The second frame at the same time sends the fade of this moment.
            FrameInputs inputs;
            inputs.time = timerNow = moment.time;
            inputs.framebufferWidth = screen.width;
            inputs.framebufferHeight = screen.height;
            inputs.aspectRatio = static_cast<float>(screen.width) / screen.height;
            scene->renderFrame(inputs);
            scene->renderFrame(inputs);
            const std::vector<unsigned char> drawn = readBytes(window);

            // The scene leaves its pictures and its table for this time on units 1 to 3.
            WaterInputs whole;
            whole.iTime = waterShaderTime(moment.time);
            whole.viewportWidth = screen.width;
            whole.viewportHeight = screen.height;
            whole.textureTime = moment.textureTime;
            reference.bind();
            glViewport(0, 0, screen.width, screen.height);
            setWaterUniforms(perPixel, whole, 1);
            glUniform1i(perPixel.uniformLocation("backgroundTexture"), 1);
            glUniform1i(perPixel.uniformLocation("backgroundTexture2"), 2);
            glUniform1i(perPixel.uniformLocation("cellPoints"), 3);
            quad.draw(perPixel);
            const std::vector<unsigned char> expected = readBytes(reference);
            for (int c = 0; c < 3; ++c) {
                const ChannelFigures f = compareChannel(drawn, expected, c);
                std::printf("%dx%d at %.2f s, channel %c: p99 %d/255, PSNR %.1f dB\n", screen.width,
                            screen.height, moment.time, "RGB"[c], f.p99, f.psnr);
                EXPECT_LE(f.p99, 2) << "channel " << c;
                EXPECT_GE(f.psnr, 50.0) << "channel " << c;
            }
        }
    }
}

namespace {

// The pictures on units 1 and 2 as the scene's listener tells them.
int shownA = -1, shownB = -1, changes = 0;
void picked(int a, int b) {
    shownA = a;
    shownB = b;
}
void changed(int a, int b, int) {
    picked(a, b);
    ++changes;
}

// A picture's lower-left pixel as decoded, whole or from its small copy.
Rgba firstPixelOf(int picture, int size) {
    DecodedPicture decoded;
    EXPECT_EQ(decodeFloorPicture(picture, size != kPictureSize, decoded), PictureDecoding::Decoded);
    const unsigned char* p = decoded.rows.data();
    return {p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f, 1.0f};
}

bool sameColour(const Rgba& a, const Rgba& b) {
    return std::fabs(a.r - b.r) < 1e-6 && std::fabs(a.g - b.g) < 1e-6 &&
           std::fabs(a.b - b.b) < 1e-6;
}

// A set-up gate that lets `allowed` steps through and then says stop,
// counting how often it was asked.
struct CountingGate {
    int allowed = 0;
    int asked = 0;
};

bool countingGateKeepsGoing(void* context) {
    auto* gate = static_cast<CountingGate*>(context);
    return gate->asked++ < gate->allowed;
}

}  // namespace

TEST_F(SceneFrameTest, EveryFrameShowsItsTwoPicturesWholeThroughManyChanges) {
    // Only the bound pictures are looked at: a small window draws quickest.
    constexpr int kSmallWidth = 48, kSmallHeight = 32;
    Shims shims;
    OffscreenTarget window(kSmallWidth, kSmallHeight);
    windowFramebuffer = window.framebuffer;
    pictureColours.clear();
    pictureSizes.clear();
    rowsUploaded.clear();
    wholePicturesMade = 0;
    timerNow = 30.0;
    SceneHooks hooks;
    hooks.timer = settableTimer;
    hooks.listener.backgroundsPicked = picked;
    hooks.listener.pictureChanged = changed;
    Failure failure;
    const std::unique_ptr<Scene> scene = Scene::setupScene(hooks, true, UserSettings{}, failure);
    ASSERT_NE(scene, nullptr);
    // Four frames a minute: a change comes before a picture could be filled
    // band by band, so some are finished when their turn comes.
    for (int frame = 0; frame < 4 * 45; ++frame) {
        // A change made after this frame's draw shows from the next frame on.
        const int drawnA = shownA, drawnB = shownB;
        FrameInputs inputs;
        inputs.time = timerNow;
        inputs.framebufferWidth = kSmallWidth;
        inputs.framebufferHeight = kSmallHeight;
        scene->renderFrame(inputs);
        timerNow += 15.0;
        // Each unit shows its picture whole, or its small copy whole, never a
        // texture still being filled; once a fade is over, the unit faded out
        // may show the picture on screen instead of its own.
        int ownPictures = 0;
        for (int unit : {1, 2}) {
            const GLuint texture = static_cast<GLuint>(textureOnUnit(unit));
            const int size = pictureSizes.at(texture);
            const int own = unit == 1 ? drawnA : drawnB, other = unit == 1 ? drawnB : drawnA;
            const Rgba seen = pictureColours.at(texture);
            ASSERT_EQ(rowsUploaded[texture], size) << "frame " << frame << " unit " << unit;
            const bool showsOwn = sameColour(seen, firstPixelOf(own, size));
            ASSERT_TRUE(showsOwn || sameColour(seen, firstPixelOf(other, size)))
                << "frame " << frame << " unit " << unit;
            ownPictures += showsOwn ? 1 : 0;
        }
        ASSERT_GE(ownPictures, 1) << "frame " << frame;
    }
    EXPECT_GE(changes, 40);
    EXPECT_EQ(wholePicturesMade, 2) << "two textures for whole pictures, reused";
}

// Without framebuffer objects: the scene makes and binds none (the window's
// framebuffer, bound here, stays), and stays at full resolution after slow
// frames, its program working out the cells' points itself.
TEST_F(SceneFrameTest, WithoutFramebufferObjectsEveryFrameIsDrawnWhole) {
    Shims shims;
    OffscreenTarget window(kWindowWidth, kWindowHeight);  // left bound
    pictureColours.clear();
    pictureSizes.clear();
    framebufferBinds.clear();
    framebuffersMade = 0;
    timerNow = 30.0;
    SceneHooks hooks;
    hooks.timer = settableTimer;
    Failure failure;
    const std::unique_ptr<Scene> scene = Scene::setupScene(hooks, false, UserSettings{}, failure);
    ASSERT_NE(scene, nullptr) << messageBoxesOf(failure).front();
    WaterInputs inputs;
    inputs.viewportWidth = kWindowWidth;
    inputs.viewportHeight = kWindowHeight;
    for (int frame = 1; frame <= 102; ++frame) {
        inputs.iTime = static_cast<float>(timerNow);
        drawFrame(*scene);
    }
    EXPECT_EQ(framebuffersMade, 0);
    EXPECT_EQ(framebufferBinds, std::vector<GLuint>{});
    const Rgba picture = pictureColours.at(static_cast<GLuint>(textureOnUnit(1)));
    WindowComparison whole = compareWindow(window.readPixels(), [&](int x, int y) {
        return waterColour(referenceWave(fragmentFrame(x + 0.5, y + 0.5, inputs), inputs.iTime),
                           picture);
    });
    EXPECT_LE(whole.worst, kWindowTolerance) << whole.firstMiss;
}

// Told to stop at any step, set-up gives null without a failure, stores no
// picture after the step it was stopped at, and leaves no texture behind.
TEST_F(SceneFrameTest, SetUpStopsAtEveryStepItsGateSaysStop) {
    Shims shims;
    timerNow = 30.0;
    CountingGate unlimited{1000};
    SceneHooks hooks;
    hooks.timer = settableTimer;
    hooks.setupGate = {countingGateKeepsGoing, &unlimited};
    Failure failure;
    pictureColours.clear();
    pictureSizes.clear();
    ASSERT_NE(Scene::setupScene(hooks, true, UserSettings{}, failure), nullptr)
        << messageBoxesOf(failure).front();
    // One ask before the first pictures, before the program, after the quad.
    ASSERT_EQ(unlimited.asked, 3);

    for (int allowed = 0; allowed < unlimited.asked; ++allowed) {
        CountingGate gate{allowed};
        hooks.setupGate = {countingGateKeepsGoing, &gate};
        pictureColours.clear();
        pictureSizes.clear();
        Failure stopped;
        EXPECT_EQ(Scene::setupScene(hooks, true, UserSettings{}, stopped), nullptr)
            << "allowed " << allowed;
        EXPECT_FALSE(stopped.happened()) << "allowed " << allowed;
        EXPECT_EQ(gate.asked, allowed + 1) << "set-up went on asking after it was told to stop";
        // The first two pictures' small copies once the first ask let set-up on.
        EXPECT_EQ(pictureColours.size(), allowed == 0 ? 0u : 2u) << "allowed " << allowed;
        for (const auto& picture : pictureColours) {
            EXPECT_FALSE(glIsTexture(picture.first)) << "allowed " << allowed;
        }
    }
}
