// One mesh as the GL buffers take it: 24 interleaved floats (96 bytes) per
// vertex and an unsigned 32-bit index array, built from MeshArrays.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "mesh/mesh_arrays.h"

class MeshData {
  public:
    // Where each part of a vertex starts, in floats.
    static constexpr int kFloatsPerVertex = 24;
    static constexpr int kPositionOffset = 0;
    static constexpr int kTexCoordOffset = 3;
    static constexpr int kNormalOffset = 5;
    static constexpr int kTangentOffset = 8;
    static constexpr int kBitangentOffset = 11;
    static constexpr int kAmbientOffset = 14;
    static constexpr int kDiffuseOffset = 17;
    static constexpr int kSpecularShininessOffset = 20;

    explicit MeshData(std::unique_ptr<MeshArrays> arrays);

    std::vector<float> vertices;
    int floatsPerVertex = kFloatsPerVertex;
    std::vector<std::uint32_t> indices;
    std::unique_ptr<MeshArrays> arrays;
    std::int32_t vertexCount = 0;
    std::int32_t indexCount = 0;
};
