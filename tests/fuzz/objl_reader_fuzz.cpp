// Fuzzes the OBJ/MTL reader: the input is an OBJ text, optionally followed by
// a line "@mtl" and the MTL text. The reader and the assembly must neither
// crash nor loop, and every index they produce must name a vertex.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "mesh/mesh_data.h"
#include "mesh/objl_mesh_reader.h"

namespace {

const std::string kMaterialSeparator = "\n@mtl\n";

class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkIndices(const std::vector<std::uint32_t>& indices, std::size_t vertexCount) {
    require(indices.size() % 3 == 0);
    for (std::uint32_t index : indices) {
        require(index < vertexCount);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static NullBuffer nullBuffer;
    static std::ostream nullStream(&nullBuffer);

    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(kMaterialSeparator);
    const std::string obj = input.substr(0, split);
    const std::string mtl = split == std::string::npos
                                ? std::string()
                                : input.substr(split + kMaterialSeparator.size());

    objl::MeshReader reader;
    reader.setProgressOutput(nullStream);
    const bool read = reader.loadObjText(obj, mtl);
    reader.loadMaterialText(mtl);

    require(read ==
            (!reader.meshes.empty() || !reader.vertices.empty() || !reader.indices.empty()));
    checkIndices(reader.indices, reader.vertices.size());
    for (const objl::Mesh& mesh : reader.meshes) {
        require(!mesh.vertices.empty());
        checkIndices(mesh.indices, mesh.vertices.size());
    }

    MeshData meshData(std::make_unique<MeshArrays>(reader.meshes, 1.0f));
    require(meshData.vertices.size() ==
            static_cast<std::size_t>(meshData.vertexCount) * MeshData::kFloatsPerVertex);
    checkIndices(meshData.indices, static_cast<std::size_t>(meshData.vertexCount));
    return 0;
}
