// A shader program built from a vertex and a fragment text, with a cache of
// uniform and attribute locations by name; and the registry that holds
// programs by name. Both need a current context with entry points loaded.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "gfx/gl.h"

class Failure;

class GLFWProgram {
  public:
    // Compiles both texts and links them. A compile error or a link error is
    // added to `failure` as message boxes (the driver's log first, then the
    // message);
    // the program is then unusable and the caller gives up. The fragment
    // shader is only created once the vertex shader has compiled.
    GLFWProgram(const std::string& vertexText, const std::string& fragmentText, Failure& failure);
    ~GLFWProgram();
    GLFWProgram(const GLFWProgram&) = delete;
    GLFWProgram& operator=(const GLFWProgram&) = delete;

    // -1 when the program has no such active uniform or attribute; every answer,
    // -1 included, is cached, and a name answers the same for both kinds.
    GLint uniformLocation(const char* name);
    GLint attributeLocation(const char* name);
    void use() const;

  private:
    enum LocationKind { Uniform = 0, Attribute = 1 };
    GLint cachedLocation(const char* name, LocationKind kind);
    static GLuint compileShader(GLenum type, const std::string& text, const char* failureMessage,
                                Failure& failure);

    GLuint vertexShader_ = 0;
    GLuint fragmentShader_ = 0;
    GLuint program_ = 0;
    // One cache for both kinds: whichever lookup asks for a name first fills it.
    std::map<std::string, GLint> locations_;
};

class GLFWProgramRegistry {
  public:
    // Builds the program and files it under `name`; a name already present keeps
    // its first program. A program that cannot be built is reported in
    // `failure` and not filed.
    void add(const char* name, const std::string& vertexText, const std::string& fragmentText,
             Failure& failure);
    GLFWProgram* get(const char* name) const;  // null when not registered
    // Makes the program current; does nothing for a name never added.
    void use(const char* name) const;

  private:
    std::map<std::string, std::unique_ptr<GLFWProgram>> programs_;
};
