// OpenGL entry points on Windows: wglGetProcAddress knows the functions past
// OpenGL 1.1; opengl32.dll exports the 1.0 and 1.1 ones itself.
#include <windows.h>

#include "platform/gl_proc.h"

GLProcLookup::GLProcLookup() : library_(LoadLibraryA("opengl32.dll")) {}

GLProcLookup::~GLProcLookup() {
    if (library_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(library_));
    }
}

void* GLProcLookup::find(const char* name) const {
    void* proc = reinterpret_cast<void*>(wglGetProcAddress(name));
    if (proc == nullptr && library_ != nullptr) {
        proc = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library_), name));
    }
    return proc;
}
