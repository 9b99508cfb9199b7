// The reader's meshes gathered into separate per-vertex arrays: positions
// scaled, normals unit length, each vertex with its mesh's material colours,
// tangents and bitangents per triangle.
#pragma once
#include <cstdint>
#include <vector>

#include "mesh/objl_records.h"

class Failure;

// The meshes of the OBJ text resource and its MTL text resource. When nothing
// can be read, "Failed to load mesh" is added to `failure` and none are given.
std::vector<objl::Mesh> readMeshResources(std::uint16_t objTextId, std::uint16_t mtlTextId,
                                          Failure& failure);

class MeshArrays {
  public:
    // Gathers meshes already read.
    MeshArrays(const std::vector<objl::Mesh>& meshes, float scale);

    std::vector<float> positions;          // 3 per vertex
    std::vector<float> texCoords;          // 2 per vertex
    std::vector<float> normals;            // 3 per vertex
    std::vector<float> tangents;           // 3 per vertex
    std::vector<float> bitangents;         // 3 per vertex
    std::vector<float> ambientColours;     // 3 per vertex
    std::vector<float> diffuseColours;     // 3 per vertex
    std::vector<float> specularShininess;  // 4 per vertex: red, green, blue, shininess
    std::vector<std::uint32_t> indices;
    std::int32_t vertexCount = 0;
    std::int32_t indexCount = 0;
    float scale;

  private:
    void gather(const std::vector<objl::Mesh>& meshes);
    void computeTangents();
};
