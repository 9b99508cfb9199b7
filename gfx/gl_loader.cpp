// The OpenGL entry-point loader: walks the generated name table.
#include "gfx/gl_loader.h"

#include "gfx/gl.h"
#include "platform/gl_proc.h"

int glVersionMajor = 0;
int glVersionMinor = 0;

int resolveGLEntryPoints(void* (*find)(const char* name, void* context), void* context) {
    int resolved = 0;
    for (int i = 0; i < gpGLEntryPointCount; ++i) {
        void* proc = find(gpGLEntryPoints[i].name, context);
        *gpGLEntryPoints[i].slot = reinterpret_cast<GLProc>(proc);
        resolved += proc != nullptr ? 1 : 0;
    }
    return resolved;
}

int loadGL() {
    {
        GLProcLookup lookup;
        resolveGLEntryPoints(
            [](const char* name, void* context) {
                return static_cast<GLProcLookup*>(context)->find(name);
            },
            &lookup);
    }
    if (glGetIntegerv == nullptr) {
        return -1;
    }
    glGetIntegerv(GL_MAJOR_VERSION, &glVersionMajor);
    glGetIntegerv(GL_MINOR_VERSION, &glVersionMinor);
    return glVersionMajor < 3 ? -1 : 0;
}
