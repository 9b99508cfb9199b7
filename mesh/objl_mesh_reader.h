// The OBJ/MTL reader: turns the OBJ text resource and its MTL text resource
// into meshes of triangles, one run of vertices per face. The same reads take
// text from memory, so tests and the fuzzer drive them without resources.
#pragma once
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "mesh/objl_records.h"

namespace objl {

class MeshReader {
  public:
    MeshReader();

    // Reads the OBJ text resource; an "mtllib" line reads the MTL resource.
    // A missing resource reads as empty text. True when the read produced
    // any mesh, vertex or index. A vertex-data line ("v", "vt", "vn") without
    // its numbers fails the whole read, since dropping it would move every
    // later index: the results are then empty.
    bool loadObj(std::uint16_t objTextId, std::uint16_t mtlTextId);
    // Appends the materials of the MTL text resource; true when any are held.
    bool loadMaterials(std::uint16_t mtlTextId);

    bool loadObjText(const std::string& objText, const std::string& mtlText);
    bool loadMaterialText(const std::string& mtlText);

    // Where the progress text goes; standard output unless changed.
    void setProgressOutput(std::ostream& output) { progress_ = &output; }

    std::vector<Mesh> meshes;
    std::vector<Vertex> vertices;        // every face's vertices, whole text
    std::vector<std::uint32_t> indices;  // into `vertices`
    std::vector<Material> materials;     // in the order of the MTL text

  private:
    bool readObj(const std::string& text, const std::function<void()>& readMaterialLibrary);

    std::ostream* progress_;
};

}  // namespace objl
