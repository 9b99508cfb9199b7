// The real scene on Mesa, through Scene::setupScene and renderFrame, in a 320 x 240
// "window" (a framebuffer of the test's, standing in for framebuffer 0):
// set-up leaves the 1024 x 1024 RGB8 nearest-filtered target bound; every
// frame with a new time first draws the cell point table; the first frame is
// drawn the cheap way, filling only the lower-left 64 x 64 texels of the
// target, which the window pass then reads; the next hundred and one frames
// draw the whole picture in one pass, and the decision averages a hundred of
// them and none of the cheap one; after them a slow machine's frames are
// reduced again. Without framebuffer objects the scene never touches one. The
// 2048 x 2048 backgrounds (two at set-up, a third for the next change after
// the first frames) are read from the program's resources but stored as one
// texel each, to spare memory.
#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/resources.h"
#include "resources/background_pictures.h"
#include "scene/scene.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/water_reference.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/scripted_timer.h"

namespace {

constexpr int kWindowWidth = 320;  // more pixels than the smallest S x S
constexpr int kWindowHeight = 240;
constexpr int kTargetSize = 1024;
constexpr int kPictureSize = 2048;
constexpr double kFrameSeconds = 0.2;  // slow frames: S becomes 256
constexpr int kReducedSize = 256;      // what the decision takes for slow frames
constexpr int kFirstFrameSize = 64;    // a sixteenth of 320 x 240 holds 64 x 64
// The window is RGBA8; the wave parameters come from the RGB8 target.
constexpr double kWindowTolerance = 1.5 / 255.0;
constexpr int kTexelTolerance = 1;

// The test's framebuffer stands in for the window's; the shims record which
// framebuffers each frame draws into.
GLuint windowFramebuffer = 0;
std::vector<GLuint> framebufferBinds;
int framebuffersMade = 0;
std::map<GLuint, Rgba> pictureColours;  // texture name -> its one texel
std::map<GLuint, int> rowsUploaded;     // texture name -> rows since its picture's first
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

// A picture keeps only its lower-left pixel, so every lookup in it gives that colour.
void APIENTRY texStorage2DShim(GLenum target, GLsizei levels, GLenum format, GLsizei width,
                               GLsizei height) {
    if (width == kPictureSize && height == kPictureSize) {
        pictureColours[boundTexture()] = {-1.0, -1.0, -1.0, -1.0};
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
    int& rows = rowsUploaded[boundTexture()];
    rows = y == 0 ? height : rows + height;
    // The pictures arrive as the bitmaps store them: blue, green, red bytes.
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

// The target's texels, bottom row first, read through its framebuffer.
std::vector<unsigned char> readTarget(GLuint framebuffer, int size) {
    std::vector<unsigned char> texels(static_cast<std::size_t>(size) * size * 3);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
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
float chosenAverageMs = 0.0f;
void modeChosen(int mode, int size, float averageMs, int frames) {
    chosenMode = mode;
    chosenSize = size;
    chosenAverageMs = averageMs;
    chosenFrames = frames;
}

// A frame drawn the reduced way at `time`: the pattern in only the lower-left
// `size` x `size` texels of the target, then the window from it.
void expectReducedFrame(GLuint normalsFramebuffer, const OffscreenTarget& window, float time,
                        const Rgba& picture, int size) {
    const std::vector<unsigned char> texels = readTarget(normalsFramebuffer, kTargetSize);
    WaterInputs squareInputs;
    squareInputs.iTime = time;
    squareInputs.viewportWidth = size;
    squareInputs.viewportHeight = size;
    int outsideLit = 0, insideDark = 0, insideMisses = 0;
    for (int j = 0; j < kTargetSize; ++j) {
        for (int i = 0; i < kTargetSize; ++i) {
            const unsigned char* t = &texels[(static_cast<std::size_t>(j) * kTargetSize + i) * 3];
            if (i >= size || j >= size) {
                outsideLit += (t[0] | t[1] | t[2]) != 0;
                continue;
            }
            // res never falls below 0.352, so every written texel has red.
            insideDark += t[0] < 89 || t[2] != 0;
            if (i % 17 == 0 && j % 13 == 0) {
                const WaveParameters w =
                    referenceWave(fragmentFrame(i + 0.5, j + 0.5, squareInputs), time);
                const int res = static_cast<int>(std::lround(std::fmin(w.res, 1.0) * 255.0));
                const int fv = static_cast<int>(std::lround(std::fmin(w.fractVoro, 1.0) * 255.0));
                insideMisses +=
                    std::abs(t[0] - res) > kTexelTolerance || std::abs(t[1] - fv) > kTexelTolerance;
            }
        }
    }
    EXPECT_EQ(outsideLit, 0) << "texels outside the lower-left S x S were written";
    EXPECT_EQ(insideDark, 0) << "texels inside it without the wave parameters";
    EXPECT_EQ(insideMisses, 0) << "the pattern was not drawn on an S x S viewport";

    // The window pass reads the stored parameters where the shader maps each pixel.
    WaterInputs windowInputs;
    windowInputs.iTime = time;
    windowInputs.viewportWidth = kWindowWidth;
    windowInputs.viewportHeight = kWindowHeight;
    windowInputs.normalsTextureSize = size;
    WindowComparison reduced = compareWindow(window.readPixels(), [&](int x, int y) {
        const FragmentFrame f = fragmentFrame(x + 0.5, y + 0.5, windowInputs);
        const Point2 at = normalsCoordinates(f, size);
        const int i = static_cast<int>(std::floor(at.x * kTargetSize));
        const int j = static_cast<int>(std::floor(at.y * kTargetSize));
        const unsigned char* t = &texels[(static_cast<std::size_t>(j) * kTargetSize + i) * 3];
        return waterColour({t[0] / 255.0, t[1] / 255.0}, picture);
    });
    EXPECT_LE(reduced.worst, kWindowTolerance) << reduced.firstMiss;
}

}  // namespace

TEST_F(SceneFrameTest, ACheapFirstFrameThenAHundredMeasuredFullFramesThenTheDecision) {
    Shims shims;
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
    EXPECT_TRUE(format == GL_RGB || format == GL_RGB8) << std::hex << format;
    EXPECT_EQ(minFilter, GL_NEAREST);
    EXPECT_EQ(magFilter, GL_NEAREST);
    GLint attached = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &attached);
    EXPECT_EQ(attached, normalsTarget);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_NE(program, 0) << "the scene's program is left current";
    ASSERT_EQ(pictureColours.size(), 2u) << "only the two pictures on units 1 and 2 at first";
    for (const auto& picture : pictureColours) {
        ASSERT_GE(picture.second.r, 0.0) << "picture " << picture.first << " has no pixels";
    }

    // Frame 1: the table, then the pattern at 64 x 64 into the target, then
    // the window from it, on unit 1's picture (the fade value is still 0).
    framebufferBinds.clear();
    const float firstTime = static_cast<float>(timerNow);
    drawFrame(*scene);
    ASSERT_EQ(framebufferBinds.size(), 3u);
    const GLuint table = framebufferBinds[0];
    EXPECT_NE(table, static_cast<GLuint>(normalsFramebuffer));
    EXPECT_EQ(framebufferBinds,
              (std::vector<GLuint>{table, static_cast<GLuint>(normalsFramebuffer), 0u}));
    ASSERT_EQ(textureOnUnit(0), normalsTarget);
    const Rgba firstPicture = pictureColours.at(static_cast<GLuint>(textureOnUnit(1)));
    EXPECT_NE(pictureColours.count(static_cast<GLuint>(textureOnUnit(2))), 0u);
    expectReducedFrame(static_cast<GLuint>(normalsFramebuffer), window, firstTime, firstPicture,
                       kFirstFrameSize);
    // The cheap frame took long: were it measured, the average would show it.
    timerNow += 3.0;

    // Frame 2: the whole picture in one pass.
    framebufferBinds.clear();
    const float secondTime = static_cast<float>(timerNow);
    drawFrame(*scene);
    EXPECT_EQ(framebufferBinds, (std::vector<GLuint>{table, 0u}));
    WaterInputs windowInputs;
    windowInputs.iTime = secondTime;
    windowInputs.viewportWidth = kWindowWidth;
    windowInputs.viewportHeight = kWindowHeight;
    WindowComparison full = compareWindow(window.readPixels(), [&](int x, int y) {
        const FragmentFrame f = fragmentFrame(x + 0.5, y + 0.5, windowInputs);
        return waterColour(referenceWave(f, windowInputs.iTime), firstPicture);
    });
    EXPECT_LE(full.worst, kWindowTolerance) << full.firstMiss;

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
    // 99 intervals of 200 ms and the paused one of 0; with the cheap frame's
    // 3.2 s it would be 228 ms.
    EXPECT_NEAR(chosenAverageMs, kFrameSeconds * 1000.0 * 0.99, 0.5)
        << "the average holds only full-resolution frames";

    // By now the picture of the next change has a texture of its own too.
    EXPECT_EQ(pictureColours.size(), 3u);

    // Frame 103: the pattern into the target, then the window from it.
    framebufferBinds.clear();
    const float reducedTime = static_cast<float>(timerNow);
    drawFrame(*scene);
    EXPECT_EQ(framebufferBinds,
              (std::vector<GLuint>{table, static_cast<GLuint>(normalsFramebuffer), 0u}));
    const Rgba picture = pictureColours.at(static_cast<GLuint>(textureOnUnit(1)));
    expectReducedFrame(static_cast<GLuint>(normalsFramebuffer), window, reducedTime, picture,
                       kReducedSize);
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

// A picture's lower-left pixel, straight from its bitmap.
Rgba firstPixelOf(int picture) {
    const unsigned char* bytes = findBitmapResource(kBackgroundPictures[picture].bitmapId).bytes;
    const unsigned char* p = bytes + 40;
    return {p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f, 1.0f};
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
    rowsUploaded.clear();
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
        for (int unit : {1, 2}) {
            const GLuint texture = static_cast<GLuint>(textureOnUnit(unit));
            const Rgba expected = firstPixelOf(unit == 1 ? drawnA : drawnB);
            const Rgba seen = pictureColours.at(texture);
            ASSERT_EQ(rowsUploaded[texture], kPictureSize) << "frame " << frame << " unit " << unit;
            ASSERT_NEAR(seen.r, expected.r, 1e-6) << "frame " << frame << " unit " << unit;
            ASSERT_NEAR(seen.g, expected.g, 1e-6) << "frame " << frame << " unit " << unit;
            ASSERT_NEAR(seen.b, expected.b, 1e-6) << "frame " << frame << " unit " << unit;
        }
    }
    EXPECT_GE(changes, 40);
    EXPECT_EQ(pictureColours.size(), 3u) << "three textures, reused";
}

// Without framebuffer objects: the scene makes and binds none (the window's
// framebuffer, bound here, stays), and stays at full resolution after slow
// frames, its program working out the cells' points itself.
TEST_F(SceneFrameTest, WithoutFramebufferObjectsEveryFrameIsDrawnWhole) {
    Shims shims;
    OffscreenTarget window(kWindowWidth, kWindowHeight);  // left bound
    pictureColours.clear();
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
    ASSERT_NE(Scene::setupScene(hooks, true, UserSettings{}, failure), nullptr) << messageBoxesOf(failure).front();
    // One ask before each of the two first pictures, before the program, after the quad.
    ASSERT_EQ(unlimited.asked, 4);

    for (int allowed = 0; allowed < unlimited.asked; ++allowed) {
        CountingGate gate{allowed};
        hooks.setupGate = {countingGateKeepsGoing, &gate};
        pictureColours.clear();
        Failure stopped;
        EXPECT_EQ(Scene::setupScene(hooks, true, UserSettings{}, stopped), nullptr) << "allowed " << allowed;
        EXPECT_FALSE(stopped.happened()) << "allowed " << allowed;
        EXPECT_EQ(gate.asked, allowed + 1) << "set-up went on asking after it was told to stop";
        EXPECT_EQ(pictureColours.size(), static_cast<std::size_t>(std::min(allowed, 2)));
        for (const auto& picture : pictureColours) {
            EXPECT_FALSE(glIsTexture(picture.first)) << "allowed " << allowed;
        }
    }
}
