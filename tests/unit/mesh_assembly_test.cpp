// Mesh assembly: the quad's interleaved vertices, meshes laid end to end,
// scale, tangents per triangle, and the end of the program when no mesh reads.
#include <gtest/gtest.h>

#include <memory>

#include "mesh/mesh_data.h"
#include "platform/failure.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/resource_builds.h"

namespace {

constexpr std::uint16_t kQuadObj = 141;
constexpr std::uint16_t kQuadMtl = 140;

void expect3(const float* actual, float x, float y, float z, const char* what) {
    EXPECT_NEAR(actual[0], x, 1e-6f) << what;
    EXPECT_NEAR(actual[1], y, 1e-6f) << what;
    EXPECT_NEAR(actual[2], z, 1e-6f) << what;
}

objl::Vertex vertex(float x, float y, float u, float v) {
    objl::Vertex out;
    out.position = {x, y, 0};
    out.normal = {0, 0, 2};
    out.texCoord = {u, v};
    return out;
}

objl::Mesh mesh(std::vector<objl::Vertex> vertices, std::vector<std::uint32_t> indices, float red) {
    objl::Mesh out;
    out.vertices = std::move(vertices);
    out.indices = std::move(indices);
    out.material.diffuse = {red, 0, 0};
    out.material.shininess = red * 10;
    return out;
}

}  // namespace

TEST(MeshAssembly, QuadInterleavesTwentyFourFloatsPerVertex) {
    const std::unique_ptr<MeshData> quad = meshFromResources(kQuadObj, kQuadMtl, 1.0f);
    const MeshData& data = *quad;
    ASSERT_EQ(data.vertexCount, 6);
    ASSERT_EQ(data.indexCount, 6);
    ASSERT_EQ(data.vertices.size(), 6u * 24u);
    EXPECT_EQ(data.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    const float positions[6][2] = {{-1, 1}, {-1, -1}, {1, 1}, {1, -1}, {1, 1}, {-1, -1}};
    for (int i = 0; i < 6; ++i) {
        const float* v = &data.vertices[i * 24];
        expect3(v, positions[i][0], positions[i][1], 0, "position");
        // The quad's texture coordinates run with its positions: (x + 1) / 2.
        EXPECT_EQ(v[3], (positions[i][0] + 1) / 2);
        EXPECT_EQ(v[4], (positions[i][1] + 1) / 2);
        expect3(v + 5, 0, 0, 1, "normal");
        expect3(v + 8, 1, 0, 0, "tangent");
        expect3(v + 11, 0, 1, 0, "bitangent");
        expect3(v + 14, 0.7765f, 0.8824f, 0.3412f, "ambient");
        expect3(v + 17, 0.7765f, 0.8824f, 0.3412f, "diffuse");
        expect3(v + 20, 0.35f, 0.35f, 0.35f, "specular");
        EXPECT_EQ(v[23], 32.0f);
    }
}

TEST(MeshAssembly, MeshesFollowEachOtherWithOffsetIndicesAndTheirOwnMaterial) {
    const std::vector<objl::Mesh> meshes = {
        mesh({vertex(0, 0, 0, 0), vertex(1, 0, 1, 0), vertex(0, 1, 0, 1)}, {0, 1, 2}, 0.25f),
        mesh({vertex(0, 0, 0, 0), vertex(1, 0, 1, 0), vertex(1, 1, 1, 1), vertex(5, 5, 0, 0)},
             {0, 1, 2}, 0.5f)};
    MeshData data(std::make_unique<MeshArrays>(meshes, 2.0f));
    ASSERT_EQ(data.vertexCount, 7);
    EXPECT_EQ(data.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    // Scale doubles positions and leaves the unit normals and tangents alone.
    expect3(&data.vertices[5 * 24], 2, 2, 0, "scaled position");
    expect3(&data.vertices[5 * 24 + 5], 0, 0, 1, "normal");
    expect3(&data.vertices[5 * 24 + 8], 1, 0, 0, "tangent");
    expect3(&data.vertices[5 * 24 + 11], 0, 1, 0, "bitangent");
    EXPECT_EQ(data.vertices[2 * 24 + 17], 0.25f);
    EXPECT_EQ(data.vertices[3 * 24 + 17], 0.5f);
    EXPECT_EQ(data.vertices[3 * 24 + 23], 5.0f);
    // The second mesh's fourth vertex is in no triangle.
    expect3(&data.vertices[6 * 24 + 8], 0, 0, 0, "unused tangent");
    expect3(&data.vertices[6 * 24 + 11], 0, 0, 0, "unused bitangent");
}

TEST(MeshAssembly, TangentsFollowTheTextureDirections) {
    // u runs down the y axis and v along x: tangent (0, -1, 0), bitangent (1, 0, 0).
    MeshArrays arrays(
        {mesh({vertex(0, 0, 0, 0), vertex(0, -3, 1, 0), vertex(2, 0, 0, 1)}, {0, 1, 2}, 1)}, 1.0f);
    expect3(&arrays.tangents[3], 0, -1, 0, "tangent");
    expect3(&arrays.bitangents[6], 1, 0, 0, "bitangent");
}

TEST(MeshAssembly, NoMeshIsAFailure) {
    const std::vector<std::string> expected{"Debug|Failed to load mesh"};
    Failure missing;
    EXPECT_TRUE(readMeshResources(9999, 9998, missing).empty());
    EXPECT_EQ(messageBoxesOf(missing), expected);
    // The MTL text read as OBJ has no faces.
    Failure notAMesh;
    EXPECT_TRUE(readMeshResources(kQuadMtl, kQuadMtl, notAMesh).empty());
    EXPECT_EQ(messageBoxesOf(notAMesh), expected);
    Failure none;
    EXPECT_EQ(readMeshResources(kQuadObj, kQuadMtl, none).size(), 1u);
    EXPECT_FALSE(none.happened());
}
