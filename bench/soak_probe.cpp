// The shipped screensaver behind a bench entry for long runs: the scene's
// timer stands GP_SCENE_TIME_SHIFT seconds ahead from the first frame on and
// runs GP_SCENE_TIME_RATE times as fast (as in the end-to-end scene entry), so
// that the pictures change every few seconds. At set-up, at every picture
// change and at the end it prints the process's resident memory and the GL
// objects alive, then ends by itself GP_SOAK_SECONDS after the first frame.
// At real time a night is counted in frames instead: with GP_SOAK_FRAMES it
// ends after that many frames, and with GP_SOAK_REPORT_FRAMES it also reports
// every that many frames (each frame reads the timer once).
//
// The GL objects are counted two ways: the names that the program's own
// Gen/Create and Delete calls made and freed (through the loader's entry
// points, wrapped once set-up first reads the timer), and the names that the
// driver still knows (glIsTexture and its kind, probed from 1 to beyond the
// highest name seen), which also counts objects made any other way.
// Lines go to standard error:
//   soak setup|change|frames|end n=N wall=S scene=S draws=D frames=F rss_kib=K hwm_kib=K
//        textures=TRACKED/PROBED buffers=... framebuffers=... programs=... shaders=...
//   soak render-mode mode=M size=S typical_ms=MS frames=F   (the one-time decision)
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "tests/support/hooked_entry.h"
#include "bench/soak_memory.h"
#include "gfx/gl.h"
#include "scene/scene_hooks.h"

namespace {

constexpr GLuint kProbeBeyondHighest = 64;

double timeShift = 0.0;
double timeRate = 1.0;
double soakSeconds = 600.0;
long soakFrames = 0;         // 0: the soak is timed in seconds
long reportEveryFrames = 0;  // 0: no reports by frames
long frames = 0;
double firstFrameTime = -1.0;
bool setUpDone = false;
bool wrapped = false;
long draws = 0;
int changes = 0;

// The names of one kind of GL object that the program made and has not deleted.
struct LiveNames {
    // Every glIs* entry point has the type of glIsTexture's.
    LiveNames(const char* kindName, PFNGLISTEXTUREPROC* isNameEntry)
        : kind(kindName), isName(isNameEntry) {}

    const char* kind;
    PFNGLISTEXTUREPROC* isName;
    std::set<GLuint> names;
    GLuint highest = 0;

    void made(GLuint name) {
        if (name != 0) {
            names.insert(name);
            highest = name > highest ? name : highest;
        }
    }
    void deleted(GLuint name) { names.erase(name); }
    int probed() const {
        int alive = 0;
        for (GLuint name = 1; name <= highest + kProbeBeyondHighest; ++name) {
            alive += (*isName)(name) == GL_TRUE;
        }
        return alive;
    }
};

LiveNames textures{"textures", &gp_glIsTexture};
LiveNames buffers{"buffers", &gp_glIsBuffer};
LiveNames framebuffers{"framebuffers", &gp_glIsFramebuffer};
LiveNames programs{"programs", &gp_glIsProgram};
LiveNames shaders{"shaders", &gp_glIsShader};
LiveNames* const allKinds[] = {&textures, &buffers, &framebuffers, &programs, &shaders};

PFNGLGENTEXTURESPROC realGenTextures;
PFNGLDELETETEXTURESPROC realDeleteTextures;
PFNGLGENBUFFERSPROC realGenBuffers;
PFNGLDELETEBUFFERSPROC realDeleteBuffers;
PFNGLGENFRAMEBUFFERSPROC realGenFramebuffers;
PFNGLDELETEFRAMEBUFFERSPROC realDeleteFramebuffers;
PFNGLCREATEPROGRAMPROC realCreateProgram;
PFNGLDELETEPROGRAMPROC realDeleteProgram;
PFNGLCREATESHADERPROC realCreateShader;
PFNGLDELETESHADERPROC realDeleteShader;
PFNGLDRAWELEMENTSPROC realDrawElements;

void madeAll(LiveNames& live, GLsizei count, const GLuint* names) {
    for (GLsizei i = 0; i < count; ++i) {
        live.made(names[i]);
    }
}

void deletedAll(LiveNames& live, GLsizei count, const GLuint* names) {
    for (GLsizei i = 0; i < count; ++i) {
        live.deleted(names[i]);
    }
}

void APIENTRY genTextures(GLsizei n, GLuint* names) {
    realGenTextures(n, names);
    madeAll(textures, n, names);
}
void APIENTRY deleteTextures(GLsizei n, const GLuint* names) {
    deletedAll(textures, n, names);
    realDeleteTextures(n, names);
}
void APIENTRY genBuffers(GLsizei n, GLuint* names) {
    realGenBuffers(n, names);
    madeAll(buffers, n, names);
}
void APIENTRY deleteBuffers(GLsizei n, const GLuint* names) {
    deletedAll(buffers, n, names);
    realDeleteBuffers(n, names);
}
void APIENTRY genFramebuffers(GLsizei n, GLuint* names) {
    realGenFramebuffers(n, names);
    madeAll(framebuffers, n, names);
}
void APIENTRY deleteFramebuffers(GLsizei n, const GLuint* names) {
    deletedAll(framebuffers, n, names);
    realDeleteFramebuffers(n, names);
}
GLuint APIENTRY createProgram() {
    const GLuint name = realCreateProgram();
    programs.made(name);
    return name;
}
void APIENTRY deleteProgram(GLuint name) {
    programs.deleted(name);
    realDeleteProgram(name);
}
GLuint APIENTRY createShader(GLenum type) {
    const GLuint name = realCreateShader(type);
    shaders.made(name);
    return name;
}
void APIENTRY deleteShader(GLuint name) {
    shaders.deleted(name);
    realDeleteShader(name);
}
void APIENTRY countedDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    ++draws;
    realDrawElements(mode, count, type, indices);
}

