// The OBJ side of the reader: line dispatch, mesh boundaries and names, the
// progress text, and pairing meshes with materials.
#include "mesh/objl_mesh_reader.h"

#include <iostream>
#include <new>

#include "mesh/objl_face.h"
#include "mesh/objl_text.h"
#include "platform/resources.h"

namespace objl {

namespace {

// A progress text is written once every this many lines.
constexpr int kProgressInterval = 1000;

// The resource's bytes as text; a missing resource is empty text. False only
// when memory for the text runs out.
bool resourceText(std::uint16_t id, std::string& text) {
    const ResourceData data = findTextResource(id);
    try {
        text.assign(reinterpret_cast<const char*>(data.bytes), data.size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Reads the numbers of a vertex-data line into `values`; false when the line
// has fewer than `count` elements or one of them is no number.
bool readVertexData(const std::string& line, std::size_t count, float* values) {
    std::vector<std::string> elements;
    splitByToken(elements, afterFirstWord(line), " ");
    if (elements.size() < count) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!parseFloat(elements[i], values[i])) {
            return false;
        }
    }
    return true;
}

// The working state of one OBJ read.
class ObjRead {
  public:
    ObjRead(MeshReader& results, std::ostream& progress) : results_(results), progress_(progress) {}

    void countLine();
    void boundary(const std::string& line);
    bool vertexData(const std::string& line, const std::string& keyword);
    void face(const std::string& line);
    void materialChange(const std::string& line);
    void finish();

  private:
    void closeMesh(const std::string& name);
    std::string freeSuffixedName() const;

    MeshReader& results_;
    std::ostream& progress_;
    std::vector<Vector3> positions_;
    std::vector<Vector2> texCoords_;
    std::vector<Vector3> normals_;
    std::vector<Vertex> meshVertices_;
    std::vector<std::uint32_t> meshIndices_;
    std::vector<std::string> materialNames_;
    std::string meshName_;
    bool meshStarted_ = false;
    int counter_ = kProgressInterval;
};

void ObjRead::countLine() {
    counter_ = (counter_ + 1) % kProgressInterval;
    if (counter_ != 1 || meshName_.empty()) {
        return;
    }
    progress_ << "\r- " << meshName_ << "\t| vertices > " << positions_.size() << "\t| texcoords > "
              << texCoords_.size() << "\t| normals > " << normals_.size() << "\t| triangles > "
              << (meshVertices_.size() / 3);
    if (!materialNames_.empty()) {
        progress_ << "\t| material: " << materialNames_.back();
    }
}

void ObjRead::boundary(const std::string& line) {
    const std::string word = firstWord(line);
    const bool named = word == "o" || word == "g";
    if (meshStarted_ && !meshIndices_.empty() && !meshVertices_.empty()) {
        closeMesh(meshName_);
        meshName_ = afterFirstWord(line);
    } else {
        meshStarted_ = true;
        meshName_ = named ? afterFirstWord(line) : "unnamed";
    }
    progress_ << '\n';
    counter_ = 0;
}

bool ObjRead::vertexData(const std::string& line, const std::string& keyword) {
    float values[3] = {0.0f, 0.0f, 0.0f};
    if (keyword == "vt") {
        if (!readVertexData(line, 2, values)) {
            return false;
        }
        texCoords_.push_back(Vector2{values[0], values[1]});
        return true;
    }
    if (!readVertexData(line, 3, values)) {
        return false;
    }
    (keyword == "v" ? positions_ : normals_).push_back(Vector3{values[0], values[1], values[2]});
    return true;
}

void ObjRead::face(const std::string& line) {
    std::vector<Vertex> corners;
    if (!buildFaceVertices(line, positions_, texCoords_, normals_, corners)) {
        return;  // the face is dropped; the rest of the text still counts
    }
    meshVertices_.insert(meshVertices_.end(), corners.begin(), corners.end());
    results_.vertices.insert(results_.vertices.end(), corners.begin(), corners.end());
    const std::size_t meshBase = meshVertices_.size() - corners.size();
    const std::size_t textBase = results_.vertices.size() - corners.size();
    for (std::uint32_t i : triangulatePolygon(corners)) {
        meshIndices_.push_back(static_cast<std::uint32_t>(meshBase + i));
        results_.indices.push_back(static_cast<std::uint32_t>(textBase + i));
    }
}

void ObjRead::materialChange(const std::string& line) {
    materialNames_.push_back(afterFirstWord(line));
    if (!meshIndices_.empty() && !meshVertices_.empty()) {
        closeMesh(freeSuffixedName());
    }
    counter_ = 0;
}

void ObjRead::finish() {
    progress_ << '\n';
    if (!meshIndices_.empty() && !meshVertices_.empty()) {
        closeMesh(meshName_);
    }
    // The k-th "usemtl" line gives the k-th mesh its material. There can be
    // more names than meshes (a "usemtl" before any face); those pair with nothing.
    for (std::size_t k = 0; k < materialNames_.size() && k < results_.meshes.size(); ++k) {
        for (const Material& material : results_.materials) {
            if (material.name == materialNames_[k]) {
                results_.meshes[k].material = material;
                break;
            }
        }
    }
}

void ObjRead::closeMesh(const std::string& name) {
    Mesh mesh;
    mesh.name = name;
    mesh.vertices.swap(meshVertices_);
    mesh.indices.swap(meshIndices_);
    results_.meshes.push_back(std::move(mesh));
    meshVertices_.clear();
    meshIndices_.clear();
}

std::string ObjRead::freeSuffixedName() const {
    for (int n = 2;; ++n) {
        const std::string candidate = meshName_ + "_" + std::to_string(n);
        bool taken = false;
        for (const Mesh& mesh : results_.meshes) {
            taken = taken || mesh.name == candidate;
        }
        if (!taken) {
            return candidate;
        }
    }
}

// A carriage return goes together with the character after it; for CR LF
// text that is the line's last character.
void removeCarriageReturns(std::string& line) {
    for (std::size_t at = line.find('\r'); at != std::string::npos; at = line.find('\r')) {
        line.erase(at, 2);
    }
}

}  // namespace

MeshReader::MeshReader() : progress_(&std::cout) {}

bool MeshReader::loadObj(std::uint16_t objTextId, std::uint16_t mtlTextId) {
    std::string text;
    if (!resourceText(objTextId, text)) {
        return false;
    }
    return readObj(text, [this, mtlTextId] { loadMaterials(mtlTextId); });
}

bool MeshReader::loadMaterials(std::uint16_t mtlTextId) {
    std::string text;
    if (!resourceText(mtlTextId, text)) {
        return false;
    }
    return loadMaterialText(text);
}

bool MeshReader::loadObjText(const std::string& objText, const std::string& mtlText) {
    return readObj(objText, [this, &mtlText] { loadMaterialText(mtlText); });
}

bool MeshReader::readObj(const std::string& text,
                         const std::function<void()>& readMaterialLibrary) {
    meshes.clear();
    vertices.clear();
    indices.clear();
    ObjRead read(*this, *progress_);
    std::string line;
    std::size_t position = 0;
    while (nextLine(text, position, line)) {
        removeCarriageReturns(line);
        read.countLine();
        const std::string word = firstWord(line);
        if (word == "o" || word == "g" || (!line.empty() && line[0] == 'g')) {
            read.boundary(line);
        }
        if (word == "v" || word == "vt" || word == "vn") {
            if (!read.vertexData(line, word)) {
                meshes.clear();
                vertices.clear();
                indices.clear();
                return false;
            }
        }
        if (word == "f") {
            read.face(line);
        }
        if (word == "usemtl") {
            read.materialChange(line);
        }
        if (word == "mtllib") {
            readMaterialLibrary();
        }
    }
    read.finish();
    return !meshes.empty() || !vertices.empty() || !indices.empty();
}

}  // namespace objl
