// The OpenGL entry-point loader: walks the generated name table, then reads
// what the context offers.
#include "gfx/gl_loader.h"

#include <cstring>
#include <sstream>

#include "gfx/gl.h"
#include "platform/gl_proc.h"

namespace {

GLProc* slotOf(const std::string& name) {
    for (int i = 0; i < gpGLEntryPointCount; ++i) {
        if (name == gpGLEntryPoints[i].name) {
            return gpGLEntryPoints[i].slot;
        }
    }
    return nullptr;
}

std::string textOf(GLenum name) {
    const GLubyte* text = glGetString != nullptr ? glGetString(name) : nullptr;
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

std::set<std::string> readExtensions() {
    std::set<std::string> extensions;
    std::istringstream words(textOf(GL_EXTENSIONS));
    for (std::string word; words >> word;) {
        extensions.insert(word);
    }
    return extensions;
}

void noteMissing(const std::vector<std::string>& names, GLOffer& offer) {
    for (const std::string& name : names) {
        GLProc* slot = slotOf(name);
        if (slot == nullptr || *slot == nullptr) {
            offer.missingEntryPoints.insert(name);
        }
    }
}

void forget(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (GLProc* slot = slotOf(name)) {
            *slot = nullptr;
        }
    }
}

// Where framebuffer objects come only from EXT_framebuffer_object, its
// functions stand in for the core ones: the program uses nothing the two differ in.
void takeFramebufferFunctionsFromExtension(const GLProcLookup& lookup) {
    for (const std::string& name : kFramebufferEntryPoints) {
        GLProc* slot = slotOf(name);
        if (slot != nullptr) {
            *slot = reinterpret_cast<GLProc>(lookup.find((name + "EXT").c_str()));
        }
    }
}

}  // namespace

int resolveGLEntryPoints(void* (*find)(const char* name, void* context), void* context) {
    int resolved = 0;
    for (int i = 0; i < gpGLEntryPointCount; ++i) {
        void* proc = find(gpGLEntryPoints[i].name, context);
        *gpGLEntryPoints[i].slot = reinterpret_cast<GLProc>(proc);
        resolved += proc != nullptr ? 1 : 0;
    }
    return resolved;
}

GLOffer readGLOffer() {
    GLOffer offer;
    offer.version = parseGLVersion(textOf(GL_VERSION).c_str());
    if (offer.version.atLeast(2, 0)) {
        offer.shadingLanguage = parseGLVersion(textOf(GL_SHADING_LANGUAGE_VERSION).c_str());
    }
    offer.renderer = textOf(GL_RENDERER);
    offer.extensions = readExtensions();
    noteMissing(kBaseEntryPoints, offer);
    noteMissing(kFramebufferEntryPoints, offer);
    noteMissing(kTextureStorageEntryPoints, offer);
    return offer;
}

GLOffer loadGL() {
    GLProcLookup lookup;
    resolveGLEntryPoints(
        [](const char* name, void* context) {
            return static_cast<GLProcLookup*>(context)->find(name);
        },
        &lookup);
    GLOffer offer = readGLOffer();
    if (!offer.version.atLeast(3, 0) && offer.extensions.count("GL_ARB_framebuffer_object") == 0 &&
        offer.extensions.count("GL_EXT_framebuffer_object") != 0) {
        takeFramebufferFunctionsFromExtension(lookup);
        offer = readGLOffer();
    }
    return offer;
}

void forgetMissingFeatures(const GLJudgement& judgement) {
    if (!judgement.framebuffers) {
        forget(kFramebufferEntryPoints);
    }
    if (!judgement.textureStorage) {
        forget(kTextureStorageEntryPoints);
    }
}

bool framebufferObjectsLoaded() {
    for (const std::string& name : kFramebufferEntryPoints) {
        GLProc* slot = slotOf(name);
        if (slot == nullptr || *slot == nullptr) {
            return false;
        }
    }
    return true;
}
