// The OBJ/MTL reader's own records: vectors, vertices, materials and meshes as
// the text describes them. They are separate from the renderer's math types.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace objl {

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
};

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    // Exact comparison: faces match their corners by position.
    bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vector3& o) const { return !(*this == o); }
    Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
};

struct Vertex {
    Vector3 position;
    Vector3 normal;
    Vector2 texCoord;
};

struct Material {
    std::string name;
    Vector3 ambient;              // Ka
    Vector3 diffuse;              // Kd
    Vector3 specular;             // Ks
    float shininess = 0.0f;       // Ns
    float opticalDensity = 0.0f;  // Ni
    float dissolve = 0.0f;        // d
    std::int32_t illumination = 0;
    std::string ambientMap;
    std::string diffuseMap;
    std::string specularMap;
    std::string shininessMap;
    std::string alphaMap;
    std::string bumpMap;
};

struct Mesh {
    std::string name;
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;  // three per triangle, into this mesh's vertices
    Material material;
};

}  // namespace objl
