// Gathers the reader's meshes into per-vertex arrays.
#include "mesh/mesh_arrays.h"

#include "gfx/vector_math.h"
#include "mesh/objl_mesh_reader.h"
#include "platform/failure.h"

namespace {

const char* const kLoadFailedText = "Failed to load mesh";

void put3(std::vector<float>& array, std::size_t vertex, const objl::Vector3& v) {
    array[vertex * 3] = v.x;
    array[vertex * 3 + 1] = v.y;
    array[vertex * 3 + 2] = v.z;
}

void put3(std::vector<float>& array, std::size_t vertex, const vec3& v) {
    for (int i = 0; i < 3; ++i) {
        array[vertex * 3 + i] = v[i];
    }
}

vec3 get3(const std::vector<float>& array, std::size_t vertex) {
    return vec3(array[vertex * 3], array[vertex * 3 + 1], array[vertex * 3 + 2]);
}

vec2 get2(const std::vector<float>& array, std::size_t vertex) {
    return vec2(array[vertex * 2], array[vertex * 2 + 1]);
}

}  // namespace

std::vector<objl::Mesh> readMeshResources(std::uint16_t objTextId, std::uint16_t mtlTextId,
                                          Failure& failure) {
    objl::MeshReader reader;
    if (!reader.loadObj(objTextId, mtlTextId)) {
        failure.add(kLoadFailedText);
        return {};
    }
    return std::move(reader.meshes);
}

MeshArrays::MeshArrays(const std::vector<objl::Mesh>& meshes, float scale) : scale(scale) {
    gather(meshes);
    computeTangents();
}

void MeshArrays::gather(const std::vector<objl::Mesh>& meshes) {
    std::size_t vertexTotal = 0;
    std::size_t indexTotal = 0;
    for (const objl::Mesh& mesh : meshes) {
        vertexTotal += mesh.vertices.size();
        indexTotal += mesh.indices.size();
    }
    vertexCount = static_cast<std::int32_t>(vertexTotal);
    indexCount = static_cast<std::int32_t>(indexTotal);
    positions.assign(vertexTotal * 3, 0.0f);
    texCoords.assign(vertexTotal * 2, 0.0f);
    normals.assign(vertexTotal * 3, 0.0f);
    // A vertex that no triangle uses keeps zero tangent and bitangent.
    tangents.assign(vertexTotal * 3, 0.0f);
    bitangents.assign(vertexTotal * 3, 0.0f);
    ambientColours.assign(vertexTotal * 3, 0.0f);
    diffuseColours.assign(vertexTotal * 3, 0.0f);
    specularShininess.assign(vertexTotal * 4, 0.0f);
    indices.assign(indexTotal, 0);

    std::size_t vertexBase = 0;
    std::size_t indexBase = 0;
    for (const objl::Mesh& mesh : meshes) {
        const objl::Material& material = mesh.material;
        for (std::size_t j = 0; j < mesh.vertices.size(); ++j) {
            const objl::Vertex& vertex = mesh.vertices[j];
            const std::size_t at = vertexBase + j;
            put3(positions, at, vertex.position * scale);
            texCoords[at * 2] = vertex.texCoord.x;
            texCoords[at * 2 + 1] = vertex.texCoord.y;
            put3(normals, at, normalize(vec3(vertex.normal.x, vertex.normal.y, vertex.normal.z)));
            put3(ambientColours, at, material.ambient);
            put3(diffuseColours, at, material.diffuse);
            specularShininess[at * 4] = material.specular.x;
            specularShininess[at * 4 + 1] = material.specular.y;
            specularShininess[at * 4 + 2] = material.specular.z;
            specularShininess[at * 4 + 3] = material.shininess;
        }
        for (std::size_t k = 0; k < mesh.indices.size(); ++k) {
            indices[indexBase + k] = static_cast<std::uint32_t>(vertexBase + mesh.indices[k]);
        }
        vertexBase += mesh.vertices.size();
        indexBase += mesh.indices.size();
    }
}

void MeshArrays::computeTangents() {
    const std::size_t vertices = positions.size() / 3;
    // Whole triangles only, and only those whose corners exist.
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        const std::size_t a = indices[i];
        const std::size_t b = indices[i + 1];
        const std::size_t c = indices[i + 2];
        if (a >= vertices || b >= vertices || c >= vertices) {
            continue;
        }
        const vec3 e1 = get3(positions, b) - get3(positions, a);
        const vec3 e2 = get3(positions, c) - get3(positions, a);
        const vec2 d1 = get2(texCoords, b) - get2(texCoords, a);
        const vec2 d2 = get2(texCoords, c) - get2(texCoords, a);
        const float f = 1.0f / (d1[0] * d2[1] - d2[0] * d1[1]);
        const vec3 tangent = normalize((e1 * d2[1] - e2 * d1[1]) * f);
        const vec3 bitangent = normalize((e1 * -d2[0] + e2 * d1[0]) * f);
        for (std::size_t corner : {a, b, c}) {
            put3(tangents, corner, tangent);
            put3(bitangents, corner, bitangent);
        }
    }
}
