// The water scene: built once before the first frame, then drawn every frame
// with the pattern computed into the off-screen target at the size its look
// needs and read back by a full-window pass, or, in a window too small for
// that to pay and without framebuffer objects, per pixel in one pass. The one
// place where the scene calls OpenGL; its decisions and its schedule are
// plain code.
#include "scene/scene.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "gfx/gl.h"
#include "gfx/glfw_program.h"
#include "gfx/picture_decoding.h"
#include "gfx/shader_text_resource.h"
#include "gfx/vector_math.h"
#include "mesh/camera.h"
#include "mesh/glfw_drawable_sky.h"
#include "mesh/mesh_data.h"
#include "platform/failure.h"
#include "resources/background_pictures.h"
#include "scene/background_schedule.h"
#include "scene/cell_point_table.h"
#include "scene/frame_seed.h"
#include "scene/frame_time_stats.h"
#include "scene/normals_target.h"
#include "scene/picture_textures.h"
#include "scene/render_mode_decision.h"
#include "scene/water_clock.h"
#include "scene/water_texts.h"
#include "scene/water_units.h"
#include "scene/waves_read_back.h"

namespace {

// The water's program, the quad that carries it, the pass that draws its
// cell point table, and the reduced path's window pass.
constexpr const char* kProgramName = "BackgroundProgram";
constexpr const char* kCellPointsProgramName = "CellPointsProgram";
constexpr const char* kReadBackProgramName = "ReadBackProgram";
constexpr std::uint16_t kVertexShaderText = 137;
constexpr std::uint16_t kFragmentShaderText = 136;
constexpr std::uint16_t kQuadObjText = 141;
constexpr std::uint16_t kQuadMtlText = 140;
constexpr float kQuadScale = 1.0f;

// Camera and matrices. The water shaders pass the quad's corners through as
// clip coordinates, so these only fill the matrix uniforms.
constexpr float kCameraX = 0.0f, kCameraY = 0.0f, kCameraZ = 100.0f;
constexpr float kCameraPitchDegrees = 1.0f;
constexpr int kViewSlot = 0;
constexpr float kFieldOfViewDegrees = 50.0f;
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 1000.0f;
constexpr float kSkyDepth = -100.0f;

// The shader's render modes: the pattern into the off-screen target, the
// whole picture at once, the picture from the stored pattern.
constexpr int kShaderWritesWaves = 0;
constexpr int kShaderFullPicture = 1;
constexpr int kShaderReadsWaves = 2;

// Where the renderer's uniforms live in the program, looked up once.
struct SceneUniforms {
    GLint normalsTexture = -1;
    GLint normalsTextureSize = -1;
    GLint backgroundTexture = -1;
    GLint backgroundTexture2 = -1;
    GLint cellPoints = -1;
    GLint renderMode = -1;
    GLint textureTime = -1;
};

}  // namespace

struct Scene::State {
    State(const SceneHooks& given, bool framebufferObjectsUsable, const UserSettings& chosen)
        : framebufferObjects(framebufferObjectsUsable),
          settings(chosen),
          hooks(completeSceneHooks(given)),
          camera(kCameraX, kCameraY, kCameraZ),
          schedule(hooks.random, chosen.pictureChangeSeconds, chosen.picturesShown) {}

    bool toldToStop() const;
    bool buildProgramAndQuad(Failure& failure);
    void createTargets();
    void drawCellPoints(float shaderTime);
    void lookUpUniforms();
    void setSharedUniforms(int patternAcross);
    void bindTextures(double now);
    void drawToWindow(const FrameInputs& frame, float shaderTime, int shaderMode,
                      int patternAcross);
    void drawWavesOffscreen(const PatternPass& pass, float shaderTime);
    void chooseRenderModeOnce();
    void advanceBackgrounds(double now);
    bool showFirstPictures();
    void leaveOutDamaged(const std::vector<int>& damaged);

