// Drawing a mesh: program, uniforms, buffers and layout, one indexed draw.
#include "mesh/glfw_drawable_object.h"

#include "gfx/glfw_program.h"
#include "mesh/camera.h"

GLFWDrawableObject::GLFWDrawableObject(Camera* camera, GLFWProgramRegistry* registry,
                                       const char* programName, std::unique_ptr<MeshData> meshData)
    : registry_(registry),
      meshData_(std::move(meshData)),
      vertexBuffer_(std::make_unique<GLFWVertexBuffer>(registry)),
      camera_(camera),
      programName_(programName),
      model_(translate(0.0f, 0.0f, 0.0f)) {
    vertexBuffer_->setVertexData(static_cast<std::size_t>(meshData_->vertexCount) *
                                     MeshData::kFloatsPerVertex * sizeof(float),
                                 meshData_->vertices.data(), MeshData::kFloatsPerVertex);
    vertexBuffer_->setIndexData(
        static_cast<std::size_t>(meshData_->indexCount) * sizeof(std::uint32_t),
        meshData_->indices.data(), meshData_->indexCount);
}

GLFWDrawableObject::~GLFWDrawableObject() = default;

void GLFWDrawableObject::prepare() {
    bindAttributes();
    vertexBuffer_->upload();
}

void GLFWDrawableObject::draw(const FrameClock& frame) {
    // The scene registers the program before any drawable; without it there is nothing to draw
    // with.
    if (registry_->get(programName_) == nullptr) {
        return;
    }
    registry_->use(programName_);
    beforeDraw();
    setMatrixUniforms();
    setFrameUniforms(frame);
    vertexBuffer_->bind();
    vertexBuffer_->applyLayout();
    glDrawElements(GL_TRIANGLES, vertexBuffer_->indexCount(), GL_UNSIGNED_INT, nullptr);
}

void GLFWDrawableObject::setMatrixUniforms() {
    GLFWProgram* program = registry_->get(programName_);
    if (program == nullptr) {
        return;
    }
    const mat4 view = camera_->currentView();
    const mat4 projection = camera_->projection();
    const mat4 worldProjection = projection * view;
    const mat4 modelProjection = worldProjection * model_;
    glUniformMatrix4fv(program->uniformLocation("model_world"), 1, GL_FALSE, model_.data());
    glUniformMatrix4fv(program->uniformLocation("world_projection"), 1, GL_FALSE,
                       worldProjection.data());
    glUniformMatrix4fv(program->uniformLocation("model_projection"), 1, GL_FALSE,
                       modelProjection.data());
}