// Set-up's first timer reading comes after the entry points are loaded and
// before it makes its first object.
void wrapEntryPoints() {
    wrapped = true;
    realGenTextures = gp_glGenTextures;
    realDeleteTextures = gp_glDeleteTextures;
    realGenBuffers = gp_glGenBuffers;
    realDeleteBuffers = gp_glDeleteBuffers;
    realGenFramebuffers = gp_glGenFramebuffers;
    realDeleteFramebuffers = gp_glDeleteFramebuffers;
    realCreateProgram = gp_glCreateProgram;
    realDeleteProgram = gp_glDeleteProgram;
    realCreateShader = gp_glCreateShader;
    realDeleteShader = gp_glDeleteShader;
    realDrawElements = gp_glDrawElements;
    gp_glGenTextures = genTextures;
    gp_glDeleteTextures = deleteTextures;
    gp_glGenBuffers = genBuffers;
    gp_glDeleteBuffers = deleteBuffers;
    gp_glGenFramebuffers = genFramebuffers;
    gp_glDeleteFramebuffers = deleteFramebuffers;
    gp_glCreateProgram = createProgram;
    gp_glDeleteProgram = deleteProgram;
    gp_glCreateShader = createShader;
    gp_glDeleteShader = deleteShader;
    gp_glDrawElements = countedDrawElements;
}

double sceneTime(double now) {
    return firstFrameTime + timeShift + (now - firstFrameTime) * timeRate;
}

void report(const char* what) {
    const double now = glfwGetTime();
    const ResidentMemory memory = residentMemory();
    std::fprintf(stderr,
                 "soak %s n=%d wall=%.2f scene=%.1f draws=%ld frames=%ld rss_kib=%ld hwm_kib=%ld",
                 what, changes, firstFrameTime < 0.0 ? 0.0 : now - firstFrameTime,
                 firstFrameTime < 0.0 ? now : sceneTime(now), draws, frames, memory.currentKiB,
                 memory.peakKiB);
    for (const LiveNames* live : allKinds) {
        std::fprintf(stderr, " %s=%zu/%d", live->kind, live->names.size(), live->probed());
    }
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
}

// Set-up reads the true timer, so the schedule starts as it would; the timer
// moves on only once set-up has picked the first pictures.
double movedTimer() {
    const double now = glfwGetTime();
    if (!wrapped) {
        wrapEntryPoints();
    }
    if (!setUpDone) {
        return now;
    }
    if (firstFrameTime < 0.0) {
        firstFrameTime = now;
    }
    const bool done = soakFrames > 0 ? frames >= soakFrames : now - firstFrameTime >= soakSeconds;
    if (done) {
        report("end");
        std::exit(0);
    }
    if (reportEveryFrames > 0 && frames > 0 && frames % reportEveryFrames == 0) {
        report("frames");
    }
    ++frames;
    return sceneTime(now);
}

void setUp(int, int) {
    setUpDone = true;
    report("setup");
}

void renderModeChosen(int mode, int reducedSize, float typicalMs, int frames, float) {
    std::fprintf(stderr, "soak render-mode mode=%d size=%d typical_ms=%.1f frames=%d\n", mode,
                 reducedSize, static_cast<double>(typicalMs), frames);
    std::fflush(stderr);
}

void pictureChanged(int, int, int) {
    ++changes;
    report("change");
}

double numberFromEnvironment(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::atof(text) : fallback;
}

}  // namespace

SceneHooks entryHooks() {
    timeShift = numberFromEnvironment("GP_SCENE_TIME_SHIFT", 0.0);
    timeRate = numberFromEnvironment("GP_SCENE_TIME_RATE", 1.0);
    soakSeconds = numberFromEnvironment("GP_SOAK_SECONDS", 600.0);
    soakFrames = static_cast<long>(numberFromEnvironment("GP_SOAK_FRAMES", 0.0));
    reportEveryFrames = static_cast<long>(numberFromEnvironment("GP_SOAK_REPORT_FRAMES", 0.0));
    SceneHooks hooks;
    hooks.timer = movedTimer;
    hooks.listener.backgroundsPicked = setUp;
    hooks.listener.renderModeChosen = renderModeChosen;
    hooks.listener.pictureChanged = pictureChanged;
    return hooks;
}