    // Without them (or with targets the driver cannot draw into) the water is
    // drawn at full resolution only, and works out every cell's point per pixel.
    bool framebufferObjects;
    UserSettings settings;
    SceneHooks hooks;
    FrameTimeStats frameStats{kFramesBeforeDecision};
    GLFWProgramRegistry programs;
    Camera camera;
    PictureTextures pictures;
    std::unique_ptr<GLFWDrawableSky> sky;
    // Null without framebuffer objects.
    std::unique_ptr<NormalsTarget> normals;
    std::unique_ptr<CellPointTable> cellPoints;
    std::unique_ptr<WavesReadBack> wavesReadBack;
    SceneUniforms uniforms;
    RenderModeState renderMode;
    BackgroundSchedule schedule;
    int framesDrawn = 0;
    std::vector<int> damagedPictures;  // kept between frames, so a frame allocates nothing
};

bool Scene::State::toldToStop() const {
    const SetupGate& gate = hooks.setupGate;
    return gate.keepGoing != nullptr && !gate.keepGoing(gate.context);
}

bool Scene::State::buildProgramAndQuad(Failure& failure) {
    ShaderTexts texts;
    if (!readShaderTextResources(kVertexShaderText, kFragmentShaderText, texts, failure)) {
        return false;
    }
    // Without framebuffer objects one program works every cell's point out per
    // pixel; with them the water reads the points from the table that a second
    // program draws, and a third draws the reduced path's window pass.
    std::vector<std::pair<const char*, WaterVariant>> builds = {
        {kProgramName, WaterVariant::CellPointsHashed}};
    if (framebufferObjects) {
        builds = {{kProgramName, WaterVariant::CellPointsFromTable},
                  {kCellPointsProgramName, WaterVariant::CellPointsIntoTable},
                  {kReadBackProgramName, WaterVariant::WavesReadBack}};
    }
    // A text that does not build is told once, from the first program.
    for (const auto& build : builds) {
        programs.add(build.first, texts.vertex, waterFragmentText(texts.fragment, build.second),
                     failure);
        if (failure.happened()) {
            return false;
        }
    }
    std::vector<objl::Mesh> meshes = readMeshResources(kQuadObjText, kQuadMtlText, failure);
    if (failure.happened()) {
        return false;
    }
    sky = std::make_unique<GLFWDrawableSky>(
        &camera, &programs, kProgramName,
        std::make_unique<MeshData>(std::make_unique<MeshArrays>(meshes, kQuadScale)));
    sky->prepare();
    return true;
}

// Made before the programs, which are built for what there is. A driver that
// cannot draw into either target gets none: the hashed water at full
// resolution draws the same picture.
void Scene::State::createTargets() {
    if (!framebufferObjects) {
        return;
    }
    cellPoints = std::make_unique<CellPointTable>();
    normals = NormalsTarget::make(kNormalsTargetSize);
    if (!cellPoints->complete() || normals == nullptr) {
        cellPoints.reset();
        normals.reset();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        framebufferObjects = false;
        return;
    }
    wavesReadBack = std::make_unique<WavesReadBack>();
}

// The table pass makes its own program current; the water's comes back.
void Scene::State::drawCellPoints(float shaderTime) {
    if (cellPoints != nullptr &&
        cellPoints->fill(*programs.get(kCellPointsProgramName), shaderTime)) {
        programs.use(kProgramName);
    }
}

void Scene::State::lookUpUniforms() {
    GLFWProgram* program = programs.get(kProgramName);
    uniforms.normalsTexture = program->uniformLocation("normalsTexture");
    uniforms.normalsTextureSize = program->uniformLocation("normalsTextureSize");
    uniforms.backgroundTexture = program->uniformLocation("backgroundTexture");
    uniforms.backgroundTexture2 = program->uniformLocation("backgroundTexture2");
    uniforms.cellPoints = program->uniformLocation("cellPoints");
    uniforms.renderMode = program->uniformLocation("renderMode");
    uniforms.textureTime = program->uniformLocation("textureTime");
}

void Scene::State::setSharedUniforms(int patternAcross) {
    glUniform1f(uniforms.normalsTextureSize, static_cast<float>(patternAcross));
    glUniform1i(uniforms.normalsTexture, kNormalsUnit);
    glUniform1i(uniforms.backgroundTexture, kBackgroundUnit);
    glUniform1i(uniforms.backgroundTexture2, kBackground2Unit);
    glUniform1i(uniforms.cellPoints, kCellPointsUnit);
}

