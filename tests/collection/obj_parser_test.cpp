#include "collection/obj_parser.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

using collection::ObjParseResult;
using collection::parseObj;

namespace {

using Triple = std::array<int, 3>;

using Corners = std::array<Triple, 3>; // vertex, texture coordinate and normal indices

Triple triple(const int (&indices)[3]) {
    return {indices[0], indices[1], indices[2]};
}
Corners corners(const Face& face) {
    return {triple(face.vertexIndices), triple(face.texCoordIndices), triple(face.normalIndices)};
}

constexpr const char* kThreeVertices = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
constexpr const char* kThreeTexCoords = "vt 0 0\nvt 1 0\nvt 0 1\n";
constexpr const char* kThreeNormals = "vn 0 0 1\nvn 0 1 0\nvn 1 0 0\n";

ObjData parse(const std::string& text, ObjParseResult expected = ObjParseResult::ok) {
    ObjData data;
    EXPECT_EQ(parseObj(text, data), expected);
    return data;
}

} // namespace

TEST(ObjParser, CountsLinesByTheirFirstCharacters) {
    const ObjData data = parse("# comment\no thing\ng group\ns 1\nusemtl x\n\n"
                               "v 1 2 3\nvn 0 0 1\nvt 0.5 0.25\nvp 7 8 9\n v 4 5 6\n"
                               "f 1//1 2//1 1//1\n");
    EXPECT_EQ(data.nrVertices, 2); // "vp" counts as a vertex, " v" as nothing
    EXPECT_EQ(data.nrNormals, 1);
    EXPECT_EQ(data.nrTexCoords, 1);
    EXPECT_EQ(data.nrFaces, 1);
    // "vp" does not match "v %f %f %f": its vertex stays 0, 0, 0.
    EXPECT_EQ(data.vertices, (std::vector<float>{1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(data.texCoords, (std::vector<float>{0.5f, 0.25f}));
    EXPECT_EQ(data.normals, (std::vector<float>{0, 0, 1}));
}

TEST(ObjParser, ReadsFloatsInTheFormsScanfTakes) {
    const ObjData data = parse("v -1.5 +2e2 .25\nv 1e60 -0 3.\nv 1 x 5\n");
    ASSERT_EQ(data.nrVertices, 3);
    // The first value that does not match ends the line.
    EXPECT_EQ(data.vertices, (std::vector<float>{-1.5f, 200.0f, 0.25f, INFINITY, 0, 3, 1, 0, 0}));
}

struct PatternCase {
    const char* name;
    std::string data; // the element lines that choose the pattern
    const char* face;
    Triple vertex;
    Triple texCoord;
    Triple normal;
};

class ObjFacePattern : public testing::TestWithParam<PatternCase> {};

TEST_P(ObjFacePattern, FillsTheFieldsOfItsRow) {
    const PatternCase& c = GetParam();
    const ObjData data = parse(c.data + c.face + "\n");
    ASSERT_EQ(data.nrFaces, 1);
    EXPECT_EQ(corners(data.faces[0]), (Corners{c.vertex, c.texCoord, c.normal}));
}

const std::string V = kThreeVertices;
const std::string T = kThreeTexCoords;
const std::string N = kThreeNormals;

INSTANTIATE_TEST_SUITE_P(
    EightRows, ObjFacePattern,
    testing::Values(
        // Each triple in its own place, zero based.
        PatternCase{"Full", V + T + N, "f 1/2/3 2/3/1 3/1/2", {0, 1, 2}, {1, 2, 0}, {2, 0, 1}},
        PatternCase{"VertexPlain", V, "f 3 1 2", {2, 0, 1}, {}, {}},
        PatternCase{"VertexSlashed", V, "f 3// 1// 2//", {2, 0, 1}, {}, {}},
        // A slash only after the tenth character: the plain pattern stops at it.
        PatternCase{"VertexLateSlash", V, "f 3       2// 1//", {2, 1, 0}, {}, {}},
        PatternCase{"TexCoordOnly", T, "f /3/ /1/ /2/", {}, {2, 0, 1}, {}},
        PatternCase{"NormalOnly", N, "f //3 //1 //2", {}, {}, {2, 0, 1}},
        PatternCase{"TexCoordNormal", T + N, "f /1/2 /2/3 /3/1", {}, {0, 1, 2}, {1, 2, 0}},
        PatternCase{"VertexNormal", V + N, "f 1//2 2//3 3//1", {0, 1, 2}, {}, {1, 2, 0}},
        PatternCase{"VertexTexCoord", V + T, "f 1/2/ 2/3/ 3/1/", {0, 1, 2}, {1, 2, 0}, {}},
        // Without the trailing slash the pattern fails after the first corner.
        PatternCase{"VertexTexCoordNoSlash", V + T, "f 2/3 3/1 1/2", {1, 0, 0}, {2, 0, 0}, {}},
        // A file with normals expects them: "v/vt" corners stop at the space.
        PatternCase{
            "FullPatternShortCorners", V + T + N, "f 2/3 3/1 1/2", {1, 0, 0}, {2, 0, 0}, {}},
        PatternCase{"NoData", "", "f 1 2 3", {}, {}, {}},
        PatternCase{"ZeroIndexStaysZero", V, "f 0 1 2", {0, 0, 1}, {}, {}}),
    [](const testing::TestParamInfo<PatternCase>& info) { return info.param.name; });

TEST(ObjParser, KeepsOnlyTheFirstThreeCornersOfAQuad) {
    const ObjData data = parse(V + "v 1 1 0\nf 1 2 3 4\nf 4 3 2 1\n");
    ASSERT_EQ(data.nrFaces, 2);
    EXPECT_EQ(triple(data.faces[0].vertexIndices), (Triple{0, 1, 2}));
    EXPECT_EQ(triple(data.faces[1].vertexIndices), (Triple{3, 2, 1}));
}

TEST(ObjParser, TakesWindowsLineEndsAndTheLastLineWithoutLineEnd) {
    const ObjData data = parse("v 1 2 3\r\nv 4 5 6\r\nv 7 8 9\r\nv 7 8 9.5\r\nf 4 1 2");
    ASSERT_EQ(data.nrVertices, 4);
    EXPECT_EQ(data.vertices[11], 9.5f);
    ASSERT_EQ(data.nrFaces, 1);
    EXPECT_EQ(triple(data.faces[0].vertexIndices), (Triple{3, 0, 1}));
}

TEST(ObjParser, IndicesOutsideTheDataReadAsZeroAndAreReported) {
    const ObjData past = parse(V + T + N + "f 4/1/1 1/9/1 1/1/2\n", ObjParseResult::badIndices);
    EXPECT_EQ(corners(past.faces[0]), (Corners{{{0, 0, 0}, {0, 0, 0}, {0, 0, 1}}}));

    // Relative indices are not supported; -1 would otherwise become -2.
    const ObjData relative = parse(V + "f -1 -2 -3\n", ObjParseResult::badIndices);
    EXPECT_EQ(triple(relative.faces[0].vertexIndices), (Triple{0, 0, 0}));

    // Beyond the int range: saturated, then out of range like any other.
    const ObjData huge =
        parse(V + "f 1 99999999999999999999 -99999999999999999999\n", ObjParseResult::badIndices);
    EXPECT_EQ(triple(huge.faces[0].vertexIndices), (Triple{0, 0, 0}));
}
