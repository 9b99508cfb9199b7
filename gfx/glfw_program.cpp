// Shader programs built from their texts, and the registry that holds them by
// name. A program that cannot be built is handed back as a failure: the
// driver's log, then what failed.
#include "gfx/glfw_program.h"

#include <string>

#include "platform/failure.h"

namespace {

const char* const kVertexCompileError = "Vertex shader compilation error";
const char* const kFragmentCompileError = "Fragment shader compilation error";
const char* const kLinkError = "Shader program link error";

// The driver's log of a shader or a program, read with that kind's two queries.
std::string infoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter,
                    PFNGLGETSHADERINFOLOGPROC getLog) {
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(length) + 1, '\0');
    getLog(object, length, nullptr, &log[0]);
    return log.c_str();
}

// Whether a shader compiled or a program linked, as its `status` query says;
// when not, the driver's log and then `message` go to `failure`.
bool built(GLuint object, GLenum status, PFNGLGETSHADERIVPROC getParameter,
           PFNGLGETSHADERINFOLOGPROC getLog, const char* message, Failure& failure) {
    GLint succeeded = 0;
    getParameter(object, status, &succeeded);
    if (succeeded != 0) {
        return true;
    }
    failure.add(infoLog(object, getParameter, getLog));
    failure.add(message);
    return false;
}

}  // namespace

GLFWProgram::GLFWProgram(const std::string& vertexText, const std::string& fragmentText,
                         Failure& failure) {
    // The program object comes first; the fragment shader is only created once
    // the vertex shader has compiled.
    program_ = glCreateProgram();
    vertexShader_ = compileShader(GL_VERTEX_SHADER, vertexText, kVertexCompileError, failure);
    if (vertexShader_ == 0) {
        return;
    }
    fragmentShader_ =
        compileShader(GL_FRAGMENT_SHADER, fragmentText, kFragmentCompileError, failure);
    if (fragmentShader_ == 0) {
        return;
    }
    glAttachShader(program_, vertexShader_);
    glAttachShader(program_, fragmentShader_);
    glLinkProgram(program_);
    // Unlinked, the program would draw nothing at all without a word.
    built(program_, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, kLinkError, failure);
}

GLFWProgram::~GLFWProgram() {
    glDeleteShader(vertexShader_);
    glDeleteShader(fragmentShader_);
    glDeleteProgram(program_);
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

GLuint GLFWProgram::compileShader(GLenum type, const std::string& text, const char* failureMessage,
                                  Failure& failure) {
    GLuint shader = glCreateShader(type);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    if (!built(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, failureMessage,
               failure)) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

void GLFWProgramRegistry::add(const char* name, const std::string& vertexText,
                              const std::string& fragmentText, Failure& failure) {
    const std::size_t messageBoxesBefore = failure.messageBoxes().size();
    auto program = std::make_unique<GLFWProgram>(vertexText, fragmentText, failure);
    if (failure.messageBoxes().size() != messageBoxesBefore) {
        return;
    }
    // emplace keeps an entry already present: the first registration wins.
    programs_.emplace(name, std::move(program));
}

GLFWProgram* GLFWProgramRegistry::get(const char* name) const {
    auto found = programs_.find(name);
    return found != programs_.end() ? found->second.get() : nullptr;
}

void GLFWProgramRegistry::use(const char* name) const {
    if (GLFWProgram* program = get(name)) {
        program->use();
    }
}
