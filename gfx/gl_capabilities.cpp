// Judging an OpenGL context (see gl_capabilities.h).
#include "gfx/gl_capabilities.h"

#include <cctype>

namespace {

constexpr GLVersion kNeededVersion{2, 1};
constexpr GLVersion kNeededShadingLanguage{1, 20};

bool readNumber(const char*& text, int& value) {
    if (!std::isdigit(static_cast<unsigned char>(*text))) {
        return false;
    }
    value = 0;
    while (std::isdigit(static_cast<unsigned char>(*text))) {
        value = value * 10 + (*text - '0');
        if (value > 100000) {
            return false;
        }
        ++text;
    }
    return true;
}

bool allResolved(const GLOffer& offer, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (offer.missingEntryPoints.count(name) != 0) {
            return false;
        }
    }
    return true;
}

bool offers(const GLOffer& offer, const char* extension) {
    return offer.extensions.count(extension) != 0;
}

std::string versionText(const GLVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor);
}

}  // namespace

const std::vector<std::string> kBaseEntryPoints = {
    "glActiveTexture",
    "glAttachShader",
    "glBindBuffer",
    "glBindTexture",
    "glBufferData",
    "glClear",
    "glClearColor",
    "glCompileShader",
    "glCreateProgram",
    "glCreateShader",
    "glCullFace",
    "glDeleteBuffers",
    "glDeleteProgram",
    "glDeleteShader",
    "glDeleteTextures",
    "glDisableVertexAttribArray",
    "glDrawArrays",
    "glDisable",
    "glDrawBuffers",
    "glDrawElements",
    "glEnable",
    "glEnableVertexAttribArray",
    "glFrontFace",
    "glGenBuffers",
    "glGenTextures",
    "glGetAttribLocation",
    "glGetError",
    "glGetFloatv",
    "glGetIntegerv",
    "glGetProgramInfoLog",
    "glGetProgramiv",
    "glGetShaderInfoLog",
    "glGetShaderiv",
    "glGetString",
    "glGetUniformLocation",
    "glIsEnabled",
    "glLinkProgram",
    "glPixelStorei",
    "glScissor",
    "glShaderSource",
    "glTexImage2D",
    "glTexParameteri",
    "glTexSubImage2D",
    "glUniform1f",
    "glUniform1i",
    "glUniformMatrix4fv",
    "glUseProgram",
    "glVertexAttribPointer",
    "glViewport",
};

const std::vector<std::string> kFramebufferEntryPoints = {
    "glBindFramebuffer",      "glCheckFramebufferStatus", "glDeleteFramebuffers",
    "glFramebufferTexture2D", "glGenFramebuffers",
};

const std::vector<std::string> kTextureStorageEntryPoints = {"glTexStorage2D"};

GLVersion parseGLVersion(const char* text) {
    GLVersion version;
    if (text == nullptr) {
        return version;
    }
    int major = 0, minor = 0;
    if (!readNumber(text, major) || *text != '.') {
        return version;
    }
    ++text;
    if (!readNumber(text, minor)) {
        return version;
    }
    // GLSL writes its minor version in two digits: "1.20", "4.50".
    return GLVersion{major, minor};
}

GLJudgement judgeGLOffer(const GLOffer& offer) {
    GLJudgement judgement;
    judgement.usable =
        offer.version.atLeast(kNeededVersion.major, kNeededVersion.minor) &&
        offer.shadingLanguage.atLeast(kNeededShadingLanguage.major, kNeededShadingLanguage.minor) &&
        allResolved(offer, kBaseEntryPoints);
    if (!judgement.usable) {
        judgement.message = openGLNeedsMessage(offer);
        return judgement;
    }
    judgement.framebuffers =
        (offer.version.atLeast(3, 0) || offers(offer, "GL_ARB_framebuffer_object") ||
         offers(offer, "GL_EXT_framebuffer_object")) &&
        allResolved(offer, kFramebufferEntryPoints);
    judgement.textureStorage =
        (offer.version.atLeast(4, 2) || offers(offer, "GL_ARB_texture_storage")) &&
        allResolved(offer, kTextureStorageEntryPoints);
    return judgement;
}

std::string openGLNeedsMessage(const GLOffer& offer) {
    // The shading language is named only to a display that has one to compare.
    std::string message = "The water needs OpenGL " + versionText(kNeededVersion);
    if (offer.version.atLeast(2, 0)) {
        message += " with GLSL " + std::to_string(kNeededShadingLanguage.major) + "." +
                   std::to_string(kNeededShadingLanguage.minor);
    }
    message += "; this display offers ";
    if (offer.version.major == 0) {
        return message + "no OpenGL it can use.";
    }
    message += "OpenGL " + versionText(offer.version);
    if (offer.version.atLeast(2, 0)) {
        message += offer.shadingLanguage.major > 0
                       ? " with GLSL " + std::to_string(offer.shadingLanguage.major) + "." +
                             std::to_string(offer.shadingLanguage.minor)
                       : " without GLSL";
    }
    if (!offer.renderer.empty()) {
        message += " (" + offer.renderer + ")";
    }
    // A display new enough that lacks a function is told by that function.
    const bool newEnough =
        offer.version.atLeast(kNeededVersion.major, kNeededVersion.minor) &&
        offer.shadingLanguage.atLeast(kNeededShadingLanguage.major, kNeededShadingLanguage.minor);
    for (const std::string& name : kBaseEntryPoints) {
        if (newEnough && offer.missingEntryPoints.count(name) != 0) {
            return message + ", which lacks " + name + ".";
        }
    }
    return message + ".";
}