// Unit 3 is left active.
void Scene::State::bindTextures(double now) {
    // A picture no longer seen may have given its texture to the next one:
    // both units then show the one on screen, which is all the shader reads.
    const int alone = schedule.aloneAt(now);
    const int a = alone >= 0 ? alone : schedule.backgroundA();
    const int b = alone >= 0 ? alone : schedule.backgroundB();
    const GLuint textures[4] = {normals != nullptr ? normals->texture() : 0,
                                pictures.textureOf(a, b), pictures.textureOf(b, a),
                                cellPoints != nullptr ? cellPoints->texture() : 0};
    const int units[4] = {kNormalsUnit, kBackgroundUnit, kBackground2Unit, kCellPointsUnit};
    for (int i = 0; i < 4; ++i) {
        glActiveTexture(GL_TEXTURE0 + units[i]);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textures[i]);
    }
}

void Scene::State::drawToWindow(const FrameInputs& frame, float shaderTime, int shaderMode,
                                int patternAcross) {
    if (framebufferObjects) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    bindTextures(frame.time);
    glViewport(0, 0, frame.framebufferWidth, frame.framebufferHeight);
    // The read-back has a program of its own, without the pattern's code.
    if (shaderMode == kShaderReadsWaves) {
        wavesReadBack->draw(*programs.get(kReadBackProgramName), frame.framebufferWidth,
                            frame.framebufferHeight, patternAcross, schedule.fadeValue());
        programs.use(kProgramName);
        return;
    }
    glUniform1i(uniforms.renderMode, shaderMode);
    glUniform1f(uniforms.textureTime, schedule.fadeValue());
    sky->draw(FrameClock{static_cast<float>(frame.framebufferWidth),
                         static_cast<float>(frame.framebufferHeight), shaderTime});
}

// The pattern into the lower-left texels, `across` of them over the window's
// width: the drawable sends the pattern's width and its height in proportion
// (not a whole number) as the viewport's, so each texel holds the pattern
// where its centre falls on the window.
void Scene::State::drawWavesOffscreen(const PatternPass& pass, float shaderTime) {
    normals->bind();
    // The pattern reads the table; the window's pass binds the rest later, so
    // the very first frame finds nothing else bound on unit 3 yet.
    glActiveTexture(GL_TEXTURE0 + kCellPointsUnit);
    glBindTexture(GL_TEXTURE_2D, cellPoints->texture());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, pass.drawnWidth, pass.drawnHeight);
    glUniform1i(uniforms.renderMode, kShaderWritesWaves);
    sky->draw(FrameClock{static_cast<float>(pass.across), pass.height, shaderTime});
}

void Scene::State::chooseRenderModeOnce() {
    if (renderMode.modeDecided != 0 || frameStats.count() < kFramesBeforeDecision) {
        return;
    }
    const std::vector<float>& measured = frameStats.firstFramesMs();
    const float typicalMs = typicalFrameMs(measured);
    // Without an off-screen target there is no smaller pattern to take: the
    // decision keeps the one pass, and is still told.
    decideRenderMode(renderMode, frameStats.count(), framebufferObjects ? typicalMs : 0.0f);
    if (hooks.listener.renderModeChosen != nullptr) {
        const float slowestMs = *std::max_element(measured.begin(), measured.end());
        hooks.listener.renderModeChosen(renderMode.currentRenderMode, renderMode.reducedSize,
                                        typicalMs, frameStats.count(), slowestMs);
    }
}

void Scene::State::advanceBackgrounds(double now) {
    if (schedule.advance(now)) {
        if (hooks.listener.pictureChanged != nullptr) {
            hooks.listener.pictureChanged(schedule.backgroundA(), schedule.backgroundB(),
                                          schedule.fadeToSecond());
        }
    }
}

// Unit 1's and unit 2's pictures from their small copies; a picture whose
// copy does not decode is left out and another picked. False when none is left.
bool Scene::State::showFirstPictures() {
    return schedule.keepUsable([this](int picture) { return pictures.showSmallFirst(picture); });
}

// Pictures whose whole data did not decode: never picked again. One on
// screen is replaced at once; if every picture is damaged the last small
// copy stays, as nothing better can be shown.
void Scene::State::leaveOutDamaged(const std::vector<int>& damaged) {
    for (const int picture : damaged) {
        if (schedule.leaveOut(picture)) {
            showFirstPictures();
        }
    }
}

Scene::Scene(std::unique_ptr<State> state) : state_(std::move(state)) {}

Scene::~Scene() = default;

