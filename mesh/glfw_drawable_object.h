// A mesh bound to a shader program: it owns the interleaved mesh data and its
// vertex buffer and draws the mesh with one indexed draw, after the three
// matrices every drawable sends and the uniforms its kind adds.
#pragma once
#include <cstdint>
#include <memory>

#include "gfx/vector_math.h"
#include "mesh/frame_clock.h"
#include "mesh/glfw_vertex_buffer.h"
#include "mesh/mesh_data.h"

class Camera;
class GLFWProgramRegistry;

class GLFWDrawableObject {
  public:
    // Takes the mesh and describes its data to a new vertex buffer; nothing
    // reaches GL before prepare().
    GLFWDrawableObject(Camera* camera, GLFWProgramRegistry* registry, const char* programName,
                       std::unique_ptr<MeshData> meshData);
    GLFWDrawableObject(const GLFWDrawableObject&) = delete;
    GLFWDrawableObject& operator=(const GLFWDrawableObject&) = delete;

    // Once, with the context current: looks up the attributes, sends the data.
    void prepare();
    void setModel(const mat4& model) { model_ = model; }
    // Draws into whatever framebuffer, viewport and textures the caller set;
    // `frame` is this pass's time and viewport.
    void draw(const FrameClock& frame);
    // "model_world" = M, "world_projection" = P V, "model_projection" = P V M.
    void setMatrixUniforms();

    const GLFWVertexBuffer& vertexBuffer() const { return *vertexBuffer_; }
    const MeshData& meshData() const { return *meshData_; }

  protected:
    // Not virtual: drawables are owned as their own kind, never deleted
    // through this base (which cannot be deleted from outside).
    ~GLFWDrawableObject();

    virtual void bindAttributes() = 0;
    // Runs with the program current, after the matrices.
    virtual void setFrameUniforms(const FrameClock& frame) = 0;
    // Runs right after the program is made current, before any uniform.
    virtual void beforeDraw() = 0;

    GLFWProgramRegistry* registry_;
    std::unique_ptr<MeshData> meshData_;
    std::unique_ptr<GLFWVertexBuffer> vertexBuffer_;
    Camera* camera_;
    const char* programName_;
    // Identity until the scene sets it.
    mat4 model_;
};
