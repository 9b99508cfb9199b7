// A face line's corners as vertices.
#include <cstddef>

#include "mesh/objl_face.h"
#include "mesh/objl_text.h"
#include "mesh/objl_vector.h"

namespace objl {

namespace {

// Fills the fields that the corner's form sets; the others keep the previous
// corner's values, since one record serves every corner of the face.
bool readCorner(const std::vector<std::string>& parts, const std::vector<Vector3>& positions,
                const std::vector<Vector2>& texCoords, const std::vector<Vector3>& normals,
                Vertex& vertex, bool& lacksNormal) {
    if (parts.empty() || parts.size() > 3) {
        return false;
    }
    if (!elementByObjIndex(positions, parts[0], vertex.position)) {
        return false;
    }
    switch (parts.size()) {
        case 1:
            vertex.texCoord = Vector2{};
            lacksNormal = true;
            return true;
        case 2:
            lacksNormal = true;
            return elementByObjIndex(texCoords, parts[1], vertex.texCoord);
        default:
            if (parts[1].empty()) {
                vertex.texCoord = Vector2{};
            } else if (!elementByObjIndex(texCoords, parts[1], vertex.texCoord)) {
                return false;
            }
            return elementByObjIndex(normals, parts[2], vertex.normal);
    }
}

}  // namespace

bool buildFaceVertices(const std::string& line, const std::vector<Vector3>& positions,
                       const std::vector<Vector2>& texCoords, const std::vector<Vector3>& normals,
                       std::vector<Vertex>& face) {
    face.clear();
    std::vector<std::string> corners;
    splitByToken(corners, afterFirstWord(line), " ");
    std::vector<std::string> parts;
    Vertex vertex;
    bool lacksNormal = false;
    for (const std::string& corner : corners) {
        splitByToken(parts, corner, "/");
        if (!readCorner(parts, positions, texCoords, normals, vertex, lacksNormal)) {
            face.clear();
            return false;
        }
        face.push_back(vertex);
    }
    // Four or more corners are matched by position while clipping.
    if (face.size() > 3 && !hasDistinctPositions(face)) {
        face.clear();
        return false;
    }
    // A face normal needs three corners; with fewer there is no triangle to shade.
    if (lacksNormal && face.size() >= 3) {
        const Vector3 normal =
            crossProduct(face[0].position - face[1].position, face[2].position - face[1].position);
        for (Vertex& v : face) {
            v.normal = normal;
        }
    }
    return true;
}

bool hasDistinctPositions(const std::vector<Vertex>& corners) {
    for (std::size_t i = 0; i < corners.size(); ++i) {
        std::size_t matches = 0;
        for (const Vertex& other : corners) {
            if (other.position == corners[i].position) {
                ++matches;
            }
        }
        if (matches != 1) {
            return false;
        }
    }
    return true;
}

}  // namespace objl
