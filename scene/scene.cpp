// The water scene: built once before the first frame, then drawn every frame
// either at full resolution in one pass, or with the pattern computed into the
// off-screen target and read back by a full-window pass. The one place where
// the scene calls OpenGL; its decisions and its schedule are plain code.
#include "scene/scene.h"

#include <cstdint>
#include <cstdlib>

#include "app/frame_seed.h"
#include "app/window_state.h"
#include "gfx/gl.h"
#include "gfx/glfw_program.h"
#include "gfx/glfw_texture.h"
#include "gfx/vector_math.h"
#include "mesh/camera.h"
#include "mesh/glfw_drawable_sky.h"
#include "scene/background_schedule.h"
#include "scene/frame_time_stats.h"
#include "scene/render_mode_decision.h"
#include "scene/scene_hooks.h"

namespace {

// The background pictures by index: bitmap resources of 2048 x 2048, 24 bits.
constexpr std::uint16_t kBackgroundBitmapIds[kBackgroundCount] = {214, 212, 210, 223,
                                                                  221, 220, 198, 196};
constexpr int kBackgroundSize = 2048;

// The one program, and the quad that carries it.
constexpr const char* kProgramName = "BackgroundProgram";
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

// Texture units of the water program.
constexpr int kNormalsUnit = 0;
constexpr int kBackgroundUnit = 1;
constexpr int kBackground2Unit = 2;

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
    GLint renderMode = -1;
    GLint textureTime = -1;
};

int cLibraryRand() {
    return std::rand();
}

// Created by setupScene and never released: the process's end reclaims them.
FrameTimeStats* frameStats = nullptr;
GLFWProgramRegistry* programs = nullptr;
Camera* camera = nullptr;
GLFWTexture* backgrounds[kBackgroundCount] = {};
GLFWDrawableSky* sky = nullptr;
GLuint normalsFramebuffer = 0;
GLuint normalsTarget = 0;
SceneUniforms uniforms;
RenderModeState renderMode;
BackgroundSchedule schedule(sceneTime, cLibraryRand);

void loadBackgrounds() {
    for (int index = 0; index < kBackgroundCount; ++index) {
        backgrounds[index] = new GLFWTexture(kBackgroundBitmapIds[index], kBackgroundSize);
    }
}

// An RGB8 texture with nearest filtering: the pattern's two parameters are
// read back texel for texel. Its contents start undefined; the first pass
// that uses it clears it.
void createNormalsTarget() {
    glGenFramebuffers(1, &normalsFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, normalsFramebuffer);
    glGenTextures(1, &normalsTarget);
    glBindTexture(GL_TEXTURE_2D, normalsTarget);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kNormalsTargetSize, kNormalsTargetSize, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, normalsTarget, 0);
    const GLenum drawBuffer = GL_COLOR_ATTACHMENT0;
    glDrawBuffers(1, &drawBuffer);
}

void lookUpUniforms() {
    GLFWProgram* program = programs->get(kProgramName);
    uniforms.normalsTexture = program->uniformLocation("normalsTexture");
    uniforms.normalsTextureSize = program->uniformLocation("normalsTextureSize");
    uniforms.backgroundTexture = program->uniformLocation("backgroundTexture");
    uniforms.backgroundTexture2 = program->uniformLocation("backgroundTexture2");
    uniforms.renderMode = program->uniformLocation("renderMode");
    uniforms.textureTime = program->uniformLocation("textureTime");
}

void setSharedUniforms() {
    glUniform1f(uniforms.normalsTextureSize, static_cast<float>(renderMode.reducedSize));
    glUniform1i(uniforms.normalsTexture, kNormalsUnit);
    glUniform1i(uniforms.backgroundTexture, kBackgroundUnit);
    glUniform1i(uniforms.backgroundTexture2, kBackground2Unit);
}

