// A shader program built from two TEXTFILE resources (vertex, fragment), with
// a cache of uniform and attribute locations by name; and the registry that
// holds programs by name. Both need a current context with entry points loaded.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "gfx/gl.h"

class GLFWProgram {
  public:
    // Reads both texts, compiles and links. A missing text, a text without its
    // "~" end marker, a compile error or a link error is shown in "Debug" boxes
    // (the driver's log first, where there is one), then the process ends with
    // exit code 0.
    GLFWProgram(std::uint16_t vertexTextId, std::uint16_t fragmentTextId);
    ~GLFWProgram();
    GLFWProgram(const GLFWProgram&) = delete;
    GLFWProgram& operator=(const GLFWProgram&) = delete;

    GLuint programId() const { return program_; }
    // -1 when the program has no such active uniform or attribute; every answer,
    // -1 included, is cached, and a name answers the same for both kinds.
    GLint uniformLocation(const char* name);
    GLint attributeLocation(const char* name);
    void use() const;
    // Sets the sampler uniform to `unit` on the current program and binds `texture` there.
    void setTexture(const char* samplerName, int unit, GLuint texture);

    // Characters a text may have; its buffer holds them, the NUL and some slack.
    static constexpr int kTextCapacity = 16384;
    static constexpr int kTextBufferBytes = 16388;

  private:
    enum LocationKind { Uniform = 0, Attribute = 1 };
    GLint cachedLocation(const char* name, LocationKind kind);
    static void readTextResource(std::uint16_t id, char* destination, int capacity);
    static GLuint compileShader(GLenum type, char* const* text, const char* failureMessage);
    static void showShaderLog(GLuint shader);
    static void showProgramLog(GLuint program);

    char* vertexText_;
    char* fragmentText_;
    GLuint vertexShader_ = 0;
    GLuint fragmentShader_ = 0;
    GLuint program_ = 0;
    // One cache for both kinds: whichever lookup asks for a name first fills it.
    std::map<std::string, GLint> locations_;
};

class GLFWProgramRegistry {
  public:
    // Builds the program and files it under `name`; a name already present keeps
    // its first program (the new one stays built but unreachable).
    void add(const char* name, std::uint16_t vertexTextId, std::uint16_t fragmentTextId);
    GLFWProgram* get(const char* name) const;  // null when not registered
    GLint programId(const char* name) const;   // 0 when not registered
    // Makes the program current; a name never added is reported in a "Debug"
    // box and ends the process with exit code 0.
    void use(const char* name) const;

  private:
    // Both maps always hold the same names. The programs are never released.
    std::map<std::string, GLint> programIds_;
    std::map<std::string, GLFWProgram*> programs_;
};
