// What the program needs of OpenGL, and what a context offers: OpenGL 2.1
// with GLSL 1.20 and every entry point the program calls; framebuffer
// objects for the reduced way of drawing (OpenGL 3.0, ARB_ or
// EXT_framebuffer_object), without which it draws at full resolution; and
// immutable texture storage (OpenGL 4.2 or ARB_texture_storage), without
// which textures are made with glTexImage2D. Plain code: the offer is read
// once the context is current (gl_loader.h), judged here.
#pragma once

#include <set>
#include <string>
#include <vector>

struct GLVersion {
    int major = 0;
    int minor = 0;

    bool atLeast(int wantedMajor, int wantedMinor) const {
        return major > wantedMajor || (major == wantedMajor && minor >= wantedMinor);
    }
};

// "4.5 (Compatibility Profile) Mesa 22.3.6", "1.1.0", "1.20 NVIDIA": the
// leading major.minor; 0.0 for null or anything else. An OpenGL ES string
// ("OpenGL ES 3.2 ...") is not a desktop version and reads as 0.0.
GLVersion parseGLVersion(const char* text);

// What a context offers.
struct GLOffer {
    GLVersion version;          // GL_VERSION
    GLVersion shadingLanguage;  // GL_SHADING_LANGUAGE_VERSION; 0.0 without one
    std::string renderer;       // GL_RENDERER, to name it to the user
    std::set<std::string> extensions;
    // Entry points of the lists below that did not resolve.
    std::set<std::string> missingEntryPoints;
};

// The entry points the program calls, by what they need: every context
// (OpenGL 2.1 and older), framebuffer objects, texture storage.
extern const std::vector<std::string> kBaseEntryPoints;
extern const std::vector<std::string> kFramebufferEntryPoints;
extern const std::vector<std::string> kTextureStorageEntryPoints;

// What the program can do with a context.
struct GLJudgement {
    bool usable = false;          // it can draw the water at all
    bool framebuffers = false;    // the reduced way and the cheap first frame
    bool textureStorage = false;  // glTexStorage2D, else glTexImage2D
    // When not usable: what the program needs and what the display offers,
    // in words for the user.
    std::string message;
};

GLJudgement judgeGLOffer(const GLOffer& offer);

// The message for a display whose context could not even be made with the
// version the program asks for; `offer` is what a plain context offers, if
// one could be made (a version of 0.0 when not even that).
std::string openGLNeedsMessage(const GLOffer& offer);
