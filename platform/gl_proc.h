// Finds OpenGL entry points for the current context.
#pragma once

class GLProcLookup {
  public:
    GLProcLookup();   // Windows: LoadLibraryA("opengl32.dll")
    ~GLProcLookup();  // FreeLibrary; the context keeps the library loaded
    GLProcLookup(const GLProcLookup&) = delete;
    GLProcLookup& operator=(const GLProcLookup&) = delete;

    // Windows: wglGetProcAddress, then GetProcAddress on opengl32. Linux: GLFW's lookup.
    void* find(const char* name) const;

  private:
    [[maybe_unused]] void* library_ = nullptr;  // the opengl32 module on Windows
};
