// The GL buffers of one mesh and its attribute layout.
#include "mesh/glfw_vertex_buffer.h"

#include <cstdint>

#include "gfx/glfw_program.h"

GLFWVertexBuffer::GLFWVertexBuffer(GLFWProgramRegistry* registry) : registry_(registry) {
    glGenBuffers(1, &vertexBuffer_);
    glGenBuffers(1, &indexBuffer_);
}

GLFWVertexBuffer::~GLFWVertexBuffer() {
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteBuffers(1, &indexBuffer_);
}

void GLFWVertexBuffer::setVertexData(std::size_t byteSize, const float* data, int floatsPerVertex) {
    vertexByteSize_ = byteSize;
    vertexData_ = data;
    floatsPerVertex_ = floatsPerVertex;
}

void GLFWVertexBuffer::setIndexData(std::size_t byteSize, const std::uint32_t* data,
                                    int indexCount) {
    indexByteSize_ = byteSize;
    indexData_ = data;
    indexCount_ = indexCount;
}

void GLFWVertexBuffer::addAttribute(const char* programName, const char* attributeName,
                                    int components, int offset) {
    GLFWProgram* program = registry_->get(programName);
    if (program == nullptr) {
        return;
    }
    const std::string name(attributeName);
    if (locations_.count(name) != 0) {
        return;
    }
    locations_[name] = program->attributeLocation(attributeName);
    components_[name] = components;
    offsets_[name] = offset;
}

void GLFWVertexBuffer::bind() const {
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
}

void GLFWVertexBuffer::applyLayout() const {
    const GLsizei stride = static_cast<GLsizei>(floatsPerVertex_ * sizeof(float));
    // An attribute the program does not use has location -1; GL ignores the
    // calls for it (and sets its error flag, which nothing reads).
    for (const auto& entry : locations_) {
        const GLuint location = static_cast<GLuint>(entry.second);
        const std::uintptr_t byteOffset = offsets_.at(entry.first) * sizeof(float);
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, components_.at(entry.first), GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(byteOffset));
    }
}

void GLFWVertexBuffer::upload() const {
    bind();
    applyLayout();
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexByteSize_), vertexData_,
                 GL_STATIC_DRAW);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexByteSize_), indexData_,
                 GL_STATIC_DRAW);
}
