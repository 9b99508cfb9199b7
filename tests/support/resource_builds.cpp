// Builds from a test program's resources (see resource_builds.h).
#include "tests/support/resource_builds.h"

#include <gtest/gtest.h>

#include "gfx/shader_text_resource.h"
#include "platform/failure.h"
#include "tests/support/message_box_recorder.h"

std::unique_ptr<GLFWProgram> programFromResources(std::uint16_t vertexTextId,
                                                  std::uint16_t fragmentTextId, Failure& failure) {
    ShaderTexts texts;
    if (!readShaderTextResources(vertexTextId, fragmentTextId, texts, failure)) {
        return nullptr;
    }
    return std::make_unique<GLFWProgram>(texts.vertex, texts.fragment, failure);
}

std::unique_ptr<GLFWProgram> programFromResources(std::uint16_t vertexTextId,
                                                  std::uint16_t fragmentTextId) {
    Failure failure;
    auto program = programFromResources(vertexTextId, fragmentTextId, failure);
    EXPECT_EQ(messageBoxesOf(failure), std::vector<std::string>{});
    return program;
}

void addProgramFromResources(GLFWProgramRegistry& registry, const char* name,
                             std::uint16_t vertexTextId, std::uint16_t fragmentTextId) {
    Failure failure;
    ShaderTexts texts;
    if (readShaderTextResources(vertexTextId, fragmentTextId, texts, failure)) {
        registry.add(name, texts.vertex, texts.fragment, failure);
    }
    EXPECT_EQ(messageBoxesOf(failure), std::vector<std::string>{});
}

std::unique_ptr<MeshData> meshFromResources(std::uint16_t objTextId, std::uint16_t mtlTextId,
                                            float scale) {
    Failure failure;
    std::vector<objl::Mesh> meshes = readMeshResources(objTextId, mtlTextId, failure);
    EXPECT_EQ(messageBoxesOf(failure), std::vector<std::string>{});
    return std::make_unique<MeshData>(std::make_unique<MeshArrays>(meshes, scale));
}
