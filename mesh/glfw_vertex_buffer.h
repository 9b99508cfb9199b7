// Owner of a mesh's GL vertex and index buffers and of the named attribute
// layout that feeds a program from the interleaved vertices. There are no
// vertex-array objects, so the layout is applied again before every draw.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "gfx/gl.h"

class GLFWProgramRegistry;

class GLFWVertexBuffer {
  public:
    // Generates the two buffer names; needs a current context.
    explicit GLFWVertexBuffer(GLFWProgramRegistry* registry);
    ~GLFWVertexBuffer();
    GLFWVertexBuffer(const GLFWVertexBuffer&) = delete;
    GLFWVertexBuffer& operator=(const GLFWVertexBuffer&) = delete;

    // Only remembered here; upload() sends them.
    void setVertexData(std::size_t byteSize, const float* data, int floatsPerVertex);
    void setIndexData(std::size_t byteSize, const std::uint32_t* data, int indexCount);

    // Records where the program reads `attributeName`: `components` floats
    // starting `offset` floats into each vertex. The first entry for a name
    // stays; a program that is not registered records nothing.
    void addAttribute(const char* programName, const char* attributeName, int components,
                      int offset);

    void bind() const;
    // For each attribute in name order: enable it and point it into the bound vertex buffer.
    void applyLayout() const;
    // Binds, applies the layout and sends both arrays as static data.
    void upload() const;
    int indexCount() const { return indexCount_; }

    GLuint vertexBufferName() const { return vertexBuffer_; }
    GLuint indexBufferName() const { return indexBuffer_; }

  private:
    GLFWProgramRegistry* registry_;
    GLuint vertexBuffer_ = 0;
    GLuint indexBuffer_ = 0;
    const float* vertexData_ = nullptr;
    std::size_t vertexByteSize_ = 0;
    int floatsPerVertex_ = 0;
    std::map<std::string, GLint> locations_;
    std::map<std::string, int> components_;
    std::map<std::string, int> offsets_;
    const std::uint32_t* indexData_ = nullptr;
    std::size_t indexByteSize_ = 0;
    int indexCount_ = 0;
};