std::unique_ptr<Scene> Scene::setupScene(const SceneHooks& hooks, bool framebufferObjectsUsable,
                                         const UserSettings& settings, Failure& failure) {
    auto state = std::make_unique<State>(hooks, framebufferObjectsUsable, settings);
    if (hooks.random == nullptr) {
        // The one seeding of the C library's generator in a run.
        std::srand(firstFrameSeed(static_cast<float>(state->hooks.timer())));
    }
    state->camera.pitch(kCameraPitchDegrees);
    state->camera.updateView(kViewSlot);
    // The first two pictures from their small copies, in a moment; their
    // whole pictures are decoded meanwhile on the loader's thread. A damaged
    // picture is left out; with none left there is nothing to show.
    state->schedule.pickBackgroundA();
    state->schedule.pickBackgroundB();
    if (state->toldToStop()) {
        return nullptr;
    }
    if (!state->showFirstPictures()) {
        failure.add(kNoFloorPictureText);
        return nullptr;
    }
    // The gate is asked around the program and the quad too.
    if (state->toldToStop()) {
        return nullptr;
    }
    state->createTargets();
    if (!state->buildProgramAndQuad(failure) || state->toldToStop()) {
        return nullptr;
    }
    // The off-screen target is left bound.
    if (state->normals != nullptr) {
        state->normals->bind();
    }
    state->lookUpUniforms();
    state->renderMode.currentRenderMode = kFullResolution;
    state->renderMode.reducedSize = kPatternTexelsAcross;
    state->schedule.scheduleFirstFade(state->hooks.timer());
    // The first frame sets its uniforms before any draw has made the program current.
    state->programs.use(kProgramName);
    if (state->hooks.listener.backgroundsPicked != nullptr) {
        state->hooks.listener.backgroundsPicked(state->schedule.backgroundA(),
                                                state->schedule.backgroundB());
    }
    return std::unique_ptr<Scene>(new Scene(std::move(state)));
}

void Scene::renderFrame(const FrameInputs& frame) {
    State& s = *state_;
    s.framesDrawn += 1;
    const bool firstFrame = s.framesDrawn == 1;
    // The first frame is not measured: it also pays for the driver's first
    // use of the programs and textures, which no later frame does.
    if (!firstFrame) {
        s.frameStats.tick(frame.time, frame.waitedSeconds);
    }
    if (frame.pausedSeconds > 0.0) {
        s.schedule.postpone(frame.pausedSeconds);
    }
    // Pictures decoded meanwhile, and a band of one into its texture, before
    // the draw binds what it needs.
    // The next change's picture is made ready once the cross-fade before it
    // is over, in the texture of the picture it faded out.
    s.damagedPictures.clear();
    const int alone = s.schedule.aloneAt(frame.time);
    if (alone >= 0) {
        s.pictures.afterFrame(s.schedule.upcomingPicture(), alone, alone, s.damagedPictures);
    } else {
        s.pictures.afterFrame(-1, s.schedule.backgroundA(), s.schedule.backgroundB(),
                              s.damagedPictures);
    }
    s.leaveOutDamaged(s.damagedPictures);
    s.camera.setProjection(
        perspective(kFieldOfViewDegrees, frame.aspectRatio, kNearPlane, kFarPlane));
    s.camera.selectView(kViewSlot);
    s.sky->setModel(translate(0.0f, 0.0f, kSkyDepth));
    // Worked out every frame, so the pattern follows the window's size.
    const PatternPass pass = s.framebufferObjects
                                 ? patternPassFor(s.renderMode.reducedSize, frame.framebufferWidth,
                                                  frame.framebufferHeight)
                                 : PatternPass{};
    // Both passes of a frame draw the water at the same moment.
    const float shaderTime = waterShaderTime(frame.time, s.settings.waterSpeedPercent);
    s.drawCellPoints(shaderTime);
    s.setSharedUniforms(pass.across);
    if (pass.onePass) {
        s.drawToWindow(frame, shaderTime, kShaderFullPicture, pass.across);
    } else {
        s.drawWavesOffscreen(pass, shaderTime);
        s.drawToWindow(frame, shaderTime, kShaderReadsWaves, pass.across);
    }
    // Takes effect from the next frame.
    s.chooseRenderModeOnce();
    // The fade value computed here is the one the next frame sends.
    s.advanceBackgrounds(frame.time);
}
