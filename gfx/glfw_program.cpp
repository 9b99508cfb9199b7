// Shader programs built from the executable's TEXTFILE resources, and the
// registry that holds them by name. A program that cannot be built is reported
// in "Debug" boxes and ends the process with exit code 0, as every road out does.
#include "gfx/glfw_program.h"

#include <cstdlib>
#include <string>

#include "gfx/shader_text.h"
#include "platform/message_box.h"
#include "platform/resources.h"

namespace {

const char* const kBoxTitle = "Debug";
const char* const kVertexCompileError = "Vertex shader compilation error";
const char* const kFragmentCompileError = "Fragment shader compilation error";
const char* const kLinkError = "Shader program link error";

[[noreturn]] void failWith(const std::string& text) {
    showMessageBox(text.c_str(), kBoxTitle, MessageIcon::Information);
    std::exit(0);
}

}  // namespace

GLFWProgram::GLFWProgram(std::uint16_t vertexTextId, std::uint16_t fragmentTextId)
    : vertexText_(new char[kTextBufferBytes]), fragmentText_(new char[kTextBufferBytes]) {
    readTextResource(vertexTextId, vertexText_, kTextCapacity);
    readTextResource(fragmentTextId, fragmentText_, kTextCapacity);

    // The program object comes first; the fragment shader is only created once
    // the vertex shader has compiled.
    program_ = glCreateProgram();
    vertexShader_ = compileShader(GL_VERTEX_SHADER, &vertexText_, kVertexCompileError);
    fragmentShader_ = compileShader(GL_FRAGMENT_SHADER, &fragmentText_, kFragmentCompileError);

    glAttachShader(program_, vertexShader_);
    glAttachShader(program_, fragmentShader_);
    glLinkProgram(program_);
    // Unlinked, the program would draw nothing at all without a word.
    GLint linked = 0;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (linked == 0) {
        showProgramLog(program_);
        failWith(kLinkError);
    }
}

GLFWProgram::~GLFWProgram() {
    delete[] vertexText_;
    delete[] fragmentText_;
    glDeleteShader(vertexShader_);
    glDeleteShader(fragmentShader_);
    glDeleteProgram(program_);
    locations_.clear();
}

GLint GLFWProgram::uniformLocation(const char* name) {
    return cachedLocation(name, Uniform);
}

GLint GLFWProgram::attributeLocation(const char* name) {
    return cachedLocation(name, Attribute);
}

void GLFWProgram::use() const {
    glUseProgram(program_);
}

void GLFWProgram::setTexture(const char* samplerName, int unit, GLuint texture) {
    glUniform1i(uniformLocation(samplerName), unit);
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}

GLint GLFWProgram::cachedLocation(const char* name, LocationKind kind) {
    std::string key(name);
    auto found = locations_.find(key);
    if (found != locations_.end()) {
        return found->second;
    }
    GLint location = kind == Uniform ? glGetUniformLocation(program_, name)
                                     : glGetAttribLocation(program_, name);
    locations_.emplace(std::move(key), location);
    return location;
}

void GLFWProgram::readTextResource(std::uint16_t id, char* destination, int capacity) {
    ResourceData text = findTextResource(id);
    if (!text.found()) {
        failWith("Shader text " + std::to_string(id) + " is missing from the program's resources");
    }
    // The resource's own size bounds the search too, so a text without its
    // marker is never read past its end.
    if (!copyTextToEndMarker(text.bytes, text.size, destination,
                             static_cast<std::size_t>(capacity))) {
        failWith("Shader text " + std::to_string(id) + " has no \"~\" end marker within " +
                 std::to_string(capacity) + " characters");
    }
}

GLuint GLFWProgram::compileShader(GLenum type, char* const* text, const char* failureMessage) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, text, nullptr);
    glCompileShader(shader);
    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == 0) {
        showShaderLog(shader);
        showMessageBox(failureMessage, kBoxTitle, MessageIcon::Information);
        glDeleteShader(shader);
        std::exit(0);
    }
    return shader;
}

void GLFWProgram::showShaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(length) + 1, '\0');
    glGetShaderInfoLog(shader, length, nullptr, &log[0]);
    showMessageBox(log.c_str(), kBoxTitle, MessageIcon::Information);
}

void GLFWProgram::showProgramLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(length) + 1, '\0');
    glGetProgramInfoLog(program, length, nullptr, &log[0]);
    showMessageBox(log.c_str(), kBoxTitle, MessageIcon::Information);
}

void GLFWProgramRegistry::add(const char* name, std::uint16_t vertexTextId,
                              std::uint16_t fragmentTextId) {
    auto* program = new GLFWProgram(vertexTextId, fragmentTextId);
    // emplace keeps an entry already present: the first registration wins.
    programIds_.emplace(name, static_cast<GLint>(program->programId()));
    programs_.emplace(name, program);
}

GLFWProgram* GLFWProgramRegistry::get(const char* name) const {
    auto found = programs_.find(name);
    return found != programs_.end() ? found->second : nullptr;
}

GLint GLFWProgramRegistry::programId(const char* name) const {
    auto found = programIds_.find(name);
    return found != programIds_.end() ? found->second : 0;
}

void GLFWProgramRegistry::use(const char* name) const {
    GLFWProgram* program = get(name);
    if (program == nullptr) {
        failWith(std::string("Shader program \"") + name + "\" is not registered");
    }
    program->use();
}
