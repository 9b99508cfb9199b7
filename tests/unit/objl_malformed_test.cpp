// Malformed OBJ input is turned away in order: a vertex-data line without its
// numbers fails the whole read; a face that cannot be read is dropped alone;
// a polygon that stops yielding ears keeps the triangles found so far.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "mesh/objl_face.h"
#include "mesh/objl_mesh_reader.h"

namespace {

const char* const kThreePositions = "o m\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n";

struct Read {
    objl::MeshReader reader;
    std::ostringstream progress;
    bool ok = false;

    explicit Read(const std::string& obj) {
        reader.setProgressOutput(progress);
        ok = reader.loadObjText(obj, "");
    }
};

objl::Vertex at(float x, float y) {
    objl::Vertex v;
    v.position = {x, y, 0};
    return v;
}

}  // namespace

TEST(ObjlMalformed, VertexDataWithoutItsNumbersFailsTheRead) {
    const char* bad[] = {"v 1 x 3\n", "v 1 2\n", "v\n", "vt 0.5\n", "vn 0 1\n", "v 1  2 3\n"};
    for (const char* line : bad) {
        Read read(std::string(kThreePositions) + "f 1 2 3\n" + line + "f 1 2 3\n");
        EXPECT_FALSE(read.ok) << line;
        EXPECT_TRUE(read.reader.meshes.empty()) << line;
        EXPECT_TRUE(read.reader.vertices.empty()) << line;
        EXPECT_TRUE(read.reader.indices.empty()) << line;
    }
    // Extra values are no fault: "vt" takes two of three, "v" three of four.
    EXPECT_TRUE(Read(std::string(kThreePositions) + "v 1 1 1 1\nvt 1 1 1\nf 1 2 3\n").ok);
}

TEST(ObjlMalformed, UnreadableFacesAreDroppedAlone) {
    const char* bad[] = {
        "f 1 2 4\n",           // past the end
        "f 0 1 2\n",           // OBJ counts from 1
        "f -4 -2 -1\n",        // before the start
        "f 1 x 3\n",           // no number
        "f 1/2 2/1 3/1\n",     // texture coordinate past the end
        "f 1//2 2//1 3//1\n",  // normal past the end
        "f 1/1/1 2/1/1 3//\n",
        "f 1  2 3\n",                   // a corner with no part
        "f 1/1/1/1 2/1/1/1 3/1/1/1\n",  // a corner with four parts
        "f 1 2 3 1\n",                  // four corners, one position twice
    };
    for (const char* face : bad) {
        Read read(std::string(kThreePositions) + "f 1 2 3\n" + face + "f 3 2 1\n");
        EXPECT_TRUE(read.ok) << face;
        ASSERT_EQ(read.reader.meshes.size(), 1u) << face;
        EXPECT_EQ(read.reader.vertices.size(), 6u) << face;
        EXPECT_EQ(read.reader.meshes[0].indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}))
            << face;
    }
    // Nothing readable left: the read fails, as a missing resource does.
    EXPECT_FALSE(Read(std::string(kThreePositions) + "f 1 2 9\n").ok);
    objl::MeshReader reader;
    EXPECT_FALSE(reader.loadObj(9999, 9998));
}

TEST(ObjlMalformed, ThreeCornersSharingAPositionStillMakeATriangle) {
    Read read(std::string(kThreePositions) + "f 1 1 2\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.reader.indices, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST(ObjlMalformed, NonNumericPositionsNeverMatchInAPolygon) {
    // NaN matches no position, itself included: clipping could never remove it.
    Read read(std::string(kThreePositions) + "v nan 0 0\nf 1 2 3 4\nf 1 2 3\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.reader.vertices.size(), 3u);
    objl::Vertex lost = at(0, 0);
    lost.position.x = std::nanf("");
    EXPECT_TRUE(objl::triangulatePolygon({at(0, 0), at(1, 0), at(1, 1), lost}).empty());
}

TEST(ObjlMalformed, MoreMaterialNamesThanMeshesPairOnlyTheMeshesThereAre) {
    Read read(std::string("usemtl a\nusemtl b\nusemtl c\n") + kThreePositions + "f 1 2 3\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.reader.meshes.size(), 1u);
}

TEST(ObjlMalformed, FaceWithFewerThanThreeCornersAddsNoTriangle) {
    Read read(std::string(kThreePositions) + "f 1 2\nf 1\nf\n");
    EXPECT_TRUE(read.ok);  // its corners are read, unreferenced
    EXPECT_EQ(read.reader.vertices.size(), 3u);
    EXPECT_TRUE(read.reader.indices.empty());
    EXPECT_TRUE(read.reader.meshes.empty());
}

TEST(ObjlTriangulate, PolygonThatStopsYieldingEarsEndsWithWhatItHas) {
    // After the ear at corner 0 the six corners left lie on one line: no
    // corner has an angle strictly between 0 and 180 degrees.
    const std::vector<objl::Vertex> corners = {at(0, 1), at(0, 0), at(1, 0), at(2, 0),
                                               at(3, 0), at(4, 0), at(-1, 0)};
    EXPECT_EQ(objl::triangulatePolygon(corners), (std::vector<std::uint32_t>{0, 1, 6}));
    // All on one line from the start: no ear at all.
    EXPECT_TRUE(
        objl::triangulatePolygon({at(0, 0), at(1, 0), at(2, 0), at(3, 0), at(4, 0)}).empty());

    Read read(std::string(kThreePositions) +
              "v 0 1 0\nv 0 0 0\nv 1 0 0\nv 2 0 0\nv 3 0 0\nv 4 0 0\nv -1 0 0\n"
              "f 4 5 6 7 8 9 10\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.reader.vertices.size(), 7u);
    EXPECT_EQ(read.reader.indices, (std::vector<std::uint32_t>{0, 1, 6}));
}

TEST(ObjlTriangulate, FourCornersGiveTheTwoFixedTriangles) {
    // Even when the outline is not convex.
    EXPECT_EQ(objl::triangulatePolygon({at(0, 0), at(4, 0), at(1, 1), at(0, 4)}),
              (std::vector<std::uint32_t>{0, 1, 3, 1, 2, 3}));
    EXPECT_EQ(objl::triangulatePolygon({at(0, 0), at(4, 0), at(1, 1)}),
              (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_TRUE(objl::triangulatePolygon({at(0, 0), at(4, 0)}).empty());
}
