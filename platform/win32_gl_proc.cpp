// OpenGL entry points on Windows: wglGetProcAddress knows the functions past
// OpenGL 1.1; opengl32.dll exports the 1.0 and 1.1 ones itself.
#include <windows.h>

#include <cstdint>

#include "platform/gl_proc.h"

GLProcLookup::GLProcLookup() : library_(LoadLibraryA("opengl32.dll")) {}

GLProcLookup::~GLProcLookup() {
    if (library_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(library_));
    }
}

namespace {

// Some drivers answer 1, 2, 3 or -1 instead of null for a name they lack;
// calling such a pointer would crash, so it counts as not found.
bool isFailureValue(void* proc) {
    std::intptr_t value = reinterpret_cast<std::intptr_t>(proc);
    return value >= -1 && value <= 3;
}

}  // namespace

void* GLProcLookup::find(const char* name) const {
    void* proc = reinterpret_cast<void*>(wglGetProcAddress(name));
    if (isFailureValue(proc)) {
        proc = nullptr;
    }
    if (proc == nullptr && library_ != nullptr) {
        proc = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library_), name));
    }
    return proc;
}
