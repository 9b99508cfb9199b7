// Refusing a display's OpenGL (see unusable_gl.h).
#include "app/unusable_gl.h"

#include "platform/failure.h"

namespace {

constexpr char kProductTitle[] = "Glimmerpond 3D";

}  // namespace

void refuseUnusableGL(const std::string& message, ScreensaverMode mode, Failure& failure) {
    if (mode != Preview) {
        failure.add(message, kProductTitle);
    }
}
