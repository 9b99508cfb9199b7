// Interleaves the per-vertex arrays into one vertex array.
#include "mesh/mesh_data.h"

#include <cstddef>

namespace {

void copyPart(const std::vector<float>& source, int count, int offset, std::size_t vertices,
              std::vector<float>& interleaved) {
    for (std::size_t i = 0; i < vertices; ++i) {
        for (int k = 0; k < count; ++k) {
            interleaved[i * MeshData::kFloatsPerVertex + offset + k] = source[i * count + k];
        }
    }
}

}  // namespace

MeshData::MeshData(std::unique_ptr<MeshArrays> source) : arrays(std::move(source)) {
    vertexCount = arrays->vertexCount;
    indexCount = arrays->indexCount;
    const std::size_t count = static_cast<std::size_t>(vertexCount);
    vertices.assign(count * kFloatsPerVertex, 0.0f);
    copyPart(arrays->positions, 3, kPositionOffset, count, vertices);
    copyPart(arrays->texCoords, 2, kTexCoordOffset, count, vertices);
    copyPart(arrays->normals, 3, kNormalOffset, count, vertices);
    copyPart(arrays->tangents, 3, kTangentOffset, count, vertices);
    copyPart(arrays->bitangents, 3, kBitangentOffset, count, vertices);
    copyPart(arrays->ambientColours, 3, kAmbientOffset, count, vertices);
    copyPart(arrays->diffuseColours, 3, kDiffuseOffset, count, vertices);
    copyPart(arrays->specularShininess, 4, kSpecularShininessOffset, count, vertices);
    indices = arrays->indices;
}
