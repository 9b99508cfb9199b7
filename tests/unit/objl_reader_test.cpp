// The OBJ/MTL reader on the shipped quad and on small texts that exercise
// face forms, mesh boundaries, material pairing and line handling.
#include <gtest/gtest.h>

#include <sstream>

#include "mesh/objl_mesh_reader.h"

namespace {

constexpr std::uint16_t kQuadObj = 141;
constexpr std::uint16_t kQuadMtl = 140;

const char* const kFourPositions =
    "v 0 0 0\n"
    "v 2 0 0\n"
    "v 2 2 0\n"
    "v 0 2 0\n";

struct Read {
    objl::MeshReader reader;
    std::ostringstream progress;
    bool ok = false;

    Read(const std::string& obj, const std::string& mtl = "") {
        reader.setProgressOutput(progress);
        ok = reader.loadObjText(obj, mtl);
    }
};

void expectPosition(const objl::Vertex& v, float x, float y, float z) {
    EXPECT_EQ(v.position.x, x);
    EXPECT_EQ(v.position.y, y);
    EXPECT_EQ(v.position.z, z);
}

}  // namespace

TEST(ObjlReader, ReadsTheShippedQuad) {
    objl::MeshReader reader;
    std::ostringstream progress;
    reader.setProgressOutput(progress);
    ASSERT_TRUE(reader.loadObj(kQuadObj, kQuadMtl));

    ASSERT_EQ(reader.meshes.size(), 1u);
    const objl::Mesh& mesh = reader.meshes[0];
    EXPECT_EQ(mesh.name, "Plane001");
    ASSERT_EQ(mesh.vertices.size(), 6u);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(reader.vertices.size(), 6u);
    EXPECT_EQ(reader.indices, mesh.indices);
    // First triangle: corners 1, 2, 3; the second 4, 3, 2.
    expectPosition(mesh.vertices[0], -1, 1, 0);
    expectPosition(mesh.vertices[1], -1, -1, 0);
    expectPosition(mesh.vertices[2], 1, 1, 0);
    expectPosition(mesh.vertices[3], 1, -1, 0);
    EXPECT_EQ(mesh.vertices[0].texCoord.y, 1.0f);
    EXPECT_EQ(mesh.vertices[3].texCoord.x, 1.0f);
    for (const objl::Vertex& v : mesh.vertices) {
        EXPECT_EQ(v.normal, (objl::Vector3{0, 0, 1}));
    }

    ASSERT_EQ(reader.materials.size(), 1u);
    const objl::Material& m = mesh.material;
    EXPECT_EQ(m.name, "wire_198225087");
    EXPECT_EQ(m.ambient, (objl::Vector3{0.7765f, 0.8824f, 0.3412f}));
    EXPECT_EQ(m.diffuse, (objl::Vector3{0.7765f, 0.8824f, 0.3412f}));
    EXPECT_EQ(m.specular, (objl::Vector3{0.35f, 0.35f, 0.35f}));
    EXPECT_EQ(m.shininess, 32.0f);
    EXPECT_EQ(m.opticalDensity, 1.5f);
    EXPECT_EQ(m.dissolve, 1.0f);
    EXPECT_EQ(m.illumination, 2);

    const std::string status = "\r- Plane001\t| vertices > 4\t| texcoords > 4\t| normals > 1";
    EXPECT_EQ(progress.str(),
              "\n\r- Plane001\t| vertices > 0\t| texcoords > 0\t| normals > 0\t| triangles > 0\n" +
                  status + "\t| triangles > 0" + status +
                  "\t| triangles > 0\t| material: wire_198225087\n");
}

TEST(ObjlReader, ProgressGoesToStandardOutputByDefault) {
    objl::MeshReader reader;
    testing::internal::CaptureStdout();
    reader.loadObjText(std::string("o a\n#\n") + kFourPositions, "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n\r- a\t| vertices > 0\t| texcoords > 0\t| normals > 0\t| triangles > 0\n");
}

TEST(ObjlReader, ProgressRepeatsEveryThousandLines) {
    std::string obj = "o a\n";
    for (int i = 0; i < 2000; ++i) {
        obj += "v 1 2 3\n";
    }
    Read read(obj);
    // After the "o" line: lines 1 and 1001 of the vertex run.
    EXPECT_NE(read.progress.str().find("vertices > 0\t"), std::string::npos);
    EXPECT_NE(read.progress.str().find("vertices > 1000\t"), std::string::npos);
    EXPECT_EQ(read.progress.str().find("vertices > 1001"), std::string::npos);
}

TEST(ObjlReader, FaceFormsAndNormals) {
    Read read(
        "v  -1.0000 1.0000 0.0000\n"
        "v 0 0 0\nv 2 0 0\nv 0 3 0\n"
        "vt 0.25 0.75 0.5\nvn 0 1 0\n"
        "f 2/1 3/1 4/1\n"     // no normals: (p0 - p1) x (p2 - p1), not normalised
        "f 2//1 3//1 4//1\n"  // p//n: texture coordinate (0, 0)
        "f 1/1/1 2/1/1 3/1/1\n");
    ASSERT_TRUE(read.ok);
    const std::vector<objl::Vertex>& v = read.reader.vertices;
    ASSERT_EQ(v.size(), 9u);
    expectPosition(v[6], -1, 1, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v[i].normal, (objl::Vector3{0, 0, -6}));
        EXPECT_EQ(v[i].texCoord.x, 0.25f);
        EXPECT_EQ(v[3 + i].normal, (objl::Vector3{0, 1, 0}));
        EXPECT_EQ(v[3 + i].texCoord.x, 0.0f);
        EXPECT_EQ(v[6 + i].texCoord.y, 0.75f);
    }
    EXPECT_EQ(read.reader.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    // No "o" or "g": the last mesh has an empty name.
    ASSERT_EQ(read.reader.meshes.size(), 1u);
    EXPECT_EQ(read.reader.meshes[0].name, "");
}

