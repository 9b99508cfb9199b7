// OpenGL entry points on Linux: GLFW's lookup for the current context (GLX).
// GLX answers with a pointer even for names it does not know, so callers check
// the context's version rather than the pointers.
#include <GLFW/glfw3.h>

#include "platform/gl_proc.h"

GLProcLookup::GLProcLookup() = default;
GLProcLookup::~GLProcLookup() = default;

void* GLProcLookup::find(const char* name) const {
    return reinterpret_cast<void*>(glfwGetProcAddress(name));
}
