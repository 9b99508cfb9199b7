// The reader's meshes gathered into separate per-vertex arrays: positions
// scaled, normals unit length, each vertex with its mesh's material colours,
// tangents and bitangents per triangle. Mesh reading failure ends the program.
#pragma once
#include <cstdint>
#include <vector>

#include "mesh/objl_records.h"

class MeshArrays {
  public:
    // Reads the OBJ and MTL text resources. If nothing can be read it shows
    // "Failed to load mesh", shuts GLFW down and ends the process (exit code 0).
    MeshArrays(std::uint16_t objTextId, std::uint16_t mtlTextId, float scale);
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
