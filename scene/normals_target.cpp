// The off-screen target (see normals_target.h).
#include "scene/normals_target.h"

#include <initializer_list>

NormalsTarget::NormalsTarget(int side, GLint internalFormat)
    : TextureFramebuffer(side, side, internalFormat, GL_RGBA) {
    // Read between texels, and never past the pattern's edge: texels beyond
    // the drawn region hold nothing.
    glBindTexture(GL_TEXTURE_2D, texture());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

std::unique_ptr<NormalsTarget> NormalsTarget::make(int side) {
    for (const GLint format : {GL_RGBA16F, GL_RGBA8}) {
        auto target = std::make_unique<NormalsTarget>(side, format);
        if (target->complete()) {
            return target;
        }
        // A format the driver does not know is refused with an error, which
        // no later call should find (each kind is kept once).
        for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
        }
    }
    return nullptr;
}