// Unit 2 is left active.
void bindTextures() {
    const GLuint textures[3] = {normalsTarget, backgrounds[schedule.backgroundA()]->name(),
                                backgrounds[schedule.backgroundB()]->name()};
    const int units[3] = {kNormalsUnit, kBackgroundUnit, kBackground2Unit};
    for (int i = 0; i < 3; ++i) {
        glActiveTexture(GL_TEXTURE0 + units[i]);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textures[i]);
    }
}

void drawToWindow(int shaderMode) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    bindTextures();
    frameClock->setViewport(static_cast<float>(windowWidth), static_cast<float>(windowHeight));
    glViewport(0, 0, windowWidth, windowHeight);
    glUniform1i(uniforms.renderMode, shaderMode);
    glUniform1f(uniforms.textureTime, schedule.fadeValue());
    sky->draw();
}

// The pattern into the lower-left S x S texels, where the drawable sends S as
// the viewport's width and height.
void drawWavesOffscreen() {
    const int size = renderMode.reducedSize;
    glBindFramebuffer(GL_FRAMEBUFFER, normalsFramebuffer);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frameClock->setViewport(static_cast<float>(size), static_cast<float>(size));
    glViewport(0, 0, size, size);
    glUniform1i(uniforms.renderMode, kShaderWritesWaves);
    sky->draw();
}

void chooseRenderModeOnce() {
    if (decideRenderMode(renderMode, frameStats->count(), frameStats->averageMs())) {
        const SceneListener& listener = sceneListener();
        if (listener.renderModeChosen != nullptr) {
            listener.renderModeChosen(renderMode.currentRenderMode, renderMode.reducedSize,
                                      frameStats->averageMs(), frameStats->count());
        }
    }
}

void advanceBackgrounds() {
    if (schedule.advance()) {
        const SceneListener& listener = sceneListener();
        if (listener.pictureChanged != nullptr) {
            listener.pictureChanged(schedule.backgroundA(), schedule.backgroundB(),
                                    schedule.fadeToSecond());
        }
    }
}

}  // namespace

FrameClock* frameClock = nullptr;

void setupScene() {
    frameStats = new FrameTimeStats(sceneTime);
    programs = new GLFWProgramRegistry();
    frameClock = new FrameClock(0.0f);
    camera = new Camera(kCameraX, kCameraY, kCameraZ);
    camera->pitch(kCameraPitchDegrees);
    camera->updateView(kViewSlot);
    std::srand(firstFrameSeed(static_cast<float>(sceneTime())));
    loadBackgrounds();
    schedule.pickBackgroundA();
    schedule.pickBackgroundB();
    programs->add(kProgramName, kVertexShaderText, kFragmentShaderText);
    sky = new GLFWDrawableSky(frameClock, camera, programs, kProgramName, kQuadObjText,
                              kQuadMtlText, kQuadScale);
    sky->prepare();
    createNormalsTarget();  // left bound
    lookUpUniforms();
    renderMode.currentRenderMode = kFullResolution;
    renderMode.reducedSize = kNormalsTargetSize;
    schedule.scheduleFade(kFirstFadeDelay);
    // The first frame sets its uniforms before any draw has made the program current.
    programs->use(kProgramName);
    const SceneListener& listener = sceneListener();
    if (listener.backgroundsPicked != nullptr) {
        listener.backgroundsPicked(schedule.backgroundA(), schedule.backgroundB());
    }
}

void renderFrame() {
    frameStats->tick();
    camera->setProjection(perspective(kFieldOfViewDegrees, aspectRatio, kNearPlane, kFarPlane));
    camera->selectView(kViewSlot);
    sky->setModel(translate(0.0f, 0.0f, kSkyDepth));
    setSharedUniforms();
    if (renderMode.currentRenderMode == kFullResolution) {
        drawToWindow(kShaderFullPicture);
    } else {
        drawWavesOffscreen();
        drawToWindow(kShaderReadsWaves);
    }
    // Takes effect from the next frame.
    chooseRenderModeOnce();
    // The fade value computed here is the one the next frame sends.
    advanceBackgrounds();
}