TEST(ObjlReader, NegativeIndicesCountBackFromTheLastPositionRead) {
    Read read(std::string(kFourPositions) + "f -3 -2 -1\n");
    ASSERT_TRUE(read.ok);
    expectPosition(read.reader.vertices[0], 2, 0, 0);
    expectPosition(read.reader.vertices[2], 0, 2, 0);
}

TEST(ObjlReader, PolygonsAreSplitIntoTriangles) {
    Read read(std::string(kFourPositions) + "v -1 1 0\nf 1 2 3\nf 1 2 3 4\nf 1 2 3 4 5\n");
    ASSERT_TRUE(read.ok);
    // Face-relative indices 0,1,3 1,2,3 and, for the pentagon, 0,1,4 1,2,4 2,3,4,
    // offset by the corners of the faces before.
    EXPECT_EQ(
        read.reader.meshes[0].indices,
        (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 6, 4, 5, 6, 7, 8, 11, 8, 9, 11, 9, 10, 11}));
}

TEST(ObjlReader, MeshBoundariesNamesAndMaterialsByPosition) {
    Read read(std::string("mtllib any.mtl\no box\n") + kFourPositions +
                  "usemtl red\nf 1 2 3\n"
                  "usemtl blue\nf 1 3 4\n"
                  "usemtl green\nf 2 3 4\n"
                  "g lid\nf 1 2 4\n"
                  "gx\nusemtl missing\nf 2 3 4\n",
              "newmtl red\r\nKd 1 0 0\r\nnewmtl blue\r\nKd 0 0 1\r\nnewmtl green\r\nKd 0 1 0\r\n");
    ASSERT_TRUE(read.ok);
    const std::vector<objl::Mesh>& meshes = read.reader.meshes;
    ASSERT_EQ(meshes.size(), 5u);
    EXPECT_EQ(meshes[0].name, "box_2");
    EXPECT_EQ(meshes[1].name, "box_3");
    EXPECT_EQ(meshes[2].name, "box");
    EXPECT_EQ(meshes[3].name, "lid");
    EXPECT_EQ(meshes[4].name, "");  // "gx" closed "lid" and named the next mesh after its rest
    EXPECT_EQ(meshes[0].material.name, "red");
    EXPECT_EQ(meshes[1].material.diffuse, (objl::Vector3{0, 0, 1}));
    EXPECT_EQ(meshes[2].material.name, "green");
    // The fourth "usemtl" pairs with the fourth mesh, whatever was in force.
    EXPECT_EQ(meshes[3].material.name, "");  // "missing" names no material
    EXPECT_EQ(meshes[3].material.diffuse, (objl::Vector3{0, 0, 0}));
    // Every mesh's indices count from its own first vertex.
    EXPECT_EQ(meshes[1].indices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(read.reader.indices.back(), 14u);
}

TEST(ObjlReader, LineStartingWithGIsABoundaryAndFirstNamesUnnamed) {
    Read read(std::string("gx\n") + kFourPositions + "f 1 2 3\n");
    ASSERT_EQ(read.reader.meshes.size(), 1u);
    EXPECT_EQ(read.reader.meshes[0].name, "unnamed");
}

TEST(ObjlReader, CarriageReturnTakesTheNextCharacterWithIt) {
    Read read("v 1\r5 2 3\r\nv 4 5 6\nv 7 8 9\r\nf 1 2 3\r\n");
    ASSERT_TRUE(read.ok);
    expectPosition(read.reader.vertices[0], 1, 2, 3);
    expectPosition(read.reader.vertices[2], 7, 8, 9);
}

TEST(ObjlReader, MaterialLines) {
    objl::MeshReader reader;
    EXPECT_TRUE(reader.loadMaterialText(
        "Ka 9 9 9\n"  // before any newmtl: kept by the first material
        "newmtl \n"
        "newmtl ab\r\n"
        "\tKa 0.1 0.2\r\n"          // two numbers: ignored
        "\tKs 0.5 0.5 0.5 0.5\r\n"  // four: ignored
        "\tNs 12\r\n\tTr 0.5\r\n\tillum 3\r\n\tmap_Kd tex.png\r\n\tbump b.png\r\n"));
    ASSERT_EQ(reader.materials.size(), 2u);
    EXPECT_EQ(reader.materials[0].name, "none");
    EXPECT_EQ(reader.materials[0].ambient, (objl::Vector3{9, 9, 9}));
    const objl::Material& ab = reader.materials[1];
    EXPECT_EQ(ab.name, "ab");
    EXPECT_EQ(ab.ambient, (objl::Vector3{0, 0, 0}));
    EXPECT_EQ(ab.specular, (objl::Vector3{0, 0, 0}));
    EXPECT_EQ(ab.shininess, 12.0f);
    EXPECT_EQ(ab.dissolve, 0.0f);
    EXPECT_EQ(ab.illumination, 3);
    EXPECT_EQ(ab.diffuseMap, "tex.png\r");  // map names keep the line's own end
    EXPECT_EQ(ab.bumpMap, "b.png\r");
    // A second read appends, and text without "newmtl" still gives one material.
    EXPECT_TRUE(reader.loadMaterialText(""));
    EXPECT_EQ(reader.materials.size(), 3u);
}
